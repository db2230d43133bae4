#include "line_reader.h"

#include <string_view>
#include <utility>

#include "platform.h"

namespace varnock::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::optional<LineReader::Piece> LineReader::Next() {
  for (;;) {
    if (begin_ == end_) {
      if (Fill()) continue;
      if (failed_ || !in_line_) return std::nullopt;
      in_line_ = false;
      return Piece{{}, true};  // the last line, which had no end of its own
    }
    if (std::exchange(after_cr_, false) && block_[begin_] == '\n') {
      ++begin_;
      continue;
    }
    const std::string_view rest(block_.data() + begin_, end_ - begin_);
    const std::size_t line_end = rest.find_first_of("\r\n");
    const std::string_view text = rest.substr(0, line_end);
    begin_ += text.size();
    in_line_ = line_end == std::string_view::npos;
    if (in_line_) return Piece{text, false};
    after_cr_ = rest[line_end] == '\r';
    ++begin_;
    return Piece{text, true};
  }
}

bool LineReader::Fill() {
  begin_ = end_ = 0;
  do {
    const std::ptrdiff_t got = ReadInput(block_.data() + end_, block_.size() - end_);
    if (got <= 0) {
      failed_ = got < 0;
      break;
    }
    end_ += static_cast<std::size_t>(got);
  } while (!started_ && end_ < kByteOrderMark.size());  // enough to see a mark
  if (!std::exchange(started_, true) &&
      std::string_view(block_.data(), end_).starts_with(kByteOrderMark)) {
    begin_ = kByteOrderMark.size();
  }
  return end_ > 0;
}

}  // namespace varnock::cli
