// The single-byte Windows ANSI code page (1252) that the decoder's texts are held in,
// and its conversion from and to Unicode. Every front end converts through here, so the
// same keystrokes give the same bytes whichever front end they were typed into.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varnock {

// What a character that the code page cannot hold becomes; it belongs to no class.
inline constexpr char kUnmappableByte = '?';

// The longest text a front end hands to the decoder, in characters.
inline constexpr std::size_t kMaxInputChars = 127;

// The code page's byte for the code point: U+00B1 is 0xB1, U+20AC is 0x80, U+0416 is '?'.
char ToCodePage(char32_t c);

// The byte of the code point's upper-case form, as an upper-case input field turns each
// typed letter (one character for one): 'k' is 'K', U+00E9 is 0xC9, U+00FF is 0x9F.
char ToCodePageUpper(char32_t c);

// The code point of the UTF-8 sequence at the start of `text` and its length in bytes;
// length 0 where no valid sequence starts there (a stray or missing continuation byte,
// an overlong form, a surrogate, a code point past U+10FFFF, or an empty text).
struct Utf8Char {
  char32_t code_point;
  std::size_t length;
};
Utf8Char NextUtf8Char(std::string_view text);

// Converts UTF-8 to the code page as it arrives in pieces (a line read block by block):
// a character may be split between two pieces. Keeps only the first `max_chars`
// characters, letters turned to upper case where `upper` is set.
class Utf8ToCodePageConverter {
 public:
  explicit Utf8ToCodePageConverter(bool upper, std::size_t max_chars = kMaxInputChars)
      : upper_(upper), max_chars_(max_chars) {}

  void Append(std::string_view utf8);
  // The text appended since the last Finish, or nullopt when it was not valid UTF-8.
  // The text stays valid until the next Append or Finish.
  std::optional<std::string_view> Finish();

 private:
  void Convert(std::string_view utf8);
  void StartOver();

  bool upper_;
  std::size_t max_chars_;
  std::string out_;
  std::string carry_;  // the first bytes of a character whose rest is still to come
  bool valid_ = true;
  bool finished_ = false;  // out_ is what the last Finish returned
};

// The UTF-8 text in the code page, cut to its first `max_chars` characters, letters
// turned to upper case where `upper` is set; nullopt when the text is not valid UTF-8.
std::optional<std::string> Utf8ToCodePage(std::string_view utf8, bool upper,
                                          std::size_t max_chars = kMaxInputChars);

// The code page's text in UTF-8.
std::string CodePageToUtf8(std::string_view text);

}  // namespace varnock
