// The thirteen disc makers: the one table that names them, shared by every front end.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace varnock {

// In the order the maker list shows them.
enum class Maker {
  kCmc,
  kDaxon,
  kKodak,
  kMccCdr,
  kMccDvd,
  kMitsui,
  kMjc,
  kMbi,
  kOptodisc,
  kProdisc,
  kRitek,
  kTaiyoYuden,
  kTdk,
};

enum class Scheme {
  kLetterMonth,  // CMC: year letter, month letter, two-digit day
  kOffsetDay,    // Daxon: letter, year character, month, ..., day
  kFiveDigit,    // year digit, month, day
  kYearDigit,    // one year digit at a fixed place
  kDayOfYear,    // year digit and three-digit day of the year
};

struct MakerInfo {
  Maker maker;
  std::string_view name;  // shown in the list and compared byte for byte when routing
  std::string_view id;    // short name for the command line
  Scheme scheme;
  bool needs_decade;  // false where the code carries the whole year
};

// List order. Names are in the Windows ANSI code page: 0xB1 is the plus-minus sign.
inline constexpr auto kMakers = std::to_array<MakerInfo>({
    {Maker::kCmc, "CMC Magnetics", "cmc", Scheme::kLetterMonth, false},
    {Maker::kDaxon, "Daxon Technology", "daxon", Scheme::kOffsetDay, false},
    {Maker::kKodak, "Eastman Kodak Company", "kodak", Scheme::kDayOfYear, true},
    {Maker::kMccCdr, "Mitsubishi Chemical Corporation [CD-R]", "mcc-cdr", Scheme::kYearDigit, true},
    {Maker::kMccDvd, "Mitsubishi Chemical Corporation [DVD\xB1R]", "mcc-dvd", Scheme::kYearDigit,
     true},
    {Maker::kMitsui, "Mitsui Toatsu Chemicals + MAM-E", "mitsui", Scheme::kDayOfYear, true},
    {Maker::kMjc, "MJC Pte Ltd (Singapore)", "mjc", Scheme::kFiveDigit, true},
    {Maker::kMbi, "Moser Baer India", "mbi", Scheme::kDayOfYear, true},
    {Maker::kOptodisc, "Optodisc Technology", "optodisc", Scheme::kFiveDigit, true},
    {Maker::kProdisc, "Prodisc", "prodisc", Scheme::kDayOfYear, true},
    {Maker::kRitek, "Ritek Corporation", "ritek", Scheme::kFiveDigit, true},
    {Maker::kTaiyoYuden, "Taiyo Yuden", "taiyo-yuden", Scheme::kYearDigit, true},
    {Maker::kTdk, "TDK Corporation (Luxembourg)", "tdk", Scheme::kYearDigit, true},
});

// Each maker's row is at its own number, so finding it takes no search.
static_assert([] {
  for (std::size_t i = 0; i < kMakers.size(); ++i) {
    if (kMakers[i].maker != static_cast<Maker>(i)) return false;
  }
  return true;
}());

// The maker's row of kMakers.
constexpr const MakerInfo& Info(Maker maker) { return kMakers[static_cast<std::size_t>(maker)]; }

// The maker whose name is exactly `name` (byte for byte, case-sensitive), if any.
std::optional<Maker> FindMakerByName(std::string_view name);

// The maker whose short id is exactly `id`, if any.
std::optional<Maker> FindMakerById(std::string_view id);

}  // namespace varnock
