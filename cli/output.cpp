#include "output.h"

#include <string>

namespace varnock::cli {

void Output::WriteLong(std::string_view text) {
  if (text.size() > kBlock - size_) Flush();
  if (text.size() > kBlock) {
    WriteNow(text);
  } else {
    CopyText(text, pending_.get() + size_);
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
