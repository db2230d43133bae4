#include <varnock/hub_code_decoder.h>
#include <varnock/makers.h>

#include <algorithm>
#include <array>

#include "schemes.h"

namespace varnock {

void StripSpaces(std::string& text) { std::erase(text, ' '); }

DecodeResult HubCodeDecoder::Decode(const DecodeRequest& request) {
  // Maker names are distinct, so the order in which they are compared does not matter.
  return Decode(FindMakerByName(request.manufacturer), request.decade, request.code);
}

DecodeResult HubCodeDecoder::Decode(std::optional<Maker> maker, Decade decade,
                                    std::string_view typed_code) {
  const DecodedDate decoded = DecodeDate(maker, decade, typed_code);
  switch (decoded.kind) {
    case DecodeResult::Kind::Date:
      return DecodeResult::Date(std::string(DateText(decoded.date).view()));
    case DecodeResult::Kind::Error:
      return DecodeResult::Error(decoded.message);
    case DecodeResult::Kind::None:
      break;
  }
  return {};
}

DecodedDate HubCodeDecoder::DecodeDate(std::optional<Maker> maker, Decade decade,
                                       std::string_view typed_code) {
  // The makers whose codes carry the whole year are served without a decade; with no
  // decade everyone else, known or not, is told to choose one.
  if ((!maker || Info(*maker).needs_decade) && decade == Decade::kNone) {
    return DecodedDate::Error(kNoDecadeMessage);
  }
  if (!maker) return {};

  // Blanks removed on the stack for any code a front end hands over, so that a batch
  // allocates nothing per code (bench/cli_throughput.sh).
  std::array<char, 128> short_code;
  std::string long_code;
  std::string_view code;
  if (typed_code.size() <= short_code.size()) {
    const char* end =
        std::remove_copy(typed_code.begin(), typed_code.end(), short_code.begin(), ' ');
    code = std::string_view(short_code.data(), static_cast<std::size_t>(end - short_code.data()));
  } else {
    long_code = typed_code;
    StripSpaces(long_code);
    code = long_code;
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
