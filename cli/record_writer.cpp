#include "record_writer.h"

#include <algorithm>
#include <array>
#include <charconv>

#include <varnock/code_page.h>

namespace varnock::cli {
namespace {

void AppendNumber(std::string& out, int value) {
  char digits[12];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// Appends the text with each byte that starts no valid UTF-8 sequence replaced by U+FFFD,
// so the output stays valid UTF-8 whatever the input was, and each byte for which
// `escape` gives a non-empty text replaced by that text.
template <typename Escape>
void AppendEscapedUtf8(std::string& out, std::string_view text, Escape escape) {
  while (!text.empty()) {
    // The longest run that needs no escape: plain ASCII, nearly every code.
    std::size_t run = 0;
    while (run < text.size() && static_cast<unsigned char>(text[run]) < 0x80 &&
           escape(text[run]).empty()) {
      ++run;
    }
    out.append(text.substr(0, run));
    text.remove_prefix(run);
    if (text.empty()) break;
    if (static_cast<unsigned char>(text[0]) < 0x80) {
      out.append(escape(text[0]));
      text.remove_prefix(1);
      continue;
    }
    const std::size_t length = NextUtf8Char(text).length;
    out.append(length > 0 ? text.substr(0, length) : "\xEF\xBF\xBD");
    text.remove_prefix(std::max<std::size_t>(length, 1));
  }
}

// RFC 4180: a field holding a comma, a quote or a line break is quoted, its quotes doubled.
void AppendCsvField(std::string& out, std::string_view field) {
  const bool quoted = field.find_first_of(",\"\r\n") != std::string_view::npos;
  if (quoted) out += '"';
  AppendEscapedUtf8(out, field,
                    [](char c) { return c == '"' ? std::string_view("\"\"") : std::string_view(); });
  if (quoted) out += '"';
}

// The JSON escape of an ASCII byte, or empty where the byte stands for itself.
std::string_view JsonEscape(char c) {
  static constexpr std::array<std::string_view, 32> kControls = {
      "\\u0000", "\\u0001", "\\u0002", "\\u0003", "\\u0004", "\\u0005", "\\u0006", "\\u0007",
      "\\b",     "\\t",     "\\n",     "\\u000b", "\\f",     "\\r",     "\\u000e", "\\u000f",
      "\\u0010", "\\u0011", "\\u0012", "\\u0013", "\\u0014", "\\u0015", "\\u0016", "\\u0017",
      "\\u0018", "\\u0019", "\\u001a", "\\u001b", "\\u001c", "\\u001d", "\\u001e", "\\u001f"};
  if (c == '"') return "\\\"";
  if (c == '\\') return "\\\\";
  if (static_cast<unsigned char>(c) < 0x20) return kControls[static_cast<unsigned char>(c)];
  return {};
}

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  AppendEscapedUtf8(out, text, JsonEscape);
  out += '"';
}

}  // namespace

void RecordWriter::WriteHeader(std::string& out) const {
  if (format_ == Format::kCsv) out += "code,maker,decade,result,text\r\n";
}

void RecordWriter::Write(const Record& record, std::string& out) const {
  const std::string_view result = record.is_date ? "date" : "error";
  switch (format_) {
    case Format::kText:
      if (with_decade_) {
        AppendNumber(out, DecadeYear(record.decade));
        out += '\t';
      }
      if (!record.is_date) out += "error: ";
      out += record.text;
      out += '\n';
      break;
    case Format::kCsv:
      AppendCsvField(out, record.code);
      out += ',';
      AppendCsvField(out, record.maker);
      out += ',';
      AppendNumber(out, DecadeYear(record.decade));
      out += ',';
      out += result;
      out += ',';
      AppendCsvField(out, record.text);
      out += "\r\n";
      break;
    case Format::kJson:
      out += "{\"code\": ";
      AppendJsonString(out, record.code);
      out += ", \"maker\": ";
      AppendJsonString(out, record.maker);
      out += ", \"decade\": ";
      AppendNumber(out, DecadeYear(record.decade));
      out += ", \"result\": \"";
      out += result;
      out += "\", \"text\": ";
      AppendJsonString(out, record.text);
      out += "}\n";
      break;
  }
}

}  // namespace varnock::cli
