#include "hub_code_decoder.h"

#include <algorithm>
#include <optional>

#include "makers.h"
#include "schemes.h"

namespace varnock {

void StripSpaces(std::string& text) { std::erase(text, ' '); }

DecodeResult HubCodeDecoder::Decode(const DecodeRequest& request) {
  // Maker names are distinct, so the order in which they are compared does not matter.
  return Decode(FindMakerByName(request.manufacturer), request.decade, request.code);
}

DecodeResult HubCodeDecoder::Decode(std::optional<Maker> maker, Decade decade,
                                    std::string_view typed_code) {
  // The makers whose codes carry the whole year are served without a decade; with no
  // decade everyone else, known or not, is told to choose one.
  const bool needs_decade = !maker || Info(*maker).needs_decade;
  if (needs_decade && decade == Decade::kNone) return DecodeResult::Error(kNoDecadeMessage);
  if (!maker) return {};

  // Most codes hold no blank: those are read in place, the rest from a cleaned copy.
  std::string stripped;
  std::string_view code = typed_code;
  if (code.find(' ') != std::string_view::npos) {
    stripped = typed_code;
    StripSpaces(stripped);
    code = stripped;
  }

  switch (Info(*maker).scheme) {
    case Scheme::kLetterMonth:
      return LetterMonthScheme(code);
    case Scheme::kOffsetDay:
      return OffsetDayScheme(code);
    case Scheme::kFiveDigit:
      return FiveDigitScheme(code, decade);
    case Scheme::kYearDigit:
      return YearDigitScheme(code, decade, *maker);
    case Scheme::kDayOfYear:
      return DayOfYearScheme(code, decade);
  }
  return {};
}

}  // namespace varnock
