#include <optional>

#include "calendar_text.h"
#include "code_fields.h"
#include "schemes.h"

namespace varnock {

DecodeResult DayOfYearScheme(std::string_view code, Decade decade) {
  constexpr std::size_t kFieldsLength = 4;  // year digit, then three-digit day of year
  for (std::size_t i = 0; i < kFieldsLength; ++i) {
    if (!InClass(code, i, kDigitClass)) return DecodeResult::Error(kNoDateMessageWithNote);
  }
  const int year = DecadeYear(decade) + ReadField(code, 0, 1);
  const int day_of_year = ReadField(code, 1, 3);  // 0..999
  // Also turns away day 366 of a common year, which no calendar has.
  const std::optional<MonthDay> date = DayOfYearToDate(day_of_year, year);
  if (!date) return DecodeResult::Error(kNoDateMessageWithNote);
  return DecodeResult::Date(FormatDate(date->month, date->day, year));
}

}  // namespace varnock
