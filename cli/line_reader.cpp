#include "line_reader.h"

#include <algorithm>
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
    // Not find_first_of, which looks up each byte in the set with a call of its own.
    const auto line_end =
        std::find_if(rest.begin(), rest.end(), [](char c) { return c == '\n' || c == '\r'; });
    const std::string_view text(rest.begin(), line_end);
    begin_ += text.size();
    in_line_ = line_end == rest.end();
    if (in_line_) return Piece{text, false};
    ++begin_;
    // The LF of a CR LF is taken now when it is at hand, so that nothing is left
    // buffered once the line is out and the caller knows to flush before it waits.
    if (*line_end == '\r') {
      if (begin_ == end_) {
        after_cr_ = true;  // the LF, if any, comes with the next read
      } else if (block_[begin_] == '\n') {
        ++begin_;
      }
    }
    return Piece{text, true};
  }
}

std::size_t FillBlock(const Input& input, std::vector<char>& block, bool& started, bool& failed,
                      std::size_t& begin) {
  begin = 0;
  std::size_t end = 0;
  const auto filled = [&] { return std::string_view(block.data(), end); };
  do {
    const std::ptrdiff_t got = ReadInput(input, std::span(block).subspan(end));
    if (got <= 0) {
      failed = got < 0;
      break;
    }
    end += static_cast<std::size_t>(got);
  } while (!started && kByteOrderMark.starts_with(filled()));
  if (!std::exchange(started, true) && filled().starts_with(kByteOrderMark)) {
    begin = kByteOrderMark.size();
  }
  return end;
}

bool LineReader::Fill() {
  end_ = FillBlock(input_, block_, started_, failed_, begin_);
  return end_ > 0;
}

}  // namespace varnock::cli
