// The per-user settings file where the code page cannot spell the folder's
// name: the store opens it through the ANSI functions, so the folder goes
// by its short name, and what is written through that path is the file in
// the folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/prefs_location.h"
#include "tools/testing/processes.h"

namespace quillon {
namespace {

// Writes a key through the ANSI path and reads the file back through the
// long wide one.
std::string WrittenThrough(const std::string& ansiPath, const std::wstring& widePath) {
  if (!WritePrivateProfileStringA("opts", "FONT", "arial", ansiPath.c_str())) return {};
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, ansiPath.c_str());
  return testing::ReadFileBytes(widePath);
}

class AnsiPath : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const std::wstring& folder : made_) {
      DeleteFileW((folder + L"\\myini.ini").c_str());
      RemoveDirectoryW(folder.c_str());
    }
  }
  void Make(const std::wstring& folder) {
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    made_.push_back(folder);
  }

 private:
  std::vector<std::wstring> made_;
};

TEST_F(AnsiPath, AFolderTheCodePageSpellsKeepsItsName) {
  const std::wstring folder = L"c:\\quillon location test";
  Make(folder);
  EXPECT_EQ(AnsiPathOf(folder, "myini.ini"), std::optional<std::string>("c:\\quillon location test\\myini.ini"));
}

TEST_F(AnsiPath, AFolderTheCodePageCannotSpellGoesByAShortNameThatReachesTheSameFile) {
  // Omega and a CJK character: code page 1252 has neither.
  const std::wstring folder = L"c:\\quillon \u03a9 \u6587 test";
  Make(folder);
  const std::optional<std::string> path = AnsiPathOf(folder, "myini.ini");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->find('?'), std::string::npos) << *path;
  EXPECT_EQ(path->substr(path->size() - 10), "\\myini.ini");
  EXPECT_NE(WrittenThrough(*path, folder + L"\\myini.ini").find("[opts]\r\nFONT=arial\r\n"), std::string::npos)
      << *path;
}

TEST_F(AnsiPath, AFolderThatCannotBeSpelledAndIsNotThereHasNoPath) {
  EXPECT_EQ(AnsiPathOf(L"c:\\quillon \u03a9 nowhere", "myini.ini"), std::nullopt);
}

}  // namespace
}  // namespace quillon
