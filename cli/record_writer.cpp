#include "record_writer.h"

#include <algorithm>
#include <string>

#include <varnock/code_page.h>

namespace varnock::cli {
namespace {

// Writes the text with each byte that starts no valid UTF-8 sequence replaced by U+FFFD,
// so the output stays valid UTF-8 whatever the input was, and each ASCII byte for which
// `escape` gives a text replaced by that text.
template <typename Escape>
void WriteEscapedUtf8(Output& out, std::string_view text, Escape escape) {
  std::size_t written = 0;  // the text before this is out, as it came or replaced
  for (std::size_t i = 0; i < text.size();) {
    std::string replacement;
    std::size_t length = 1;
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      replacement = escape(text[i]);
    } else if ((length = NextUtf8Char(text.substr(i)).length) == 0) {
      replacement = "\xEF\xBF\xBD";
      length = 1;
    }
    if (!replacement.empty()) {
      out.Write(text.substr(written, i - written));
      out.Write(replacement);
      written = i + length;
    }
    i += length;
  }
  out.Write(text.substr(written));
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; }

// RFC 4180: a field holding a comma, a quote or a line break is quoted, its quotes
// doubled; so is one holding any other control character, which spreadsheets and
// CSV readers would otherwise take apart.
void WriteCsvField(Output& out, std::string_view field) {
  const bool quoted = std::any_of(field.begin(), field.end(),
                                  [](char c) { return c == ',' || c == '"' || IsControl(c); });
  if (quoted) out.Write("\"");
  WriteEscapedUtf8(out, field,
                   [](char c) { return c == '"' ? std::string("\"\"") : std::string(); });
  if (quoted) out.Write("\"");
}

// The JSON escape of an ASCII byte, or empty where the byte stands for itself: a quote
// and a backslash take a backslash, a control character its number.
std::string JsonEscape(char c) {
  if (c == '"' || c == '\\') return {'\\', c};
  if (!IsControl(c) || c == '\x7F') return {};
  constexpr std::string_view kHex = "0123456789abcdef";
  const auto byte = static_cast<unsigned char>(c);
  return {'\\', 'u', '0', '0', kHex[byte / 16], kHex[byte % 16]};
}

}  // namespace

std::array<Field, 5> RecordFields(const Record& record, std::string_view decade) {
  return {{{"code", record.code, false},
           {"maker", record.maker, false},
           {"decade", decade, true},
           {"result", record.is_date ? "date" : "error", false},
           {"text", record.text, false}}};
}

void RecordWriter::WriteHeader() {
  if (format_ != Format::kCsv) return;
  std::string header;
  for (const Field& field : RecordFields({}, {}))
    header.append(header.empty() ? "" : ",").append(field.name);
  out_.Write(header + "\r\n");
}

void RecordWriter::Write(const Record& record) {
  const std::string decade = std::to_string(DecadeYear(record.decade));
  const std::array<Field, 5> fields = RecordFields(record, decade);
  switch (format_) {
    case Format::kText:
      WriteText(record, decade);
      break;
    case Format::kCsv:
      for (const Field& field : fields) {
        if (&field != &fields.front()) out_.Write(",");
        WriteCsvField(out_, field.value);
      }
      out_.Write("\r\n");
      break;
    case Format::kJson:
      for (const Field& field : fields) {
        out_.Write(&field == &fields.front() ? "{\"" : ", \"");
        out_.Write(field.name);
        out_.Write(field.is_number ? "\": " : "\": \"");
        WriteEscapedUtf8(out_, field.value, JsonEscape);
        if (!field.is_number) out_.Write("\"");
      }
      out_.Write("}\n");
      break;
  }
}

// One line a record: the paragraphs of a message are joined by a blank.
void RecordWriter::WriteText(const Record& record, std::string_view decade) {
  if (with_decade_) {
    out_.Write(decade);
    out_.Write("\t");
  }
  if (!record.is_date) out_.Write("error: ");
  std::string_view text = record.text;
  for (std::size_t end; (end = text.find("\n\n")) != std::string_view::npos;
       text.remove_prefix(end + 2)) {
    out_.Write(text.substr(0, end));
    out_.Write(" ");
  }
  out_.Write(text);
  out_.Write("\n");
}

}  // namespace varnock::cli
