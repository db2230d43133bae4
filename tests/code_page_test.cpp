#include <varnock/code_page.h>

#include "json_text.h"

#include <gtest/gtest.h>

#include <string>

namespace varnock {
namespace {

// Bytes 0x80 to 0x9F of the code page and the characters they stand for, in order.
const std::string kHighBytes =
    "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
    "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F";
const std::string kHighCharacters = "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ";

TEST(CodePage, EachByteAndItsCharacterAndUpperCase) {
  EXPECT_EQ(CodePageToUtf8(kHighBytes), kHighCharacters);
  EXPECT_EQ(Utf8ToCodePage(kHighCharacters, false), kHighBytes);
  // The others are their own code points.
  EXPECT_EQ(CodePageToUtf8(std::string("\0\x7F\xA0\xB1\xFF", 5)), std::string("\0\x7F\u00A0±ÿ", 8));
  EXPECT_EQ(Utf8ToCodePage(std::string("\0\x7F\u00A0±ÿ", 8), false),
            std::string("\0\x7F\xA0\xB1\xFF", 5));
  // U+009F is no byte's character: byte 0x9F is Y with diaeresis.
  for (char32_t c : {0x9FU, 0x100U, 0x416U, 0x1F4BFU}) EXPECT_EQ(ToCodePage(c), '?') << +c;
  EXPECT_EQ(Utf8ToCodePage("`abyz{", true), "`ABYZ{");
  // One character at a time, as the converter takes all but runs of ASCII: their edges.
  const std::string one_by_one = {ToCodePage(U'\0'),     ToCodePage(U'\x7F'),
                                  ToCodePageUpper(U'`'), ToCodePageUpper(U'a'),
                                  ToCodePageUpper(U'z'), ToCodePageUpper(U'{')};
  EXPECT_EQ(one_by_one, std::string("\0\x7F`AZ{", 6));
  EXPECT_EQ(NextUtf8Char("\x7F\x80").code_point, U'\x7F');
  EXPECT_EQ(NextUtf8Char("\x7F\x80").length, 1U);
  EXPECT_EQ(Utf8ToCodePage("ßàéö÷øþ", true), "\xDF\xC0\xC9\xD6\xF7\xD8\xDE");
  EXPECT_EQ(Utf8ToCodePage("ÿıœšžſµƒ", true), "\x9FI\x8C\x8A\x8ES??");
  EXPECT_EQ(Utf8ToCodePage("ÿµ", false), "\xFF\xB5");
  EXPECT_EQ(Utf8ToCodePage("ÀÉŠŸ", true), "\xC0\xC9\x8A\x9F");
}

// Valid sequences at each edge of each length, and the rejections that matter.
TEST(Utf8ToCodePage, ConvertsOrRejectsEachSequence) {
  // clang-format off
  const struct { const char* name; std::string utf8; std::optional<std::string> expected; } cases[] = {
      {"empty", "", ""},
      {"smallest of two bytes", "\xC2\x80", "?"},
      {"largest of two bytes", "\xDF\xBF", "?"},
      {"smallest of three bytes", "\xE0\xA0\x80", "?"},
      {"below the surrogates", "\xED\x9F\xBF", "?"},
      {"above the surrogates", "\xEE\x80\x80", "?"},
      {"largest of three bytes", "\xEF\xBF\xBF", "?"},
      {"smallest of four bytes", "\xF0\x90\x80\x80", "?"},
      {"largest code point", "\xF4\x8F\xBF\xBF", "?"},
      {"overlong two bytes C0", "\xC0\xAF", std::nullopt},
      {"overlong two bytes C1", "\xC1\xBF", std::nullopt},
      {"overlong three bytes", "\xE0\x9F\xBF", std::nullopt},
      {"overlong four bytes", "\xF0\x8F\xBF\xBF", std::nullopt},
      {"first surrogate", "\xED\xA0\x80", std::nullopt},
      {"last surrogate", "\xED\xBF\xBF", std::nullopt},
      {"past the last code point", "\xF4\x90\x80\x80", std::nullopt},
      {"lead F5", "\xF5\x80\x80\x80", std::nullopt},
      {"lead F8", "\xF8\x88\x80\x80\x80", std::nullopt},
      {"lead FF", "\xFF", std::nullopt},
      {"stray continuation", "A\x80", std::nullopt},
      {"two bytes cut short", "A\xC3", std::nullopt},
      {"three bytes cut short", "\xE2\x82", std::nullopt},
      {"four bytes cut short", "\xF0\x9F\x92", std::nullopt},
      {"continuation missing", "\xC3" "A", std::nullopt},
      {"last continuation missing", "\xE2\x82" "A", std::nullopt},
      {"invalid after the cut", std::string(130, 'a') + "\xFF", std::nullopt},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(Utf8ToCodePage(c.utf8, false), c.expected) << c.name;
}

TEST(Utf8ToCodePage, CutsToTheFirstCharacters) {
  EXPECT_EQ(Utf8ToCodePage(std::string(200, 'k'), true), std::string(127, 'K'));
  std::string two_byte_letters;
  for (int i = 0; i < 130; ++i) two_byte_letters += "é";
  EXPECT_EQ(Utf8ToCodePage(two_byte_letters, false), std::string(127, '\xE9'));
  EXPECT_EQ(Utf8ToCodePage("abc", false, 2), "ab");
}

TEST(Utf8ToCodePageConverter, PiecesAsAWhole) {
  const std::string text = "é€\U0001F4BFk";  // two, three, four bytes, then one
  Utf8ToCodePageConverter converter(true);
  for (std::size_t i = 0; i <= text.size(); ++i) {
    for (std::size_t j = i; j <= text.size(); ++j) {
      converter.Append(text.substr(0, i));
      converter.Append(text.substr(i, j - i));
      converter.Append(text.substr(j));
      EXPECT_EQ(converter.Finish(), "\xC9\x80?K") << i << " " << j;
    }
  }
  Utf8ToCodePageConverter cut(false, 2);  // invalid across pieces; each Finish starts over
  cut.Append("a\xE2\x82");
  cut.Append("A");
  EXPECT_EQ(cut.Finish(), std::nullopt);
  cut.Append("abc\xE2");
  EXPECT_EQ(cut.Finish(), std::nullopt);  // cut short by the end
  cut.Append("abc");
  EXPECT_EQ(cut.Finish(), "ab");
  cut.Append("a");
  cut.Append("bc");
  EXPECT_EQ(cut.Finish(), "ab");
}

// The page's words go out as JSON: every control character escaped, nothing else.
TEST(JsonText, EscapesQuotesBackslashesAndEveryControlCharacter) {
  EXPECT_EQ(res::JsonString("a\"b\\c\n\x01\x1f\x7f \xC2\xB1"),
            "\"a\\\"b\\\\c\\u000a\\u0001\\u001f\x7f \xC2\xB1\"");
}

}  // namespace
}  // namespace varnock
