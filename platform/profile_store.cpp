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

Win32ProfileStore::Win32ProfileStore(std::string prefsFile)
    : prefsFile_(std::move(prefsFile)), mutex_(CreateMutexW(nullptr, FALSE, kWriteMutex)) {}

const std::string& Win32ProfileStore::PathOf(const std::string& file) const {
  return lstrcmpiA(file.c_str(), kPrefsFile) == 0 ? prefsFile_ : file;
}

Win32ProfileStore::~Win32ProfileStore() {
  if (mutex_) CloseHandle(mutex_);
}

ProfileStore::FileState Win32ProfileStore::Probe(const std::string& name) {
  const std::string& file = PathOf(name);
  for (int attempt = 1;; ++attempt) {
    const DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileState::Missing;
    } else {
      HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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

void Win32ProfileStore::BeginWriteGroup() {
  if (groupDepth_++ > 0 || !mutex_) return;
  // An abandoned mutex is ours all the same: the copy that held it is gone.
  const DWORD waited = WaitForSingleObject(mutex_, kWriteWaitMs);
  holding_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void Win32ProfileStore::EndWriteGroup() {
  if (groupDepth_ == 0 || --groupDepth_ > 0) return;
  if (holding_) ReleaseMutex(mutex_);
  holding_ = false;
}

bool Win32ProfileStore::Write(const std::string& section, const std::string& key, const std::u16string& value,
                              const std::string& file) {
  if (value.size() > kMaxValueLength) return false;
  const std::optional<std::string> ansi = ToAnsi(value);
  if (!ansi || ansi->size() > kMaxValueLength) return false;
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), ansi->c_str(), PathOf(file).c_str()) != 0;
}

std::u16string Win32ProfileStore::Read(const std::string& section, const std::string& key, std::size_t bufferSize,
                                       const std::string& file) {
  if (bufferSize == 0) return {};
  const DWORD size = bufferSize > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                                    : static_cast<DWORD>(bufferSize);
  std::string buffer(size, '\0');
  const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), size,
                                                PathOf(file).c_str());
  buffer.resize(copied < size ? copied : size - 1);
  return FromAnsi(buffer);
}

}  // namespace quillon
