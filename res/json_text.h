// Texts as JSON strings, for the page's words and varnock-cli's records alike.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace varnock::res {

// "\u0000" to "\u001f", the escapes of the control characters below a blank.
inline constexpr auto kJsonControlEscapes = [] {
  constexpr std::string_view kHex = "0123456789abcdef";
  std::array<std::array<char, 6>, 0x20> escapes{};
  for (std::size_t byte = 0; byte < escapes.size(); ++byte)
    escapes[byte] = {'\\', 'u', '0', '0', kHex[byte / 16], kHex[byte % 16]};
  return escapes;
}();

// The JSON escape of an ASCII byte, or empty where the byte stands for itself: a quote
// and a backslash take a backslash, a control character its number.
constexpr std::string_view JsonEscape(char c) {
  if (c == '"') return "\\\"";
  if (c == '\\') return "\\\\";
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= kJsonControlEscapes.size()) return {};
  return {kJsonControlEscapes[byte].data(), kJsonControlEscapes[byte].size()};
}

// A UTF-8 text as a JSON string, quotes included.
inline std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    const std::string_view escape = JsonEscape(c);
    if (escape.empty()) {
      out += c;
    } else {
      out += escape;
    }
  }
  return out + "\"";
}

}  // namespace varnock::res
