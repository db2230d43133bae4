#include <string>

#include "calendar_text.h"
#include "code_fields.h"
#include "schemes.h"

namespace varnock {

DecodeResult FiveDigitScheme(std::string_view code, Decade decade) {
  return ScanForWindow(code, 5, [code, decade](std::size_t p) -> std::optional<std::string> {
    for (std::size_t i = p; i < p + 5; ++i) {
      if (!InClass(code, i, kDigitClass)) return std::nullopt;
    }
    const int month = ReadField(code, p + 1, 2);  // 0..99
    const int day = ReadField(code, p + 3, 2);    // 0..99
    // Month 00 has no name, so that window is no date.
    if (month < 1 || month > 12 || day > 31) return std::nullopt;
    return FormatDate(month, day, DecadeYear(decade) + ReadField(code, p, 1));
  });
}

}  // namespace varnock
