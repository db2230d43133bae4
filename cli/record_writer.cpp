#include "record_writer.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <utility>

#include <varnock/code_page.h>

#include "json_text.h"

namespace varnock::cli {
namespace {

// Literals as string_views: a choice between two plain ones would be measured at run
// time, which once took a seventh of the JSON format's time.
using namespace std::string_view_literals;

constexpr std::string_view kReplacementChar = "\xEF\xBF\xBD";  // U+FFFD

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; }

// Writes the text with each byte that starts no valid UTF-8 sequence replaced by U+FFFD,
// so the output stays valid UTF-8 whatever the input was, and each ASCII byte for which
// `escape` gives a text replaced by that text. Runs of bytes that stand for themselves
// go out whole: this is the path every record takes.
template <typename Escape>
void WriteEscapedUtf8(Output& out, std::string_view text, Escape escape) {
  std::size_t written = 0;  // the text before this is out, as it came or replaced
  for (std::size_t i = 0; i < text.size();) {
    std::string_view replacement;
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      replacement = escape(text[i]);
      if (replacement.empty()) {
        ++i;
        continue;
      }
    } else if (const std::size_t length = NextUtf8Char(text.substr(i)).length; length != 0) {
      i += length;
      continue;
    } else {
      replacement = kReplacementChar;
    }
    out.Write(text.substr(written, i - written));
    out.Write(replacement);
    written = ++i;
  }
  out.Write(text.substr(written));
}

}  // namespace

// A field holding a comma, a quote or a line break is quoted, its quotes doubled; so is
// one holding any other control character, which spreadsheets and CSV readers would
// otherwise take apart.
void WriteCsvField(Output& out, std::string_view field, bool as_bytes) {
  const bool quoted = std::any_of(field.begin(), field.end(),
                                  [](char c) { return c == ',' || c == '"' || IsControl(c); });
  if (!quoted && as_bytes) return out.Write(field);
  if (!quoted) return WriteEscapedUtf8(out, field, [](char) { return std::string_view(); });
  out.Write("\"");
  for (std::size_t quote; as_bytes && (quote = field.find('"')) != std::string_view::npos;
       field.remove_prefix(quote + 1)) {
    out.Write(field.substr(0, quote + 1));
    out.Write("\"");
  }
  if (as_bytes) {
    out.Write(field);
  } else {
    WriteEscapedUtf8(out, field, [](char c) { return c == '"' ? "\"\"" : std::string_view(); });
  }
  out.Write("\"");
}

std::array<Field, 6> RecordFields(const Record& record, std::string_view decade) {
  return {{{"code", record.code, JsonValue::kString},
           {"maker", record.maker, JsonValue::kString},
           {"decade", decade, JsonValue::kNumber},
           {"result", record.is_date ? "date"sv : "error"sv, JsonValue::kString},
           {"text", record.text, JsonValue::kString},
           {"date", record.iso_date, JsonValue::kStringOrNull}}};
}

void RecordWriter::WriteHeader() {
  if (format_ != Format::kCsv) return;
  std::string header;
  for (const Field& field : RecordFields({}, {}))
    header.append(header.empty() ? "" : ",").append(field.name);
  out_.Write(header + "\r\n");
}

namespace {

// The decade's digits, without a string built per record; empty where the record's
// decade could not be read.
struct DecadeDigits {
  explicit DecadeDigits(std::optional<Decade> decade) {
    if (!decade) return;
    const char* end =
        std::to_chars(digits.data(), digits.data() + digits.size(), DecadeYear(*decade)).ptr;
    text = {digits.data(), static_cast<std::size_t>(end - digits.data())};
  }
  std::array<char, 8> digits;
  std::string_view text;
};

}  // namespace

void RecordWriter::WriteCsvFields(std::span<const std::string_view> row,
                                  std::span<const Field> fields) {
  bool first = true;
  for (std::string_view field : row) {  // a catalogue's, kept byte for byte
    if (!std::exchange(first, false)) out_.Write(",");
    WriteCsvField(out_, field, /*as_bytes=*/true);
  }
  for (const Field& field : fields) {
    if (!std::exchange(first, false)) out_.Write(",");
    WriteCsvField(out_, field.value);
  }
  out_.Write("\r\n");
}

void RecordWriter::WriteCatalogueHeader(std::span<const std::string_view> header) {
  std::array<Field, 6> fields = RecordFields({}, {});
  for (Field& field : fields) field.value = field.name;
  WriteCsvFields(header, std::span(fields).subspan(with_maker_ ? 1 : 2));
}

void RecordWriter::WriteCatalogueRow(std::span<const std::string_view> row, const Record& record) {
  const DecadeDigits decade(record.decade);
  const std::array<Field, 6> fields = RecordFields(record, decade.text);
  WriteCsvFields(row, std::span(fields).subspan(with_maker_ ? 1 : 2));
}

void RecordWriter::Write(const Record& record) {
  const DecadeDigits decade_digits(record.decade);
  const std::string_view decade = decade_digits.text;
  if (format_ == Format::kText) return WriteText(record, decade);
  const std::array<Field, 6> fields = RecordFields(record, decade);
  if (format_ == Format::kCsv) return WriteCsvFields({}, fields);
  for (const Field& field : fields) {
    out_.Write(&field == &fields.front() ? "{\""sv : ", \""sv);
    out_.Write(field.name);
    if (field.json != JsonValue::kString && field.value.empty()) {
      out_.Write("\": null");
      continue;
    }
    const bool quoted = field.json != JsonValue::kNumber;
    out_.Write(quoted ? "\": \""sv : "\": "sv);
    WriteEscapedUtf8(out_, field.value, res::JsonEscape);
    if (quoted) out_.Write("\"");
  }
  out_.Write("}\n");
}

// One line a record: the paragraphs of a message are joined by a blank.
void RecordWriter::WriteText(const Record& record, std::string_view decade) {
  if (with_decade_) {
    out_.Write(decade);
    out_.Write("\t");
  }
  if (with_maker_) {
    out_.Write(record.maker);
    out_.Write("\t");
  }
  std::string_view text = record.text;
  if (!record.is_date) {  // a date is one line; looking for breaks in it costs a tenth
    out_.Write("error: ");
    for (std::size_t end; (end = text.find("\n\n")) != std::string_view::npos;
         text.remove_prefix(end + 2)) {
      out_.Write(text.substr(0, end));
      out_.Write(" ");
    }
  }
  out_.Write(text);
  out_.Write("\n");
}

}  // namespace varnock::cli
