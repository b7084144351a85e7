// The preferences file: one private-profile (INI) file holding the saved
// preset, the hand-over to the compact window, the last settings, the last
// font, the first-run record and the colour dialog's custom colours. Keys
// are written upper-case, read lower-case.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace quillon {

// The store of private-profile strings; platform/ implements it over kernel32
// (WritePrivateProfileStringA / GetPrivateProfileStringA, ANSI code page).
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  enum class FileState { Missing, Readable, Unreadable };
  // Whether the file exists and can be read now: a file that exists but is
  // held by another program reads as empty, which is not the same as missing.
  // A store that cannot tell says Readable.
  virtual FileState Probe(const std::string& /*file*/) { return FileState::Readable; }

  // Brackets writes that belong together, so that another process writing
  // the same file cannot interleave its own. Nests.
  virtual void BeginWriteGroup() {}
  virtual void EndWriteGroup() {}

  // After HoldWrites, WriteIni writes nothing for the rest of the run and
  // reports failure: the file could not be read, so what the run would
  // write could only overwrite settings it never saw.
  void HoldWrites() { writesHeld_ = true; }
  bool WritesHeld() const { return writesHeld_; }

  // Writes one key; false when the write did not reach the file.
  virtual bool Write(const std::string& section, const std::string& key, const std::u16string& value,
                     const std::string& file) = 0;
  // Copies at most bufferSize - 1 characters of the value into the result;
  // the empty string when the file, the section or the key is missing.
  virtual std::u16string Read(const std::string& section, const std::string& key, std::size_t bufferSize,
                              const std::string& file) = 0;

 private:
  bool writesHeld_ = false;
};

// One group of writes, for as long as it lives.
class WriteGroup {
 public:
  explicit WriteGroup(ProfileStore& store) : store_(store) { store_.BeginWriteGroup(); }
  ~WriteGroup() { store_.EndWriteGroup(); }
  WriteGroup(const WriteGroup&) = delete;
  WriteGroup& operator=(const WriteGroup&) = delete;

 private:
  ProfileStore& store_;
};

inline constexpr const char* kPrefsFile = "c:\\myini.ini";

// The buffer ReadIni reads into; a value comes back with at most one
// character less than this.
inline constexpr std::size_t kReadBufferSize = 750;

// Sections of the file, stored as spelled here.
inline constexpr const char* kPresetSection = "opts";
inline constexpr const char* kHandOverSection = "optsc";
inline constexpr const char* kLastSettingsSection = "optsl";
inline constexpr const char* kLastFontSection = "lastfont";
inline constexpr const char* kFirstRunSection = "new";
inline constexpr const char* kCustomColoursSection = "custom";

// The single keys of "lastfont" and "new", and what a first run writes.
inline constexpr const char* kLastFontKey = "is";
inline constexpr const char* kFirstRunKey = "ishe?";
inline constexpr const char16_t* kFirstRunValue = u"no";
inline constexpr const char16_t* kFirstRunFont = u"Arial";

// The style set's keys, in the order they are always written and read:
// font, the four check boxes, the four swatches, the colour-count bar.
inline constexpr std::array<const char*, 10> kStyleSetKeys = {
    "font", "bold", "italic", "underline", "wavy", "color1", "color2", "color3", "color4", "sbar"};

// Writes value under key, the key's ASCII letters upper-cased (the caller's
// string is not changed), in one store write. A value holding a line break or
// a NUL is refused without writing: it would end the line early and put the
// rest of it into the file as lines of their own. False when nothing, or not
// the value, reached the file.
bool WriteIni(ProfileStore& store, const std::string& section, const std::string& key,
              const std::u16string& value, const std::string& file = kPrefsFile);

// The value under key (asked for with its ASCII letters lower-cased; the file
// matches keys without regard to case), read through a kReadBufferSize
// buffer, so at most 749 characters; empty when the file, section or key is
// missing. Never writes.
std::u16string ReadIni(ProfileStore& store, const std::string& section, const std::string& key,
                       const std::string& file = kPrefsFile);

}  // namespace quillon
