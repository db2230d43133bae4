#include <algorithm>
#include <array>

#include "calendar_text.h"
#include "code_fields.h"
#include "schemes.h"

namespace varnock {
namespace {

// Where the year digit stands, counted from 1; makers not listed use kDefaultPlace.
struct YearDigitPlace {
  Maker maker;
  Decade decade;  // kNone: any decade
  std::size_t place;
};

// Searched from the top; the first row that fits wins.
constexpr std::array<YearDigitPlace, 3> kYearDigitPlaces = {{
    {Maker::kMccCdr, Decade::k1990s, 1},
    {Maker::kTaiyoYuden, Decade::kNone, 3},
    {Maker::kMccDvd, Decade::kNone, 3},
}};
constexpr std::size_t kDefaultPlace = 2;  // TDK, and CD-R after the 1990s

// Every maker's code must be this long, even where the digit stands earlier.
constexpr std::size_t kMinLength = 3;

std::size_t YearDigitPlaceFor(Maker maker, Decade decade) {
  auto row = std::find_if(kYearDigitPlaces.begin(), kYearDigitPlaces.end(),
                          [&](const YearDigitPlace& r) {
                            return r.maker == maker &&
                                   (r.decade == Decade::kNone || r.decade == decade);
                          });
  return row == kYearDigitPlaces.end() ? kDefaultPlace : row->place;
}

}  // namespace

DecodeResult YearDigitScheme(std::string_view code, Decade decade, Maker maker) {
  if (code.size() < kMinLength) return DecodeResult::Error(kNoDateMessage);
  const std::size_t pos = YearDigitPlaceFor(maker, decade) - 1;  // 0..2
  if (!InClass(code, pos, kDigitClass)) return DecodeResult::Error(kNoDateMessage);
  return DecodeResult::Date(FormatYear(DecadeYear(decade) + ReadField(code, pos, 1)));
}

}  // namespace varnock
