#include <varnock/calendar_text.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace varnock {
namespace {

TEST(CalendarText, NamesOrdinalsAndFormats) {
  const char* const months[] = {"",          "",        "January",  "February", "March",
                                "April",     "May",     "June",     "July",     "August",
                                "September", "October", "November", "December", ""};
  for (int month = -1; month <= 13; ++month)
    EXPECT_EQ(MonthName(month), months[month + 1]) << month;
  const char* const days[] = {"",     "",     "1st",  "2nd",  "3rd",  "4th",  "5th",
                              "6th",  "7th",  "8th",  "9th",  "10th", "11th", "12th",
                              "13th", "14th", "15th", "16th", "17th", "18th", "19th",
                              "20th", "21st", "22nd", "23rd", "24th", "25th", "26th",
                              "27th", "28th", "29th", "30th", "31st", ""};
  for (int day = -1; day <= 32; ++day) EXPECT_EQ(DayOrdinal(day), days[day + 1]) << day;
  EXPECT_EQ(FormatDate(1, 0, 2005), "January , 2005");
  EXPECT_EQ(FormatDate(0, 5, 1855), " 5th, 1855");
  EXPECT_EQ(FormatDate(13, 32, 2006), " , 2006");  // past the ends of the lists
  EXPECT_EQ(FormatYear(1990) + FormatYear(0) + FormatYear(-7), "19900-7");
  char text[32];
  std::snprintf(text, sizeof text, kDateFormat.data(), "May", "3rd", 2005);
  EXPECT_STREQ(text, "May 3rd, 2005");
  std::snprintf(text, sizeof text, kYearFormat.data(), -7);
  EXPECT_STREQ(text, "-7");
}

// The texts a decode's date is shown in: the dialog's, and ISO 8601 for sorting.
TEST(CalendarText, DateTextsOfProductionDates) {
  const struct {
    ProductionDate date;
    const char* text;
    const char* iso;
  } cases[] = {
      {{2006, 3, 15}, "March 15th, 2006", "2006-03-15"},
      {{2004, 0, 0}, "2004", "2004"},  // a year alone
      {{2006, 3, 0}, "March , 2006", "2006-03"},
      {{2004, 2, 29}, "February 29th, 2004", "2004-02-29"},
      {{2005, 2, 29}, "February 29th, 2005", "2005-02"},  // no such day
      {{1900, 2, 29}, "February 29th, 1900", "1900-02"},
      {{2009, 4, 31}, "April 31st, 2009", "2009-04"},
      {{5, 1, 1}, "January 1st, 5", "0005-01-01"},
      {{0, 0, 0}, "0", "0000"},
      {{999, 12, 31}, "December 31st, 999", "0999-12-31"},
      {{10000, 1, 2}, "January 2nd, 10000", "10000-01-02"},
      {{-7, 0, 0}, "-7", "-0007"},
      {{INT_MIN, 9, 22}, "September 22nd, -2147483648", "-2147483648-09-22"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DateText(c.date).view(), c.text) << c.text;
    EXPECT_EQ(IsoDateText(c.date).view(), c.iso) << c.text;
  }
}

TEST(CalendarText, DayOfYearToDate) {
  const struct {
    int day_of_year, year;
    std::optional<MonthDay> expected;
  } cases[] = {
      {0, 2004, {}},           {1, 2005, {{1, 1}}},     {31, 2005, {{1, 31}}},
      {32, 2005, {{2, 1}}},    {59, 2005, {{2, 28}}},   {60, 2005, {{3, 1}}},
      {60, 2004, {{2, 29}}},   {61, 2004, {{3, 1}}},    {123, 2000, {{5, 2}}},
      {60, 1900, {{3, 1}}},    {335, 2005, {{12, 1}}},  {365, 2005, {{12, 31}}},
      {365, 2004, {{12, 30}}}, {366, 2004, {{12, 31}}}, {366, 2005, {}},
      {366, 1900, {}},         {367, 2004, {}},         {-1, 2004, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DayOfYearToDate(c.day_of_year, c.year), c.expected) << c.day_of_year << " " << c.year;
  for (int year : {1996, 2000, 2004, 2024, 2400, 0, -4}) EXPECT_TRUE(IsLeapYear(year)) << year;
  for (int year : {1900, 1999, 2005, 2021, 2100, -1}) EXPECT_FALSE(IsLeapYear(year)) << year;
}

}  // namespace
}  // namespace varnock
