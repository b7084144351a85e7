// The renderer's line-break replacement against the floor of producing the
// same amount of fresh text: allocating a string of the output's size and
// copying the output in. Argument: the number of carriage returns, each after
// a short word.
#include "preview/markup.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace quillon;

constexpr std::u16string_view kLineBreak = u"+chr13+";

std::u16string MakeLines(std::size_t breaks) {
  std::u16string text;
  for (std::size_t i = 0; i < breaks; ++i) text += u"word\r";
  return text;
}

void SetCounters(benchmark::State& state, std::size_t breaks, std::size_t outputUnits) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * breaks));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * outputUnits * sizeof(char16_t)));
}

void BM_ReplaceCarriageReturns(benchmark::State& state) {
  const std::u16string text = MakeLines(static_cast<std::size_t>(state.range(0)));
  std::size_t outputUnits = 0;
  for (auto _ : state) {
    std::u16string replaced = ReplaceAll(text, u"\r", kLineBreak);
    outputUnits = replaced.size();
    benchmark::DoNotOptimize(replaced.data());
    benchmark::ClobberMemory();
  }
  SetCounters(state, static_cast<std::size_t>(state.range(0)), outputUnits);
}

void BM_ReplaceFreshTextFloor(benchmark::State& state) {
  const std::u16string output = ReplaceAll(MakeLines(static_cast<std::size_t>(state.range(0))), u"\r", kLineBreak);
  for (auto _ : state) {
    std::u16string copy(output.data(), output.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  SetCounters(state, static_cast<std::size_t>(state.range(0)), output.size());
}

BENCHMARK(BM_ReplaceCarriageReturns)->Arg(1000)->Arg(100000)->ArgName("breaks")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplaceFreshTextFloor)->Arg(1000)->Arg(100000)->ArgName("breaks")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
