#include "code_page.h"

#include <gtest/gtest.h>

#include <string>

#include "makers.h"

namespace varnock {
namespace {

struct ConvertCase {
  const char* name;
  std::string utf8;
  bool upper;
  std::optional<std::string> expected;
};

class Utf8ToCodePageTest : public testing::TestWithParam<ConvertCase> {};

TEST_P(Utf8ToCodePageTest, Converts) {
  EXPECT_EQ(Utf8ToCodePage(GetParam().utf8, GetParam().upper), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8ToCodePageTest,
    testing::Values(
        ConvertCase{"AsciiKept", "kc15", false, "kc15"},
        ConvertCase{"AsciiUpper", "kc 15!", true, "KC 15!"},
        ConvertCase{"PlusMinus", "DVD\xC2\xB1R", false, "DVD\xB1R"},
        ConvertCase{"EuroSign", "\xE2\x82\xAC", false, "\x80"},
        ConvertCase{"LatinLowerToUpper", "\xC3\xA9\xC3\xBE", true, "\xC9\xDE"},
        ConvertCase{"DivisionSignHasNoCase", "\xC3\xB7", true, "\xF7"},
        ConvertCase{"YDiaeresisUpperIsInTheHighRow", "\xC3\xBF", true, "\x9F"},
        ConvertCase{"DotlessIUpperIsI", "\xC4\xB1", true, "I"},
        ConvertCase{"MicroSignUpperIsGreek", "\xC2\xB5", true, "?"},
        ConvertCase{"MicroSignKeptWithoutUpper", "\xC2\xB5", false, "\xB5"},
        ConvertCase{"CyrillicIsUnmappable", "\xD0\xB6", true, "?"},
        ConvertCase{"AstralIsOneUnmappableByte", "\xF0\x9F\x92\xBF", false, "?"},
        ConvertCase{"NulKept", std::string("A\0B", 3), false, std::string("A\0B", 3)},
        ConvertCase{"CutTo127Characters", std::string(200, 'a'), true, std::string(127, 'A')},
        ConvertCase{"StrayContinuation", "A\x80", false, std::nullopt},
        ConvertCase{"TruncatedSequence", "A\xC3", false, std::nullopt},
        ConvertCase{"OverlongSlash", "\xC0\xAF", false, std::nullopt},
        ConvertCase{"OverlongThreeBytes", "\xE0\x80\xAF", false, std::nullopt},
        ConvertCase{"Surrogate", "\xED\xA0\x80", false, std::nullopt},
        ConvertCase{"BeyondUnicode", "\xF4\x90\x80\x80", false, std::nullopt},
        ConvertCase{"InvalidAfterTheCutStillInvalid", std::string(130, 'a') + "\xFF", false,
                    std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8ToCodePage, CutCountsCharactersNotBytes) {
  std::string utf8;
  for (int i = 0; i < 130; ++i) utf8 += "\xC3\xA9";  // e acute, two bytes each
  EXPECT_EQ(Utf8ToCodePage(utf8, false), std::string(127, '\xE9'));
}

TEST(CodePage, EveryByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCodePage(CodePageToUtf8(byte), false), byte) << b;
  }
}

TEST(CodePage, MakerNamesRoundTripThroughUtf8) {
  for (const MakerInfo& info : kMakers) {
    EXPECT_EQ(Utf8ToCodePage(CodePageToUtf8(info.name), false), std::string(info.name));
  }
  EXPECT_EQ(CodePageToUtf8(Info(Maker::kMccDvd).name),
            "Mitsubishi Chemical Corporation [DVD\xC2\xB1R]");
}

}  // namespace
}  // namespace varnock
