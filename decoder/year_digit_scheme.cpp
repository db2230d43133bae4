#include "code_fields.h"
#include "schemes.h"

namespace varnock {
namespace {

// Every maker's code must be this long, even where the digit stands earlier.
constexpr std::size_t kMinLength = 3;

// Where the maker writes the year digit, counted from 0.
std::size_t YearDigitPos(Maker maker, Decade decade) {
  switch (maker) {
    case Maker::kMccCdr:
      return decade == Decade::k1990s ? 0 : 1;
    case Maker::kTaiyoYuden:
    case Maker::kMccDvd:
      return 2;
    default:  // TDK
      return 1;
  }
}

}  // namespace

DecodedDate YearDigitScheme(std::string_view code, Decade decade, Maker maker) {
  if (code.size() < kMinLength) return DecodedDate::Error(kNoDateMessage);
  const char digit = code[YearDigitPos(maker, decade)];
  if (!kDigitClass.Contains(digit)) return DecodedDate::Error(kNoDateMessage);
  return DecodedDate::Date({DecadeYear(decade) + (digit - '0')});
}

}  // namespace varnock
