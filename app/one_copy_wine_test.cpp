// The settings survive other programs: a second copy of the program gives
// way to the first, and a settings file that another program holds at
// start-up is left as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/testing/fader_process.h"
#include "tools/testing/standin.h"
#include "tools/testing/test_files.h"
#include "ui/common/texts.h"

namespace quillon {
namespace {

using Lines = std::vector<std::u16string>;
using testing::WaitUntil;

const std::wstring kFile = testing::PrefsFile();

class OtherPrograms : public ::testing::Test {
 protected:
  // Closes the program as the user does; true when it ended by itself.
  bool CloseNormally(testing::Fader& fader) {
    PostMessageW(fader.main(), WM_CLOSE, 0, 0);
    return fader.process().WaitForExit(10000) && fader.process().ExitCode() == 0;
  }
  testing::StandIn host;
};

TEST_F(OtherPrograms, ASecondCopyExitsAtOnceAndBringsTheFirstToTheFront) {
  DeleteFileW(kFile.c_str());
  ASSERT_TRUE(host.Start());
  testing::Fader first;
  ASSERT_TRUE(first.Start());
  // Another window in front, as when the user works in the chat client.
  // The program's own activation at start-up may arrive after the test's
  // first try, so the test waits for it and then tries until it holds.
  HWND client = FindWindowW(L"AOL Frame25", nullptr);
  ASSERT_TRUE(client);
  WaitUntil([&] { return GetForegroundWindow() == first.main(); }, 2000);
  ASSERT_TRUE(WaitUntil(
      [&] {
        SetForegroundWindow(client);
        return GetForegroundWindow() == client;
      },
      5000));

  testing::Process second;
  ASSERT_TRUE(second.Start(testing::FaderPath(), L""));
  ASSERT_TRUE(second.WaitForExit(10000));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == first.main(); }, 5000));

  // The first copy's close ends all posting: one "loaded", one "unloaded".
  ASSERT_TRUE(CloseNormally(first));
  EXPECT_EQ(host.ChatLines(), (Lines{LoadedLine(), UnloadedLine()}));
}

TEST_F(OtherPrograms, ASaveWhileAnotherCopyHoldsTheSettingsPastTheWaitSaysNotSavedAndWritesNothing) {
  testing::DeletePrefsFile();
  ASSERT_TRUE(host.Start());
  testing::Fader fader;
  ASSERT_TRUE(fader.Start());
  const std::string before = testing::ReadPrefsFile();
  {
    testing::SettingsLockHolder other;
    ASSERT_TRUE(other.Take(false));
    SendMessageW(fader.Control(kIdCommand2), BM_CLICK, 0, 0);
    EXPECT_EQ(testing::WindowText(fader.main()), L"quillon fader - not saved");
    EXPECT_EQ(testing::ReadPrefsFile(), before);
  }
  // Let go, the next save reaches the file.
  SendMessageW(fader.Control(kIdCommand2), BM_CLICK, 0, 0);
  EXPECT_EQ(testing::WindowText(fader.main()), L"quillon fader");
  EXPECT_NE(testing::ReadPrefsFile().find("[opts]\r\nFONT=arial\r\n"), std::string::npos);
  ASSERT_TRUE(CloseNormally(fader));
}

// Settings of an earlier run that differ from the design in every way the
// window shows, and a section of another program.
const std::string kEarlierRun =
    "[new]\r\nISHE?=no\r\n[lastfont]\r\nIS=courier new\r\n"
    "[optsl]\r\nBOLD=1\r\nITALIC=0\r\nUNDERLINE=1\r\nWAVY=0\r\nCOLOR1=255\r\nCOLOR2=65280\r\n"
    "COLOR3=16711680\r\nCOLOR4=0\r\nSBAR=0\r\n[other]\r\nkeep=me\r\n";

// Opens the file as a backup tool or a scanner may: nobody else may read or
// write it while the handle is open.
HANDLE HoldExclusively(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

class BusySettingsFile : public OtherPrograms {
 protected:
  // Starts the program while the file is held, and checks that it started
  // with the design values and says why.
  void StartWhileHeld() {
    ASSERT_TRUE(testing::WriteFileBytes(kFile, kEarlierRun));
    ASSERT_TRUE(host.Start());
    held = HoldExclusively(kFile);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(fader.Start());
    EXPECT_EQ(testing::WindowText(fader.main()), L"quillon fader - settings file busy");
    EXPECT_EQ(testing::WindowText(fader.Control(kIdFonts)), L"arial");
    EXPECT_EQ(SendMessageW(fader.Control(kIdCheck1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(fader.Control(kIdCheck3), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(GetScrollPos(fader.Control(kIdSb), SB_CTL), 2);
    EXPECT_EQ(host.ChatLines(), Lines{LoadedLine()});
  }
  void Release() {
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    held = INVALID_HANDLE_VALUE;
  }
  void TearDown() override { Release(); }

  testing::Fader fader;
  HANDLE held = INVALID_HANDLE_VALUE;
};

TEST_F(BusySettingsFile, HeldForTheWholeRunItStartsAsDesignedSaysSoAndTheFileIsUntouched) {
  StartWhileHeld();
  ASSERT_TRUE(CloseNormally(fader));
  Release();
  EXPECT_EQ(host.ChatLines(), (Lines{LoadedLine(), UnloadedLine()}));
  EXPECT_EQ(testing::ReadFileBytes(kFile), kEarlierRun);
}

TEST_F(BusySettingsFile, HeldOnlyAtStartUpTheRunStillWritesNothing) {
  StartWhileHeld();
  Release();
  // With the file free again, a save still writes nothing, and says so.
  SendMessageW(fader.Control(kIdCommand2), BM_CLICK, 0, 0);
  EXPECT_EQ(testing::WindowText(fader.main()), L"quillon fader - not saved, settings file busy");
  ASSERT_TRUE(CloseNormally(fader));
  EXPECT_EQ(host.ChatLines(), (Lines{LoadedLine(), UnloadedLine()}));
  EXPECT_EQ(testing::ReadFileBytes(kFile), kEarlierRun);
}

}  // namespace
}  // namespace quillon
