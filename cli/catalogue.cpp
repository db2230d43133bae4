#include "catalogue.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <varnock/code_page.h>

#include "csv_reader.h"
#include "decoding.h"
#include "platform.h"
#include "record_writer.h"

namespace varnock::cli {
namespace {

constexpr auto kCodeHeadings = std::to_array<std::string_view>({"hub code", "hub_code", "code"});

bool SameHeading(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return lower(x) == lower(y);
  });
}

// Where the columns are in a header row: nullopt where there is none.
struct Columns {
  std::optional<std::size_t> code, maker, decade;
};

std::optional<std::size_t> FindColumn(std::span<const std::string_view> header,
                                      std::string_view name) {
  const auto found = std::find_if(header.begin(), header.end(), [name](std::string_view heading) {
    return SameHeading(heading, name);
  });
  if (found == header.end()) return std::nullopt;
  return static_cast<std::size_t>(found - header.begin());
}

// The header's columns, or why one that is needed is missing.
std::optional<Columns> FindColumns(std::span<const std::string_view> header,
                                   const CliOptions& options, std::string& missing) {
  Columns columns;
  if (!options.code_column.empty()) {
    columns.code = FindColumn(header, options.code_column);
  } else {
    for (std::string_view heading : kCodeHeadings) {
      if ((columns.code = FindColumn(header, heading))) break;
    }
  }
  if (!columns.code) {
    missing = options.code_column.empty() ? "no column of codes: none is headed \"hub code\", "
                                            "\"hub_code\" or \"code\"; name it with --code-column"
                                          : "no column headed '" + options.code_column + "'";
    return std::nullopt;
  }
  for (auto [name, column] : {std::pair{&options.maker_column, &columns.maker},
                              std::pair{&options.decade_column, &columns.decade}}) {
    if (name->empty()) continue;
    *column = FindColumn(header, *name);
    if (!*column) {
      missing = "no column headed '" + *name + "'";
      return std::nullopt;
    }
  }
  return columns;
}

// A row's field, empty where the row is short of it.
std::string_view FieldOf(std::span<const std::string_view> row, std::optional<std::size_t> column) {
  return column && *column < row.size() ? row[*column] : std::string_view();
}

class Catalogue {
 public:
  Catalogue(const CliOptions& options, Output& out)
      : options_(options),
        out_(out),
        writer_(Format::kCsv, false, options.maker.given && !options.maker.maker, out),
        decoder_(options.today, true) {}

  // Decodes every row of the input; false when it stopped early. `all_dates` turns false
  // for any row that gave no date.
  bool Read(Input input, bool& all_dates) {
    CsvReader reader(input);
    CsvReader::Status status = reader.Next();
    if (status == CsvReader::Status::kRow && !TakeHeader(reader, input.name)) return false;
    while (status == CsvReader::Status::kRow && !out_.failed()) {
      // What came so far, the header too, goes out before the wait for more, as for codes.
      if (!reader.buffered()) out_.Flush();
      if ((status = reader.Next()) != CsvReader::Status::kRow) break;
      all_dates = DecodeRow(reader.fields()) && all_dates;
    }
    if (status != CsvReader::Status::kFailed) return true;
    out_.Flush();  // every record before the fault first
    if (!reader.error().empty()) Say(input.name + ": " + reader.error());
    return false;
  }

 private:
  static void Say(const std::string& message) {
    std::string reason;
    WriteAll(Stream::kError, "varnock-cli: " + message + "\n", reason);
  }

  // The first file's header is written out; every later file's must be the same.
  bool TakeHeader(const CsvReader& reader, const std::string& name) {
    const std::span<const std::string_view> header = reader.fields();
    if (header_.empty()) {
      std::string missing;
      const std::optional<Columns> columns = FindColumns(header, options_, missing);
      if (!columns) {
        Say(name + ": " + missing);
        return false;
      }
      columns_ = *columns;
      header_.assign(header.begin(), header.end());
      const std::vector<std::string_view> kept(header_.begin(), header_.end());
      writer_.WriteCatalogueHeader(kept);
      return true;
    }
    if (std::equal(header.begin(), header.end(), header_.begin(), header_.end())) return true;
    Say(name + ": its header row differs from the first file's");
    return false;
  }

  bool DecodeRow(std::span<const std::string_view> row) {
    const auto emit = [&](const Record& record) { writer_.WriteCatalogueRow(row, record); };
    MakerChoice maker = options_.maker;
    if (const std::string_view value = FieldOf(row, columns_.maker); !value.empty()) {
      const std::optional<MakerChoice> chosen = ParseMaker(value);
      if (!chosen) return Bad(row, "unknown maker '" + std::string(value) + "'");
      maker = *chosen;
    } else if (!maker.given) {
      return Bad(row, "no maker: the row names none, and -m gives none");
    }
    DecadeChoice decade = options_.decade;
    if (const std::string_view value = FieldOf(row, columns_.decade); !value.empty()) {
      const std::optional<DecadeChoice> chosen = ParseDecade(value);
      if (!chosen) return Bad(row, "unknown decade '" + std::string(value) + "'");
      decade = *chosen;
    }
    const std::string_view code = FieldOf(row, columns_.code);
    typed_.Append(code);
    return decoder_.Decode(maker, decade, typed_.Finish(), code, emit);
  }

  bool Bad(std::span<const std::string_view> row, const std::string& reason) {
    const Record record{{}, {}, std::nullopt, false, reason, {}};
    writer_.WriteCatalogueRow(row, record);
    return false;
  }

  const CliOptions& options_;
  Output& out_;
  RecordWriter writer_;
  CodeDecoder decoder_;
  Utf8ToCodePageConverter typed_{/*upper=*/true};
  std::vector<std::string> header_;  // the first file's
  Columns columns_;
};

}  // namespace

int RunCatalogue(const CliOptions& options, Output& out) {
  Catalogue catalogue(options, out);
  bool all_dates = true;
  // Whether every file was read to its end: the first that was not ends the run.
  const auto read_all = [&] {
    if (options.codes.empty()) return catalogue.Read(StandardInput(), all_dates);
    for (const std::string& path : options.codes) {
      const std::optional<Input> input = OpenInput(path);
      const bool whole = input && catalogue.Read(*input, all_dates);
      if (input) CloseInput(*input);
      if (!whole) return false;
    }
    return true;
  };
  const bool whole = read_all();
  return out.Flush() && whole && all_dates ? 0 : 1;
}

}  // namespace varnock::cli
