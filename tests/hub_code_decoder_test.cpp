#include <varnock/hub_code_decoder.h>

#include <gtest/gtest.h>

#include <varnock/makers.h>

#include <string>

namespace varnock {
namespace {

constexpr std::string_view kNoDate =
    "No date string found in the provided input. Please check the serial code you entered.";
constexpr std::string_view kNoDateNote =
    "No date string found in the provided input. Please check the serial code you entered."
    "\n\nNOTE: If you're trying to decode an MBI serial with 3 digits, the disc is likely made "
    "in 2000 or 2010, therefore you should add a 0 to the beginning.";
constexpr std::string_view kNoDecade =
    "No decade selected. This manufacturer requires a decade estimate.";

constexpr const char* kCmc = "CMC Magnetics";
constexpr const char* kDaxon = "Daxon Technology";
constexpr const char* kKodak = "Eastman Kodak Company";
constexpr const char* kMccCdr = "Mitsubishi Chemical Corporation [CD-R]";
constexpr const char* kMccDvd = "Mitsubishi Chemical Corporation [DVD\xB1R]";
constexpr const char* kMitsui = "Mitsui Toatsu Chemicals + MAM-E";
constexpr const char* kMjc = "MJC Pte Ltd (Singapore)";
constexpr const char* kMbi = "Moser Baer India";
constexpr const char* kOptodisc = "Optodisc Technology";
constexpr const char* kProdisc = "Prodisc";
constexpr const char* kRitek = "Ritek Corporation";
constexpr const char* kTaiyo = "Taiyo Yuden";
constexpr const char* kTdk = "TDK Corporation (Luxembourg)";

constexpr auto D0 = Decade::kNone;
constexpr auto D90 = Decade::k1990s;
constexpr auto D00 = Decade::k2000s;
constexpr auto D10 = Decade::k2010s;
constexpr auto D20 = Decade::k2020s;

// What a decode should give: one of the three messages is an Error, empty is None, and
// any other text is a Date.
DecodeResult Expected(std::string_view text) {
  if (text.empty()) return {};
  if (text == kNoDate || text == kNoDateNote || text == kNoDecade) return DecodeResult::Error(text);
  return DecodeResult::Date(std::string(text));
}

struct DecodeCase {
  const char* name;
  const char* maker;
  Decade decade;
  std::string code;
  std::string_view expected;
};

class Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, GivesTheExpectedResult) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(HubCodeDecoder::Decode({c.maker, c.decade, c.code}), Expected(c.expected));
}

std::string Name(const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Routing, Decode, testing::Values(
    DecodeCase{"BlanksRemoved", kCmc, D0, " K C 1 5 ", "March 15th, 2006"},
    DecodeCase{"TabsKept", kCmc, D0, "K\tC15", kNoDate},
    DecodeCase{"DecadeAskedBeforeTheCodeIsRead", kMbi, D0, "", kNoDecade},
    DecodeCase{"EmptyMakerWithoutDecade", "", D0, "KC15", kNoDecade},
    DecodeCase{"UnknownMakerWithoutDecade", "Verbatim", D0, "KC15", kNoDecade},
    DecodeCase{"EmptyMakerWithDecade", "", D00, "KC15", ""},
    DecodeCase{"UnknownMakerWithDecade", "Verbatim", D00, "KC15", ""},
    DecodeCase{"NamesAreCaseSensitive", "cmc magnetics", D00, "KC15", ""},
    DecodeCase{"TrailingBlankInName", "CMC Magnetics ", D00, "KC15", ""},
    DecodeCase{"DvdNameInUtf8IsNoKey", "Mitsubishi Chemical Corporation [DVD\xC2\xB1R]", D20, "MK1", ""}),
    Name);

// Window: year letter, month letter A-L, two digits of day 0..31.
INSTANTIATE_TEST_SUITE_P(LetterMonth, Decode, testing::Values(
    DecodeCase{"Window", kCmc, D0, "KC15", "March 15th, 2006"},
    DecodeCase{"FirstLetters", kCmc, D0, "AA01", "January 1st, 1996"},
    DecodeCase{"LastLetters", kCmc, D0, "ZL31", "December 31st, 2021"},
    DecodeCase{"YearNotALetter", kCmc, D0, "1C15", kNoDate},
    DecodeCase{"YearLowerCase", kCmc, D0, "kC15", kNoDate},
    DecodeCase{"YearByteAbove127", kCmc, D0, "\xFF" "C15", kNoDate},
    DecodeCase{"MonthPastL", kCmc, D0, "KM15", kNoDate},
    DecodeCase{"MonthNotALetter", kCmc, D0, "K315", kNoDate},
    DecodeCase{"DayTensNotADigit", kCmc, D0, "KCX5", kNoDate},
    DecodeCase{"DayUnitsNotADigit", kCmc, D0, "KC1X", kNoDate},
    DecodeCase{"DigitAfterTheDay", kCmc, D0, "KC151", "March 15th, 2006"},
    DecodeCase{"Day32", kCmc, D0, "KC32", kNoDate},
    DecodeCase{"Day31OfAShortMonth", kCmc, D0, "AB31", "February 31st, 1996"},
    DecodeCase{"Day00", kCmc, D0, "ZA00", "January , 2021"},
    DecodeCase{"DayPastTheEnd", kCmc, D0, "XXKC1", kNoDate},
    DecodeCase{"WindowAtTheEnd", kCmc, D0, "XKC15", "March 15th, 2006"},
    DecodeCase{"WindowBeforeATrailingCharacter", kCmc, D0, "KC15X", "March 15th, 2006"},
    DecodeCase{"ScanGoesOnPastADay45", kCmc, D0, "KC45KD16", "April 16th, 2006"},
    DecodeCase{"LeftmostWindowWins", kCmc, D0, "KC15KD16", "March 15th, 2006"},
    DecodeCase{"Empty", kCmc, D0, "", kNoDate}),
    Name);

// Window: letter, any year character, two-digit month 1..12, three ignored characters,
// a day field 0..31 read as atoi reads it.
INSTANTIATE_TEST_SUITE_P(OffsetDay, Decode, testing::Values(
    DecodeCase{"Window", kDaxon, D0, "XF12ABC25", "December 25th, 2004"},
    DecodeCase{"YearA", kDaxon, D0, "XA01ABC01", "January 1st, 1999"},
    DecodeCase{"YearZ", kDaxon, D0, "XZ01ABC01", "January 1st, 2024"},
    DecodeCase{"YearFromAByteAbove127", kDaxon, D0, "X\xB1" "12ABC25", "December 25th, 1855"},
    DecodeCase{"LetterNotALetter", kDaxon, D0, "1F12ABC25", kNoDate},
    DecodeCase{"MonthTensNotADigit", kDaxon, D0, "XFX2ABC25", kNoDate},
    DecodeCase{"MonthUnitsNotADigit", kDaxon, D0, "XF1XABC25", kNoDate},
    DecodeCase{"Month13", kDaxon, D0, "XF13ABC25", kNoDate},
    DecodeCase{"Month00", kDaxon, D0, "XF00ABC25", kNoDate},
    DecodeCase{"DigitAfterTheMonth", kDaxon, D0, "XF125BC25", "December 25th, 2004"},
    DecodeCase{"Day32", kDaxon, D0, "XF12ABC32", kNoDate},
    DecodeCase{"DayMinus1", kDaxon, D0, "XF12ABC-1", kNoDate},
    DecodeCase{"Day31", kDaxon, D0, "XF02ABC31", "February 31st, 2004"},
    DecodeCase{"Day00", kDaxon, D0, "XF12ABC00", "December , 2004"},
    DecodeCase{"DayWithPlusSign", kDaxon, D0, "XF12ABC+5", "December 5th, 2004"},
    DecodeCase{"DayAfterATab", kDaxon, D0, "XF12ABC\t5", "December 5th, 2004"},
    DecodeCase{"DayStopsAtANonDigit", kDaxon, D0, "XF12ABC5X", "December 5th, 2004"},
    DecodeCase{"DayWithoutDigits", kDaxon, D0, "XF12ABCX5", "December , 2004"},
    DecodeCase{"DayCutByTheEnd", kDaxon, D0, "ABCXF12ABC7", "December 7th, 2004"},
    DecodeCase{"DayPastTheEnd", kDaxon, D0, "ABCDXF12ABC", "December , 2004"},
    DecodeCase{"WindowTooNearTheEnd", kDaxon, D0, "ABCDEXF12AB", kNoDate},
    DecodeCase{"EightCharacters", kDaxon, D0, "XF12ABC2", kNoDate},
    DecodeCase{"ScanGoesOnPastAMonth13", kDaxon, D0, "XA13ABC25XB01ABC02", "January 2nd, 2000"}),
    Name);

// Window: year digit, month 1..12, day 0..31, all five digits.
INSTANTIATE_TEST_SUITE_P(FiveDigit, Decode, testing::Values(
    DecodeCase{"WindowAfterLetters", kRitek, D00, "RI50615", "June 15th, 2005"},
    DecodeCase{"YearNotADigit", kRitek, D00, "X0615", kNoDate},
    DecodeCase{"MonthTensNotADigit", kRitek, D00, "5X615", kNoDate},
    DecodeCase{"MonthUnitsNotADigit", kRitek, D00, "50X15", kNoDate},
    DecodeCase{"DayTensNotADigit", kRitek, D00, "506X5", kNoDate},
    DecodeCase{"DayUnitsNotADigit", kRitek, D00, "5061X", kNoDate},
    DecodeCase{"Month13", kRitek, D00, "51315", kNoDate},
    DecodeCase{"Month00", kRitek, D00, "50015", kNoDate},
    DecodeCase{"Month01Day31", kRitek, D00, "00131", "January 31st, 2000"},
    DecodeCase{"Month12Day00", kRitek, D00, "91200", "December , 2009"},
    DecodeCase{"Day32", kRitek, D00, "50632", kNoDate},
    DecodeCase{"DigitsRunToTheEnd", kRitek, D00, "X1125", kNoDate},
    DecodeCase{"FourDigits", kOptodisc, D00, "4123", kNoDate},
    DecodeCase{"ImplausibleWindowsPassedOver", kRitek, D00, "1234567", kNoDate},
    DecodeCase{"LeftmostPlausibleWindowWins", kRitek, D00, "9990101", "January 1st, 2009"},
    DecodeCase{"WindowAtTheEnd", kMjc, D10, "X41231", "December 31st, 2014"},
    DecodeCase{"WindowBeforeALetter", kMjc, D10, "41231X", "December 31st, 2014"}),
    Name);

// One year digit: place 1 for CD-R in the 1990s, 3 for Taiyo Yuden and DVD, else 2.
INSTANTIATE_TEST_SUITE_P(YearDigit, Decode, testing::Values(
    DecodeCase{"TdkSecondPlace", kTdk, D00, "A4XYZ", "2004"},
    DecodeCase{"TdkFirstPlaceIsNotLooked", kTdk, D00, "4AB", kNoDate},
    DecodeCase{"TdkDigitZero", kTdk, D10, "X0X", "2010"},
    DecodeCase{"TdkDigitNine", kTdk, D10, "X9X", "2019"},
    DecodeCase{"TdkTwoCharacters", kTdk, D00, "A4", kNoDate},
    DecodeCase{"CdrFirstPlaceIn1990s", kMccCdr, D90, "7AB", "1997"},
    DecodeCase{"CdrNeedsThreeCharacters", kMccCdr, D90, "7A", kNoDate},
    DecodeCase{"CdrSecondPlaceIn2000s", kMccCdr, D00, "7AB", kNoDate},
    DecodeCase{"CdrSecondPlaceIn2010s", kMccCdr, D10, "X3Y", "2013"},
    DecodeCase{"TaiyoYudenThirdPlace", kTaiyo, D00, "TY8", "2008"},
    DecodeCase{"TaiyoYudenSecondPlaceIsNotLooked", kTaiyo, D00, "T8Y", kNoDate},
    DecodeCase{"DvdThirdPlace", kMccDvd, D20, "MK9", "2029"},
    DecodeCase{"DvdSecondPlaceIsNotLooked", kMccDvd, D20, "M9K", kNoDate}),
    Name);

// Fixed fields: year digit and a three-digit day of the year 1..365 (366 in leap years).
INSTANTIATE_TEST_SUITE_P(DayOfYear, Decode, testing::Values(
    DecodeCase{"CommonYear", kMbi, D00, "5123", "May 3rd, 2005"},
    DecodeCase{"LeapDay", kMbi, D00, "4060", "February 29th, 2004"},
    DecodeCase{"Day60OfACommonYear", kMbi, D10, "5060", "March 1st, 2015"},
    DecodeCase{"Day1", kKodak, D90, "9001", "January 1st, 1999"},
    DecodeCase{"Day366OfALeapYear", kProdisc, D00, "0366", "December 31st, 2000"},
    DecodeCase{"Day366OfACommonYear", kProdisc, D00, "1366", kNoDateNote},
    DecodeCase{"Day0", kKodak, D00, "5000", kNoDateNote},
    DecodeCase{"Day367", kKodak, D00, "4367", kNoDateNote},
    DecodeCase{"ThreeDigits", kMbi, D00, "123", kNoDateNote},
    DecodeCase{"YearNotADigit", kMitsui, D00, "X123", kNoDateNote},
    DecodeCase{"DayHundredsNotADigit", kMitsui, D00, "5X23", kNoDateNote},
    DecodeCase{"DayTensNotADigit", kMitsui, D00, "51A3", kNoDateNote},
    DecodeCase{"DayUnitsNotADigit", kMitsui, D00, "512X", kNoDateNote},
    DecodeCase{"TrailingCharactersIgnored", kMbi, D00, "5123XYZ", "May 3rd, 2005"},
    DecodeCase{"FifthDigitIgnored", kMbi, D00, "51234", "May 3rd, 2005"},
    DecodeCase{"NoScan", kMbi, D00, "X5123", kNoDateNote}),
    Name);

// Every maker under every decade, with one code each: the decade rule, the routing to
// the maker's scheme and the scheme's use of the decade, and the maker's short id.
TEST(DecodeEveryMaker, UnderEveryDecade) {
  // clang-format off
  const struct { const char* id; const char* maker; const char* code; std::string_view expected[5]; } rows[] = {
      {"cmc", kCmc, "KC15", {"March 15th, 2006", "March 15th, 2006", "March 15th, 2006", "March 15th, 2006", "March 15th, 2006"}},
      {"daxon", kDaxon, "XF12ABC25", {"December 25th, 2004", "December 25th, 2004", "December 25th, 2004", "December 25th, 2004", "December 25th, 2004"}},
      {"kodak", kKodak, "5123", {kNoDecade, "May 3rd, 1995", "May 3rd, 2005", "May 3rd, 2015", "May 3rd, 2025"}},
      {"mcc-cdr", kMccCdr, "567", {kNoDecade, "1995", "2006", "2016", "2026"}},
      {"mcc-dvd", kMccDvd, "567", {kNoDecade, "1997", "2007", "2017", "2027"}},
      {"mitsui", kMitsui, "5123", {kNoDecade, "May 3rd, 1995", "May 3rd, 2005", "May 3rd, 2015", "May 3rd, 2025"}},
      {"mjc", kMjc, "50615", {kNoDecade, "June 15th, 1995", "June 15th, 2005", "June 15th, 2015", "June 15th, 2025"}},
      {"mbi", kMbi, "5123", {kNoDecade, "May 3rd, 1995", "May 3rd, 2005", "May 3rd, 2015", "May 3rd, 2025"}},
      {"optodisc", kOptodisc, "50615", {kNoDecade, "June 15th, 1995", "June 15th, 2005", "June 15th, 2015", "June 15th, 2025"}},
      {"prodisc", kProdisc, "5123", {kNoDecade, "May 3rd, 1995", "May 3rd, 2005", "May 3rd, 2015", "May 3rd, 2025"}},
      {"ritek", kRitek, "50615", {kNoDecade, "June 15th, 1995", "June 15th, 2005", "June 15th, 2015", "June 15th, 2025"}},
      {"taiyo-yuden", kTaiyo, "567", {kNoDecade, "1997", "2007", "2017", "2027"}},
      {"tdk", kTdk, "567", {kNoDecade, "1996", "2006", "2016", "2026"}},
  };
  // clang-format on
  ASSERT_EQ(std::size(rows), kMakers.size());
  for (const auto& row : rows) {
    EXPECT_EQ(FindMakerById(row.id), FindMakerByName(row.maker)) << row.id;
    const Decade decades[] = {D0, D90, D00, D10, D20};
    for (std::size_t i = 0; i < std::size(decades); ++i) {
      EXPECT_EQ(HubCodeDecoder::Decode({row.maker, decades[i], row.code}), Expected(row.expected[i]))
          << row.id << " " << DecadeYear(decades[i]);
    }
  }
  EXPECT_EQ(FindMakerById("CMC"), std::nullopt);  // ids are lower case
}

TEST(StripSpaces, RemovesOnlyBlanksAndKeepsTheOrder) {
  std::string text = " A B\tC  D ";
  StripSpaces(text);
  EXPECT_EQ(text, "AB\tCD");
}

}  // namespace
}  // namespace varnock
