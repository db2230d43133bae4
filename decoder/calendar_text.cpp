#include "calendar_text.h"

#include <algorithm>
#include <charconv>

namespace varnock {
namespace {

// Longest text: "September 30th, -2147483648" fits with room to spare.
constexpr std::size_t kMaxDateText = 40;

char* Append(char* out, std::string_view piece) {
  return std::copy(piece.begin(), piece.end(), out);
}

char* AppendNumber(char* out, int value) {
  return std::to_chars(out, out + 11, value).ptr;  // at most 11 characters
}

}  // namespace

// Built in a local buffer so that the result allocates at most once.
std::string FormatDate(int month, int day, int year) {
  char text[kMaxDateText];
  char* end = Append(text, MonthName(month));
  *end++ = ' ';
  end = Append(end, DayOrdinal(day));
  end = Append(end, ", ");
  end = AppendNumber(end, year);
  return std::string(text, end);
}

std::string FormatYear(int year) {
  char text[11];
  return std::string(text, AppendNumber(text, year));
}

}  // namespace varnock
