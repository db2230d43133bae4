// Runs varnock-cli on arbitrary arguments and an arbitrary standard input, as a person or
// a script may give them: whatever they are, the run ends with a status of 0, 1 or 2,
// what it writes to standard output ends with a line's end, and a usage error (2) writes
// nothing there. The input's lines before its first NUL are the arguments, the rest
// standard input.
#include <getopt.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fake_streams.h"
#include "platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::size_t end = std::min(text.find('\0'), text.size());
  std::vector<std::string> words = {"varnock-cli"};
  for (std::size_t at = 0, next; at < end; at = next + 1) {
    next = std::min(text.find('\n', at), end);
    words.emplace_back(text.substr(at, next - at));
  }
  varnock::cli::fuzz::Feed(text.substr(std::min(end + 1, size)), /*in_pieces=*/false);
  std::string& written = varnock::cli::fuzz::Written();
  written.clear();
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  optind = 0;  // getopt starts afresh on each run
  const int status = varnock::cli::Main(static_cast<int>(words.size()), argv.data());
  if (status < 0 || status > 2 || (status == 2 && !written.empty()) ||
      (!written.empty() && written.back() != '\n')) {
    std::abort();
  }
  return 0;
}
