#include <varnock/candidates.h>

#include <algorithm>
#include <iterator>

namespace varnock {
namespace {

// The decades to decode the maker's code under.
std::vector<Decade> DecadesFor(Maker maker, std::optional<Decade> asked) {
  if (asked) return {*asked};
  if (!Info(maker).needs_decade) return {Decade::kNone};
  return {kDecades.begin(), kDecades.end()};
}

}  // namespace

Candidates FindCandidates(const CandidateRequest& request) {
  Candidates out;
  const bool open = !request.maker || !request.decade;
  std::vector<Maker> makers;
  if (request.maker) {
    makers.push_back(*request.maker);
  } else {
    std::transform(kMakers.begin(), kMakers.end(), std::back_inserter(makers),
                   [](const MakerInfo& info) { return info.maker; });
  }
  for (Maker maker : makers) {
    for (Decade decade : DecadesFor(maker, request.decade)) {
      const DecodedDate decoded = HubCodeDecoder::DecodeDate(maker, decade, request.code);
      if (decoded.kind != DecodeResult::Kind::Date) {
        if (out.found.empty() && out.message.empty()) out.message = decoded.message;
        continue;
      }
      const auto same = std::find_if(out.found.begin(), out.found.end(), [&](const Candidate& c) {
        return c.decade == decade && c.date == decoded.date;
      });
      if (same != out.found.end()) {
        same->makers.push_back(maker);
      } else {
        out.found.push_back(
            {{maker}, decade, decoded.date, std::string(DateText(decoded.date).view())});
      }
    }
  }
  if (open) {
    const auto future = std::remove_if(out.found.begin(), out.found.end(),
                                       [&](const Candidate& c) { return c.date > request.today; });
    out.after_today = static_cast<int>(out.found.end() - future);
    out.found.erase(future, out.found.end());
    if (out.found.empty() && out.after_today > 0) out.message = kAllAfterTodayMessage;
  }
  // Makers were tried in list order, so within a decade the first makers come first.
  std::stable_sort(out.found.begin(), out.found.end(), [](const Candidate& a, const Candidate& b) {
    return DecadeYear(a.decade) < DecadeYear(b.decade);
  });
  if (!out.found.empty()) out.message = {};
  return out;
}

}  // namespace varnock
