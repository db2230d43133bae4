// How schemes read a cleaned hub code: character classes, numeric fields, window scans.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "hub_code_decoder.h"

namespace varnock {

inline constexpr std::string_view kDigits = "0123456789";
inline constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::string_view kMonthLetters = "ABCDEFGHIJKL";
// What atoi skips before a number.
inline constexpr std::string_view kAtoiSpace = " \t\n\v\f\r";

// A class string as a byte lookup, so a membership test is one load.
class CharClass {
 public:
  constexpr explicit CharClass(std::string_view members) {
    for (char c : members) members_[static_cast<unsigned char>(c)] = true;
  }
  constexpr bool Contains(char c) const { return members_[static_cast<unsigned char>(c)]; }

 private:
  std::array<bool, 256> members_{};
};

inline constexpr CharClass kDigitClass{kDigits};
inline constexpr CharClass kLetterClass{kLetters};
inline constexpr CharClass kMonthLetterClass{kMonthLetters};
inline constexpr CharClass kAtoiSpaceClass{kAtoiSpace};

static_assert(kDigitClass.Contains('0') && kDigitClass.Contains('9') && !kDigitClass.Contains('/'));
static_assert(kMonthLetterClass.Contains('L') && !kMonthLetterClass.Contains('M'));
static_assert(!kLetterClass.Contains('a') && !kLetterClass.Contains('\0'));

// Whether the character at `pos` is in the class; a position at or past the end of the
// code belongs to no class.
constexpr bool InClass(std::string_view code, std::size_t pos, const CharClass& char_class) {
  return pos < code.size() && char_class.Contains(code[pos]);
}

// The fixed-width field at `pos`, read the way atoi reads its own characters alone:
// leading white space, an optional sign, digits up to the first non-digit; no digits
// read as 0. The field stops at the end of the code. ReadField("X-7Y", 1, 2) is -7.
constexpr int ReadField(std::string_view code, std::size_t pos, std::size_t width) {
  std::string_view field = pos < code.size() ? code.substr(pos, width) : std::string_view{};
  std::size_t i = 0;
  while (i < field.size() && kAtoiSpaceClass.Contains(field[i])) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  int value = 0;  // at most three digits: 0..999
  for (; i < field.size() && kDigitClass.Contains(field[i]); ++i) value = value * 10 + (field[i] - '0');
  return negative ? -value : value;
}

static_assert(ReadField("KC15", 2, 2) == 15);
static_assert(ReadField("X-7Y", 1, 2) == -7);
static_assert(ReadField("1 2", 0, 3) == 1 && ReadField(" 12", 0, 3) == 12);
static_assert(ReadField("AB", 1, 2) == 0 && ReadField("AB", 5, 2) == 0);

// Tries every window of `width` characters that fits in the code, leftmost first, and
// returns the first date text that `read_window(p)` gives, or kNoDateMessage: the scan
// of every scheme that searches the code for its date.
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
