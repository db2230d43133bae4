#include "calendar_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace varnock {
namespace {

namespace chr = std::chrono;

// Every day of every year a user can reach, against the standard calendar.
TEST(DayOfYearToDate, AgreesWithStdChronoFor1990To2029) {
  for (int year = 1990; year <= 2029; ++year) {
    const chr::sys_days new_year = chr::year{year} / chr::January / 1;
    const int days = DaysInYear(year);
    for (int n = 1; n <= days; ++n) {
      const chr::year_month_day ymd{new_year + chr::days{n - 1}};
      ASSERT_EQ(static_cast<int>(ymd.year()), year);
      const std::optional<MonthDay> date = DayOfYearToDate(n, year);
      ASSERT_TRUE(date) << year << " day " << n;
      EXPECT_EQ(date->month, static_cast<int>(static_cast<unsigned>(ymd.month()))) << year << " " << n;
      EXPECT_EQ(date->day, static_cast<int>(static_cast<unsigned>(ymd.day()))) << year << " " << n;
    }
    EXPECT_FALSE(DayOfYearToDate(days + 1, year)) << year;  // 366 of a common year
    EXPECT_FALSE(DayOfYearToDate(0, year)) << year;
  }
}

TEST(IsLeapYear, FollowsTheGregorianRule) {
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_TRUE(IsLeapYear(2000));
  for (int year = -2000; year <= 3000; ++year) {
    EXPECT_EQ(IsLeapYear(year), chr::year{year}.is_leap()) << year;
  }
}

TEST(DayOrdinals, SuffixesFollowEnglish) {
  EXPECT_EQ(kDayOrdinals[0], "");
  for (int day = 1; day <= 31; ++day) {
    const int last = day % 10;
    const bool teen = day >= 11 && day <= 13;
    const char* suffix = teen || last == 0 || last > 3 ? "th" : last == 1 ? "st" : last == 2 ? "nd" : "rd";
    EXPECT_EQ(DayOrdinal(day), std::to_string(day) + suffix);
  }
  EXPECT_EQ(DayOrdinal(32), "");
  EXPECT_EQ(DayOrdinal(-1), "");
}

// The fast formatter prints exactly what the printf formats print.
TEST(FormatDate, MatchesTheDateFormatForEveryMonthAndDay) {
  char expected[64];
  for (int month = 1; month <= 12; ++month) {
    for (int day = 0; day <= 31; ++day) {
      for (int year : {-2147483647 - 1, -1, 0, 1855, 1996, 2006, 2029, 2147483647}) {
        std::snprintf(expected, sizeof expected, kDateFormat.data(), kMonthNames[month].data(),
                      kDayOrdinals[day].data(), year);
        ASSERT_EQ(FormatDate(month, day, year), expected);
      }
    }
  }
}

TEST(FormatDate, KnownTexts) {
  EXPECT_EQ(FormatDate(3, 15, 2006), "March 15th, 2006");
  EXPECT_EQ(FormatDate(1, 0, 2005), "January , 2005");
  EXPECT_EQ(FormatDate(0, 5, 2005), " 5th, 2005");  // never produced by a scheme
}

TEST(FormatYear, MatchesTheYearFormat) {
  char expected[16];
  for (int year : {-2147483647 - 1, -1, 0, 1990, 2029, 2147483647}) {
    std::snprintf(expected, sizeof expected, kYearFormat.data(), year);
    EXPECT_EQ(FormatYear(year), expected);
  }
  EXPECT_EQ(FormatYear(1990), "1990");
}

}  // namespace
}  // namespace varnock
