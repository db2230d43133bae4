#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform.h"
#include "wide_text.h"

namespace varnock::cli {
namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

// The system's words for the error, without the line end they come with; its number
// where the system has no words for it.
std::string Describe(DWORD error) {
  wchar_t text[512];  // the system's messages are a line or two
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, text, std::size(text), nullptr);
  std::wstring message = length ? std::wstring(text, length) : L"error " + std::to_wstring(error);
  message.erase(message.find_last_not_of(L"\r\n. ") + 1);
  return win32::Narrow(message);
}

}  // namespace

Input StandardInput() {
  return {reinterpret_cast<std::intptr_t>(GetStdHandle(STD_INPUT_HANDLE)), "standard input"};
}

std::optional<Input> OpenInput(const std::string& path) {
  const HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file != INVALID_HANDLE_VALUE) return Input{reinterpret_cast<std::intptr_t>(file), path};
  std::string reason;
  WriteAll(Stream::kError,
           "varnock-cli: cannot open " + path + ": " + Describe(GetLastError()) + "\n", reason);
  return std::nullopt;
}

void CloseInput(const Input& input) { CloseHandle(reinterpret_cast<HANDLE>(input.handle)); }

// A console is read in UTF-16: its bytes would come in the console's own code page.
std::ptrdiff_t ReadInput(const Input& source, std::span<char> into) {
  const auto input = reinterpret_cast<HANDLE>(source.handle);
  DWORD got = 0;
  if (IsConsole(input)) {
    std::vector<wchar_t> typed(into.size() / 3);  // a UTF-16 unit is at most three bytes of UTF-8
    if (ReadConsoleW(input, typed.data(), static_cast<DWORD>(typed.size()), &got, nullptr)) {
      if (got > 0 && typed[0] == L'\x1A') return 0;  // Ctrl+Z, the end of typed input
      const std::string utf8 = win32::Narrow({typed.data(), got});
      std::copy(utf8.begin(), utf8.end(), into.begin());
      return static_cast<std::ptrdiff_t>(utf8.size());
    }
  } else if (ReadFile(input, into.data(),
                      static_cast<DWORD>(std::min<std::size_t>(into.size(), MAXDWORD)), &got,
                      nullptr)) {
    return got;
  }
  const DWORD error = GetLastError();
  if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return 0;  // the writer is done
  std::string reason;
  WriteAll(Stream::kError,
           "varnock-cli: cannot read " + source.name + ": " + Describe(error) + "\n", reason);
  return -1;
}

// Why the last write failed: a reader gone away is no failure worth a word.
static WriteResult WriteFailure(std::string& reason) {
  const DWORD error = GetLastError();
  if (error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA || error == ERROR_PIPE_NOT_CONNECTED) {
    return WriteResult::kClosed;
  }
  reason = Describe(error);
  return WriteResult::kFailed;
}

// Bytes go out as they are, with no line-end translation. A console is written in
// UTF-16; the text always comes in whole characters.
WriteResult WriteAll(Stream stream, std::string_view text, std::string& reason) {
  const HANDLE handle =
      GetStdHandle(stream == Stream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  const auto chunk = [](std::size_t left) {
    return static_cast<DWORD>(std::min<std::size_t>(left, 1 << 20));
  };
  DWORD written = 0;
  if (IsConsole(handle)) {
    const std::wstring wide = win32::Widen(text);
    for (std::size_t done = 0; done < wide.size(); done += written) {
      if (!WriteConsoleW(handle, wide.data() + done, chunk(wide.size() - done), &written,
                         nullptr)) {
        return WriteFailure(reason);
      }
    }
  } else {
    for (std::size_t done = 0; done < text.size(); done += written) {
      if (!WriteFile(handle, text.data() + done, chunk(text.size() - done), &written, nullptr)) {
        return WriteFailure(reason);
      }
    }
  }
  return WriteResult::kWritten;
}

}  // namespace varnock::cli

// Arguments arrive in UTF-16 whatever the ANSI code page, and go on in UTF-8.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(varnock::win32::Narrow(argv[i]));
  std::vector<char*> pointers;
  for (std::string& arg : args) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  return varnock::cli::Main(argc, pointers.data());
}
