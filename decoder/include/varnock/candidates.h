// Decoding when the maker or the decade is not known: every date that the code gives
// under each maker and decade asked about, as candidates that can be true.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <varnock/calendar_text.h>
#include <varnock/hub_code_decoder.h>
#include <varnock/makers.h>

namespace varnock {

struct CandidateRequest {
  std::optional<Maker> maker;    // nullopt: every maker
  std::optional<Decade> decade;  // nullopt: every decade
  std::string_view code;         // in the code page, as Decode takes it
  ProductionDate today;          // the caller's date: nothing after it can be true
};

struct Candidate {
  std::vector<Maker> makers;  // each maker that gives this date, in list order
  // The decade it was decoded under; kNone for makers whose codes carry the whole year,
  // which every decade of an open one reads alike.
  Decade decade;
  ProductionDate date;
  std::string text;  // the date as Decode shows it
};

struct Candidates {
  // By decade, then by list order of the first maker. Makers that give the same date
  // under the same decade share one candidate.
  std::vector<Candidate> found;
  int after_today = 0;  // candidates left out for being dated after today
  // With none found: Decode's message for the first maker and decade tried, or for
  // the candidates' all being after today, kAllAfterTodayMessage.
  std::string_view message;
};

inline constexpr std::string_view kAllAfterTodayMessage =
    "Every date this code gives is after today's date, so none can be true.";

// The candidates of the code. With one maker and one decade it is exactly Decode, not
// checked against today: a date found then is the one candidate, and an error its
// message (None: nothing found and no message). Only then is today not used.
Candidates FindCandidates(const CandidateRequest& request);

}  // namespace varnock
