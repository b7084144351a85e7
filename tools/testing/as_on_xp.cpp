// Linked into each test program that also runs as on Windows XP (see
// as_on_xp.h): a test environment that, in that run, takes the newer
// functions away before the first test opens a window, and a test that the
// run is what it says.
#include "tools/testing/as_on_xp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/newer_windows.h"
#include "platform/tick_count64.h"
#include "tools/testing/fader_process.h"

namespace quillon::testing {
namespace {

class AsOnXp : public ::testing::Environment {
 public:
  void SetUp() override {
    if (AsOnXpRequested()) ForgetNewerWindows();
  }
};

[[maybe_unused]] ::testing::Environment* const asOnXp = ::testing::AddGlobalTestEnvironment(new AsOnXp);

TEST(AsOnXp, OnlyTheRunAsOnXpLacksTheNewerFunctionsAndWidensTheTickCount) {
  const NewerWindows functions = NewerWindowsFunctions();
  const ULONGLONG now = GetTickCount64();
  const TickWidener widening = TickCountWidening();
  if (AsOnXpRequested()) {
    EXPECT_EQ(functions.getTickCount64, nullptr);
    EXPECT_EQ(functions.getDpiForWindow, nullptr);
    EXPECT_EQ(functions.adjustWindowRectExForDpi, nullptr);
    // The count came through the widening, whose last reading is its low half.
    EXPECT_NE(widening.last(), 0u);
    EXPECT_EQ(widening.last(), static_cast<std::uint32_t>(now & 0xFFFFFFFFu));
  } else {
    // Wine has them all, so the widening never read the count.
    EXPECT_NE(functions.getTickCount64, nullptr);
    EXPECT_NE(functions.getDpiForWindow, nullptr);
    EXPECT_NE(functions.adjustWindowRectExForDpi, nullptr);
    EXPECT_EQ(widening.last(), 0u);
  }
}

// What a suite starts as the program is the copy that lacks them as well.
TEST(AsOnXp, OnlyTheRunAsOnXpStartsTheProgramsCopyWithoutTheNewerFunctions) {
  const std::wstring path = FaderPath();
  const std::wstring copy = L"\\quillon_as_on_xp.exe";
  const bool namesTheCopy = path.size() > copy.size() && path.compare(path.size() - copy.size(), copy.size(), copy) == 0;
  EXPECT_EQ(namesTheCopy, AsOnXpRequested()) << std::string(path.begin(), path.end());
  EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace quillon::testing
