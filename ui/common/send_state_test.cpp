#include "ui/common/send_state.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quillon {
namespace {

constexpr std::int64_t k2To31 = std::int64_t{1} << 31, k2To32 = std::int64_t{1} << 32;
constexpr std::int64_t kDay = 24 * 60 * 60 * 1000;

// What a message carries of a 64-bit tick count.
std::uint32_t Low32(std::int64_t tick) { return static_cast<std::uint32_t>(tick); }

// A send that ends at the tick count end.
void SendEndingAt(SendState& send, std::int64_t end) {
  send.Run([] {}, [end] { return end; });
}

TEST(WidenTick, GivesBackTheTickNearestToNowAcrossEveryCrossing) {
  // Ticks a moment before and after now, now on either side of the
  // crossings of 2^31 and 2^32 (and of later multiples of 2^32).
  for (const std::int64_t crossing : {k2To31, k2To32, 3 * k2To31, 5 * k2To32}) {
    for (const std::int64_t now : {crossing - 3, crossing - 1, crossing, crossing + 1, crossing + 250}) {
      for (const std::int64_t apart : {-2000, -250, -1, 0, 1, 3}) {
        SCOPED_TRACE(::testing::Message() << "now " << now << ", tick " << apart << " from it");
        EXPECT_EQ(WidenTick(Low32(now + apart), now), now + apart);
      }
    }
  }
  // Up to 2^31 ms before now, and less than 2^31 after it.
  const std::int64_t now = 7 * k2To31 + 12345;
  EXPECT_EQ(WidenTick(Low32(now - k2To31), now), now - k2To31);
  EXPECT_EQ(WidenTick(Low32(now + k2To31 - 1), now), now + k2To31 - 1);
}

TEST(SendState, OneSendAtATimeAndEveryWayOutEndsIt) {
  SendState send;
  EXPECT_FALSE(send.Sending());
  bool inner = true;
  ASSERT_TRUE(send.Run(
      [&] {
        EXPECT_TRUE(send.Sending());
        inner = send.Run([] {}, [] { return std::int64_t{0}; });
      },
      [] { return std::int64_t{1000}; }));
  EXPECT_FALSE(inner);
  EXPECT_FALSE(send.Sending());
  // A send that throws has ended as well, at its time.
  EXPECT_THROW(send.Run([] { throw 1; }, [] { return std::int64_t{2000}; }), int);
  EXPECT_FALSE(send.Sending());
  EXPECT_FALSE(send.EnterMaySend(Low32(1999), 2001));
  EXPECT_TRUE(send.Run([] {}, [] { return std::int64_t{3000}; }));
}

TEST(SendState, AnEnterMaySendUnlessASendRunsOrItWasPressedBeforeTheLastSendEnded) {
  SendState send;
  EXPECT_TRUE(send.EnterMaySend(Low32(500), 500));  // no send yet
  send.Run([&] { EXPECT_FALSE(send.EnterMaySend(Low32(600), 600)); }, [] { return std::int64_t{1000}; });
  EXPECT_FALSE(send.EnterMaySend(Low32(999), 1001));  // queued during the send
  EXPECT_TRUE(send.EnterMaySend(Low32(1000), 1001));
  EXPECT_TRUE(send.EnterMaySend(Low32(1001), 1001));
}

TEST(SendState, TheCheckHoldsWhereverTheCrossingsOf2To31And2To32Fall) {
  for (const std::int64_t crossing : {k2To31, k2To32}) {
    SCOPED_TRACE(crossing);
    // The last send ended before the crossing; an Enter after it sends.
    SendState before;
    SendEndingAt(before, crossing - 3000);
    EXPECT_TRUE(before.EnterMaySend(Low32(crossing + 100), crossing + 110));
    EXPECT_FALSE(before.EnterMaySend(Low32(crossing - 3001), crossing + 110));
    // The send ended just after the crossing; an Enter pressed during it,
    // before the crossing, belongs to it.
    SendState across;
    SendEndingAt(across, crossing + 400);
    EXPECT_FALSE(across.EnterMaySend(Low32(crossing - 100), crossing + 420));
    EXPECT_FALSE(across.EnterMaySend(Low32(crossing + 399), crossing + 420));
    EXPECT_TRUE(across.EnterMaySend(Low32(crossing + 400), crossing + 420));
  }
}

TEST(SendState, AnEnterLongAfterTheLastSendAlwaysSends) {
  // Also beyond 24.9 days (2^31 ms) and 49.7 days (2^32 ms), where the
  // message's 32-bit time has come round to below the send's end.
  for (const std::int64_t ended : {std::int64_t{5000}, k2To31 - 10, k2To32 - 10}) {
    for (const std::int64_t later : {std::int64_t{1}, kDay, 24 * kDay, k2To31 + 1, 30 * kDay, k2To32 + 1,
                                     60 * kDay, 400 * kDay}) {
      SCOPED_TRACE(::testing::Message() << "ended " << ended << ", Enter " << later << " ms later");
      SendState send;
      SendEndingAt(send, ended);
      EXPECT_TRUE(send.EnterMaySend(Low32(ended + later), ended + later + 2));
    }
  }
}

}  // namespace
}  // namespace quillon
