#include <string>

#include "calendar_text.h"
#include "code_fields.h"
#include "schemes.h"

namespace varnock {
namespace {

constexpr int kCmcFirstYear = 1996;    // year letter A
constexpr int kDaxonFirstYear = 1999;  // year character A

// Daxon's window runs from its letter to the start of its day field; the day field
// itself may be cut short by the end of the code.
constexpr std::size_t kDaxonDayOffset = 7;
constexpr std::size_t kDaxonMinLength = 9;

// Daxon reads the year from any byte, taken as a signed 8-bit value: 0xB1 gives 1855.
int DaxonYear(char year_char) {
  return static_cast<signed char>(year_char) - 'A' + kDaxonFirstYear;
}

}  // namespace

DecodeResult LetterMonthScheme(std::string_view code) {
  return ScanForWindow(code, 4, [code](std::size_t p) -> std::optional<std::string> {
    if (!InClass(code, p, kLetterClass) || !InClass(code, p + 1, kMonthLetterClass) ||
        !InClass(code, p + 2, kDigitClass) || !InClass(code, p + 3, kDigitClass)) {
      return std::nullopt;
    }
    const int day = ReadField(code, p + 2, 2);  // 0..99
    if (day >= 32) return std::nullopt;
    const int month = code[p + 1] - 'A' + 1;  // 1..12
    return FormatDate(month, day, code[p] - 'A' + kCmcFirstYear);
  });
}

DecodeResult OffsetDayScheme(std::string_view code) {
  if (code.size() < kDaxonMinLength) return DecodeResult::Error(kNoDateMessage);
  return ScanForWindow(code, kDaxonDayOffset, [code](std::size_t p) -> std::optional<std::string> {
    if (!InClass(code, p, kLetterClass) || !InClass(code, p + 2, kDigitClass) ||
        !InClass(code, p + 3, kDigitClass)) {
      return std::nullopt;
    }
    const int month = ReadField(code, p + 2, 2);             // 0..99
    const int day = ReadField(code, p + kDaxonDayOffset, 2);  // -9..99
    // Month 00 and a negative day name nothing, so such a window is no date.
    if (month < 1 || month > 12 || day < 0 || day > 31) return std::nullopt;
    return FormatDate(month, day, DaxonYear(code[p + 1]));
  });
}

}  // namespace varnock
