// varnock-cli: the dialog's decoder for batches and scripts.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include <varnock/code_page.h>
#include <varnock/hub_code_decoder.h>

#include "cli_options.h"
#include "line_reader.h"
#include "output.h"
#include "platform.h"
#include "record_writer.h"

namespace varnock::cli {
namespace {

constexpr std::string_view kNotUtf8Message = "the code is not valid UTF-8";

// The code as given, for the formats that echo it, held once however long the line: a
// large block grows in place through realloc, where a std::string copies itself as it
// grows and may touch nearly twice the line (bench/cli_memory.sh).
class CodeBuffer {
 public:
  void Append(std::string_view piece) {
    if (piece.empty()) return;  // realloc to nothing would free the block
    void* grown = std::realloc(data_.get(), size_ + piece.size());
    if (grown == nullptr) throw std::bad_alloc();
    (void)data_.release();
    data_.reset(static_cast<char*>(grown));
    std::copy(piece.begin(), piece.end(), data_.get() + size_);
    size_ += piece.size();
  }
  std::string_view view() const { return {data_.get(), size_}; }
  void Clear() { size_ = 0; }

 private:
  struct Free {
    void operator()(char* data) const { std::free(data); }
  };
  std::unique_ptr<char, Free> data_;
  std::size_t size_ = 0;
};

// Decodes codes of the chosen maker, each given in one piece or more, into records.
class BatchDecoder {
 public:
  BatchDecoder(const CliOptions& options, RecordWriter& writer)
      : options_(options),
        writer_(writer),
        maker_name_(CodePageToUtf8(Info(options.maker).name)),
        echo_(options.format != Format::kText) {}

  void Append(std::string_view piece) {
    typed_.Append(piece);
    if (echo_) code_.Append(piece);
  }

  // Decodes the code under each decade asked for, as the dialog would for the same
  // keystrokes: upper case, the first 127 characters. False if any gave no date.
  bool EndCode() {
    const std::optional<std::string_view> typed = typed_.Finish();
    bool all_dates = true;
    for (Decade decade : options_.decades) {
      Record record{code_.view(), maker_name_, decade, false, kNotUtf8Message};
      std::optional<DateText> date;
      if (typed) {
        const DecodedDate decoded = HubCodeDecoder::DecodeDate(options_.maker, decade, *typed);
        record.is_date = decoded.kind == DecodeResult::Kind::Date;
        record.text = record.is_date ? date.emplace(decoded.date).view() : decoded.message;
      }
      all_dates = all_dates && record.is_date;
      writer_.Write(record);
    }
    code_.Clear();
    return all_dates;
  }

 private:
  const CliOptions& options_;
  RecordWriter& writer_;
  std::string maker_name_;  // UTF-8
  bool echo_;               // the records show the code as given, so it is kept whole
  Utf8ToCodePageConverter typed_{/*upper=*/true};
  CodeBuffer code_;
};

int Run(int argc, char** argv) {
  Output out;
  const std::variant<CliOptions, EarlyExit> parsed = ParseCommandLine(argc, argv);
  if (const auto* early = std::get_if<EarlyExit>(&parsed)) {
    std::string reason;
    WriteAll(Stream::kError, early->err, reason);
    out.Write(early->out);
    return out.Flush() ? early->status : 1;
  }
  const CliOptions& options = std::get<CliOptions>(parsed);
  RecordWriter writer(options.format, options.all_decades, out);
  BatchDecoder batch(options, writer);
  writer.WriteHeader();

  bool all_dates = true;
  for (const std::string& code : options.codes) {
    batch.Append(code);
    all_dates = batch.EndCode() && all_dates;
  }
  if (options.codes.empty()) {
    LineReader lines;
    while (!out.failed()) {
      const std::optional<LineReader::Piece> piece = lines.Next();
      if (!piece) break;
      batch.Append(piece->text);
      if (piece->ends_line) all_dates = batch.EndCode() && all_dates;
      // Records of what came so far go out before the wait for more, so that codes
      // typed or trickling in through a pipe are answered line by line.
      if (!lines.buffered()) out.Flush();
    }
    all_dates = all_dates && !lines.failed();
  }
  return out.Flush() && all_dates ? 0 : 1;
}

}  // namespace

int Main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::string reason;
    WriteAll(Stream::kError, "varnock-cli: out of memory\n", reason);
    return 1;
  }
}

}  // namespace varnock::cli
