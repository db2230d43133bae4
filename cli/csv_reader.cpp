#include "csv_reader.h"

#include "line_reader.h"

#include <algorithm>
#include <utility>

namespace varnock::cli {
bool CsvReader::Fill() {
  if (failed_) return false;  // read once more, it would say so again
  end_ = FillBlock(input_, block_, started_, failed_, begin_);
  return begin_ < end_;
}

int CsvReader::Get() {
  if (begin_ == end_ && !Fill()) return -1;
  return static_cast<unsigned char>(block_[begin_++]);
}

// Takes the next byte if it is an LF, reading on for it if need be.
bool CsvReader::SkipLf() {
  if (!(buffered() || Fill()) || block_[begin_] != '\n') return false;
  ++begin_;
  return true;
}

void CsvReader::EndField() { ends_.push_back(row_.size()); }

CsvReader::Status CsvReader::Next() {
  enum class State { kFieldStart, kUnquoted, kQuoted, kQuoteInQuoted };
  for (;;) {
    row_.clear();
    ends_.clear();
    row_line_ = line_;
    State state = State::kFieldStart;
    if (std::exchange(after_cr_, false)) SkipLf();
    for (bool row_ended = false; !row_ended;) {
      // A run of bytes that end nothing goes into the field at once.
      if (state == State::kUnquoted || state == State::kQuoted) {
        const char* const from = block_.data() + begin_;
        const char* const stop =
            std::find_if(from, static_cast<const char*>(block_.data() + end_), [state](char c) {
              return c == '\n' || c == '\r' || c == (state == State::kUnquoted ? ',' : '"');
            });
        row_.append(from, stop);
        begin_ += static_cast<std::size_t>(stop - from);
      }
      const int c = Get();
      if (c == -1) {
        if (failed_) return Status::kFailed;
        if (state == State::kQuoted) {
          error_ = "line " + std::to_string(row_line_) + ": a quoted field is never closed";
          return Status::kFailed;
        }
        if (state == State::kFieldStart && ends_.empty()) return Status::kEnd;
        EndField();
        break;
      }
      // A CR LF is one line end. A row that a CR ends with the read is answered without
      // waiting for the next: an LF that starts it belongs to the CR.
      bool crlf = false;
      if (c == '\r' && !buffered() && state != State::kQuoted) {
        after_cr_ = true;
      } else if (c == '\r') {
        crlf = SkipLf();
      }
      const bool line_end = c == '\n' || c == '\r';
      if (state == State::kQuoted) {
        if (c == '"') {
          state = State::kQuoteInQuoted;
        } else {  // a line end within quotes belongs to the field, as it came
          row_ += static_cast<char>(c);
          if (crlf) row_ += '\n';
          line_ += line_end ? 1 : 0;
        }
      } else if (c == '"' && state != State::kUnquoted) {
        if (state == State::kQuoteInQuoted) row_ += '"';  // a doubled quote
        state = State::kQuoted;
      } else if (c == ',' || line_end) {
        EndField();
        state = State::kFieldStart;
        row_ended = line_end;
        line_ += line_end ? 1 : 0;
      } else if (state == State::kQuoteInQuoted) {
        error_ = "line " + std::to_string(line_) +
                 ": a quoted field goes on after its closing quote (a quote within one is doubled)";
        return Status::kFailed;
      } else {
        row_ += static_cast<char>(c);
        state = State::kUnquoted;
      }
    }
    if (ends_.size() == 1 && ends_[0] == 0) continue;  // an empty line holds no row
    fields_.clear();
    std::size_t from = 0;
    for (std::size_t end : ends_) {
      fields_.emplace_back(row_.data() + from, end - from);
      from = end;
    }
    return Status::kRow;
  }
}

}  // namespace varnock::cli
