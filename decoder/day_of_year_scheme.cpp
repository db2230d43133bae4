#include "code_fields.h"
#include "schemes.h"

namespace varnock {

DecodedDate DayOfYearScheme(std::string_view code, Decade decade) {
  // A year digit, then the day of the year in three digits, at the very start.
  if (code.size() < 4 || !AllIn(kDigitClass, code.substr(0, 4))) {
    return DecodedDate::Error(kNoDateMessageWithNote);
  }
  const int year = DecadeYear(decade) + ReadField(code, 0, 1);
  // Also turns away day 366 of a common year, which no calendar has.
  const std::optional<MonthDay> date = DayOfYearToDate(ReadField(code, 1, 3), year);  // 0..999
  if (!date) return DecodedDate::Error(kNoDateMessageWithNote);
  return DecodedDate::Date({year, date->month, date->day});
}

}  // namespace varnock
