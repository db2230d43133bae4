#include "output.h"

#include <algorithm>
#include <string>

namespace varnock::cli {

void Output::WriteLong(std::string_view text) {
  if (text.size() > kBlock - size_) Flush();
  if (text.size() > kBlock) {
    WriteNow(text);
  } else {
    std::copy(text.begin(), text.end(), pending_.get() + size_);  // an empty text may have no data
    size_ += text.size();
  }
}

bool Output::Flush() {
  WriteNow({pending_.get(), size_});
  size_ = 0;
  return !failed_;
}

void Output::WriteNow(std::string_view text) {
  if (failed_ || text.empty()) return;
  std::string reason;
  const WriteResult result = WriteAll(Stream::kOutput, text, reason);
  failed_ = result != WriteResult::kWritten;
  if (result == WriteResult::kFailed) {
    WriteAll(Stream::kError, "varnock-cli: cannot write: " + reason + "\n", reason);
  }
}

}  // namespace varnock::cli
