#include "cli_options.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <ctime>
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
         "  or:  varnock-cli --input csv [OPTIONS] [FILE...]\n"
         "Tell when recordable optical discs were made, from their hub codes.\n\n"
         "Each CODE is decoded as the Varnock dialog decodes it: letters are turned to\n"
         "upper case, the code is cut to its first 127 characters and blanks are removed.\n"
         "With no CODE, codes are read from standard input, one a line (a line ends at LF,\n"
         "CRLF or CR). A CODE that starts with '-' goes after '--'.\n\n"
         "Options:\n"
         "  -m, --maker MAKER     the maker: its short id (see --list-makers), its name as\n"
         "                        the dialog lists it, or \"any\" for every maker; required,\n"
         "                        but for a catalogue with a column of makers\n"
         "  -d, --decade DECADE   the decade the disc is believed to be from, one of\n"
         "                        " +
         JoinList(DecadeNames()) +
         ", or \"all\" for every decade;\n"
         "                        left out: none, which is enough for " +
         JoinList(MakerIds(true), " and ") +
         "\n"
         "      --today DATE      the date no candidate may be after, as YYYY-MM-DD\n"
         "                        (default: today's date)\n"
         "  -f, --format FORMAT   " +
         JoinList(formats, ",\n                        or ") +
         "\n"
         "      --input KIND      lines (the default: a code a line) or csv (a catalogue:\n"
         "                        RFC 4180 with a header row, from FILEs or standard input)\n"
         "      --code-column NAME\n"
         "                        the catalogue's column of codes (default: the one headed\n"
         "                        hub code, hub_code or code, in any case)\n"
         "      --maker-column NAME\n"
         "                        its column of makers, ids or names; -m for empty ones\n"
         "      --decade-column NAME\n"
         "                        its column of decades, as -d takes them, or with an \"s\"\n"
         "                        after the year; -d for empty ones\n"
         "      --list-makers     print the makers, \"id<TAB>name\", in the dialog's order\n"
         "  -h, --help            display this help and exit\n"
         "      --version         output version information and exit\n\n"
         "Output is one record per decode, in input order. CSV and JSON records have the\n"
         "fields " +
         JoinList(fields, " and ") +
         ".\n"
         "A text record is the date, or \"error: \" and the reason, on one line; with --decade\n"
         "all it starts with the decade (0 where the maker needs none) and a tab, and with\n"
         "--maker any the makers and a tab follow. The date field is ISO 8601: 2006-03-15,\n"
         "2004 for a year alone, empty (JSON: null) for an error.\n\n"
         "With --maker any or --decade all a code gives every candidate date, one record\n"
         "each: makers whose codes read the same date share one. Candidates dated after\n"
         "today cannot be true and are left out, which standard error says.\n\n"
         "A catalogue's records are its rows as they came, each field kept byte for byte,\n"
         "then decade, result, text and date (with --maker any, maker before them). A row\n"
         "with an unknown maker or decade gets an error record; a malformed file ends the\n"
         "run with its line number.\n\n"
         "Examples:\n"
         "  varnock-cli -m cmc XKC15                  March 15th, 2006\n"
         "  varnock-cli -m ritek -d all RI50615       four candidate dates\n"
         "  varnock-cli -m any -d all HY09J405110318B11\n"
         "  varnock-cli --input csv --maker-column maker catalogue.csv\n"
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

// YYYY-MM-DD, a day that the calendar has.
std::optional<ProductionDate> ParseDate(std::string_view text) {
  ProductionDate date;
  const char* const end = text.data() + text.size();
  const auto field = [end](const char* from, int& value, std::size_t digits) {
    const auto [ptr, error] = std::from_chars(from, end, value);
    return error == std::errc() && ptr == from + digits ? ptr : nullptr;
  };
  const char* at = field(text.data(), date.year, 4);
  if (at && at != end && *at == '-') at = field(at + 1, date.month, 2);
  if (at && at != end && *at == '-') at = field(at + 1, date.day, 2);
  const std::chrono::year_month_day day{std::chrono::year(date.year),
                                        std::chrono::month(static_cast<unsigned>(date.month)),
                                        std::chrono::day(static_cast<unsigned>(date.day))};
  if (at != end || !day.ok()) return std::nullopt;
  return date;
}

ProductionDate Today() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

std::optional<Format> ParseFormat(std::string_view text) {
  const auto found = std::find_if(kFormats.begin(), kFormats.end(),
                                  [&](const FormatInfo& f) { return f.name == text; });
  return found == kFormats.end() ? std::nullopt : std::optional(found->format);
}

enum LongOnly {
  kListMakers = 256,
  kVersion,
  kToday,
  kInput,
  kCodeColumn,
  kMakerColumn,
  kDecadeColumn
};

}  // namespace

std::optional<MakerChoice> ParseMaker(std::string_view text) {
  if (text == "any") return MakerChoice{true, std::nullopt};
  std::optional<Maker> maker = FindMakerById(text);
  if (!maker) {
    const std::optional<std::string> name = Utf8ToCodePage(text, false, std::string::npos);
    if (name) maker = FindMakerByName(*name);
  }
  if (!maker) return std::nullopt;
  return MakerChoice{true, maker};
}

std::optional<DecadeChoice> ParseDecade(std::string_view text) {
  if (text == "all") return DecadeChoice{true, std::nullopt};
  if (text.ends_with('s')) text.remove_suffix(1);
  for (Decade decade : kDecades) {
    if (text == std::to_string(DecadeYear(decade))) return DecadeChoice{true, decade};
  }
  return std::nullopt;
}

std::variant<CliOptions, EarlyExit> ParseCommandLine(int argc, char** argv) {
  static const option kLongOptions[] = {
      {"maker", required_argument, nullptr, 'm'},
      {"decade", required_argument, nullptr, 'd'},
      {"format", required_argument, nullptr, 'f'},
      {"today", required_argument, nullptr, kToday},
      {"input", required_argument, nullptr, kInput},
      {"code-column", required_argument, nullptr, kCodeColumn},
      {"maker-column", required_argument, nullptr, kMakerColumn},
      {"decade-column", required_argument, nullptr, kDecadeColumn},
      {"list-makers", no_argument, nullptr, kListMakers},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, kVersion},
      {},  // the end of the list
  };
  CliOptions options;
  std::optional<ProductionDate> today;
  int opt;
  // The leading ':' keeps getopt quiet: our messages name the option and point to --help.
  while ((opt = getopt_long(argc, argv, ":m:d:f:h", kLongOptions, nullptr)) != -1) {
    const std::string arg = optarg != nullptr ? optarg : std::string();  // the option's value
    const std::string letter(1, static_cast<char>(optopt));  // a short option gone wrong
    switch (opt) {
      case 'm':
        if (std::optional<MakerChoice> maker = ParseMaker(arg)) {
          options.maker = *maker;
        } else {
          return UsageError("unknown maker '" + arg +
                            "'; valid makers: " + JoinList(MakerIds(false), ", ") +
                            ", any, or a name that --list-makers prints");
        }
        break;
      case 'd':
        if (std::optional<DecadeChoice> decade = ParseDecade(arg)) {
          options.decade = *decade;
        } else {
          return UsageError("unknown decade '" + arg +
                            "'; valid decades: " + JoinList(DecadeNames(), ", ") + ", all");
        }
        break;
      case kToday:
        today = ParseDate(arg);
        if (!today) return UsageError("invalid date '" + arg + "'; give it as YYYY-MM-DD");
        break;
      case kInput:
        if (arg != "lines" && arg != "csv") {
          return UsageError("unknown input '" + arg + "'; valid inputs: lines or csv");
        }
        options.input = arg == "csv" ? InputKind::kCsv : InputKind::kLines;
        break;
      case kCodeColumn:
        options.code_column = arg;
        break;
      case kMakerColumn:
        options.maker_column = arg;
        break;
      case kDecadeColumn:
        options.decade_column = arg;
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
  const bool catalogue = options.input == InputKind::kCsv;
  if (!options.maker.given && !(catalogue && !options.maker_column.empty())) {
    return UsageError("no maker given (-m); valid makers: " + JoinList(MakerIds(false), ", ") +
                      " or any" + (catalogue ? ", or a column of makers (--maker-column)" : ""));
  }
  if (!catalogue && !(options.code_column + options.maker_column + options.decade_column).empty()) {
    return UsageError("columns are named only for a catalogue (--input csv)");
  }
  options.today = today ? *today : Today();
  options.codes.assign(argv + optind, argv + argc);
  return options;
}

}  // namespace varnock::cli
