#include "platform/prefs_location.h"

#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "platform/ansi.h"

namespace quillon {
namespace {

enum class Access { Missing, Writable, Busy, Refused };

Access WriteAccess(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return Access::Writable;
  }
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return Access::Missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return Access::Busy;
    default: return Access::Refused;
  }
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Creates the file, empty: the first run then writes its keys into it.
bool Create(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
  CloseHandle(file);
  return true;
}

std::optional<std::string> ReadWhole(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[8192];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

// Copies the bytes, not the file: the copy must not take over a read-only
// attribute. A copy cut short is removed, so that the next start tries again.
bool CopyContents(const std::wstring& from, const std::wstring& to) {
  const std::optional<std::string> bytes = ReadWhole(from);
  if (!bytes) return false;
  HANDLE file = CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = bytes->empty() || (WriteFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &written,
                                               nullptr) != 0 &&
                                     written == bytes->size());
  CloseHandle(file);
  if (!ok) DeleteFileW(to.c_str());
  return ok;
}

// The folder "quillon fader" in the user's application-data folder, made as
// needed; empty when there is none.
std::wstring PerUserFolder() {
  wchar_t appData[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData)))
    return {};
  std::wstring folder = std::wstring(appData) + L"\\quillon fader";
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return {};
  return folder;
}

}  // namespace

std::optional<std::string> AnsiPathOf(const std::wstring& folder, const char* name) {
  const std::u16string wide(folder.begin(), folder.end());
  if (std::optional<std::string> ansi = ToAnsi(wide); ansi && FromAnsi(*ansi) == wide) return *ansi + "\\" + name;
  wchar_t shortName[MAX_PATH];
  const DWORD length = GetShortPathNameW(folder.c_str(), shortName, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  const std::u16string shortWide(shortName, shortName + length);
  if (std::optional<std::string> ansi = ToAnsi(shortWide); ansi && FromAnsi(*ansi) == shortWide)
    return *ansi + "\\" + name;
  return std::nullopt;
}

PrefsLocation ChoosePrefsFile() {
  const PrefsLocation standard{kPrefsFile, false};
  const std::string standardAnsi = kPrefsFile;
  const std::wstring standardPath(standardAnsi.begin(), standardAnsi.end());
  const Access access = WriteAccess(standardPath);
  if (access == Access::Writable || access == Access::Busy) return standard;

  const std::wstring folder = PerUserFolder();
  const std::wstring perUserPath = folder + L"\\myini.ini";
  const std::optional<std::string> perUserAnsi = folder.empty() ? std::nullopt : AnsiPathOf(folder, "myini.ini");
  const bool perUserKept = perUserAnsi && Exists(perUserPath);

  if (access == Access::Missing) {
    if (perUserKept) return {*perUserAnsi, true};
    if (Create(standardPath) || !perUserAnsi) return standard;
    return {*perUserAnsi, true};
  }
  // The standard file is there but refuses writes.
  if (!perUserAnsi) return standard;
  if (!perUserKept) CopyContents(standardPath, perUserPath);
  return {*perUserAnsi, true};
}

}  // namespace quillon
