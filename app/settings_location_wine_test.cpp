// Settings are kept where the root of C: refuses to take them, as it refuses
// a standard user of Windows Vista and later: in the user's own file, with
// the settings of a read-only c:\myini.ini carried over and that file left
// as it was. Wine runs as root here, so the refusals are made with the
// file system's immutable flag (chattr), which stops root as well.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "tools/testing/fader_process.h"
#include "tools/testing/standin.h"
#include "tools/testing/test_files.h"

namespace quillon {
namespace {

using testing::ReadFileBytes;
using testing::WaitUntil;

const std::wstring kStandardFile = testing::PrefsFile();

std::wstring PerUserFolder() {
  wchar_t appData[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return {};
  return std::wstring(appData) + L"\\quillon fader";
}

std::wstring PerUserFile() { return PerUserFolder() + L"\\myini.ini"; }

// Starts a Unix program from inside Wine. Wine neither waits for it nor
// passes its exit code on, so callers wait for what it does.
void StartUnix(const std::wstring& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

// The Unix path of the prefix's drive C:.
std::wstring UnixDriveC() {
  wchar_t prefix[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(prefix) + L"/drive_c";
}

// Sets the immutable flag on a file or folder of drive C: for as long as it
// lives, waiting until refused() tells that it holds, and when it goes,
// until it no longer does.
class Immutable {
 public:
  Immutable(const std::wstring& unixPath, std::function<bool()> refused)
      : path_(unixPath), refused_(std::move(refused)) {
    StartUnix(L"/usr/bin/chattr +i \"" + path_ + L"\"");
    holds_ = WaitUntil(refused_, 10000);
  }
  ~Immutable() {
    StartUnix(L"/usr/bin/chattr -i \"" + path_ + L"\"");
    WaitUntil([&] { return !refused_(); }, 10000);
  }
  Immutable(const Immutable&) = delete;
  Immutable& operator=(const Immutable&) = delete;
  bool holds() const { return holds_; }

 private:
  std::wstring path_;
  std::function<bool()> refused_;
  bool holds_ = false;
};

bool CanCreate(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  DeleteFileW(path.c_str());
  return true;
}

bool CanWrite(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(UnixDriveC().empty()) << "WINEPREFIX is not set";
    ASSERT_FALSE(PerUserFolder().empty());
    DeleteFileW(PerUserFile().c_str());
    RemoveDirectoryW(PerUserFolder().c_str());
    DeleteFileW(kStandardFile.c_str());
    ASSERT_TRUE(host.Start());
  }
  void TearDown() override { DeleteFileW(PerUserFile().c_str()); }

  // Starts the program; the caption says nothing of the settings.
  void Start(testing::Fader& fader) {
    ASSERT_TRUE(fader.Start());
    EXPECT_EQ(testing::WindowText(fader.main()), L"quillon fader");
  }
  void Close(testing::Fader& fader) {
    PostMessageW(fader.main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(fader.process().WaitForExit(10000));
  }
  static LRESULT Check(const testing::Fader& fader, int id) {
    return SendMessageW(fader.Control(id), BM_GETCHECK, 0, 0);
  }
  static void SetBar(const testing::Fader& fader, int value) {
    HWND bar = fader.Control(kIdSb);
    SendMessageW(bar, SBM_SETPOS, value, TRUE);
    SendMessageW(fader.main(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, value), reinterpret_cast<LPARAM>(bar));
  }
  // Saves the preset, and the caption stays clean: the save reached a file.
  static void Save(const testing::Fader& fader) {
    SendMessageW(fader.Control(kIdCommand2), BM_CLICK, 0, 0);
    EXPECT_EQ(testing::WindowText(fader.main()), L"quillon fader");
  }

  testing::StandIn host;
};

TEST_F(SettingsFile, WithNoFileTheSettingsAreKeptInTheUsersOwnFileFromRunToRun) {
  const Immutable root(UnixDriveC(), [] { return !CanCreate(L"c:\\quillon-probe.txt"); });
  ASSERT_TRUE(root.holds()) << "the root of C: still takes new files";

  {
    testing::Fader fader;
    Start(fader);
    SendMessageW(fader.Control(kIdCheck1), BM_CLICK, 0, 0);  // bold
    SetBar(fader, 0);
    Save(fader);
    SendMessageW(fader.Control(kIdCheck1), BM_CLICK, 0, 0);  // bold off again
    SendMessageW(fader.Control(kIdCheck3), BM_CLICK, 0, 0);  // underline: the last settings
    Close(fader);
  }
  EXPECT_EQ(GetFileAttributesW(kStandardFile.c_str()), INVALID_FILE_ATTRIBUTES);
  const std::string kept = ReadFileBytes(PerUserFile());
  EXPECT_NE(kept.find("[opts]\r\nFONT=arial\r\nBOLD=1\r\n"), std::string::npos) << kept;
  EXPECT_NE(kept.find("[optsl]\r\nBOLD=0\r\nITALIC=0\r\nUNDERLINE=1\r\n"), std::string::npos) << kept;

  testing::Fader again;
  Start(again);
  // The last settings came back...
  EXPECT_EQ(Check(again, kIdCheck1), BST_UNCHECKED);
  EXPECT_EQ(Check(again, kIdCheck3), BST_CHECKED);
  EXPECT_EQ(GetScrollPos(again.Control(kIdSb), SB_CTL), 0);
  // ...and the preset of the run before loads.
  SendMessageW(again.Control(kIdCommand3), BM_CLICK, 0, 0);
  EXPECT_EQ(Check(again, kIdCheck1), BST_CHECKED);
  EXPECT_EQ(Check(again, kIdCheck3), BST_UNCHECKED);
  Close(again);
}

// A file of an earlier run, or of the user's own making: a preset, last
// settings, custom colours and another program's section.
const std::string kReadOnlyFile =
    "[new]\r\nISHE?=no\r\n[lastfont]\r\nIS=arial\r\n"
    "[opts]\r\nFONT=arial\r\nBOLD=0\r\nITALIC=1\r\nUNDERLINE=0\r\nWAVY=1\r\nCOLOR1=255\r\nCOLOR2=65280\r\n"
    "COLOR3=16711680\r\nCOLOR4=0\r\nSBAR=1\r\n"
    "[optsl]\r\nBOLD=1\r\nITALIC=0\r\nUNDERLINE=1\r\nWAVY=0\r\nCOLOR1=255\r\nCOLOR2=65280\r\n"
    "COLOR3=16711680\r\nCOLOR4=0\r\nSBAR=0\r\n[other]\r\nkeep=me\r\n";

TEST_F(SettingsFile, AReadOnlyFileIsCarriedOverOnceAndNeverChanged) {
  ASSERT_TRUE(testing::WriteFileBytes(kStandardFile, kReadOnlyFile));
  const Immutable file(UnixDriveC() + L"/myini.ini", [] { return !CanWrite(kStandardFile); });
  ASSERT_TRUE(file.holds()) << "c:\\myini.ini can still be written";

  {
    testing::Fader fader;
    Start(fader);
    // The last settings of the read-only file came back.
    EXPECT_EQ(Check(fader, kIdCheck1), BST_CHECKED);
    EXPECT_EQ(Check(fader, kIdCheck3), BST_CHECKED);
    EXPECT_EQ(GetScrollPos(fader.Control(kIdSb), SB_CTL), 0);
    // Its preset loads, and a changed one saves.
    SendMessageW(fader.Control(kIdCommand3), BM_CLICK, 0, 0);
    EXPECT_EQ(Check(fader, kIdCheck2), BST_CHECKED);
    EXPECT_EQ(Check(fader, kIdCheck4), BST_CHECKED);
    EXPECT_EQ(GetScrollPos(fader.Control(kIdSb), SB_CTL), 1);
    SendMessageW(fader.Control(kIdCheck4), BM_CLICK, 0, 0);  // wavy off
    Save(fader);
    Close(fader);
  }
  const std::string kept = ReadFileBytes(PerUserFile());
  EXPECT_NE(kept.find("[other]\r\nkeep=me\r\n"), std::string::npos) << kept;
  EXPECT_NE(kept.find("ITALIC=1\r\nUNDERLINE=0\r\nWAVY=0\r\n"), std::string::npos) << kept;

  // The next run reads the user's file, not the read-only one again.
  testing::Fader again;
  Start(again);
  SendMessageW(again.Control(kIdCommand3), BM_CLICK, 0, 0);
  EXPECT_EQ(Check(again, kIdCheck2), BST_CHECKED);
  EXPECT_EQ(Check(again, kIdCheck4), BST_UNCHECKED);
  Close(again);
  EXPECT_EQ(ReadFileBytes(kStandardFile), kReadOnlyFile);
}

TEST_F(SettingsFile, AWritableRootKeepsTheStandardFile) {
  {
    testing::Fader fader;
    Start(fader);
    Save(fader);
    Close(fader);
  }
  EXPECT_NE(ReadFileBytes(kStandardFile).find("[opts]\r\nFONT=arial\r\n"), std::string::npos);
  EXPECT_EQ(GetFileAttributesW(PerUserFile().c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(kStandardFile.c_str());
}

}  // namespace
}  // namespace quillon
