#include <varnock/code_page.h>

#include <gtest/gtest.h>

#include <string>

namespace varnock {
namespace {

// Bytes 0x80 to 0x9F of the code page and the characters they stand for, in order.
const std::string kHighBytes =
    "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
    "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F";
const std::string kHighCharacters = "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ";

TEST(CodePage, HighBytesAreWindowsCharacters) {
  EXPECT_EQ(CodePageToUtf8(kHighBytes), kHighCharacters);
  EXPECT_EQ(Utf8ToCodePage(kHighCharacters, false), kHighBytes);
}

TEST(CodePage, OtherBytesAreTheirOwnCodePoints) {
  EXPECT_EQ(CodePageToUtf8(std::string("\0\x7F\xA0\xB1\xFF", 5)), std::string("\0\x7F\u00A0±ÿ", 8));
  EXPECT_EQ(Utf8ToCodePage(std::string("\0\x7F\u00A0±ÿ", 8), false),
            std::string("\0\x7F\xA0\xB1\xFF", 5));
}

TEST(CodePage, CharactersOutsideTheCodePage) {
  EXPECT_EQ(ToCodePage(0x9F), '?');  // byte 0x9F is Y with diaeresis
  EXPECT_EQ(ToCodePage(0x100), '?');
  EXPECT_EQ(ToCodePage(0x416), '?');
  EXPECT_EQ(ToCodePage(0x1F4BF), '?');
}

TEST(CodePage, UpperCaseAsAnUpperCaseFieldTurnsEachCharacter) {
  EXPECT_EQ(Utf8ToCodePage("`abyz{", true), "`ABYZ{");
  EXPECT_EQ(Utf8ToCodePage("ßàéö÷øþ", true), "\xDF\xC0\xC9\xD6\xF7\xD8\xDE");
  EXPECT_EQ(Utf8ToCodePage("ÿıœšžſµƒ", true),
            "\x9F"
            "I\x8C\x8A\x8E"
            "S??");
  EXPECT_EQ(Utf8ToCodePage("ÿµ", false), "\xFF\xB5");
  EXPECT_EQ(Utf8ToCodePage("ÀÉŠŸ", true), "\xC0\xC9\x8A\x9F");
}

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::optional<std::string> expected;
};

class Utf8 : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8, ConvertsOrRejects) {
  EXPECT_EQ(Utf8ToCodePage(GetParam().utf8, false), GetParam().expected);
}

// clang-format off: one case a line reads best.
INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8,
    testing::Values(Utf8Case{"Empty", "", ""}, Utf8Case{"SmallestTwoBytes", "\xC2\x80", "?"},
                    Utf8Case{"LargestTwoBytes", "\xDF\xBF", "?"},
                    Utf8Case{"SmallestThreeBytes", "\xE0\xA0\x80", "?"},
                    Utf8Case{"BelowTheSurrogates", "\xED\x9F\xBF", "?"},
                    Utf8Case{"AboveTheSurrogates", "\xEE\x80\x80", "?"},
                    Utf8Case{"LargestThreeBytes", "\xEF\xBF\xBF", "?"},
                    Utf8Case{"SmallestFourBytes", "\xF0\x90\x80\x80", "?"},
                    Utf8Case{"LargestCodePoint", "\xF4\x8F\xBF\xBF", "?"},
                    Utf8Case{"OverlongTwoBytesC0", "\xC0\xAF", std::nullopt},
                    Utf8Case{"OverlongTwoBytesC1", "\xC1\xBF", std::nullopt},
                    Utf8Case{"OverlongThreeBytes", "\xE0\x9F\xBF", std::nullopt},
                    Utf8Case{"OverlongFourBytes", "\xF0\x8F\xBF\xBF", std::nullopt},
                    Utf8Case{"FirstSurrogate", "\xED\xA0\x80", std::nullopt},
                    Utf8Case{"LastSurrogate", "\xED\xBF\xBF", std::nullopt},
                    Utf8Case{"PastTheLastCodePoint", "\xF4\x90\x80\x80", std::nullopt},
                    Utf8Case{"LeadF5", "\xF5\x80\x80\x80", std::nullopt},
                    Utf8Case{"LeadF8", "\xF8\x88\x80\x80\x80", std::nullopt},
                    Utf8Case{"LeadFF", "\xFF", std::nullopt},
                    Utf8Case{"StrayContinuation", "A\x80", std::nullopt},
                    Utf8Case{"TruncatedTwoBytes", "A\xC3", std::nullopt},
                    Utf8Case{"TruncatedThreeBytes", "\xE2\x82", std::nullopt},
                    Utf8Case{"TruncatedFourBytes", "\xF0\x9F\x92", std::nullopt},
                    Utf8Case{"ContinuationMissing",
                             "\xC3"
                             "A",
                             std::nullopt},
                    Utf8Case{"LastContinuationMissing",
                             "\xE2\x82"
                             "A",
                             std::nullopt},
                    Utf8Case{"InvalidAfterTheCut", std::string(130, 'a') + "\xFF", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST(Utf8ToCodePage, CutsToTheFirstCharacters) {
  EXPECT_EQ(Utf8ToCodePage(std::string(200, 'k'), true), std::string(127, 'K'));
  std::string two_byte_letters;
  for (int i = 0; i < 130; ++i) two_byte_letters += "é";
  EXPECT_EQ(Utf8ToCodePage(two_byte_letters, false), std::string(127, '\xE9'));
  EXPECT_EQ(Utf8ToCodePage("abc", false, 2), "ab");
}

}  // namespace
}  // namespace varnock

namespace varnock {
namespace {

TEST(Utf8ToCodePageConverter, CharactersSplitBetweenPieces) {
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
}

TEST(Utf8ToCodePageConverter, InvalidAcrossPiecesAndStartsOverAfterFinish) {
  Utf8ToCodePageConverter converter(false, 2);
  converter.Append("a\xE2\x82");
  converter.Append("A");
  EXPECT_EQ(converter.Finish(), std::nullopt);
  converter.Append("abc\xE2");
  EXPECT_EQ(converter.Finish(), std::nullopt);  // cut short by the end
  converter.Append("abc");
  EXPECT_EQ(converter.Finish(), "ab");
}

}  // namespace
}  // namespace varnock
