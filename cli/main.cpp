// varnock-cli: the dialog's decoder for batches and scripts.
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include <varnock/code_page.h>
#include <varnock/hub_code_decoder.h>

#include "catalogue.h"
#include "cli_options.h"
#include "decoding.h"
#include "line_reader.h"
#include "output.h"
#include "platform.h"
#include "record_writer.h"
#include "short_copy.h"

namespace varnock::cli {
namespace {

// The code as given, for the formats that echo it, held once however long the line: a
// large block grows in place through realloc, where a std::string copies itself as it
// grows and may touch nearly twice the line (bench/cli_memory.sh).
class CodeBuffer {
 public:
  void Append(std::string_view piece) {
    if (piece.size() > capacity_ - size_) {  // grown to the size asked, no more
      void* grown = std::realloc(data_.get(), size_ + piece.size());
      if (grown == nullptr) throw std::bad_alloc();
      (void)data_.release();
      data_.reset(static_cast<char*>(grown));
      capacity_ = size_ + piece.size();
    }
    CopyText(piece, data_.get() + size_);
    size_ += piece.size();
  }
  std::string_view view() const { return {data_.get(), size_}; }
  void Clear() {
    size_ = 0;
    if (capacity_ > kKept) {  // the memory of a long line goes back once it is done
      data_.reset();
      capacity_ = 0;
    }
  }

 private:
  struct Free {
    void operator()(char* data) const { std::free(data); }
  };
  static constexpr std::size_t kKept = 4096;  // kept from one code to the next
  std::unique_ptr<char, Free> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// Decodes codes, each given in one piece or more, into records.
class BatchDecoder {
 public:
  BatchDecoder(const CliOptions& options, RecordWriter& writer)
      : options_(options),
        writer_(writer),
        decoder_(options.today, options.format != Format::kText),
        // The records show the code as given, or the notes on candidates name it.
        echo_(options.format != Format::kText || ListsCandidates(options)) {}

  void Append(std::string_view piece) {
    typed_.Append(piece);
    if (echo_) code_.Append(piece);
  }

  // Decodes the code as the dialog would for the same keystrokes: upper case, the first
  // 127 characters. False if it gave no date.
  bool EndCode() {
    const bool dated = decoder_.Decode(options_.maker, options_.decade, typed_.Finish(),
                                       code_.view(), [this](const Record& r) { writer_.Write(r); });
    code_.Clear();
    return dated;
  }

 private:
  const CliOptions& options_;
  RecordWriter& writer_;
  CodeDecoder decoder_;
  bool echo_;
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
  if (options.input == InputKind::kCsv) return RunCatalogue(options, out);
  RecordWriter writer(options.format, options.decade.given && !options.decade.decade,
                      options.maker.given && !options.maker.maker, out);
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
