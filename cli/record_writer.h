// Writes decode records in the chosen format as they come.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "cli_options.h"
#include "output.h"

namespace varnock::cli {

struct Record {
  std::string_view code;         // as given, UTF-8 (invalid sequences are shown as U+FFFD)
  std::string_view maker;        // the full name, UTF-8; or the names of several, or none
  std::optional<Decade> decade;  // nullopt: the record's decade could not be read
  bool is_date;
  std::string_view text;      // the date, or the reason there is none (ASCII)
  std::string_view iso_date;  // the date in ISO 8601; empty with no date
};

// How a field is written in JSON.
enum class JsonValue { kString, kNumber, kStringOrNull };

// One field of a record: CSV columns and JSON members, in this order.
struct Field {
  std::string_view name;
  std::string_view value;
  JsonValue json;  // kNumber and kStringOrNull: empty is written null
};

// The record's fields; `decade` is the decade written out.
std::array<Field, 6> RecordFields(const Record& record, std::string_view decade);

// RFC 4180: the field, quoted where it holds a comma, a quote or a control character.
// Invalid UTF-8 is shown as U+FFFD, unless `as_bytes`, for fields that are kept as
// they came.
void WriteCsvField(Output& out, std::string_view field, bool as_bytes = false);

class RecordWriter {
 public:
  RecordWriter(Format format, bool with_decade, bool with_maker, Output& out)
      : format_(format), with_decade_(with_decade), with_maker_(with_maker), out_(out) {}

  // The header row, where the format has one; written once, before the first record.
  void WriteHeader();
  void Write(const Record& record);

  // A catalogue's rows, CSV: the row's own fields as they came, then the record's from
  // the decade on (from the maker on where text records name it).
  void WriteCatalogueHeader(std::span<const std::string_view> header);
  void WriteCatalogueRow(std::span<const std::string_view> row, const Record& record);

 private:
  void WriteText(const Record& record, std::string_view decade);
  void WriteCsvFields(std::span<const std::string_view> row, std::span<const Field> fields);

  Format format_;
  bool with_decade_;  // text: each line starts with the decade and a tab
  bool with_maker_;   // text: then the makers and a tab
  Output& out_;
};

}  // namespace varnock::cli
