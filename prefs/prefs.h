// The preferences file: one private-profile (INI) file holding the saved
// preset, the hand-over to the compact window, the last settings, the last
// font and the first-run record. Keys are written upper-case, read lower-case.
#pragma once

#include <string>

namespace quillon {

// The store of private-profile strings; platform/ implements it over kernel32
// (WritePrivateProfileStringA / GetPrivateProfileStringA, ANSI code page).
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // Writes one key; false when the write did not reach the file.
  virtual bool Write(const std::string& section, const std::string& key, const std::u16string& value,
                     const std::string& file) = 0;
  // Copies at most bufferSize - 1 characters of the value into the result;
  // the empty string when the file, the section or the key is missing.
  virtual std::u16string Read(const std::string& section, const std::string& key, std::size_t bufferSize,
                              const std::string& file) = 0;
};

inline constexpr const char* kPrefsFile = "c:\\myini.ini";

// Writes value under key (stored upper-case). False when it did not reach the file.
bool WriteIni(ProfileStore& store, const std::string& section, const std::string& key,
              const std::u16string& value, const std::string& file = kPrefsFile);

// The value under key (asked for lower-case), cut to 749 characters; empty
// when missing.
std::u16string ReadIni(ProfileStore& store, const std::string& section, const std::string& key,
                       const std::string& file = kPrefsFile);

}  // namespace quillon
