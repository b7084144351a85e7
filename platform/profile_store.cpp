#include "platform/profile_store.h"

#include <windows.h>

#include <limits>
#include <optional>
#include <utility>

#include "platform/ansi.h"

namespace quillon {
namespace {

constexpr wchar_t kWriteMutex[] = L"Local\\quillon-fader.preferences";
constexpr DWORD kWriteWaitMs = 3000;
constexpr int kProbeTries = 5;
constexpr DWORD kProbeIntervalMs = 100;

}  // namespace

Win32ProfileStore::Win32ProfileStore(std::string file)
    : file_(std::move(file)), mutex_(CreateMutexW(nullptr, FALSE, kWriteMutex)) {}

Win32ProfileStore::~Win32ProfileStore() {
  if (mutex_) CloseHandle(mutex_);
}

ProfileStore::FileState Win32ProfileStore::Probe() {
  for (int attempt = 1;; ++attempt) {
    const DWORD attributes = GetFileAttributesA(file_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileState::Missing;
    } else {
      HANDLE handle = CreateFileA(file_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return FileState::Readable;
      }
    }
    if (attempt == kProbeTries) return FileState::Unreadable;
    Sleep(kProbeIntervalMs);
  }
}

namespace {

// The largest file a group keeps the bytes of, to put them back should the
// save not reach the file; a group on a larger file does not write.
constexpr LONGLONG kLargestRead = 64 << 20;

bool IsSpaceOrTab(char16_t c) { return c == u' ' || c == u'\t'; }

// Drops the system's copy of the file, so that the next read reads the file.
void ForgetCachedFile(const std::string& file) { WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str()); }

}  // namespace

bool Win32ProfileStore::GroupBegins() {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (GetFileAttributesExA(file_.c_str(), GetFileExInfoStandard, &data) &&
      (static_cast<LONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow) > kLargestRead)
    return false;
  if (!mutex_) return true;
  // An abandoned mutex is ours all the same: the copy that held it ended
  // without letting go (it crashed, or was ended from outside).
  const DWORD waited = WaitForSingleObject(mutex_, kWriteWaitMs);
  holding_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  return waited != WAIT_TIMEOUT;
}

void Win32ProfileStore::GroupEnds() {
  if (holding_) ReleaseMutex(mutex_);
  holding_ = false;
}

std::optional<std::string> Win32ProfileStore::FileBytes() {
  HANDLE handle = CreateFileA(file_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
    return std::nullopt;
  }
  std::optional<std::string> bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(handle, &size) && size.QuadPart <= kLargestRead) {
    std::string read(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (read.empty() || (ReadFile(handle, read.data(), static_cast<DWORD>(read.size()), &got, nullptr) &&
                         got == read.size()))
      bytes = std::move(read);
  }
  CloseHandle(handle);
  return bytes;
}

void Win32ProfileStore::PutBack(const std::string& bytes) {
  HANDLE handle =
      CreateFileA(file_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    SetEndOfFile(handle);
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(handle);
  }
  ForgetCachedFile(file_);
}

std::u16string Win32ProfileStore::ReadBack(const std::string& section, const std::string& key) {
  ForgetCachedFile(file_);
  return Read(section, key, kReadBackSize);
}

std::u16string Win32ProfileStore::ReadsBackAs(const std::u16string& value) const {
  const std::optional<std::string> ansi = ToAnsi(value);
  std::u16string back = ansi ? FromAnsi(*ansi) : value;
  while (!back.empty() && IsSpaceOrTab(back.back())) back.pop_back();
  std::size_t blanks = 0;
  while (blanks < back.size() && IsSpaceOrTab(back[blanks])) ++blanks;
  back.erase(0, blanks);
  if (back.size() >= 2 && (back.front() == u'"' || back.front() == u'\'') && back.back() == back.front())
    back = back.substr(1, back.size() - 2);
  return back;
}

bool Win32ProfileStore::Write(const std::string& section, const std::string& key, const std::u16string& value) {
  if (value.size() > kMaxValueLength) return false;
  const std::optional<std::string> ansi = ToAnsi(value);
  if (!ansi || ansi->size() > kMaxValueLength) return false;
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), ansi->c_str(), file_.c_str()) != 0;
}

std::u16string Win32ProfileStore::Read(const std::string& section, const std::string& key, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  const DWORD size = bufferSize > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                                    : static_cast<DWORD>(bufferSize);
  std::string buffer(size, '\0');
  const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), size, file_.c_str());
  buffer.resize(copied < size ? copied : size - 1);
  return FromAnsi(buffer);
}

}  // namespace quillon
