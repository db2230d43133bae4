// Writes decode records in the chosen format as they come.
#pragma once

#include <array>
#include <string_view>

#include "cli_options.h"
#include "output.h"

namespace varnock::cli {

struct Record {
  std::string_view code;   // as given, UTF-8 (invalid sequences are shown as U+FFFD)
  std::string_view maker;  // the full name, UTF-8
  Decade decade;
  bool is_date;
  std::string_view text;  // the date, or the reason there is none (ASCII)
};

// One field of a record: CSV columns and JSON members, in this order.
struct Field {
  std::string_view name;
  std::string_view value;
  bool is_number;  // written bare in JSON
};

// The record's fields; `decade` is the decade written out.
std::array<Field, 5> RecordFields(const Record& record, std::string_view decade);

class RecordWriter {
 public:
  RecordWriter(Format format, bool with_decade, Output& out)
      : format_(format), with_decade_(with_decade), out_(out) {}

  // The header row, where the format has one; written once, before the first record.
  void WriteHeader();
  void Write(const Record& record);

 private:
  void WriteText(const Record& record, std::string_view decade);

  Format format_;
  bool with_decade_;  // text: each line starts with the decade and a tab
  Output& out_;
};

}  // namespace varnock::cli
