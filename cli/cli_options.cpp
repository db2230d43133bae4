#include "cli_options.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include <varnock/code_page.h>
#include "varnock_version.h"

namespace varnock::cli {
namespace {

constexpr std::string_view kProgram = "varnock-cli";

constexpr std::array<std::pair<std::string_view, Format>, 3> kFormats = {{
    {"text", Format::kText},
    {"csv", Format::kCsv},
    {"json", Format::kJson},
}};

constexpr std::string_view kHelp =
    R"(Usage: varnock-cli [OPTIONS] [CODE...]
Tell when recordable optical discs were made, from their hub codes.

Each CODE is decoded as the Varnock dialog decodes it: letters are turned to upper
case, the code is cut to its first 127 characters and blanks are removed. With no
CODE, codes are read from standard input, one per line.

Options:
  -m, --maker MAKER     the maker: its name as the dialog lists it, or its short id
                        (see --list-makers); required
  -d, --decade DECADE   the decade the disc is believed to be from: 1990, 2000, 2010
                        or 2020; "all" decodes once for each of them; left out: none
                        (enough for cmc and daxon, whose codes carry the whole year)
  -f, --format FORMAT   text (the default), csv (RFC 4180, with a header row) or
                        json (JSON Lines: code, maker, decade, result, text)
      --list-makers     print the thirteen makers, "id<TAB>name", in the list's order
  -h, --help            display this help and exit
      --version         output version information and exit

Output is one record per decode, in input order: the date, or "error: " and the
reason. With --decade all, each text line starts with the decade (0 where the maker
needs none) and a tab.

Examples:
  varnock-cli -m cmc XKC15                  March 15th, 2006
  varnock-cli -m ritek -d all RI50615       four candidate dates
  varnock-cli -m mbi -d 2000 -f csv < codes.txt

Exit status:
  0  every decode gave a date
  1  any decode gave an error, or the output could not be written
  2  usage error: nothing was decoded
)";

std::string MakerList() {
  std::string list;
  for (const MakerInfo& info : kMakers) {
    list += info.id;
    list += '\t';
    list += CodePageToUtf8(info.name);
    list += '\n';
  }
  return list;
}

EarlyExit UsageError(std::string_view message) {
  std::string err;
  err.append(kProgram).append(": ").append(message).append("\n");
  err.append("Try 'varnock-cli --help' for more information.\n");
  return {2, "", err};
}

std::string ValidMakerIds() {
  std::string ids;
  for (const MakerInfo& info : kMakers) ids.append(ids.empty() ? "" : ", ").append(info.id);
  return ids;
}

// The maker named by its short id, or by its full name in UTF-8.
std::optional<Maker> ParseMaker(std::string_view text) {
  if (std::optional<Maker> maker = FindMakerById(text)) return maker;
  if (std::optional<std::string> name = Utf8ToCodePage(text, false, std::string::npos)) {
    return FindMakerByName(*name);
  }
  return std::nullopt;
}

std::optional<std::vector<Decade>> ParseDecade(std::string_view text) {
  if (text == "all") return std::vector<Decade>(kDecades.begin(), kDecades.end());
  for (Decade decade : kDecades) {
    if (text == std::to_string(DecadeYear(decade))) return std::vector<Decade>{decade};
  }
  return std::nullopt;
}

enum LongOnly { kListMakers = 256, kVersion };

}  // namespace

std::variant<CliOptions, EarlyExit> ParseCommandLine(int argc, char** argv) {
  static const option kLongOptions[] = {
      {"maker", required_argument, nullptr, 'm'},
      {"decade", required_argument, nullptr, 'd'},
      {"format", required_argument, nullptr, 'f'},
      {"list-makers", no_argument, nullptr, kListMakers},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, kVersion},
      {nullptr, 0, nullptr, 0},
  };
  CliOptions options;
  std::optional<Maker> maker;
  opterr = 0;  // our own messages, on standard error with the usage hint
  optind = 1;
  int opt;
  while ((opt = getopt_long(argc, argv, ":m:d:f:h", kLongOptions, nullptr)) != -1) {
    const std::string_view arg = optarg ? optarg : "";
    switch (opt) {
      case 'm':
        maker = ParseMaker(arg);
        if (!maker) {
          return UsageError("unknown maker '" + std::string(arg) + "'; valid makers: " +
                            ValidMakerIds() + ", or a name that --list-makers prints");
        }
        break;
      case 'd':
        if (auto decades = ParseDecade(arg)) {
          options.decades = std::move(*decades);
          options.all_decades = arg == "all";
        } else {
          return UsageError("unknown decade '" + std::string(arg) +
                            "'; valid decades: 1990, 2000, 2010, 2020, all");
        }
        break;
      case 'f': {
        auto found = std::find_if(kFormats.begin(), kFormats.end(),
                                  [&](const auto& row) { return row.first == arg; });
        if (found == kFormats.end()) {
          return UsageError("unknown format '" + std::string(arg) +
                            "'; valid formats: text, csv, json");
        }
        options.format = found->second;
        break;
      }
      case kListMakers:
        return EarlyExit{0, MakerList(), ""};
      case 'h':
        return EarlyExit{0, std::string(kHelp), ""};
      case kVersion:
        return EarlyExit{0, std::string(kProgram) + " " + VARNOCK_VERSION + "\n", ""};
      case ':':
        return UsageError("option '" + std::string(argv[optind - 1]) + "' needs a value");
      default:
        return UsageError("unknown option '" + std::string(argv[optind - 1]) + "'");
    }
  }
  if (!maker) return UsageError("no maker given (-m); valid makers: " + ValidMakerIds());
  options.maker = *maker;
  // Every decade of a maker whose codes carry the whole year gives the same date, so
  // "all" decodes such a code once, with none.
  if (options.decades.empty() || (options.all_decades && !Info(options.maker).needs_decade)) {
    options.decades = {Decade::kNone};
  }
  options.codes.assign(argv + optind, argv + argc);
  return options;
}

}  // namespace varnock::cli
