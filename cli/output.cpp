#include "output.h"

namespace varnock::cli {

void Output::Write(std::string_view text) {
  if (pending_.size() + text.size() > kBlock) {
    WriteNow(pending_);
    pending_.clear();
  }
  if (text.size() > kBlock) {
    WriteNow(text);
  } else {
    pending_.append(text);
  }
}

bool Output::Flush() {
  WriteNow(pending_);
  pending_.clear();
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
