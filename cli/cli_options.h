// The command line of varnock-cli.
#pragma once

#include <varnock/hub_code_decoder.h>
#include <varnock/makers.h>

#include <string>
#include <variant>
#include <vector>

namespace varnock::cli {

enum class Format { kText, kCsv, kJson };

struct CliOptions {
  Maker maker = Maker::kCmc;
  std::vector<Decade> decades;  // decoded once under each; one kNone when left out
  bool all_decades = false;     // --decade all: text records name their decade
  Format format = Format::kText;
  std::vector<std::string> codes;  // empty: read standard input
};

// Parsing ended the run before any decode: help, version, maker list or a usage error.
struct EarlyExit {
  int status;       // 0, or 2 for a usage error
  std::string out;  // for standard output
  std::string err;  // for standard error
};

// Arguments in UTF-8, as main receives them.
std::variant<CliOptions, EarlyExit> ParseCommandLine(int argc, char** argv);

}  // namespace varnock::cli
