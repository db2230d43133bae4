// Time of one decode for a typical code of each scheme.
#include <benchmark/benchmark.h>

#include <varnock/hub_code_decoder.h>

namespace {

void BM_Decode(benchmark::State& state, varnock::DecodeRequest request) {
  for (auto _ : state) {
    varnock::DecodeResult result = varnock::HubCodeDecoder::Decode(request);
    benchmark::DoNotOptimize(result);
  }
}

using varnock::Decade;

BENCHMARK_CAPTURE(BM_Decode, LetterMonth, {"CMC Magnetics", Decade::kNone, "CMC KC15"});
BENCHMARK_CAPTURE(BM_Decode, OffsetDay, {"Daxon Technology", Decade::kNone, "DAXON XF12ABC25"});
BENCHMARK_CAPTURE(BM_Decode, FiveDigit, {"Ritek Corporation", Decade::k2000s, "RITEK RI50615"});
BENCHMARK_CAPTURE(BM_Decode, YearDigit, {"Taiyo Yuden", Decade::k2000s, "TYG03"});
BENCHMARK_CAPTURE(BM_Decode, DayOfYear, {"Moser Baer India", Decade::k2000s, "5123 MBI"});
BENCHMARK_CAPTURE(BM_Decode, Error, {"Eastman Kodak Company", Decade::k2000s, "KODAK 5367"});

}  // namespace

BENCHMARK_MAIN();
