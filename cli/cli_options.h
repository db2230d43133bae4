// The command line of varnock-cli.
#pragma once

#include <varnock/hub_code_decoder.h>
#include <varnock/makers.h>

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace varnock::cli {

enum class Format { kText, kCsv, kJson };

// What the input holds: a code a line, or a catalogue, CSV with a header row.
enum class InputKind { kLines, kCsv };

// A maker or every maker, and a decade or every decade, as -m and -d give them.
struct MakerChoice {
  bool given = false;
  std::optional<Maker> maker;  // given and nullopt: "any"
};
struct DecadeChoice {
  bool given = false;
  std::optional<Decade> decade;  // given and nullopt: "all"
};

struct CliOptions {
  MakerChoice maker;
  DecadeChoice decade;
  Format format = Format::kText;
  InputKind input = InputKind::kLines;
  ProductionDate today;  // no candidate may be dated after it
  // The catalogue's columns, by their headings; the code's when empty: the first
  // headed "hub code", "hub_code" or "code", in any case.
  std::string code_column, maker_column, decade_column;
  std::vector<std::string> codes;  // empty: read standard input; catalogues: files
};

// Whether the maker or the decade is left open (-m any, -d all): candidates are listed.
inline bool ListsCandidates(const CliOptions& options) {
  return (options.maker.given && !options.maker.maker) ||
         (options.decade.given && !options.decade.decade);
}

// A maker's short id, its name as listed (UTF-8) or "any" (every maker).
std::optional<MakerChoice> ParseMaker(std::string_view text);
// A decade's first year, with or without an "s" after it, or "all" (every decade).
std::optional<DecadeChoice> ParseDecade(std::string_view text);

// Parsing ended the run before any decode: help, version, maker list or a usage error.
struct EarlyExit {
  int status;       // 0, or 2 for a usage error
  std::string out;  // for standard output
  std::string err;  // for standard error
};

// Arguments in UTF-8, as main receives them.
std::variant<CliOptions, EarlyExit> ParseCommandLine(int argc, char** argv);

}  // namespace varnock::cli
