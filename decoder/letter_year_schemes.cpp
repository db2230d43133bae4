#include "code_fields.h"
#include "schemes.h"

namespace varnock {
namespace {

constexpr int kCmcFirstYear = 1996;    // year letter A
constexpr int kDaxonFirstYear = 1999;  // year character A

// Daxon's window runs from its letter to just before its day field, which may be cut
// short by the end of the code; shorter codes hold no date at all.
constexpr std::size_t kDaxonDayOffset = 7;
constexpr std::size_t kDaxonMinLength = 9;

// Any byte gives a year, taken as a signed 8-bit value: 0xB1 gives 1855.
int DaxonYear(char year_char) {
  return static_cast<signed char>(year_char) - 'A' + kDaxonFirstYear;
}

}  // namespace

DecodedDate LetterMonthScheme(std::string_view code) {
  return ScanForWindow(code, 4, [code](std::size_t p) -> std::optional<ProductionDate> {
    if (!kLetterClass.Contains(code[p]) || !kMonthLetterClass.Contains(code[p + 1]) ||
        !AllIn(kDigitClass, code.substr(p + 2, 2))) {
      return std::nullopt;
    }
    const int day = ReadField(code, p + 2, 2);  // 0..99
    if (day > 31) return std::nullopt;
    return ProductionDate{code[p] - 'A' + kCmcFirstYear, code[p + 1] - 'A' + 1, day};
  });
}

DecodedDate OffsetDayScheme(std::string_view code) {
  if (code.size() < kDaxonMinLength) return DecodedDate::Error(kNoDateMessage);
  return ScanForWindow(
      code, kDaxonDayOffset, [code](std::size_t p) -> std::optional<ProductionDate> {
        if (!kLetterClass.Contains(code[p]) || !AllIn(kDigitClass, code.substr(p + 2, 2)))
          return std::nullopt;
        const int month = ReadField(code, p + 2, 2);              // 0..99
        const int day = ReadField(code, p + kDaxonDayOffset, 2);  // -9..99
        // Month 00 and a negative day have no name, so such a window holds no date.
        if (month < 1 || month > 12 || day < 0 || day > 31) return std::nullopt;
        return ProductionDate{DaxonYear(code[p + 1]), month, day};
      });
}

}  // namespace varnock
