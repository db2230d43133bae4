#include "code_fields.h"
#include "schemes.h"

namespace varnock {

DecodedDate FiveDigitScheme(std::string_view code, Decade decade) {
  return ScanForWindow(code, 5, [code, decade](std::size_t p) -> std::optional<ProductionDate> {
    const std::string_view window = code.substr(p, 5);
    if (!AllIn(kDigitClass, window)) return std::nullopt;
    const int month = ReadField(window, 1, 2);  // 0..99
    const int day = ReadField(window, 3, 2);    // 0..99
    // Month 00 has no name, so that window holds no date.
    if (month < 1 || month > 12 || day > 31) return std::nullopt;
    return ProductionDate{DecadeYear(decade) + ReadField(window, 0, 1), month, day};
  });
}

}  // namespace varnock
