#include <varnock/calendar_text.h>

#include "code_fields.h"
#include "schemes.h"

namespace varnock {

DecodeResult DayOfYearScheme(std::string_view code, Decade decade) {
  const std::string_view fields = code.substr(0, 4);  // year digit, three-digit day of year
  if (fields.size() < 4 || !AllIn(kDigitClass, fields)) {
    return DecodeResult::Error(kNoDateMessageWithNote);
  }
  const int year = DecadeYear(decade) + ReadField(fields, 0, 1);
  // Also turns away day 366 of a common year, which no calendar has.
  const std::optional<MonthDay> date = DayOfYearToDate(ReadField(fields, 1, 3), year);
  if (!date) return DecodeResult::Error(kNoDateMessageWithNote);
  return DecodeResult::Date(FormatDate(date->month, date->day, year));
}

}  // namespace varnock
