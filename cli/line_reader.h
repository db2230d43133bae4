// Standard input as lines: each ends at LF, CR LF or a lone CR, and the last one also at
// the end of the input; a UTF-8 byte-order mark before the first is skipped. A line
// comes in pieces of at most a block each, so a line of any length needs no more.
#pragma once

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform.h"

namespace varnock::cli {

// Reads the input's next block into `block` from its start and returns its end: 0 at the
// end of the input, or after a failure, which sets `failed`. At the very start (`started`
// false) it reads on while all that came may be the first bytes of a UTF-8 byte-order
// mark, and a whole mark is skipped: `begin` is where the text starts.
std::size_t FillBlock(const Input& input, std::vector<char>& block, bool& started, bool& failed,
                      std::size_t& begin);

class LineReader {
 public:
  explicit LineReader(Input input = StandardInput()) : input_(std::move(input)) {}

  // Under Wine each read and write costs some 40 µs: at 64 KiB a tenth of a batch.
  static constexpr std::size_t kBlock = 256 * 1024;

  struct Piece {
    std::string_view text;  // valid until the next call
    bool ends_line;
  };

  // The next piece of the current line, or nullopt at the end of the input or after a
  // read error (failed() tells which).
  std::optional<Piece> Next();
  bool failed() const { return failed_; }
  // Whether the next piece is at hand: if not, Next() waits for input.
  bool buffered() const { return begin_ < end_; }

 private:
  bool Fill();

  Input input_;
  std::vector<char> block_ = std::vector<char>(kBlock);
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool started_ = false;
  bool in_line_ = false;   // part of the current line has been handed out
  bool after_cr_ = false;  // a CR ended the last line: an LF right after it belongs to it
  bool failed_ = false;
};

}  // namespace varnock::cli
