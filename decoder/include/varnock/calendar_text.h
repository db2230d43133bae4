// Calendar facts and the texts a decode shows: month names, day ordinals, the two
// result formats and the conversion of a day of the year to a month and a day.
#pragma once

#include <array>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace varnock {

// printf formats of the two result texts; FormatDate and FormatYear give exactly what
// these would print.
inline constexpr std::string_view kDateFormat = "%s %s, %d";  // month, ordinal, year
inline constexpr std::string_view kYearFormat = "%d";

// "January" for month 1 to "December" for 12; empty for any other month.
std::string_view MonthName(int month);

// "1st" for day 1 to "31st" for 31; empty for day 0 and any other day.
std::string_view DayOrdinal(int day);

// The Gregorian rule, for years -32767..32767: 2000 is a leap year, 1900 and 2100 are not.
bool IsLeapYear(int year);

struct MonthDay {
  int month;  // 1..12
  int day;    // 1..31
  friend bool operator==(const MonthDay&, const MonthDay&) = default;
};

// The month and day of a day of the year; nullopt outside 1..365, or 1..366 in a leap
// year. DayOfYearToDate(60, 2004) is {2, 29}; DayOfYearToDate(366, 2005) is nullopt.
std::optional<MonthDay> DayOfYearToDate(int day_of_year, int year);

// kDateFormat of the month's name, the day's ordinal and the year: FormatDate(3, 15, 2006)
// is "March 15th, 2006"; FormatDate(1, 0, 2005) is "January , 2005".
std::string FormatDate(int month, int day, int year);

// kYearFormat of the year: FormatYear(1990) is "1990".
std::string FormatYear(int year);

// A date as a hub code gives it: a year alone (month 0), or a year, a month 1..12 and
// the day the code reads, 0..31, which that month need not have. Ordered by time.
struct ProductionDate {
  int year = 0;
  int month = 0;
  int day = 0;
  friend auto operator<=>(const ProductionDate&, const ProductionDate&) = default;
};

// The text a decode shows for the date, FormatDate's or, for a year alone,
// FormatYear's; held in place, so that a batch of codes allocates nothing for it.
class DateText {
 public:
  explicit DateText(const ProductionDate& date);
  std::string_view view() const { return {chars_.data(), size_}; }

 private:
  std::array<char, 32> chars_;  // "September 22nd, -2147483648" is the longest
  std::size_t size_ = 0;
};

// The date in ISO 8601, which sorts as text: "2006-03-15"; a year alone "2004"; the
// year and month alone, "2006-02", where the code's day is 0 or one the month does not
// have. Years have four digits at least. Held in place, as DateText is.
class IsoDateText {
 public:
  explicit IsoDateText(const ProductionDate& date);
  std::string_view view() const { return {chars_.data(), size_}; }

 private:
  std::array<char, 24> chars_;  // "-2147483648-12-31" is the longest
  std::size_t size_ = 0;
};

}  // namespace varnock
