#include <varnock/calendar_text.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>

namespace varnock {
namespace {

constexpr auto kMonthNames =
    std::to_array<std::string_view>({"January", "February", "March", "April", "May", "June", "July",
                                     "August", "September", "October", "November", "December"});

// Indexed by day: day 0 prints nothing between its blanks.
constexpr auto kDayOrdinals = std::to_array<std::string_view>(
    {"",     "1st",  "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",  "9th",  "10th",
     "11th", "12th", "13th", "14th", "15th", "16th", "17th", "18th", "19th", "20th", "21st",
     "22nd", "23rd", "24th", "25th", "26th", "27th", "28th", "29th", "30th", "31st"});

}  // namespace

std::string_view MonthName(int month) {
  const auto slot =
      static_cast<std::size_t>(month) - 1;  // any month outside 1..12 wraps past the end
  return slot < kMonthNames.size() ? kMonthNames[slot] : std::string_view();
}

std::string_view DayOrdinal(int day) {
  const auto slot = static_cast<std::size_t>(day);  // a negative day wraps past the end
  return slot < kDayOrdinals.size() ? kDayOrdinals[slot] : std::string_view();
}

bool IsLeapYear(int year) { return std::chrono::year(year).is_leap(); }

std::optional<MonthDay> DayOfYearToDate(int day_of_year, int year) {
  const int days_in_year = IsLeapYear(year) ? 366 : 365;
  if (day_of_year < 1 || day_of_year > days_in_year) return std::nullopt;
  namespace chr = std::chrono;
  const chr::year_month_day date{chr::sys_days{chr::year(year) / chr::January / 1} +
                                 chr::days{day_of_year - 1}};
  return MonthDay{static_cast<int>(static_cast<unsigned>(date.month())),
                  static_cast<int>(static_cast<unsigned>(date.day()))};
}

std::string FormatDate(int month, int day, int year) {
  // Put together on the stack and copied once: this runs for every code of a batch.
  const std::string_view month_name = MonthName(month);
  const std::string_view ordinal = DayOrdinal(day);
  std::array<char, 32> text;  // "September 30th, " and any int
  char* end = std::copy(month_name.begin(), month_name.end(), text.data());
  *end++ = ' ';
  end = std::copy(ordinal.begin(), ordinal.end(), end);
  *end++ = ',';
  *end++ = ' ';
  end = std::to_chars(end, text.data() + text.size(), year).ptr;
  return std::string(text.data(), end);
}

std::string FormatYear(int year) { return std::to_string(year); }

}  // namespace varnock
