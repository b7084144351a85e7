#include "ui/common/reentry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace quillon {
namespace {

TEST(Reentry, OnceTurnsAwayACallFromInsideAndLeavesOnEveryWayOut) {
  Reentry guard;
  int leaves = 0, runs = 0;
  const auto leave = [&] {
    EXPECT_TRUE(guard.Running()) << "left after the guard was let go";
    ++leaves;
  };
  EXPECT_TRUE(guard.Once(
      [&] {
        ++runs;
        EXPECT_FALSE(guard.Once([&] { ++runs; }, leave));
      },
      leave));
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(leaves, 1);
  EXPECT_THROW(guard.Once([] { throw std::runtime_error("failed"); }, leave), std::runtime_error);
  EXPECT_EQ(leaves, 2);
  EXPECT_FALSE(guard.Running());
  EXPECT_TRUE(guard.Once([&] { ++runs; }));
  EXPECT_EQ(runs, 2);
}

TEST(Reentry, ScopesNestAndCount) {
  Reentry guard;
  {
    const Reentry::Scope outer(guard);
    const Reentry::Scope inner(guard);
    EXPECT_EQ(guard.Depth(), 2);
  }
  EXPECT_FALSE(guard.Running());
}

// A redraw asked for again by what it lets in: the asks meanwhile make one
// pass more, never a nested one.
TEST(Reentry, CoalescedRunsOnceMoreHoweverOftenItWasAskedMeanwhile) {
  for (const int asks : {0, 1, 3}) {
    SCOPED_TRACE(asks);
    Reentry guard;
    int passes = 0, depth = 0;
    EXPECT_TRUE(guard.Coalesced([&] {
      ++passes;
      depth = std::max(depth, guard.Depth());
      if (passes != 1) return;
      for (int i = 0; i < asks; ++i) EXPECT_FALSE(guard.Coalesced([&] { ++passes; }));
    }));
    EXPECT_EQ(passes, asks > 0 ? 2 : 1);
    EXPECT_EQ(depth, 1);
  }
}

TEST(Reentry, ARendererThatThrowsOnceLeavesTheRedrawWorking) {
  Reentry guard;
  int draws = 0;
  bool thrown = false;
  const auto render = [&] {
    ++draws;
    if (!thrown) {
      thrown = true;
      guard.Coalesced([] {});  // asked again before the failure
      throw std::runtime_error("the renderer failed");
    }
  };
  EXPECT_THROW(guard.Coalesced(render), std::runtime_error);
  EXPECT_FALSE(guard.Running());
  draws = 0;
  EXPECT_TRUE(guard.Coalesced(render));
  EXPECT_EQ(draws, 1) << "the ask noted before the failure outlived it";
}

}  // namespace
}  // namespace quillon
