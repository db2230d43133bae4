#include "cli_options.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include <varnock/code_page.h>

#include "record_writer.h"
#include "varnock_version.h"

namespace varnock::cli {
namespace {

constexpr std::string_view kProgram = "varnock-cli";

struct FormatInfo {
  std::string_view name;
  Format format;
  std::string_view about;
};

constexpr auto kFormats = std::to_array<FormatInfo>({
    {"text", Format::kText, "the default"},
    {"csv", Format::kCsv, "RFC 4180, with a header row"},
    {"json", Format::kJson, "JSON Lines, a record an object"},
});

// "a, b or c"
std::string JoinList(const std::vector<std::string>& items, std::string_view last = " or ") {
  std::string list;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) list += i + 1 == items.size() ? last : ", ";
    list += items[i];
  }
  return list;
}

std::vector<std::string> DecadeNames() {
  std::vector<std::string> names;
  for (Decade decade : kDecades) names.push_back(std::to_string(DecadeYear(decade)));
  return names;
}

std::vector<std::string> MakerIds(bool only_without_decade) {
  std::vector<std::string> ids;
  for (const MakerInfo& info : kMakers) {
    if (!only_without_decade || !info.needs_decade) ids.emplace_back(info.id);
  }
  return ids;
}

std::string Help() {
  std::vector<std::string> formats;
  for (const FormatInfo& f : kFormats)
    formats.push_back(std::string(f.name) + " (" + std::string(f.about) + ")");
  std::vector<std::string> fields;
  for (const Field& field : RecordFields({}, {})) fields.emplace_back(field.name);
  return "Usage: varnock-cli [OPTIONS] [CODE...]\n"
         "Tell when recordable optical discs were made, from their hub codes.\n\n"
         "Each CODE is decoded as the Varnock dialog decodes it: letters are turned to\n"
         "upper case, the code is cut to its first 127 characters and blanks are removed.\n"
         "With no CODE, codes are read from standard input, one a line (a line ends at LF,\n"
         "CRLF or CR). A CODE that starts with '-' goes after '--'.\n\n"
         "Options:\n"
         "  -m, --maker MAKER     the maker: its short id (see --list-makers) or its name as\n"
         "                        the dialog lists it; required\n"
         "  -d, --decade DECADE   the decade the disc is believed to be from, one of\n"
         "                        " +
         JoinList(DecadeNames()) +
         ", or \"all\" to decode once for each;\n"
         "                        left out: none, which is enough for " +
         JoinList(MakerIds(true), " and ") +
         "\n"
         "  -f, --format FORMAT   " +
         JoinList(formats, ",\n                        or ") +
         "\n"
         "      --list-makers     print the makers, \"id<TAB>name\", in the dialog's order\n"
         "  -h, --help            display this help and exit\n"
         "      --version         output version information and exit\n\n"
         "Output is one record per decode, in input order. CSV and JSON records have the\n"
         "fields " +
         JoinList(fields, " and ") +
         ". A text record is the date, or\n"
         "\"error: \" and the reason, on one line; with --decade all it starts with the decade\n"
         "(0 where the maker needs none) and a tab.\n\n"
         "Examples:\n"
         "  varnock-cli -m cmc XKC15                  March 15th, 2006\n"
         "  varnock-cli -m ritek -d all RI50615       four candidate dates\n"
         "  varnock-cli -m mbi -d 2000 -f csv < codes.txt\n\n"
         "Exit status:\n"
         "  0  every decode gave a date\n"
         "  1  any decode gave an error, or the output could not be written\n"
         "  2  usage error: nothing was decoded\n";
}

// As GNU tools give it: the program and version, then the copyright and the licence.
std::string Version() {
  return std::string(kProgram) + " " + VARNOCK_VERSION + "\nCopyright " + VARNOCK_COPYRIGHT +
         "\nLicense MIT: <https://opensource.org/license/mit>.\n"
         "This is free software: you are free to change and redistribute it.\n"
         "There is NO WARRANTY, to the extent permitted by law.\n";
}

std::string MakerList() {
  std::string list;
  for (const MakerInfo& info : kMakers) {
    list.append(info.id).append("\t").append(CodePageToUtf8(info.name)).append("\n");
  }
  return list;
}

EarlyExit UsageError(const std::string& message) {
  return {2, "",
          std::string(kProgram) + ": " + message + "\nTry '" + std::string(kProgram) +
              " --help' for more information.\n"};
}

// The maker named by its short id, or by its full name in UTF-8.
std::optional<Maker> ParseMaker(std::string_view text) {
  if (std::optional<Maker> maker = FindMakerById(text)) return maker;
  const std::optional<std::string> name = Utf8ToCodePage(text, false, std::string::npos);
  return name ? FindMakerByName(*name) : std::nullopt;
}

std::optional<std::vector<Decade>> ParseDecade(std::string_view text) {
  if (text == "all") return std::vector<Decade>(kDecades.begin(), kDecades.end());
  for (Decade decade : kDecades) {
    if (text == std::to_string(DecadeYear(decade))) return std::vector<Decade>{decade};
  }
  return std::nullopt;
}

std::optional<Format> ParseFormat(std::string_view text) {
  const auto found = std::find_if(kFormats.begin(), kFormats.end(),
                                  [&](const FormatInfo& f) { return f.name == text; });
  return found == kFormats.end() ? std::nullopt : std::optional(found->format);
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
      {},  // the end of the list
  };
  CliOptions options;
  std::optional<Maker> maker;
  int opt;
  // The leading ':' keeps getopt quiet: our messages name the option and point to --help.
  while ((opt = getopt_long(argc, argv, ":m:d:f:h", kLongOptions, nullptr)) != -1) {
    const std::string arg = optarg != nullptr ? optarg : std::string();  // the option's value
    const std::string letter(1, static_cast<char>(optopt));  // a short option gone wrong
    switch (opt) {
      case 'm':
        maker = ParseMaker(arg);
        if (!maker) {
          return UsageError("unknown maker '" + arg + "'; valid makers: " +
                            JoinList(MakerIds(false)) + ", or a name that --list-makers prints");
        }
        break;
      case 'd':
        if (std::optional<std::vector<Decade>> decades = ParseDecade(arg)) {
          options.decades = std::move(*decades);
          options.all_decades = arg == "all";
        } else {
          return UsageError("unknown decade '" + arg +
                            "'; valid decades: " + JoinList(DecadeNames(), ", ") + ", all");
        }
        break;
      case 'f':
        if (std::optional<Format> format = ParseFormat(arg)) {
          options.format = *format;
        } else {
          std::vector<std::string> names;
          for (const FormatInfo& f : kFormats) names.emplace_back(f.name);
          return UsageError("unknown format '" + arg + "'; valid formats: " + JoinList(names));
        }
        break;
      case kListMakers:
        return EarlyExit{0, MakerList(), ""};
      case 'h':
        return EarlyExit{0, Help(), ""};
      case kVersion:
        return EarlyExit{0, Version(), ""};
      case ':': {
        // getopt has moved past the word that holds the option.
        const std::string word = argv[optind - 1];
        return UsageError(word.starts_with("--")
                              ? "option '" + word + "' requires an argument"
                              : "option requires an argument -- '" + letter + "'");
      }
      default:  // optopt is 0 for a long option
        return UsageError(optopt == 0
                              ? "unrecognized option '" + std::string(argv[optind - 1]) + "'"
                              : "invalid option -- '" + letter + "'");
    }
  }
  if (!maker) return UsageError("no maker given (-m); valid makers: " + JoinList(MakerIds(false)));
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
