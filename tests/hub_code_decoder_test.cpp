#include <varnock/hub_code_decoder.h>

#include <gtest/gtest.h>

#include <varnock/makers.h>

#include <string>

#include "texts.h"

namespace varnock {
namespace {

constexpr Decade D0 = Decade::kNone, D90 = Decade::k1990s, D00 = Decade::k2000s,
                 D10 = Decade::k2010s, D20 = Decade::k2020s;

// What a decode should give: one of the three messages is an Error, empty is None, and
// any other text is a Date.
DecodeResult Expected(std::string_view text) {
  if (text.empty()) return {};
  if (text == kNoDate || text == kNoDateNote || text == kNoDecade) return DecodeResult::Error(text);
  return DecodeResult::Date(std::string(text));
}

struct DecodeCase {
  const char* name;
  const char* maker;  // a short id, or the text of the maker list
  Decade decade;
  std::string code;
  std::string_view expected;
};

class Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, GivesTheExpectedResult) {
  const DecodeCase& c = GetParam();
  const std::optional<Maker> maker = FindMakerById(c.maker);  // else a name, or none
  EXPECT_EQ(maker ? HubCodeDecoder::Decode(maker, c.decade, c.code)
                  : HubCodeDecoder::Decode({c.maker, c.decade, c.code}),
            Expected(c.expected));
}

std::string Name(const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Decode, testing::Values(
    DecodeCase{"Routing_BlanksRemoved", "cmc", D0, " K C 1 5 ", "March 15th, 2006"},
    DecodeCase{"Routing_BlanksRemovedFromALongCode", "cmc", D0, std::string(200, 'X') + " K C 1 5", "March 15th, 2006"},
    DecodeCase{"Routing_TabsKept", "cmc", D0, "K\tC15", kNoDate},
    DecodeCase{"Routing_DecadeAskedBeforeTheCodeIsRead", "mbi", D0, "", kNoDecade},
    DecodeCase{"Routing_EmptyMakerWithoutDecade", "", D0, "KC15", kNoDecade},
    DecodeCase{"Routing_UnknownMakerWithoutDecade", "Verbatim", D0, "KC15", kNoDecade},
    DecodeCase{"Routing_EmptyMakerWithDecade", "", D00, "KC15", ""},
    DecodeCase{"Routing_UnknownMakerWithDecade", "Verbatim", D00, "KC15", ""},
    DecodeCase{"Routing_NamesAreCaseSensitive", "cmc magnetics", D00, "KC15", ""},
    DecodeCase{"Routing_TrailingBlankInName", "CMC Magnetics ", D00, "KC15", ""},
    DecodeCase{"Routing_DvdNameInUtf8IsNoKey", "Mitsubishi Chemical Corporation [DVD\xC2\xB1R]", D20, "MK1", ""},
    // Window: year letter, month letter A-L, two digits of day 0..31.
    DecodeCase{"LetterMonth_FirstLetters", "cmc", D0, "AA01", "January 1st, 1996"},
    DecodeCase{"LetterMonth_LastLetters", "cmc", D0, "ZL31", "December 31st, 2021"},
    DecodeCase{"LetterMonth_YearNotALetter", "cmc", D0, "1C15", kNoDate},
    DecodeCase{"LetterMonth_YearLowerCase", "cmc", D0, "kC15", kNoDate},
    DecodeCase{"LetterMonth_YearByteAbove127", "cmc", D0, "\xFF" "C15", kNoDate},
    DecodeCase{"LetterMonth_YearByteWithALettersLowBits", "cmc", D0, "\xCB" "C15", kNoDate},
    DecodeCase{"LetterMonth_MonthByteWithALettersLowBits", "cmc", D0, "K\xC3" "15", kNoDate},
    DecodeCase{"LetterMonth_DayByteWithADigitsLowBits", "cmc", D0, "KC\xB1" "5", kNoDate},
    DecodeCase{"LetterMonth_LongerThanAFrontEndHandsOver", "cmc", D0, std::string(300, 'X') + "KC15",
               "March 15th, 2006"},
    DecodeCase{"LetterMonth_MonthPastL", "cmc", D0, "KM15", kNoDate},
    DecodeCase{"LetterMonth_MonthNotALetter", "cmc", D0, "K315", kNoDate},
    DecodeCase{"LetterMonth_DayTensNotADigit", "cmc", D0, "KCX5", kNoDate},
    DecodeCase{"LetterMonth_DayUnitsNotADigit", "cmc", D0, "KC1X", kNoDate},
    DecodeCase{"LetterMonth_DigitAfterTheDay", "cmc", D0, "KC151", "March 15th, 2006"},
    DecodeCase{"LetterMonth_Day32", "cmc", D0, "KC32", kNoDate},
    DecodeCase{"LetterMonth_Day31OfAShortMonth", "cmc", D0, "AB31", "February 31st, 1996"},
    DecodeCase{"LetterMonth_Day00", "cmc", D0, "ZA00", "January , 2021"},
    DecodeCase{"LetterMonth_DayPastTheEnd", "cmc", D0, "XXKC1", kNoDate},
    DecodeCase{"LetterMonth_WindowAtTheEnd", "cmc", D0, "XKC15", "March 15th, 2006"},
    DecodeCase{"LetterMonth_ScanGoesOnPastADay45", "cmc", D0, "KC45KD16", "April 16th, 2006"},
    DecodeCase{"LetterMonth_LeftmostWindowWins", "cmc", D0, "KC15KD16", "March 15th, 2006"},
    DecodeCase{"LetterMonth_Empty", "cmc", D0, "", kNoDate},
    // Window: letter, any year character, two-digit month 1..12, three ignored characters,
    // a day field 0..31 read as atoi reads it.
    DecodeCase{"OffsetDay_YearA", "daxon", D0, "XA01ABC01", "January 1st, 1999"},
    DecodeCase{"OffsetDay_YearZ", "daxon", D0, "XZ01ABC01", "January 1st, 2024"},
    DecodeCase{"OffsetDay_YearFromAByteAbove127", "daxon", D0, "X\xB1" "12ABC25", "December 25th, 1855"},
    DecodeCase{"OffsetDay_LetterNotALetter", "daxon", D0, "1F12ABC25", kNoDate},
    DecodeCase{"OffsetDay_MonthTensNotADigit", "daxon", D0, "XFX2ABC25", kNoDate},
    DecodeCase{"OffsetDay_MonthUnitsNotADigit", "daxon", D0, "XF1XABC25", kNoDate},
    DecodeCase{"OffsetDay_Month13", "daxon", D0, "XF13ABC25", kNoDate},
    DecodeCase{"OffsetDay_Month00", "daxon", D0, "XF00ABC25", kNoDate},
    DecodeCase{"OffsetDay_DigitAfterTheMonth", "daxon", D0, "XF125BC25", "December 25th, 2004"},
    DecodeCase{"OffsetDay_Day32", "daxon", D0, "XF12ABC32", kNoDate},
    DecodeCase{"OffsetDay_DigitAfterTheDay", "daxon", D0, "XF12ABC251", "December 25th, 2004"},
    DecodeCase{"OffsetDay_DayMinus1", "daxon", D0, "XF12ABC-1", kNoDate},
    DecodeCase{"OffsetDay_Day31", "daxon", D0, "XF02ABC31", "February 31st, 2004"},
    DecodeCase{"OffsetDay_Day00", "daxon", D0, "XF12ABC00", "December , 2004"},
    DecodeCase{"OffsetDay_DayWithoutDigits", "daxon", D0, "XF12ABCX5", "December , 2004"},
    DecodeCase{"OffsetDay_DayAfterATab", "daxon", D0, "XF12ABC\t7", "December 7th, 2004"},
    DecodeCase{"OffsetDay_DayAfterAVerticalTab", "daxon", D0, "XF12ABC\v7", "December 7th, 2004"},
    DecodeCase{"OffsetDay_DayAfterAHighByte", "daxon", D0, "XF12ABC\x89" "7", "December , 2004"},
    DecodeCase{"OffsetDay_DayCutByTheEnd", "daxon", D0, "ABCXF12ABC7", "December 7th, 2004"},
    DecodeCase{"OffsetDay_DayPastTheEnd", "daxon", D0, "ABCDXF12ABC", "December , 2004"},
    DecodeCase{"OffsetDay_WindowTooNearTheEnd", "daxon", D0, "ABCDEXF12AB", kNoDate},
    DecodeCase{"OffsetDay_EightCharacters", "daxon", D0, "XF12ABC2", kNoDate},
    DecodeCase{"OffsetDay_ScanGoesOnPastAMonth13", "daxon", D0, "XA13ABC25XB01ABC02", "January 2nd, 2000"},
    // Window: year digit, month 1..12, day 0..31, all five digits.
    DecodeCase{"FiveDigit_YearNotADigit", "ritek", D00, "X0615", kNoDate},
    DecodeCase{"FiveDigit_MonthTensNotADigit", "ritek", D00, "5X615", kNoDate},
    DecodeCase{"FiveDigit_MonthUnitsNotADigit", "ritek", D00, "50X15", kNoDate},
    DecodeCase{"FiveDigit_DayTensNotADigit", "ritek", D00, "506X5", kNoDate},
    DecodeCase{"FiveDigit_DayUnitsNotADigit", "ritek", D00, "5061X", kNoDate},
    DecodeCase{"FiveDigit_Month13", "ritek", D00, "51315", kNoDate},
    DecodeCase{"FiveDigit_Month00", "ritek", D00, "50015", kNoDate},
    DecodeCase{"FiveDigit_Month01Day31", "ritek", D00, "00131", "January 31st, 2000"},
    DecodeCase{"FiveDigit_Month12Day00", "ritek", D00, "91200", "December , 2009"},
    DecodeCase{"FiveDigit_Day32", "ritek", D00, "50632", kNoDate},
    DecodeCase{"FiveDigit_DigitsRunToTheEnd", "ritek", D00, "X1125", kNoDate},
    DecodeCase{"FiveDigit_FourDigits", "optodisc", D00, "4123", kNoDate},
    DecodeCase{"FiveDigit_ImplausibleWindowsPassedOver", "ritek", D00, "1234567", kNoDate},
    DecodeCase{"FiveDigit_LeftmostPlausibleWindowWins", "ritek", D00, "9990101", "January 1st, 2009"},
    DecodeCase{"FiveDigit_WindowAtTheEnd", "mjc", D10, "X41231", "December 31st, 2014"},
    DecodeCase{"FiveDigit_WindowBeforeALetter", "mjc", D10, "41231X", "December 31st, 2014"},
    // One year digit: place 1 for CD-R in the 1990s, 3 for Taiyo Yuden and DVD, else 2.
    DecodeCase{"YearDigit_TdkFirstPlaceIsNotLooked", "tdk", D00, "4AB", kNoDate},
    DecodeCase{"YearDigit_TdkDigitZero", "tdk", D10, "X0X", "2010"},
    DecodeCase{"YearDigit_TdkDigitNine", "tdk", D10, "X9X", "2019"},
    DecodeCase{"YearDigit_TdkTwoCharacters", "tdk", D00, "A4", kNoDate},
    DecodeCase{"YearDigit_CdrFirstPlaceIn1990s", "mcc-cdr", D90, "7AB", "1997"},
    DecodeCase{"YearDigit_CdrNeedsThreeCharacters", "mcc-cdr", D90, "7A", kNoDate},
    DecodeCase{"YearDigit_CdrSecondPlaceIn2000s", "mcc-cdr", D00, "7AB", kNoDate},
    DecodeCase{"YearDigit_CdrSecondPlaceIn2010s", "mcc-cdr", D10, "X3Y", "2013"},
    DecodeCase{"YearDigit_TaiyoYudenSecondPlaceIsNotLooked", "taiyo-yuden", D00, "T8Y", kNoDate},
    DecodeCase{"YearDigit_DvdThirdPlace", "mcc-dvd", D20, "MK9", "2029"},
    DecodeCase{"YearDigit_DvdSecondPlaceIsNotLooked", "mcc-dvd", D20, "M9K", kNoDate},
    // Fixed fields: year digit and a three-digit day of the year 1..365 (366 in leap years).
    DecodeCase{"DayOfYear_LeapDay", "mbi", D00, "4060", "February 29th, 2004"},
    DecodeCase{"DayOfYear_Day60OfACommonYear", "mbi", D10, "5060", "March 1st, 2015"},
    DecodeCase{"DayOfYear_Day1", "kodak", D90, "9001", "January 1st, 1999"},
    DecodeCase{"DayOfYear_Day366OfALeapYear", "prodisc", D00, "0366", "December 31st, 2000"},
    DecodeCase{"DayOfYear_Day0", "kodak", D00, "5000", kNoDateNote},
    DecodeCase{"DayOfYear_ThreeDigits", "mbi", D00, "123", kNoDateNote},
    DecodeCase{"DayOfYear_YearNotADigit", "mitsui", D00, "X123", kNoDateNote},
    DecodeCase{"DayOfYear_DayHundredsNotADigit", "mitsui", D00, "5X23", kNoDateNote},
    DecodeCase{"DayOfYear_DayTensNotADigit", "mitsui", D00, "51A3", kNoDateNote},
    DecodeCase{"DayOfYear_DayUnitsNotADigit", "mitsui", D00, "512X", kNoDateNote},
    DecodeCase{"DayOfYear_FifthDigitIgnored", "mbi", D00, "51234", "May 3rd, 2005"},
    DecodeCase{"DayOfYear_LetterAfterTheFourDigits", "mbi", D00, "5123X", "May 3rd, 2005"},
    DecodeCase{"DayOfYear_NoScan", "mbi", D00, "X5123", kNoDateNote}),
    Name);
// clang-format on

// Every maker under every decade, with one code each: the decade rule, the routing to
// the maker's scheme and the scheme's use of the decade, and the maker's short id.
TEST(DecodeEveryMaker, UnderEveryDecade) {
  // clang-format off
  const struct { const char* id; const char* maker; const char* code; std::string_view expected[5]; } rows[] = {
      {"cmc", "CMC Magnetics", "KC15", {"March 15th, 2006", "March 15th, 2006", "March 15th, 2006", "March 15th, 2006", "March 15th, 2006"}},
      {"daxon", "Daxon Technology", "XF12ABC25", {"December 25th, 2004", "December 25th, 2004", "December 25th, 2004", "December 25th, 2004", "December 25th, 2004"}},
      {"kodak", "Eastman Kodak Company", "5123", {kNoDecade, "May 3rd, 1995", "May 3rd, 2005", "May 3rd, 2015", "May 3rd, 2025"}},
      {"mcc-cdr", "Mitsubishi Chemical Corporation [CD-R]", "567", {kNoDecade, "1995", "2006", "2016", "2026"}},
      {"mcc-dvd", "Mitsubishi Chemical Corporation [DVD\xB1R]", "567", {kNoDecade, "1997", "2007", "2017", "2027"}},
      {"mitsui", "Mitsui Toatsu Chemicals + MAM-E", "5123", {kNoDecade, "May 3rd, 1995", "May 3rd, 2005", "May 3rd, 2015", "May 3rd, 2025"}},
      {"mjc", "MJC Pte Ltd (Singapore)", "50615", {kNoDecade, "June 15th, 1995", "June 15th, 2005", "June 15th, 2015", "June 15th, 2025"}},
      {"mbi", "Moser Baer India", "5123", {kNoDecade, "May 3rd, 1995", "May 3rd, 2005", "May 3rd, 2015", "May 3rd, 2025"}},
      {"optodisc", "Optodisc Technology", "50615", {kNoDecade, "June 15th, 1995", "June 15th, 2005", "June 15th, 2015", "June 15th, 2025"}},
      {"prodisc", "Prodisc", "5123", {kNoDecade, "May 3rd, 1995", "May 3rd, 2005", "May 3rd, 2015", "May 3rd, 2025"}},
      {"ritek", "Ritek Corporation", "50615", {kNoDecade, "June 15th, 1995", "June 15th, 2005", "June 15th, 2015", "June 15th, 2025"}},
      {"taiyo-yuden", "Taiyo Yuden", "567", {kNoDecade, "1997", "2007", "2017", "2027"}},
      {"tdk", "TDK Corporation (Luxembourg)", "567", {kNoDecade, "1996", "2006", "2016", "2026"}},
  };
  // clang-format on
  ASSERT_EQ(std::size(rows), kMakers.size());
  for (const auto& row : rows) {
    EXPECT_EQ(FindMakerById(row.id), FindMakerByName(row.maker)) << row.id;
    const Decade decades[] = {D0, D90, D00, D10, D20};
    for (std::size_t i = 0; i < std::size(decades); ++i) {
      EXPECT_EQ(HubCodeDecoder::Decode({row.maker, decades[i], row.code}),
                Expected(row.expected[i]))
          << row.id << " " << DecadeYear(decades[i]);
    }
  }
  EXPECT_EQ(FindMakerById("CMC"), std::nullopt);  // ids are lower case
}

}  // namespace
}  // namespace varnock
