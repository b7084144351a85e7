// The preferences store against the real file under Wine: the lock that
// keeps the groups of writes of two copies of the program apart, and files
// far larger than the program's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/profile_store.h"
#include "tools/testing/processes.h"
#include "tools/testing/test_files.h"

namespace quillon {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

constexpr wchar_t kFile[] = L"c:\\quillon-store-test.ini";
constexpr char kFileAnsi[] = "c:\\quillon-store-test.ini";
const std::string kOtherProgram = "[other]\r\nkeep=me\r\n";

class ProfileStoreFile : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFileBytes(kFile, kOtherProgram)); }
  void TearDown() override { DeleteFileW(kFile); }

  // One group writing the preset's font; true when it saved.
  static bool SaveFont(Win32ProfileStore& store, const std::u16string& font) {
    WriteGroup group(store);
    const bool written = WriteIni(store, kPresetSection, "font", font);
    return group.End() && written;
  }
};

TEST_F(ProfileStoreFile, AGroupKeptOutPastTheWaitFailsAndLeavesTheFileAsItWas) {
  Win32ProfileStore store(kFileAnsi);
  testing::SettingsLockHolder other;
  ASSERT_TRUE(other.Take(false));
  EXPECT_FALSE(SaveFont(store, u"arial"));
  EXPECT_EQ(ReadFileBytes(kFile), kOtherProgram);

  // Once the other copy lets go, the next save goes through.
  other.Release();
  EXPECT_TRUE(SaveFont(store, u"arial"));
  const std::string file = ReadFileBytes(kFile);
  EXPECT_NE(file.find("keep=me"), std::string::npos) << file;
  EXPECT_NE(file.find("FONT=arial"), std::string::npos) << file;
}

TEST_F(ProfileStoreFile, ALockLeftByACopyThatEndedHoldingItDoesNotKeepTheNextRunOut) {
  {
    testing::SettingsLockHolder crashed;
    ASSERT_TRUE(crashed.Take(true));
  }
  // A new store, as the next run makes.
  Win32ProfileStore store(kFileAnsi);
  EXPECT_TRUE(SaveFont(store, u"times new roman"));
  EXPECT_NE(ReadFileBytes(kFile).find("FONT=times new roman"), std::string::npos);
  EXPECT_TRUE(SaveFont(store, u"arial"));  // and it lets go of it again
}

// Over 16 MB: other programs' sections in front of and behind the
// program's own.
std::string LargeFile() {
  std::string file = "[opts]\r\nFONT=arial\r\n";
  const std::string value(1000, 'v');
  for (int key = 0; file.size() < (17u << 20); ++key) file += "[big" + std::to_string(key) + "]\r\nk=" + value + "\r\n";
  return file + kOtherProgram;
}

// As a full disk does: each write is reported done, the file cut short.
class CutShortStore : public Win32ProfileStore {
 public:
  using Win32ProfileStore::Win32ProfileStore;
  bool Write(const std::string& section, const std::string& key, const std::u16string& value) override {
    const bool written = Win32ProfileStore::Write(section, key, value);
    HANDLE handle = CreateFileA(kFileAnsi, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      LARGE_INTEGER half{};
      half.QuadPart = 8 << 20;
      SetFilePointerEx(handle, half, nullptr, FILE_BEGIN);
      SetEndOfFile(handle);
      CloseHandle(handle);
    }
    return written;
  }
};

TEST_F(ProfileStoreFile, AFileOver16MbIsWrittenWholeAndPutBackWholeWhenASaveIsCutShort) {
  const std::string large = LargeFile();
  ASSERT_TRUE(WriteFileBytes(kFile, large));
  {
    Win32ProfileStore store(kFileAnsi);
    EXPECT_EQ(ReadIni(store, "other", "keep"), u"me");
    EXPECT_TRUE(SaveFont(store, u"times new roman"));
  }
  std::string expected = large;
  expected.replace(expected.find("FONT=arial"), 10, "FONT=times new roman");
  // Compared whole, but not printed: 17 MB.
  std::string now = ReadFileBytes(kFile);
  EXPECT_TRUE(now == expected) << now.size() << " bytes, not the " << expected.size() << " expected";

  CutShortStore cut(kFileAnsi);
  EXPECT_FALSE(SaveFont(cut, u"courier new"));
  now = ReadFileBytes(kFile);
  EXPECT_TRUE(now == expected) << now.size() << " bytes, not the " << expected.size() << " put back";
}

}  // namespace
}  // namespace quillon
