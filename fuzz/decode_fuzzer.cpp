// Decodes arbitrary requests and checks what must hold for every one of them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <varnock/hub_code_decoder.h>
#include <varnock/makers.h>

namespace {

using varnock::DecodeResult;

// Makers beyond the thirteen: none, a near miss and a stranger.
constexpr const char* kOtherMakers[] = {"", "CMC Magnetics ", "Verbatim"};
constexpr varnock::Decade kAllDecades[] = {varnock::Decade::kNone, varnock::Decade::k1990s,
                                           varnock::Decade::k2000s, varnock::Decade::k2010s,
                                           varnock::Decade::k2020s};
constexpr std::size_t kMaxCode = 127;

bool IsMessage(const std::string& text) {
  return text == varnock::kNoDateMessage || text == varnock::kNoDateMessageWithNote ||
         text == varnock::kNoDecadeMessage;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t maker_pick = data[0] % (varnock::kMakers.size() + std::size(kOtherMakers));
  varnock::DecodeRequest request;
  request.manufacturer = maker_pick < varnock::kMakers.size()
                             ? std::string(varnock::kMakers[maker_pick].name)
                             : kOtherMakers[maker_pick - varnock::kMakers.size()];
  request.decade = kAllDecades[data[1] % std::size(kAllDecades)];
  const std::size_t code_size = std::min(size - 2, kMaxCode);
  request.code.assign(reinterpret_cast<const char*>(data + 2), code_size);

  const DecodeResult result = varnock::HubCodeDecoder::Decode(request);
  const bool known = maker_pick < varnock::kMakers.size();
  switch (result.kind) {
    case DecodeResult::Kind::None:
      if (known || request.decade == varnock::Decade::kNone || !result.text.empty()) std::abort();
      break;
    case DecodeResult::Kind::Error:
      if (!IsMessage(result.text)) std::abort();
      break;
    case DecodeResult::Kind::Date:
      // Every date names its month: a text never starts with the blank of a missing name.
      if (!known || result.text.empty() || result.text.front() == ' ') std::abort();
      break;
  }
  if (varnock::HubCodeDecoder::Decode(request) != result) std::abort();  // pure
  return 0;
}
