#include <varnock/calendar_text.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>

namespace varnock {
namespace {

constexpr auto kMonthNames =
    std::to_array<std::string_view>({"January", "February", "March", "April", "May", "June", "July",
                                     "August", "September", "October", "November", "December"});

// Indexed by day: day 0 prints nothing between its blanks.
constexpr auto kDayOrdinals = std::to_array<std::string_view>(
    {"",     "1st",  "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",  "9th",  "10th",
     "11th", "12th", "13th", "14th", "15th", "16th", "17th", "18th", "19th", "20th", "21st",
     "22nd", "23rd", "24th", "25th", "26th", "27th", "28th", "29th", "30th", "31st"});

}  // namespace

std::string_view MonthName(int month) {
  const auto slot =
      static_cast<std::size_t>(month) - 1;  // any month outside 1..12 wraps past the end
  return slot < kMonthNames.size() ? kMonthNames[slot] : std::string_view();
}

std::string_view DayOrdinal(int day) {
  const auto slot = static_cast<std::size_t>(day);  // a negative day wraps past the end
  return slot < kDayOrdinals.size() ? kDayOrdinals[slot] : std::string_view();
}

bool IsLeapYear(int year) { return std::chrono::year(year).is_leap(); }

std::optional<MonthDay> DayOfYearToDate(int day_of_year, int year) {
  const int days_in_year = IsLeapYear(year) ? 366 : 365;
  if (day_of_year < 1 || day_of_year > days_in_year) return std::nullopt;
  namespace chr = std::chrono;
  const chr::year_month_day date{chr::sys_days{chr::year(year) / chr::January / 1} +
                                 chr::days{day_of_year - 1}};
  return MonthDay{static_cast<int>(static_cast<unsigned>(date.month())),
                  static_cast<int>(static_cast<unsigned>(date.day()))};
}

namespace {

// Texts each in a slot of its own padded to the longest, so that one is copied as a
// fixed-size block: a couple of moves, where a copy of its own length is a call. The
// date text's copies were a sixth of a batch's time.
template <std::size_t kWidth, std::size_t kCount>
struct PaddedTexts {
  std::array<std::array<char, kWidth>, kCount> slots{};
  std::array<std::size_t, kCount> sizes{};

  // Copies text `i` to `to`, which has room for kWidth; returns the end of the text.
  char* CopyTo(char* to, std::size_t i) const {
    std::memcpy(to, slots[i].data(), kWidth);
    return to + sizes[i];
  }
};

template <std::size_t kWidth, std::size_t kCount>
constexpr PaddedTexts<kWidth, kCount> Pad(const std::array<std::string_view, kCount>& texts) {
  PaddedTexts<kWidth, kCount> padded;
  for (std::size_t i = 0; i < kCount; ++i) {
    std::copy(texts[i].begin(), texts[i].end(), padded.slots[i].begin());
    padded.sizes[i] = texts[i].size();
  }
  return padded;
}

template <std::size_t kCount>
constexpr std::size_t Longest(const std::array<std::string_view, kCount>& texts) {
  return std::max_element(
             texts.begin(), texts.end(),
             [](std::string_view a, std::string_view b) { return a.size() < b.size(); })
      ->size();
}

constexpr auto kPaddedMonths = Pad<Longest(kMonthNames)>(kMonthNames);
constexpr auto kPaddedOrdinals = Pad<Longest(kDayOrdinals)>(kDayOrdinals);

// `value` in decimal with at least `width` digits, a minus sign before them, written
// digit by digit: this runs for every record of a batch, where a copy is a call.
char* WritePadded(char* out, int value, int width) {
  if (value < 0) *out++ = '-';
  auto magnitude = value < 0 ? 0U - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  std::array<char, 10> digits;  // the last digit first
  int count = 0;
  do {
    digits[static_cast<std::size_t>(count++)] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  for (int pad = count; pad < width; ++pad) *out++ = '0';
  while (count > 0) *out++ = digits[static_cast<std::size_t>(--count)];
  return out;
}

// kDateFormat into `text`, which has room for the longest; returns the end.
char* WriteDate(std::array<char, 32>& text, int month, int day, int year) {
  char* end = text.data();
  const auto month_slot = static_cast<std::size_t>(month) - 1;  // wraps as in MonthName
  if (month_slot < kMonthNames.size()) end = kPaddedMonths.CopyTo(end, month_slot);
  *end++ = ' ';
  const auto day_slot = static_cast<std::size_t>(day);
  // Day 0, which has an empty ordinal, stands for every day out of range too.
  end = kPaddedOrdinals.CopyTo(end, day_slot < kDayOrdinals.size() ? day_slot : 0);
  *end++ = ',';
  *end++ = ' ';
  return WritePadded(end, year, 1);
}

}  // namespace

std::string FormatDate(int month, int day, int year) {
  std::array<char, 32> text;
  return std::string(text.data(), WriteDate(text, month, day, year));
}

std::string FormatYear(int year) { return std::to_string(year); }

IsoDateText::IsoDateText(const ProductionDate& date) {
  char* out = WritePadded(chars_.data(), date.year, 4);
  if (date.month != 0) {
    *out++ = '-';
    out = WritePadded(out, date.month, 2);
    namespace chr = std::chrono;
    const chr::year_month_day day{chr::year(date.year),
                                  chr::month(static_cast<unsigned>(date.month)),
                                  chr::day(static_cast<unsigned>(date.day))};
    if (date.day != 0 && day.ok()) {
      *out++ = '-';
      out = WritePadded(out, date.day, 2);
    }
  }
  size_ = static_cast<std::size_t>(out - chars_.data());
}

DateText::DateText(const ProductionDate& date) {
  const char* end = date.month == 0 ? WritePadded(chars_.data(), date.year, 1)
                                    : WriteDate(chars_, date.month, date.day, date.year);
  size_ = static_cast<std::size_t>(end - chars_.data());
}

}  // namespace varnock
