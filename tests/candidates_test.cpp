#include <varnock/candidates.h>

#include <gtest/gtest.h>

#include <string>

#include "texts.h"

namespace varnock {
namespace {

constexpr ProductionDate kToday{2026, 12, 8};

// "decade makers: text" for each candidate, makers by id.
std::vector<std::string> Listed(const Candidates& candidates) {
  std::vector<std::string> lines;
  for (const Candidate& c : candidates.found) {
    std::string line = std::to_string(DecadeYear(c.decade));
    for (std::size_t i = 0; i < c.makers.size(); ++i)
      line.append(i == 0 ? " " : ",").append(Info(c.makers[i]).id);
    lines.push_back(line + ": " + c.text);
  }
  return lines;
}

TEST(FindCandidates, EveryMakerAndDecadeGroupedAndNoneAfterToday) {
  const Candidates any = FindCandidates({std::nullopt, std::nullopt, "HY09J405110318B11", kToday});
  EXPECT_EQ(Listed(any), (std::vector<std::string>{
                             "0 daxon: May 31st, 1986",
                             "1990 mcc-dvd,taiyo-yuden: 1990",
                             "1990 mjc,optodisc,ritek: May 11th, 1994",
                             "2000 mcc-dvd,taiyo-yuden: 2000",
                             "2000 mjc,optodisc,ritek: May 11th, 2004",
                             "2010 mcc-dvd,taiyo-yuden: 2010",
                             "2010 mjc,optodisc,ritek: May 11th, 2014",
                             "2020 mcc-dvd,taiyo-yuden: 2020",
                             "2020 mjc,optodisc,ritek: May 11th, 2024",
                         }));
  EXPECT_EQ(any.found[2].date, (ProductionDate{1994, 5, 11}));
  EXPECT_EQ(any.after_today, 0);
  const Candidates ritek = FindCandidates({Maker::kRitek, std::nullopt, "RI90615", kToday});
  EXPECT_EQ(Listed(ritek),
            (std::vector<std::string>{"1990 ritek: June 15th, 1999", "2000 ritek: June 15th, 2009",
                                      "2010 ritek: June 15th, 2019"}));
  EXPECT_EQ(ritek.after_today, 1);
  // Today itself can be true, the day after it cannot; a year is as early as it can be.
  EXPECT_EQ(Listed(FindCandidates({Maker::kRitek, std::nullopt, "RI61208", kToday})).back(),
            "2020 ritek: December 8th, 2026");
  EXPECT_EQ(FindCandidates({Maker::kRitek, std::nullopt, "RI61209", kToday}).after_today, 1);
  EXPECT_EQ(Listed(FindCandidates({Maker::kTaiyoYuden, std::nullopt, "TY6", {2026, 1, 1}})).back(),
            "2020 taiyo-yuden: 2026");
  // Any maker, one decade; one maker whose codes carry the year, every decade: once.
  EXPECT_EQ(Listed(FindCandidates({std::nullopt, Decade::k2000s, "0366", kToday})),
            (std::vector<std::string>{"2000 kodak,mitsui,mbi,prodisc: December 31st, 2000",
                                      "2000 mcc-cdr,tdk: 2003", "2000 mcc-dvd,taiyo-yuden: 2006"}));
  EXPECT_EQ(Listed(FindCandidates({Maker::kCmc, std::nullopt, "KC15", kToday})),
            (std::vector<std::string>{"0 cmc: March 15th, 2006"}));
}

TEST(FindCandidates, WhyNoneWasFound) {
  const Candidates future = FindCandidates({Maker::kTdk, std::nullopt, "T5X", {1990, 1, 1}});
  EXPECT_EQ(Listed(future), std::vector<std::string>{});
  EXPECT_EQ(future.after_today, 4);
  constexpr std::string_view kAllAfterToday =
      "Every date this code gives is after today's date, so none can be true.";
  EXPECT_EQ(future.message, kAllAfterToday);
  const Candidates one_future = FindCandidates({Maker::kCmc, std::nullopt, "KC15", {2006, 3, 14}});
  EXPECT_EQ(one_future.after_today, 1);
  EXPECT_EQ(one_future.message, kAllAfterToday);
  EXPECT_EQ(FindCandidates({std::nullopt, std::nullopt, "X", kToday}).message, kNoDate);
  EXPECT_EQ(FindCandidates({Maker::kMbi, std::nullopt, "123", kToday}).message, kNoDateNote);
  // The first maker's reason, though later makers give another: CMC needs no decade.
  EXPECT_EQ(FindCandidates({std::nullopt, Decade::kNone, "X", kToday}).message, kNoDate);
}

// One maker and one decade is Decode itself: today is not asked.
TEST(FindCandidates, OneMakerAndOneDecadeIsDecode) {
  const Candidates one = FindCandidates({Maker::kRitek, Decade::k2020s, "RI90615", kToday});
  EXPECT_EQ(Listed(one), std::vector<std::string>{"2020 ritek: June 15th, 2029"});
  EXPECT_EQ(one.after_today, 0);
  const Candidates none = FindCandidates({Maker::kMbi, Decade::kNone, "5123", kToday});
  EXPECT_EQ(Listed(none), std::vector<std::string>{});
  EXPECT_EQ(none.message, kNoDecade);
}

}  // namespace
}  // namespace varnock
