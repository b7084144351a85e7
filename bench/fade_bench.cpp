// Fade throughput against the floor of producing the same amount of fresh
// text: allocating a string of the output's size and copying the output in.
// Arguments: text length, colour count, wave (0 off, 1 on).
//
// A figure of real hardware only: run under an emulator (qemu-i386 running
// the 32-bit x87 build where the kernel runs no 32-bit program), it says so
// in one line and measures nothing.
#include "fade/fade.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include <sys/personality.h>
#include <sys/utsname.h>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

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

// The processor's brand string as this program's cpuid reads it; empty where
// there is none.
std::string CpuidBrand() {
#if defined(__i386__) || defined(__x86_64__)
  unsigned int regs[12] = {};
  if (__get_cpuid_max(0x80000000, nullptr) < 0x80000004) return "";
  for (unsigned int i = 0; i < 3; ++i)
    __cpuid(0x80000002 + i, regs[4 * i], regs[4 * i + 1], regs[4 * i + 2], regs[4 * i + 3]);
  char brand[sizeof regs + 1] = {};
  std::memcpy(brand, regs, sizeof regs);
  return brand;
#else
  return "";
#endif
}

// Why the figures would not be the hardware's, or empty when they would be.
// QEMU's emulation names itself in the brand string ("QEMU TCG CPU ...")
// unless told to show another processor; whatever it shows, a user-mode
// emulator reports the machine it emulates (i686) where the kernel, whose
// own machine /proc tells, would report its own (x86_64) to a 32-bit
// program not started under linux32.
std::string Emulator() {
  const std::string brand = CpuidBrand();
  if (brand.rfind("QEMU TCG", 0) == 0) return brand;
  utsname self{};
  std::string kernel;
  std::ifstream("/proc/sys/kernel/arch") >> kernel;
  if (uname(&self) == 0 && !kernel.empty() && kernel != self.machine &&
      (personality(0xffffffff) & PER_MASK) != PER_LINUX32)
    return std::string(self.machine) + " code on an " + kernel + " kernel";
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::string emulator = Emulator(); !emulator.empty()) {
    std::printf("fade_bench: not measured: running under an emulator (%s)\n", emulator.c_str());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
