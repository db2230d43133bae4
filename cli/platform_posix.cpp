#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "platform.h"

namespace varnock::cli {

Input StandardInput() { return {STDIN_FILENO, "standard input"}; }

std::optional<Input> OpenInput(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) return Input{fd, path};
  std::fprintf(stderr, "varnock-cli: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
  return std::nullopt;
}

void CloseInput(const Input& input) { ::close(static_cast<int>(input.handle)); }

std::ptrdiff_t ReadInput(const Input& input, std::span<char> into) {
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(input.handle), into.data(), into.size());
    if (got >= 0) return got;
    if (errno != EINTR) {
      std::fprintf(stderr, "varnock-cli: cannot read %s: %s\n", input.name.c_str(),
                   std::strerror(errno));
      return -1;
    }
  }
}

WriteResult WriteAll(Stream stream, std::string_view text, std::string& reason) {
  const int fd = stream == Stream::kOutput ? STDOUT_FILENO : STDERR_FILENO;
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written >= 0) {
      text.remove_prefix(static_cast<std::size_t>(written));
    } else if (errno == EPIPE) {
      return WriteResult::kClosed;
    } else if (errno != EINTR) {
      reason = std::strerror(errno);
      return WriteResult::kFailed;
    }
  }
  return WriteResult::kWritten;
}

}  // namespace varnock::cli

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);  // a closed pipe shows up as EPIPE and ends the run
  return varnock::cli::Main(argc, argv);
}
