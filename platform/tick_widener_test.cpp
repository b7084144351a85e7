#include "platform/tick_widener.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace quillon {
namespace {

constexpr std::uint64_t kDay = 24ull * 60 * 60 * 1000;
constexpr std::uint64_t kWrap = 1ull << 32;

// Each case is a run of reading times in milliseconds since the count was 0;
// the widener is given each time's low 32 bits, as GetTickCount returns them,
// and must give back the whole time.
TEST(TickWidener, GivesBackTheWholeTimeFromItsLow32Bits) {
  struct Case {
    const char* name;
    std::vector<std::uint64_t> times;
  };
  const Case cases[] = {
      {"one wrap", {kWrap - 256, kWrap + 256}},
      {"a reading of exactly 0 after the wrap", {kWrap - 1, kWrap, kWrap + 1}},
      {"many wraps",
       {100, kWrap - 16, kWrap + 16, 2 * kWrap - 1, 2 * kWrap, 2 * kWrap + kWrap / 2, 3 * kWrap + 1,
        4 * kWrap - 1, 4 * kWrap + kWrap / 2, 5 * kWrap + 7}},
      {"40 days after the last reading, across a wrap", {3'000'000'000, 3'000'000'000 + 40 * kDay}},
      {"40 days after the last reading, within one lap", {100'000, 100'000 + 40 * kDay}},
      {"a count already large at the first reading", {4'000'000'000, 4'000'000'500, kWrap + 10}},
      {"equal readings", {77, 77, 77}},
      {"equal readings after a wrap", {kWrap - 1, kWrap + 3, kWrap + 3, kWrap + 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TickWidener widener;
    for (const std::uint64_t time : c.times) {
      const auto reading = static_cast<std::uint32_t>(time & 0xFFFFFFFFu);
      EXPECT_EQ(widener.Widen(reading), time) << "reading " << reading;
    }
  }
}

}  // namespace
}  // namespace quillon
