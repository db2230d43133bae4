#include "calendar_text.h"

#include <charconv>

namespace varnock {
namespace {

void AppendNumber(std::string& out, int value) {
  char digits[12];  // "-2147483648" and room to spare
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, end);
}

}  // namespace

std::string FormatDate(int month, int day, int year) {
  std::string text;
  text.reserve(32);
  text += MonthName(month);
  text += ' ';
  text += DayOrdinal(day);
  text += ", ";
  AppendNumber(text, year);
  return text;
}

std::string FormatYear(int year) {
  std::string text;
  AppendNumber(text, year);
  return text;
}

}  // namespace varnock
