// varnock-cli: the dialog's decoder for batches and scripts.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "cli_options.h"
#include <varnock/code_page.h>
#include <varnock/hub_code_decoder.h>
#include "record_writer.h"

namespace varnock::cli {
namespace {

constexpr std::string_view kNotUtf8Message = "the code is not valid UTF-8";
constexpr std::size_t kReadChunk = 1 << 20;

// Standard output. A closed pipe ends the run quietly, as it does for other Unix tools;
// any other write failure is reported.
class Output {
 public:
  bool failed() const { return failed_; }

  void Write(std::string_view text) {
    while (!text.empty() && !failed_) {
      const ssize_t written = ::write(STDOUT_FILENO, text.data(), text.size());
      if (written >= 0) {
        text.remove_prefix(static_cast<std::size_t>(written));
      } else if (errno != EINTR) {
        if (errno != EPIPE) {
          std::fprintf(stderr, "varnock-cli: cannot write: %s\n", std::strerror(errno));
        }
        failed_ = true;
      }
    }
  }

 private:
  bool failed_ = false;
};

// Decodes codes of the chosen maker into records.
class BatchDecoder {
 public:
  explicit BatchDecoder(const CliOptions& options)
      : options_(options),
        writer_(options.format, options.all_decades),
        maker_name_(CodePageToUtf8(Info(options.maker).name)) {}

  const RecordWriter& writer() const { return writer_; }

  // Decodes one code under each decade asked for, as the dialog would for the same
  // keystrokes: upper case, the first 127 characters. Returns false if any decode
  // gave no date.
  bool Decode(std::string_view code, std::string& out) const {
    const std::optional<std::string> typed = Utf8ToCodePage(code, /*upper=*/true);
    bool all_dates = true;
    for (Decade decade : options_.decades) {
      Record record{code, maker_name_, decade, false, kNotUtf8Message};
      DecodeResult result;
      if (typed) {
        result = HubCodeDecoder::Decode(options_.maker, decade, *typed);
        record.is_date = result.kind == DecodeResult::Kind::Date;
        record.text = result.text;
      }
      all_dates &= record.is_date;
      writer_.Write(record, out);
    }
    return all_dates;
  }

  // Decodes each line of `lines`, every one ending in a newline; a CR before the newline
  // is dropped. Returns false if any decode gave no date.
  bool DecodeLines(std::string_view lines, std::string& out) const {
    bool all_dates = true;
    while (!lines.empty()) {
      const std::size_t end = lines.find('\n');
      std::string_view line = lines.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      all_dates &= Decode(line, out);
      lines.remove_prefix(end + 1);
    }
    return all_dates;
  }

 private:
  const CliOptions& options_;
  RecordWriter writer_;
  std::string maker_name_;  // UTF-8
};

// Decodes standard input, one code a line; the last line needs no newline, and a line
// may be of any length. Returns false if any decode gave no date.
bool DecodeStandardInput(const BatchDecoder& batch, Output& output) {
  std::string buffer(kReadChunk, '\0');
  std::size_t filled = 0;
  std::string out;
  bool all_dates = true;
  while (!output.failed()) {
    if (filled == buffer.size()) buffer.resize(buffer.size() * 2);  // a very long line
    const ssize_t got = ::read(STDIN_FILENO, buffer.data() + filled, buffer.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      std::fprintf(stderr, "varnock-cli: cannot read standard input: %s\n", std::strerror(errno));
      return false;
    }
    if (got == 0) {
      if (filled > 0) {  // the last line, without its newline
        buffer.resize(filled);
        buffer += '\n';
        out.clear();
        all_dates &= batch.DecodeLines(buffer, out);
        output.Write(out);
      }
      break;
    }
    // What came before holds no newline, so only the new bytes need a look: a very long
    // line is scanned once, not again after every read.
    const std::string_view fresh(buffer.data() + filled, static_cast<std::size_t>(got));
    filled += fresh.size();
    const std::size_t newline_in_fresh = fresh.rfind('\n');
    if (newline_in_fresh == std::string_view::npos) continue;
    const std::size_t last_newline = filled - fresh.size() + newline_in_fresh;
    out.clear();
    all_dates &= batch.DecodeLines(std::string_view(buffer.data(), last_newline + 1), out);
    output.Write(out);
    filled -= last_newline + 1;
    std::memmove(buffer.data(), buffer.data() + last_newline + 1, filled);
  }
  return all_dates;
}

int Run(int argc, char** argv) {
  std::variant<CliOptions, EarlyExit> parsed = ParseCommandLine(argc, argv);
  if (const auto* early = std::get_if<EarlyExit>(&parsed)) {
    std::fputs(early->out.c_str(), stdout);
    std::fputs(early->err.c_str(), stderr);
    return early->status;
  }
  const CliOptions& options = std::get<CliOptions>(parsed);
  const BatchDecoder batch(options);
  Output output;
  std::string header;
  batch.writer().WriteHeader(header);
  output.Write(header);

  bool all_dates = true;
  if (options.codes.empty()) {
    all_dates = DecodeStandardInput(batch, output);
  } else {
    std::string out;
    for (const std::string& code : options.codes) all_dates &= batch.Decode(code, out);
    output.Write(out);
  }
  return all_dates && !output.failed() ? 0 : 1;
}

}  // namespace
}  // namespace varnock::cli

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);  // a closed pipe shows up as EPIPE and ends the run
  return varnock::cli::Run(argc, argv);
}
