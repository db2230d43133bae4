// What varnock-cli needs of the operating system: the standard streams as bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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

// Something to read: standard input, or a file named on the command line.
struct Input {
  std::intptr_t handle;
  std::string name;  // for messages: "standard input" or the file's name
};
Input StandardInput();
// The file named in UTF-8, or nullopt after saying on standard error why it cannot be read.
std::optional<Input> OpenInput(const std::string& path);
void CloseInput(const Input& input);  // one that OpenInput gave

// Reads into as much of `into` as the input has ready: the count, 0 at the end of the
// input, or -1 after reporting the failure on standard error.
std::ptrdiff_t ReadInput(const Input& input, std::span<char> into);

// Writes all of `text`; on kFailed, `reason` says why.
WriteResult WriteAll(Stream stream, std::string_view text, std::string& reason);

}  // namespace varnock::cli
