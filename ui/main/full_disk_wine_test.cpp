// Saves on a full disk: the system rewrites the whole settings file for each
// key, cut at the room there is, and reports success. The program reads back
// what each group of writes wrote; when it does not read back, the caption
// says "not saved" and the file is written back as it was, other programs'
// sections included. Run by tools/testing/with-full-disk, which puts
// c:\myini.ini on a 16 KB filesystem of its own, named by QUILLON_FULL_DISK.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "prefs/custom_colours.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

const wchar_t* const kFile = testing::PrefsFile();

// A file of a run before, then other programs' sections after the
// program's own, filling the filesystem's first 4 KB page but for a few
// bytes: whatever a save adds to the file cuts the other sections' end.
std::string EarlierFile() {
  std::string file =
      "[lastfont]\r\nis=Arial\r\n[new]\r\nishe?=no\r\n[opts]\r\nFONT=\r\nBOLD=0\r\nITALIC=0\r\nUNDERLINE=0\r\n"
      "WAVY=0\r\nCOLOR1=0\r\nCOLOR2=0\r\nCOLOR3=0\r\nCOLOR4=0\r\nSBAR=0\r\n";
  for (int section = 1; file.size() < 4096 - 120; ++section) {
    file += "[another program " + std::to_string(section) + "]\r\n";
    for (int key = 1; key <= 8; ++key) file += "setting" + std::to_string(key) + "=" + std::string(24, 'v') + "\r\n";
  }
  file += "[the last program]\r\nlast=kept\r\n";
  return file;
}

class FullDisk : public MainWindow {
 protected:
  void SetUp() override {
    wchar_t folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"QUILLON_FULL_DISK", folder, MAX_PATH))
      GTEST_SKIP() << "run by tools/testing/with-full-disk, which makes the full disk";
    disk_ = folder;
    earlier_ = EarlierFile();
    ASSERT_LT(earlier_.size(), 4096u);
    ASSERT_TRUE(testing::WriteFileBytes(kFile, earlier_));
  }
  void TearDown() override {
    MainWindow::TearDown();
    DeleteFileW(Filler().c_str());
    DeleteFileW((disk_ + L"\\own.ini").c_str());
  }

  std::wstring Filler() const { return disk_ + L"\\filler"; }
  // Takes every byte the filesystem has left.
  void FillTheDisk() {
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExW((disk_ + L"\\").c_str(), &free, nullptr, nullptr));
    ASSERT_TRUE(testing::WriteFileBytes(Filler(), std::string(static_cast<std::size_t>(free.QuadPart), 'f')));
    ASSERT_TRUE(GetDiskFreeSpaceExW((disk_ + L"\\").c_str(), &free, nullptr, nullptr));
    ASSERT_EQ(free.QuadPart, 0u);
  }
  std::wstring Caption() const { return testing::WindowText(form->hwnd()); }

  std::wstring disk_;
  std::string earlier_;
  // A store given another file than the standard one; the window, which
  // uses it, goes first (TearDown).
  std::unique_ptr<Win32ProfileStore> chosen_;
};

TEST_F(FullDisk, ASaveThatDidNotReachTheFileSaysSoAndLeavesTheFileAsItWas) {
  Open(L"", /*keepPrefs=*/true);
  FillTheDisk();
  SendMessageW(form->Command2.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(Caption(), L"quillon fader - not saved");
  EXPECT_EQ(testing::ReadFileBytes(kFile), earlier_);

  // Closing writes the last settings, which do not fit either: the caption
  // says so, and the other programs' sections are still there.
  SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(Caption(), L"quillon fader - not saved");
  EXPECT_EQ(testing::ReadFileBytes(kFile), earlier_);
  EXPECT_EQ(host.ChatLines(), (std::vector<std::u16string>{LoadedLine(), UnloadedLine()}));
}

// Where the root of C: refuses the file, the store is given the user's own
// file in its place: the group's reading back and putting back work on that
// one too.
TEST_F(FullDisk, AFileChosenInPlaceOfTheStandardOneIsPutBackAsItWasToo) {
  const std::wstring own = disk_ + L"\\own.ini";
  // No standard file (Wine removes what the link names, and the link then
  // names nothing): the same bytes in another file of the full disk.
  DeleteFileW(kFile);
  ASSERT_EQ(GetFileAttributesW(kFile), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(testing::WriteFileBytes(own, earlier_));
  chosen_ = std::make_unique<Win32ProfileStore>(std::string(own.begin(), own.end()));
  ASSERT_TRUE(host.Start());
  MakeForm(*chosen_);
  ASSERT_TRUE(form->Open());
  FillTheDisk();
  SendMessageW(form->Command2.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(Caption(), L"quillon fader - not saved");
  EXPECT_EQ(testing::ReadFileBytes(own), earlier_);
  EXPECT_EQ(GetFileAttributesW(kFile), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FullDisk, WithRoomAgainTheSaveReachesTheFileAndTheCaptionClears) {
  Open(L"", /*keepPrefs=*/true);
  FillTheDisk();
  SendMessageW(form->Command2.hwnd(), BM_CLICK, 0, 0);
  ASSERT_EQ(Caption(), L"quillon fader - not saved");
  DeleteFileW(Filler().c_str());
  SendMessageW(form->Command2.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(Caption(), L"quillon fader");
  const std::string file = testing::ReadFileBytes(kFile);
  const std::u16string font = form->cmbFonts.Text();
  EXPECT_NE(file.find("[opts]\r\nFONT=" + std::string(font.begin(), font.end()) + "\r\n"), std::string::npos);
  EXPECT_NE(file.find("[the last program]\r\nlast=kept\r\n"), std::string::npos);
}

TEST_F(FullDisk, CustomColoursAndTheHandOverThatDoNotFitAreReportedAndUndone) {
  Win32ProfileStore store;
  FillTheDisk();
  CustomColours colours{};
  colours.fill(16777215);
  EXPECT_FALSE(WriteCustomColours(store, colours));
  EXPECT_EQ(testing::ReadFileBytes(kFile), earlier_);

  Open(L"", /*keepPrefs=*/true);
  SendMessageW(form->Command6.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(form->compact());
  EXPECT_EQ(testing::WindowText(form->compact()->hwnd()), L"quillon fader - not saved");
  EXPECT_EQ(testing::ReadFileBytes(kFile), earlier_);
}

}  // namespace
}  // namespace quillon
