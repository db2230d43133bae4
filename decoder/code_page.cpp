#include <varnock/code_page.h>

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

namespace varnock {
namespace {

// Code points of bytes 0x80..0x9F. The five bytes the code page leaves undefined stand
// for the C1 controls of the same number, as Windows maps them.
constexpr auto kHighControls = std::to_array<char16_t>({
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
});

// Lower-case letters outside a-z and U+00E0..U+00FE whose one-for-one upper case form
// differs from plain subtraction: the byte each turns into.
constexpr auto kUpperExceptions = std::to_array<std::pair<char32_t, char>>({
    {0x00B5, kUnmappableByte},  // micro sign: its capital is Greek
    {0x00FF, '\x9F'},           // y with diaeresis
    {0x0131, 'I'},              // dotless i
    {0x0153, '\x8C'},           // oe
    {0x0161, '\x8A'},           // s with caron
    {0x017E, '\x8E'},           // z with caron
    {0x017F, 'S'},              // long s
    {0x0192, kUnmappableByte},  // f with hook: its capital is not in the code page
});

// The length of the sequence that the lead byte starts, 2 to 4; 0 where it starts none.
std::size_t SequenceLength(char lead) {
  const int ones = std::countl_one(static_cast<unsigned char>(lead));
  return ones >= 2 && ones <= 4 ? static_cast<std::size_t>(ones) : 0;
}

}  // namespace

char ToCodePage(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  auto found = std::find(kHighControls.begin(), kHighControls.end(), c);
  if (found == kHighControls.end()) return kUnmappableByte;
  return static_cast<char>(0x80 + (found - kHighControls.begin()));
}

char ToCodePageUpper(char32_t c) {
  if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
    return static_cast<char>(c - 0x20);
  }
  auto found = std::find_if(kUpperExceptions.begin(), kUpperExceptions.end(),
                            [c](const auto& row) { return row.first == c; });
  return found == kUpperExceptions.end() ? ToCodePage(c) : found->second;
}

Utf8Char NextUtf8Char(std::string_view text) {
  if (text.empty()) return {};
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {lead, 1};
  const std::size_t length = SequenceLength(text[0]);
  if (length == 0 || text.size() < length) return {};
  char32_t c = lead & ((1U << (7 - length)) - 1);  // the lead's own 5, 4 or 3 bits
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[k]);
    if ((next & 0xC0) != 0x80) return {};
    c = (c << 6) | (next & 0x3FU);
  }
  constexpr auto kSmallest = std::to_array<char32_t>({0x80, 0x800, 0x10000});  // 2 to 4 bytes
  if (c < kSmallest[length - 2] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return {};
  return {c, length};
}

// A character begun in the last piece goes on with this one.
void Utf8ToCodePageConverter::Append(std::string_view utf8) {
  if (finished_) StartOver();
  if (carry_.empty()) {
    Convert(utf8);
  } else {
    Convert(std::exchange(carry_, std::string()).append(utf8));
  }
}

void Utf8ToCodePageConverter::Convert(std::string_view utf8) {
  while (valid_ && !utf8.empty()) {
    // A run of ASCII, nearly every code there is, is copied whole.
    std::size_t ascii = 0;
    while (ascii < utf8.size() && (utf8[ascii] & 0x80) == 0) ++ascii;
    if (ascii != 0) {
      const std::size_t from = out_.size();
      out_.append(utf8.substr(0, std::min(ascii, max_chars_ - std::min(max_chars_, from))));
      if (upper_) {
        // In ASCII only a to z have an upper case; nearly every code is ASCII.
        for (std::size_t i = from; i < out_.size(); ++i) {  // indexed: checked in debug builds
          if (out_[i] >= 'a' && out_[i] <= 'z') out_[i] = static_cast<char>(out_[i] - ('a' - 'A'));
        }
      }
      utf8.remove_prefix(ascii);
      continue;
    }
    const Utf8Char next = NextUtf8Char(utf8);
    if (next.length == 0) {
      // A character cut short by the end of the piece is finished by the next one.
      if (utf8.size() < SequenceLength(utf8[0])) {
        carry_ = utf8;
      } else {
        valid_ = false;
      }
      return;
    }
    if (out_.size() < max_chars_) {
      out_ += upper_ ? ToCodePageUpper(next.code_point) : ToCodePage(next.code_point);
    }
    utf8.remove_prefix(next.length);
  }
}

// The text is handed out in place and cleared only when the next code begins: this runs
// for every code of a batch, where a copy or a fresh string would cost a call or more.
std::optional<std::string_view> Utf8ToCodePageConverter::Finish() {
  if (finished_) StartOver();
  finished_ = true;
  if (!valid_ || !carry_.empty()) return std::nullopt;
  return out_;
}

void Utf8ToCodePageConverter::StartOver() {
  out_.clear();
  carry_.clear();
  valid_ = true;
  finished_ = false;
}

std::optional<std::string> Utf8ToCodePage(std::string_view utf8, bool upper,
                                          std::size_t max_chars) {
  Utf8ToCodePageConverter converter(upper, max_chars);
  converter.Append(utf8);
  const std::optional<std::string_view> out = converter.Finish();
  if (!out) return std::nullopt;
  return std::string(*out);
}

std::string CodePageToUtf8(std::string_view text) {
  std::string out;
  for (char byte : text) {
    const auto b = static_cast<unsigned char>(byte);
    const char32_t c = b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace varnock
