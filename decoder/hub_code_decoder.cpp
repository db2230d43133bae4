#include "hub_code_decoder.h"

#include <algorithm>
#include <optional>

#include "makers.h"
#include "schemes.h"

namespace varnock {

void StripSpaces(std::string& text) { std::erase(text, ' '); }

DecodeResult HubCodeDecoder::Decode(const DecodeRequest& request) {
  std::string code = request.code;
  StripSpaces(code);

  // Maker names are distinct, so the order of comparison only matters for the decade
  // rule: the makers whose codes carry the whole year are served without a decade, and
  // with no decade everyone else, known or not, is told to choose one.
  const std::optional<Maker> maker = FindMakerByName(request.manufacturer);
  const bool needs_decade = !maker || Info(*maker).needs_decade;
  if (needs_decade && request.decade == Decade::kNone) {
    return DecodeResult::Error(kNoDecadeMessage);
  }
  if (!maker) return {};

  switch (Info(*maker).scheme) {
    case Scheme::kLetterMonth:
      return LetterMonthScheme(code);
    case Scheme::kOffsetDay:
      return OffsetDayScheme(code);
    case Scheme::kFiveDigit:
      return FiveDigitScheme(code, request.decade);
    case Scheme::kYearDigit:
      return YearDigitScheme(code, request.decade, *maker);
    case Scheme::kDayOfYear:
      return DayOfYearScheme(code, request.decade);
  }
  return {};
}

}  // namespace varnock
