// The preferences store over kernel32's private-profile functions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/prefs_location.h"
#include "prefs/prefs.h"

namespace quillon {

// Values cross into the file in the ANSI code page (characters it lacks are
// written as its default character, "?"); section, key and file names are
// passed through as they are. Keeps nothing of the file: every call opens it.
class Win32ProfileStore : public ProfileStore {
 public:
  // The store of file, a path in the ANSI code page: the one the program
  // chose at start-up (ChoosePrefsFile), the standard file unless told.
  explicit Win32ProfileStore(std::string file = kPrefsFile);
  ~Win32ProfileStore() override;
  Win32ProfileStore(const Win32ProfileStore&) = delete;
  Win32ProfileStore& operator=(const Win32ProfileStore&) = delete;

  // Missing when the file is not there; Unreadable when it is but cannot be
  // opened for reading (another program holds it), tried a few times over
  // a fraction of a second before it counts as such.
  FileState Probe() override;

  // The longest value, in characters and in ANSI bytes, that is written.
  // Longer ones are refused (false, nothing written): Wine reports success
  // for them but writes garbage or crashes.
  static constexpr std::size_t kMaxValueLength = 32766;

  // False when the value is too long, cannot be converted, or
  // WritePrivateProfileStringA fails (for example, no such folder).
  bool Write(const std::string& section, const std::string& key, const std::u16string& value) override;
  // At most bufferSize - 1 ANSI bytes of the value, converted to UTF-16 (the
  // same count of characters in a single-byte code page).
  std::u16string Read(const std::string& section, const std::string& key, std::size_t bufferSize) override;

 protected:
  // A write group holds a mutex of this user's session, shared by every
  // copy of the program, so that their groups of writes do not interleave.
  // A copy that does not let go within a few seconds is not waited for
  // longer: the group is kept out (false). One that ended holding it left
  // it abandoned, and the next group takes it. A file larger than the group
  // can keep the bytes of (64 MB) is not written either.
  bool GroupBegins() override;
  void GroupEnds() override;
  // The file's bytes, read as a file. So a group sees what a full disk does:
  // Wine rewrites the whole file for each key, cut at the room there is,
  // and reports success. A file larger than 64 MB is not read.
  std::optional<std::string> FileBytes() override;
  // Writes the bytes over the file, emptied first so that they find the room
  // the file took, and makes the system read the file anew.
  void PutBack(const std::string& bytes) override;
  // Read once the system has let go of what it keeps of the file in memory.
  std::u16string ReadBack(const std::string& section, const std::string& key) override;
  // Through the ANSI code page, without the blanks around it or a pair of
  // quotes around it, which reading takes off.
  std::u16string ReadsBackAs(const std::u16string& value) const override;

 private:
  std::string file_;
  void* mutex_ = nullptr;  // HANDLE
  bool holding_ = false;
};

}  // namespace quillon
