// Reads arbitrary bytes as varnock-cli reads its input, as lines and as a catalogue: in
// one read, and in reads cut at arbitrary places as a pipe or a terminal hands them over.
// Both must give the same lines, rows and error. And a catalogue row of arbitrary fields,
// written out as varnock-cli writes it, must read back as the same fields.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "csv_reader.h"
#include "fake_streams.h"
#include "line_reader.h"
#include "output.h"
#include "record_writer.h"

namespace varnock::cli {
namespace {

// What a reader saw: each line, whatever pieces it came in, or each row with its line
// number and fields; each part after its length, so that no byte passes for a separator.
std::string Lines(std::string_view text, bool in_pieces) {
  fuzz::Feed(text, in_pieces);
  LineReader reader(StandardInput());
  std::string seen, line;
  while (const auto piece = reader.Next()) {
    line.append(piece->text);
    if (!piece->ends_line) continue;
    seen.append(std::to_string(line.size())).append(":").append(line);
    line.clear();
  }
  return seen + line;  // a line that never ended: there should be none
}

std::string Rows(std::string_view text, bool in_pieces) {
  fuzz::Feed(text, in_pieces);
  CsvReader reader(StandardInput());
  std::string seen;
  CsvReader::Status status;
  while ((status = reader.Next()) == CsvReader::Status::kRow) {
    seen.append(std::to_string(reader.line())).append(":");
    for (std::string_view field : reader.fields())
      seen.append(std::to_string(field.size())).append(":").append(field);
    seen += '\n';
  }
  return seen + (status == CsvReader::Status::kEnd ? "end" : "failed: " + reader.error());
}

// A row whose fields are the text cut at its first byte, written after a header row.
bool RoundTrips(std::string_view text) {
  std::vector<std::string_view> row;
  for (std::size_t at = 1, end; at <= text.size(); at = end + 1) {
    end = std::min(text.find(text[0], at), text.size());
    row.push_back(text.substr(at, end - at));
  }
  std::string& written = fuzz::Written();
  written.clear();
  Output out;
  RecordWriter writer(Format::kCsv, /*with_decade=*/false, /*with_maker=*/false, out);
  const std::string_view header[] = {"code"};
  writer.WriteCatalogueHeader(header);
  writer.WriteCatalogueRow(row, Record{});
  out.Flush();
  fuzz::Feed(written, /*in_pieces=*/false);
  CsvReader reader(StandardInput());
  if (reader.Next() != CsvReader::Status::kRow || reader.Next() != CsvReader::Status::kRow) {
    return false;
  }
  const auto fields = reader.fields();  // the row's, then the record's four from the decade on
  return fields.size() == row.size() + 4 && std::equal(row.begin(), row.end(), fields.begin());
}

}  // namespace
}  // namespace varnock::cli

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  using varnock::cli::Lines, varnock::cli::Rows;
  if (Lines(text, false) != Lines(text, true) || Rows(text, false) != Rows(text, true) ||
      (!text.empty() && !varnock::cli::RoundTrips(text))) {
    std::abort();
  }
  return 0;
}
