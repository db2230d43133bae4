// How the schemes read a cleaned hub code: character classes, numeric fields and the
// scan for a date window. Positions count from 0 at the code's first character.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include <varnock/hub_code_decoder.h>

namespace varnock {

inline constexpr std::string_view kDigits = "0123456789";
inline constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::string_view kMonthLetters = "ABCDEFGHIJKL";

// Whether the character is one of the class's members; lower case belongs to no class.
constexpr bool IsIn(std::string_view members, char c) {
  return members.find(c) != std::string_view::npos;
}

// Whether every character of the text is one of the class's members.
constexpr bool AllIn(std::string_view members, std::string_view text) {
  return text.find_first_not_of(members) == std::string_view::npos;
}

// The field of `width` characters at `pos` (at most the end of the code), read as atoi
// reads those characters alone: white space, a sign, then digits. "X-7Y" at 1, 2 is -7.
inline int ReadField(std::string_view code, std::size_t pos, std::size_t width) {
  return std::atoi(std::string(code.substr(pos, width)).c_str());
}

// Tries every window of `width` characters that fits in the code, leftmost first, and
// returns the first date text that `read_window(p)` gives, or kNoDateMessage.
template <typename ReadWindow>
DecodeResult ScanForWindow(std::string_view code, std::size_t width, ReadWindow read_window) {
  for (std::size_t p = 0; p + width <= code.size(); ++p) {
    if (std::optional<std::string> text = read_window(p)) {
      return DecodeResult::Date(std::move(*text));
    }
  }
  return DecodeResult::Error(kNoDateMessage);
}

}  // namespace varnock
