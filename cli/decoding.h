// A code decoded under the maker and decade chosen, as records: one for a decode, or one
// for each candidate where the maker or the decade is left open.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include <varnock/candidates.h>
#include <varnock/hub_code_decoder.h>
#include <varnock/makers.h>

#include "cli_options.h"
#include "record_writer.h"

namespace varnock::cli {

inline constexpr std::string_view kNotUtf8Message = "the code is not valid UTF-8";

class CodeDecoder {
 public:
  // `iso_dates`: the records carry the date in ISO 8601, which the text format does not.
  CodeDecoder(ProductionDate today, bool iso_dates);

  // Gives `emit` each record of the code (in the code page, nullopt where it was not
  // valid UTF-8; `given` as it came). True if it gave a date. Candidates left out for
  // being after today are counted on standard error.
  template <typename Emit>
  bool Decode(MakerChoice maker, DecadeChoice decade, std::optional<std::string_view> code,
              std::string_view given, Emit emit);

  std::string_view Name(Maker maker) const { return names_[static_cast<std::size_t>(maker)]; }

 private:
  void SayLeftOut(std::string_view given, int count) const;

  ProductionDate today_;
  bool iso_dates_;
  std::array<std::string, kMakers.size()> names_;  // UTF-8, by Maker
};

template <typename Emit>
bool CodeDecoder::Decode(MakerChoice maker, DecadeChoice decade,
                         std::optional<std::string_view> code, std::string_view given, Emit emit) {
  const Decade single = decade.decade.value_or(Decade::kNone);
  Record record{given, maker.maker ? Name(*maker.maker) : "", single, false, kNotUtf8Message, {}};
  if (!code) {
    emit(record);
    return false;
  }
  if (maker.maker && (decade.decade || !decade.given)) {  // one decode, exactly as the dialog's
    const DecodedDate decoded = HubCodeDecoder::DecodeDate(maker.maker, single, *code);
    record.is_date = decoded.kind == DecodeResult::Kind::Date;
    std::optional<DateText> text;
    std::optional<IsoDateText> iso;
    if (record.is_date) {
      record.text = text.emplace(decoded.date).view();
      if (iso_dates_) record.iso_date = iso.emplace(decoded.date).view();
    } else {
      record.text = decoded.message;
    }
    emit(record);
    return record.is_date;
  }
  const Candidates candidates = FindCandidates({maker.maker, decade.decade, *code, today_});
  if (candidates.after_today > 0) SayLeftOut(given, candidates.after_today);
  if (candidates.found.empty()) {
    record.text = candidates.message;
    emit(record);
    return false;
  }
  std::string makers;
  for (const Candidate& candidate : candidates.found) {
    makers.clear();
    for (Maker each : candidate.makers)
      makers.append(makers.empty() ? "" : ", ").append(Name(each));
    const IsoDateText iso(candidate.date);
    emit(Record{given, makers, candidate.decade, true, candidate.text,
                iso_dates_ ? iso.view() : ""});
  }
  return true;
}

}  // namespace varnock::cli
