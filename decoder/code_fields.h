// How schemes read a cleaned hub code: character classes, numeric fields, window scans.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "hub_code_decoder.h"

namespace varnock {

inline constexpr std::string_view kDigits = "0123456789";
inline constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::string_view kMonthLetters = "ABCDEFGHIJKL";

// Whether the character at `pos` is one of `char_class`; a position at or past the end
// of the code belongs to no class.
constexpr bool InClass(std::string_view code, std::size_t pos, std::string_view char_class) {
  return pos < code.size() && char_class.find(code[pos]) != std::string_view::npos;
}

// The fixed-width field at `pos`, read the way atoi reads its own characters alone:
// leading white space, an optional sign, digits up to the first non-digit; no digits
// read as 0. The field stops at the end of the code. ReadField("X-7Y", 1, 2) is -7.
constexpr int ReadField(std::string_view code, std::size_t pos, std::size_t width) {
  std::string_view field = pos < code.size() ? code.substr(pos, width) : std::string_view{};
  std::size_t i = 0;
  while (i < field.size() && std::string_view(" \t\n\v\f\r").find(field[i]) != std::string_view::npos) {
    ++i;
  }
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  int value = 0;  // at most three digits: 0..999
  for (; i < field.size() && InClass(field, i, kDigits); ++i) value = value * 10 + (field[i] - '0');
  return negative ? -value : value;
}

static_assert(ReadField("KC15", 2, 2) == 15);
static_assert(ReadField("X-7Y", 1, 2) == -7);
static_assert(ReadField("1 2", 0, 3) == 1 && ReadField(" 12", 0, 3) == 12);
static_assert(ReadField("AB", 1, 2) == 0 && ReadField("AB", 5, 2) == 0);

// Tries every window of `width` characters that fits in the code, leftmost first, and
// returns the first text that `read_window(p)` gives: the scan every dating scheme uses.
template <typename ReadWindow>
DecodeResult ScanForWindow(std::string_view code, std::size_t width, ReadWindow read_window,
                           std::string_view not_found = kNoDateMessage) {
  for (std::size_t p = 0; p + width <= code.size(); ++p) {
    if (std::optional<std::string> text = read_window(p)) {
      return DecodeResult::Date(std::move(*text));
    }
  }
  return DecodeResult::Error(not_found);
}

}  // namespace varnock
