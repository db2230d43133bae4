#include "hub_code_decoder.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar_text.h"
#include "makers.h"

namespace varnock {
namespace {

using Kind = DecodeResult::Kind;

constexpr const char* kCmc = "CMC Magnetics";
constexpr const char* kDaxon = "Daxon Technology";
constexpr const char* kRitek = "Ritek Corporation";
constexpr const char* kMjc = "MJC Pte Ltd (Singapore)";
constexpr const char* kOptodisc = "Optodisc Technology";
constexpr const char* kTdk = "TDK Corporation (Luxembourg)";
constexpr const char* kMccDvd = "Mitsubishi Chemical Corporation [DVD\xB1R]";
constexpr const char* kMccCdr = "Mitsubishi Chemical Corporation [CD-R]";
constexpr const char* kTaiyo = "Taiyo Yuden";
constexpr const char* kMitsui = "Mitsui Toatsu Chemicals + MAM-E";
constexpr const char* kMbi = "Moser Baer India";
constexpr const char* kProdisc = "Prodisc";
constexpr const char* kKodak = "Eastman Kodak Company";

struct DecodeCase {
  const char* name;
  const char* maker;
  Decade decade;
  std::string code;
  Kind kind;
  std::string_view text;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, GivesTheExpectedResult) {
  const DecodeCase& c = GetParam();
  const DecodeResult result = HubCodeDecoder::Decode({c.maker, c.decade, c.code});
  EXPECT_EQ(result.kind, c.kind);
  EXPECT_EQ(result.text, c.text);
}

std::string CaseName(const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; }

constexpr auto D0 = Decade::kNone;
constexpr auto D90 = Decade::k1990s;
constexpr auto D00 = Decade::k2000s;
constexpr auto D10 = Decade::k2010s;
constexpr auto D20 = Decade::k2020s;

INSTANTIATE_TEST_SUITE_P(Routing, DecodeTest, testing::Values(
    DecodeCase{"BlanksAreRemovedBeforeDecoding", kCmc, D0, "KC 15", Kind::Date, "March 15th, 2006"},
    DecodeCase{"OnlyBlanksAreRemovedNotTabs", kCmc, D0, "K\tC15", Kind::Error, kNoDateMessage},
    DecodeCase{"MbiWithoutDecadeEvenForABadCode", kMbi, D0, "", Kind::Error, kNoDecadeMessage},
    DecodeCase{"EmptyMakerWithoutDecade", "", D0, "KC15", Kind::Error, kNoDecadeMessage},
    DecodeCase{"UnknownMakerWithoutDecade", "Verbatim", D0, "KC15", Kind::Error, kNoDecadeMessage},
    DecodeCase{"EmptyMakerWithDecadeDoesNothing", "", D00, "KC15", Kind::None, ""},
    DecodeCase{"UnknownMakerWithDecadeDoesNothing", "Verbatim", D00, "KC15", Kind::None, ""},
    DecodeCase{"MakerNamesAreCaseSensitive", "cmc magnetics", D00, "KC15", Kind::None, ""},
    DecodeCase{"MakerNameWithTrailingBlankIsUnknown", "CMC Magnetics ", D00, "KC15", Kind::None, ""},
    DecodeCase{"DvdNameInUtf8IsNotTheRoutingKey", "Mitsubishi Chemical Corporation [DVD\xC2\xB1R]", D20, "MK1", Kind::None, ""}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(LetterMonth, DecodeTest, testing::Values(
    DecodeCase{"FourCharacters", kCmc, D0, "KC15", Kind::Date, "March 15th, 2006"},
    DecodeCase{"TrailingCharacter", kCmc, D0, "KC15X", Kind::Date, "March 15th, 2006"},
    DecodeCase{"WindowEndingOnLastCharacter", kCmc, D0, "XKC15", Kind::Date, "March 15th, 2006"},
    DecodeCase{"WindowAtTheEndOfALongCode", kCmc, D0, "1234567KC15", Kind::Date, "March 15th, 2006"},
    DecodeCase{"NoWindowFits", kCmc, D0, "XAB5", Kind::Error, kNoDateMessage},
    DecodeCase{"EmptyCode", kCmc, D0, "", Kind::Error, kNoDateMessage},
    DecodeCase{"OnlyBlanks", kCmc, D0, "    ", Kind::Error, kNoDateMessage},
    DecodeCase{"DayZeroPrintsEmptyOrdinal", kCmc, D0, "ZA00", Kind::Date, "January , 2021"},
    DecodeCase{"NoCheckAgainstMonthLength", kCmc, D0, "AB31", Kind::Date, "February 31st, 1996"},
    DecodeCase{"Day32PassedOver", kCmc, D0, "AL32", Kind::Error, kNoDateMessage},
    DecodeCase{"Day45PassedOver", kCmc, D0, "KC45X", Kind::Error, kNoDateMessage},
    DecodeCase{"ScanGoesOnAfterBadDay", kCmc, D0, "KC45KC15", Kind::Date, "March 15th, 2006"},
    DecodeCase{"MonthLetterMAfterL", kCmc, D0, "KM15", Kind::Error, kNoDateMessage},
    DecodeCase{"LowerCaseMatchesNoClass", kCmc, D0, "kc15", Kind::Error, kNoDateMessage}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(OffsetDay, DecodeTest, testing::Values(
    DecodeCase{"NineCharacters", kDaxon, D0, "XF12ABC25", Kind::Date, "December 25th, 2004"},
    DecodeCase{"EightCharacters", kDaxon, D0, "XF12ABC2", Kind::Error, kNoDateMessage},
    DecodeCase{"YearFromAnyByte", kDaxon, D0, "X\xB1" "12ABC25", Kind::Date, "December 25th, 1855"},
    DecodeCase{"YearFromADigit", kDaxon, D0, "X912ABC25", Kind::Date, "December 25th, 1991"},
    DecodeCase{"Month13PassedOver", kDaxon, D0, "XA13ABC25XA01ABC02", Kind::Date, "January 2nd, 1999"},
    DecodeCase{"Day32PassedOver", kDaxon, D0, "XA12ABC32XA01ABC02", Kind::Date, "January 2nd, 1999"},
    DecodeCase{"Month00PassedOver", kDaxon, D0, "XA00ABC25", Kind::Error, kNoDateMessage},
    DecodeCase{"Month00ThenGoodWindow", kDaxon, D0, "XA00ABC25YB03ABC04", Kind::Date, "March 4th, 2000"},
    DecodeCase{"NegativeDayPassedOver", kDaxon, D0, "XA12ABC-5", Kind::Error, kNoDateMessage},
    DecodeCase{"DayWithLeadingBlankIsStripped", kDaxon, D0, "XA12ABC 5", Kind::Error, kNoDateMessage},
    DecodeCase{"DayWithPlusSign", kDaxon, D0, "XA12ABC+5", Kind::Date, "December 5th, 1999"},
    DecodeCase{"DayWithLeadingTab", kDaxon, D0, "XA12ABC\t5", Kind::Date, "December 5th, 1999"},
    DecodeCase{"PartialDayFieldAtLMinus8", kDaxon, D0, "ABCXA12ABC7", Kind::Date, "December 7th, 1999"},
    DecodeCase{"EmptyDayFieldAtLMinus7", kDaxon, D0, "ABCDXA12ABC", Kind::Date, "December , 1999"},
    DecodeCase{"NoDayFieldAtLMinus6", kDaxon, D0, "ABCDEXA12AB", Kind::Error, kNoDateMessage},
    DecodeCase{"WindowTooCloseToTheEnd", kDaxon, D0, "123456XA12", Kind::Error, kNoDateMessage},
    DecodeCase{"FirstCharacterMustBeALetter", kDaxon, D0, "1F12ABC25", Kind::Error, kNoDateMessage},
    DecodeCase{"DayAfterEmbeddedBlanks", kDaxon, D0, "X F 12 ABC 25", Kind::Date, "December 25th, 2004"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(FiveDigit, DecodeTest, testing::Values(
    DecodeCase{"RitekScansPastLetters", kRitek, D00, "RI50615", Kind::Date, "June 15th, 2005"},
    DecodeCase{"RitekIn1990s", kRitek, D90, "RI50615", Kind::Date, "June 15th, 1995"},
    DecodeCase{"ImplausibleWindowsPassedOver", kRitek, D00, "1234567", Kind::Error, kNoDateMessage},
    DecodeCase{"MjcDecember31st", kMjc, D10, "41231", Kind::Date, "December 31st, 2014"},
    DecodeCase{"OptodiscTooShort", kOptodisc, D00, "4123", Kind::Error, kNoDateMessage},
    DecodeCase{"DigitsRunToTheEnd", kRitek, D00, "X1125", Kind::Error, kNoDateMessage},
    DecodeCase{"DayZeroPrintsEmptyOrdinal", kRitek, D00, "50600", Kind::Date, "June , 2005"},
    DecodeCase{"Month00PassedOver", kRitek, D00, "50015", Kind::Error, kNoDateMessage},
    DecodeCase{"Month00ThenLaterWindow", kRitek, D00, "500105", Kind::Date, "January 5th, 2000"},
    DecodeCase{"Month13PassedOver", kRitek, D00, "91301", Kind::Error, kNoDateMessage},
    DecodeCase{"Day32PassedOver", kRitek, D00, "91232", Kind::Error, kNoDateMessage},
    DecodeCase{"OverlappingWindowsLeftmostPlausibleWins", kRitek, D00, "9990101", Kind::Date, "January 1st, 2009"},
    DecodeCase{"NoCheckAgainstMonthLength", kRitek, D00, "50231", Kind::Date, "February 31st, 2005"},
    DecodeCase{"SignIsNoDigit", kRitek, D00, "5-1-15", Kind::Error, kNoDateMessage},
    DecodeCase{"BlanksInsideTheWindow", kOptodisc, D00, "5 06 15", Kind::Date, "June 15th, 2005"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(YearDigit, DecodeTest, testing::Values(
    DecodeCase{"TdkSecondPlace", kTdk, D00, "A4XYZ", Kind::Date, "2004"},
    DecodeCase{"TdkFirstPlaceIgnored", kTdk, D00, "4AB", Kind::Error, kNoDateMessage},
    DecodeCase{"CdrFirstPlaceIn1990s", kMccCdr, D90, "7AB", Kind::Date, "1997"},
    DecodeCase{"CdrSecondPlaceIn2000s", kMccCdr, D00, "7AB", Kind::Error, kNoDateMessage},
    DecodeCase{"CdrSecondPlaceIn2010s", kMccCdr, D10, "X3Y", Kind::Date, "2013"},
    DecodeCase{"TaiyoYudenThirdPlace", kTaiyo, D00, "TY8", Kind::Date, "2008"},
    DecodeCase{"TaiyoYudenTwoCharacters", kTaiyo, D00, "TY", Kind::Error, kNoDateMessage},
    DecodeCase{"DvdThirdPlace", kMccDvd, D20, "MK1", Kind::Date, "2021"},
    DecodeCase{"FutureYearsAreNotChecked", kMccDvd, D20, "MK9", Kind::Date, "2029"},
    DecodeCase{"ThreeCharactersNeededForFirstPlace", kMccCdr, D90, "7A", Kind::Error, kNoDateMessage},
    DecodeCase{"BlanksDoNotCount", kTaiyo, D10, "T Y 8", Kind::Date, "2018"},
    DecodeCase{"NonDigitAtThePlace", kTdk, D00, "A-5", Kind::Error, kNoDateMessage}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(DayOfYear, DecodeTest, testing::Values(
    DecodeCase{"CommonYear", kMbi, D00, "5123", Kind::Date, "May 3rd, 2005"},
    DecodeCase{"LeapDay", kMbi, D00, "4060", Kind::Date, "February 29th, 2004"},
    DecodeCase{"Day60OfCommonYear", kMbi, D10, "5060", Kind::Date, "March 1st, 2015"},
    DecodeCase{"Day366OfLeapYear", kProdisc, D00, "0366", Kind::Date, "December 31st, 2000"},
    DecodeCase{"Day366OfCommonYear", kProdisc, D00, "1366", Kind::Error, kNoDateMessageWithNote},
    DecodeCase{"Day365OfCommonYear", kProdisc, D00, "1365", Kind::Date, "December 31st, 2001"},
    DecodeCase{"DayZero", kKodak, D00, "5000", Kind::Error, kNoDateMessageWithNote},
    DecodeCase{"Day367", kKodak, D00, "5367", Kind::Error, kNoDateMessageWithNote},
    DecodeCase{"ThreeDigitsGetTheNote", kMbi, D00, "123", Kind::Error, kNoDateMessageWithNote},
    DecodeCase{"LeadingZeroAdded", kMbi, D00, "0123", Kind::Date, "May 2nd, 2000"},
    DecodeCase{"LetterAmongFirstFour", kMitsui, D00, "51A3", Kind::Error, kNoDateMessageWithNote},
    DecodeCase{"TrailingCharactersIgnored", kMbi, D00, "5123XYZ", Kind::Date, "May 3rd, 2005"},
    DecodeCase{"NoScan", kMbi, D00, "X5123", Kind::Error, kNoDateMessageWithNote},
    DecodeCase{"SignIsNoDigit", kMbi, D00, "5-12", Kind::Error, kNoDateMessageWithNote},
    DecodeCase{"EmptyCode", kMitsui, D00, "", Kind::Error, kNoDateMessageWithNote},
    DecodeCase{"BlanksDoNotCount", kMitsui, D20, "4 060", Kind::Date, "February 29th, 2024"},
    DecodeCase{"Day366OfLeapYearIn2020s", kMitsui, D20, "4366", Kind::Date, "December 31st, 2024"}),
    CaseName);

// Every maker under every decade: the decade rule and each scheme's use of the decade.
TEST(DecodeAllMakers, EveryDecadeOfEveryMaker) {
  struct MakerSample {
    const char* maker;
    const char* code;
    const char* text_before_year;
    int fixed_year;  // the year the code carries whole; 0: the decade's year + 5
  };
  constexpr MakerSample kSamples[] = {
      {kCmc, "KC15", "March 15th, ", 2006},      {kDaxon, "XF12ABC25", "December 25th, ", 2004},
      {kRitek, "50615", "June 15th, ", 0},       {kMjc, "50615", "June 15th, ", 0},
      {kOptodisc, "50615", "June 15th, ", 0},    {kTdk, "555", "", 0},
      {kMccDvd, "555", "", 0},                   {kMccCdr, "555", "", 0},
      {kTaiyo, "555", "", 0},                    {kMitsui, "5123", "May 3rd, ", 0},
      {kMbi, "5123", "May 3rd, ", 0},            {kProdisc, "5123", "May 3rd, ", 0},
      {kKodak, "5123", "May 3rd, ", 0},
  };
  ASSERT_EQ(std::size(kSamples), kMakers.size());
  for (const MakerSample& sample : kSamples) {
    for (Decade decade : {Decade::kNone, Decade::k1990s, Decade::k2000s, Decade::k2010s,
                          Decade::k2020s}) {
      SCOPED_TRACE(std::string(sample.maker) + " " + std::to_string(DecadeYear(decade)));
      const DecodeResult result = HubCodeDecoder::Decode({sample.maker, decade, sample.code});
      if (decade == Decade::kNone && sample.fixed_year == 0) {
        EXPECT_EQ(result, DecodeResult::Error(kNoDecadeMessage));
        continue;
      }
      const int year = sample.fixed_year != 0 ? sample.fixed_year : DecadeYear(decade) + 5;
      EXPECT_EQ(result, DecodeResult::Date(sample.text_before_year + std::to_string(year)));
    }
  }
}

// The year-letter and month-letter tables: every letter the window accepts.
TEST(DecodeAllMakers, EveryCmcYearAndMonthLetter) {
  for (char year = 'A'; year <= 'Z'; ++year) {
    for (char month = 'A'; month <= 'L'; ++month) {
      const std::string code = {year, month, '0', '9'};
      const std::string expected = std::string(kMonthNames[static_cast<std::size_t>(month - 'A' + 1)]) +
                                   " 9th, " + std::to_string(1996 + (year - 'A'));
      EXPECT_EQ(HubCodeDecoder::Decode({kCmc, Decade::kNone, code}), DecodeResult::Date(expected))
          << code;
    }
    EXPECT_EQ(HubCodeDecoder::Decode({kCmc, Decade::kNone, {year, 'M', '0', '9'}}).kind, Kind::Error);
  }
}

TEST(StripSpaces, RemovesOnlyBlanksAndKeepsOrder) {
  std::string text = " A B\tC  D ";
  StripSpaces(text);
  EXPECT_EQ(text, "AB\tCD");
}

TEST(Messages, TextsAreExact) {
  EXPECT_EQ(kNoDateMessage,
            "No date string found in the provided input. Please check the serial code you entered.");
  EXPECT_EQ(kNoDateMessageWithNote,
            std::string(kNoDateMessage) +
                "\n\nNOTE: If you're trying to decode an MBI serial with 3 digits, the disc is "
                "likely made in 2000 or 2010, therefore you should add a 0 to the beginning.");
  EXPECT_EQ(kNoDecadeMessage, "No decade selected. This manufacturer requires a decade estimate.");
  EXPECT_EQ(kErrorCaption, "Error");
}

}  // namespace
}  // namespace varnock
