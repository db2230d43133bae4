#include "decoding.h"

#include <varnock/code_page.h>

#include "platform.h"

namespace varnock::cli {

CodeDecoder::CodeDecoder(ProductionDate today, bool iso_dates)
    : today_(today), iso_dates_(iso_dates) {
  for (const MakerInfo& info : kMakers) {
    names_[static_cast<std::size_t>(info.maker)] = CodePageToUtf8(info.name);
  }
}

void CodeDecoder::SayLeftOut(std::string_view given, int count) const {
  std::string reason;
  WriteAll(Stream::kError,
           "varnock-cli: " + std::string(given) + ": " + std::to_string(count) +
               (count == 1 ? " candidate" : " candidates") + " dated after today left out\n",
           reason);
}

}  // namespace varnock::cli
