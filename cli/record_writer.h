// Writes decode records in the chosen format into a buffer that the caller flushes.
#pragma once

#include <string>
#include <string_view>

#include "cli_options.h"

namespace varnock::cli {

struct Record {
  std::string_view code;  // as given, UTF-8 (invalid sequences shown as U+FFFD)
  std::string_view maker;  // the full name, UTF-8
  Decade decade;
  bool is_date;
  std::string_view text;  // the date, or the reason there is none (ASCII)
};

class RecordWriter {
 public:
  RecordWriter(Format format, bool with_decade) : format_(format), with_decade_(with_decade) {}

  // The header row, where the format has one; called once before the first record.
  void WriteHeader(std::string& out) const;
  void Write(const Record& record, std::string& out) const;

 private:
  Format format_;
  bool with_decade_;  // text: each line starts with the decade and a tab
};

}  // namespace varnock::cli
