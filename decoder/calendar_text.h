// Calendar facts and the texts a decode shows: month names, day ordinals, date formats.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace varnock {

// Indexed by month 1..12; slot 0 has no name.
inline constexpr std::array<std::string_view, 13> kMonthNames = {
    "",     "January", "February",  "March",   "April",    "May",     "June",
    "July", "August",  "September", "October", "November", "December"};

// Indexed by day 0..31; slot 0 is empty, so day 0 prints nothing between its blanks.
inline constexpr std::array<std::string_view, 32> kDayOrdinals = {
    "",     "1st",  "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",  "9th",  "10th",
    "11th", "12th", "13th", "14th", "15th", "16th", "17th", "18th", "19th", "20th", "21st",
    "22nd", "23rd", "24th", "25th", "26th", "27th", "28th", "29th", "30th", "31st"};

// Lengths of a common year's months, January first; February has 29 in a leap year.
inline constexpr std::array<int, 12> kMonthLengths = {31, 28, 31, 30, 31, 30,
                                                      31, 31, 30, 31, 30, 31};

// printf formats of the two result texts; FormatDate and FormatYear produce exactly
// what they would print.
inline constexpr std::string_view kDateFormat = "%s %s, %d";  // month, ordinal, year
inline constexpr std::string_view kYearFormat = "%d";

// The name of month 1..12; empty for any other value.
constexpr std::string_view MonthName(int month) {
  return month >= 1 && month <= 12 ? kMonthNames[static_cast<std::size_t>(month)] : "";
}

// "1st".."31st" for day 1..31; empty for 0 and any other value.
constexpr std::string_view DayOrdinal(int day) {
  return day >= 0 && day <= 31 ? kDayOrdinals[static_cast<std::size_t>(day)] : "";
}

// Gregorian rule: 2000 is a leap year, 1900 and 2100 are not.
constexpr bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Days in month 1..12 of the year; 0 for any other month.
constexpr int MonthLength(int month, int year) {
  if (month < 1 || month > 12) return 0;
  return kMonthLengths[static_cast<std::size_t>(month - 1)] +
         (month == 2 && IsLeapYear(year) ? 1 : 0);
}

constexpr int DaysInYear(int year) { return IsLeapYear(year) ? 366 : 365; }

struct MonthDay {
  int month;  // 1..12
  int day;    // 1..31
  friend bool operator==(const MonthDay&, const MonthDay&) = default;
};

// Month and day of the day of the year; nullopt outside 1..DaysInYear(year).
// DayOfYearToDate(60, 2004) is {2, 29}; DayOfYearToDate(366, 2005) is nullopt.
constexpr std::optional<MonthDay> DayOfYearToDate(int day_of_year, int year) {
  if (day_of_year < 1 || day_of_year > DaysInYear(year)) return std::nullopt;
  int month = 1;
  int day = day_of_year;  // 1..366, counted down month by month
  while (day > MonthLength(month, year)) {
    day -= MonthLength(month, year);
    ++month;  // 2..12: the range check above keeps it in the year
  }
  return MonthDay{month, day};
}

static_assert(DayOfYearToDate(31, 2005) == MonthDay{1, 31});
static_assert(DayOfYearToDate(32, 2005) == MonthDay{2, 1});
static_assert(DayOfYearToDate(366, 2000) == MonthDay{12, 31});
static_assert(!DayOfYearToDate(0, 2000) && !DayOfYearToDate(366, 1900));

// kDateFormat of the month's name, the day's ordinal and the year: "March 15th, 2006";
// month 1, day 0, year 2005 give "January , 2005".
std::string FormatDate(int month, int day, int year);

// kYearFormat of the year: "1990".
std::string FormatYear(int year);

}  // namespace varnock
