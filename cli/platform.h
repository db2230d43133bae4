// What varnock-cli needs of the operating system: the standard streams as bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnock::cli {

enum class Stream { kOutput, kError };

enum class WriteResult {
  kWritten,
  kClosed,  // the reader went away (a closed pipe): not worth a word
  kFailed,
};

// The program, once the platform has its arguments in UTF-8 and its streams ready.
int Main(int argc, char** argv);

// Reads up to `size` bytes of standard input into `data`: the count, 0 at the end of
// the input, or -1 after reporting the failure on standard error.
std::ptrdiff_t ReadInput(char* data, std::size_t size);

// Writes all of `text`; on kFailed, `reason` says why.
WriteResult WriteAll(Stream stream, std::string_view text, std::string& reason);

}  // namespace varnock::cli
