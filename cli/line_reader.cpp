#include "line_reader.h"

#include <span>
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
  const auto filled = [this] { return std::string_view(block_.data(), end_); };
  // At the start, reads on while all that came may be the first bytes of a mark.
  do {
    const std::ptrdiff_t got = ReadInput(std::span(block_).subspan(end_));
    if (got <= 0) {
      failed_ = got < 0;
      break;
    }
    end_ += static_cast<std::size_t>(got);
  } while (!started_ && kByteOrderMark.starts_with(filled()));
  if (!std::exchange(started_, true) && filled().starts_with(kByteOrderMark)) {
    begin_ = kByteOrderMark.size();
  }
  return end_ > 0;
}

}  // namespace varnock::cli
