// Fade throughput against the floor of producing the same amount of fresh
// text: allocating a string of the output's size and copying the output in.
// Arguments: text length, colour count, wave (0 off, 1 on).
#include "fade/fade.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace quillon;

std::u16string MakeText(std::size_t length) {
  std::u16string text(length, u' ');
  const std::u16string_view words = u"the quick brown fox jumps over the lazy dog <&> ";
  for (std::size_t i = 0; i < length; ++i) text[i] = words[i % words.size()];
  return text;
}

std::u16string RunFade(int colours, const std::u16string& text, std::int16_t wavy) {
  switch (colours) {
    case 2: return FadeTwoColors(0x0000FF, 0xFF0000, text, wavy);
    case 3: return FadeThreeColors(0x0000FF, 0x00FF00, 0xFF0000, text, wavy);
    default: return FadeFourColors(0x000000, 0x800000, 0xC00000, 0xFF0000, text, wavy);
  }
}

void SetCounters(benchmark::State& state, std::size_t textLength, std::size_t outputUnits) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * textLength));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * outputUnits * sizeof(char16_t)));
}

void BM_Fade(benchmark::State& state) {
  const std::u16string text = MakeText(static_cast<std::size_t>(state.range(0)));
  const int colours = static_cast<int>(state.range(1));
  const std::int16_t wavy = state.range(2) ? -1 : 0;
  std::size_t outputUnits = 0;
  for (auto _ : state) {
    std::u16string markup = RunFade(colours, text, wavy);
    outputUnits = markup.size();
    benchmark::DoNotOptimize(markup.data());
    benchmark::ClobberMemory();
  }
  SetCounters(state, text.size(), outputUnits);
}

void BM_FreshTextFloor(benchmark::State& state) {
  const std::u16string text = MakeText(static_cast<std::size_t>(state.range(0)));
  const std::u16string output = RunFade(static_cast<int>(state.range(1)), text, state.range(2) ? -1 : 0);
  for (auto _ : state) {
    std::u16string copy(output.data(), output.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  SetCounters(state, text.size(), output.size());
}

void Cases(benchmark::internal::Benchmark* b) {
  for (int length : {70, 1000000})
    for (int colours : {2, 3, 4})
      for (int wave : {0, 1}) b->Args({length, colours, wave});
}

BENCHMARK(BM_Fade)->Apply(Cases)->ArgNames({"len", "colours", "wave"});
BENCHMARK(BM_FreshTextFloor)->Apply(Cases)->ArgNames({"len", "colours", "wave"});

}  // namespace

BENCHMARK_MAIN();
