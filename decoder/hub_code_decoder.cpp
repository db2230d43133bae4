#include <varnock/hub_code_decoder.h>
#include <varnock/makers.h>

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
  if ((!maker || Info(*maker).needs_decade) && decade == Decade::kNone) {
    return DecodeResult::Error(kNoDecadeMessage);
  }
  if (!maker) return {};

  std::string code(typed_code);
  StripSpaces(code);
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
