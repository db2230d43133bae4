// Converts arbitrary bytes to the code page in one piece and in pieces cut at arbitrary
// places, as varnock-cli reads a line: both must give the same text, or both none.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <varnock/code_page.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const bool upper = data[0] & 1;
  const std::size_t max_chars = data[1];
  std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  const auto whole = varnock::Utf8ToCodePage(text, upper, max_chars);
  varnock::Utf8ToCodePageConverter converter(upper, max_chars);
  // The pieces' lengths come from the text itself, 1 to 8 bytes each; an empty piece too.
  converter.Append({});
  while (!text.empty()) {
    const std::size_t piece = 1 + static_cast<unsigned char>(text.back()) % 8;
    converter.Append(text.substr(0, piece));
    text.remove_prefix(std::min(piece, text.size()));
  }
  if (converter.Finish() != whole) std::abort();
  return 0;
}
