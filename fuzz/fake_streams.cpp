#include "fake_streams.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>

#include "platform.h"

namespace varnock::cli {
namespace {

std::string_view unread;  // what standard input has still to give
bool cut = false;
std::size_t reads = 0;

}  // namespace

void fuzz::Feed(std::string_view text, bool in_pieces) {
  unread = text, cut = in_pieces, reads = 0;
}

std::string& fuzz::Written() {
  static std::string written;
  return written;
}

Input StandardInput() { return {0, "standard input"}; }

// A catalogue named on the command line is reported missing.
std::optional<Input> OpenInput(const std::string&) { return std::nullopt; }

void CloseInput(const Input&) {}

std::ptrdiff_t ReadInput(const Input&, std::span<char> into) {
  const std::size_t most = cut && !unread.empty()
                               ? 1 + (static_cast<unsigned char>(unread.back()) + reads++) % 8
                               : unread.size();
  const std::size_t count = std::min({into.size(), unread.size(), most});
  std::copy_n(unread.begin(), count, into.begin());
  unread.remove_prefix(count);
  return static_cast<std::ptrdiff_t>(count);
}

WriteResult WriteAll(Stream stream, std::string_view text, std::string&) {
  if (stream == Stream::kOutput) fuzz::Written().append(text);
  return WriteResult::kWritten;
}

}  // namespace varnock::cli
