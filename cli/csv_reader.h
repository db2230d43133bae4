// A catalogue read row by row: RFC 4180 fields, quoted or not, rows ending at LF, CR LF
// or CR outside quotes, a UTF-8 byte-order mark before the first skipped. Only the row
// being read is held, however long the file.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform.h"

namespace varnock::cli {

class CsvReader {
 public:
  static constexpr std::size_t kBlock = 256 * 1024;

  explicit CsvReader(Input input) : input_(std::move(input)) {}

  enum class Status { kRow, kEnd, kFailed };
  // The next row that holds anything; kFailed for a malformed or unreadable input, which
  // a malformed one explains in error().
  Status Next();
  // The row's fields, as they are meant (quotes taken off); valid until the next call.
  std::span<const std::string_view> fields() const { return fields_; }
  std::size_t line() const { return row_line_; }  // where the row starts, from 1
  const std::string& error() const { return error_; }
  // Whether more of the input is at hand: if not, Next() waits for it.
  bool buffered() const { return begin_ < end_; }

 private:
  int Get();  // the next byte, or -1 at the end (or failure) of the input
  bool Fill();
  bool SkipLf();
  void EndField();

  Input input_;
  std::vector<char> block_ = std::vector<char>(kBlock);
  std::size_t begin_ = 0, end_ = 0;
  bool started_ = false, failed_ = false;
  bool after_cr_ = false;          // a CR ended the last row: an LF right after it belongs to it
  std::string row_;                // the row's fields, one after the other
  std::vector<std::size_t> ends_;  // where each field ends in row_
  std::vector<std::string_view> fields_;
  std::size_t line_ = 1, row_line_ = 0;
  std::string error_;
};

}  // namespace varnock::cli
