// Decodes one hub code through the installed library, as a catalogue tool would.
#include <varnock/hub_code_decoder.h>

#include <iostream>

int main() {
  const varnock::DecodeResult result =
      varnock::HubCodeDecoder::Decode({"CMC Magnetics", varnock::Decade::kNone, "KC15"});
  std::cout << result.text << '\n';
  return result.kind == varnock::DecodeResult::Kind::Date ? 0 : 1;
}
