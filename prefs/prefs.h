// The preferences file: one private-profile (INI) file holding the saved
// preset, the hand-over to the compact window, the last settings, the last
// font, the first-run record and the colour dialog's custom colours. Keys
// are written upper-case, read lower-case.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon {

class WriteGroup;

// The store of one private-profile file, named when the store is made;
// platform/ implements it over kernel32 (WritePrivateProfileStringA /
// GetPrivateProfileStringA, ANSI code page). Besides reading and writing
// keys it offers what a WriteGroup needs of the file (see there).
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  enum class FileState { Missing, Readable, Unreadable };
  // Whether the file exists and can be read now: a file that exists but is
  // held by another program reads as empty, which is not the same as missing.
  // A store that cannot tell says Readable.
  virtual FileState Probe() { return FileState::Readable; }

  // Writes one key; false when the write did not reach the file.
  virtual bool Write(const std::string& section, const std::string& key, const std::u16string& value) = 0;
  // Copies at most bufferSize - 1 characters of the value into the result;
  // the empty string when the file, the section or the key is missing.
  virtual std::u16string Read(const std::string& section, const std::string& key, std::size_t bufferSize) = 0;

  // After HoldWrites, WriteIni writes nothing for the rest of the run and
  // reports failure: the file could not be read, so what the run would
  // write could only overwrite settings it never saw.
  void HoldWrites() { writesHeld_ = true; }
  bool WritesHeld() const { return writesHeld_; }
  // Whether WriteIni may write now: not after HoldWrites, and not inside a
  // group kept out of the file.
  bool MayWrite() const;
  // Write groups begun on this store and not yet ended.
  int GroupDepth() const;
  // Notes a write that WriteIni made into the innermost open group, for its
  // reading back; outside a group, nothing.
  void NoteWrite(const std::string& section, const std::string& key, const std::u16string& value, bool reported);

 protected:
  // The outermost group begins and ends: a store shared with other copies
  // of the program keeps them out in between. False when the group must
  // not write the file (another copy kept it past the wait, or the store
  // could not keep its bytes to put back): the group then writes nothing,
  // puts nothing back and ends false, as a save that did not reach the file.
  virtual bool GroupBegins() { return true; }
  virtual void GroupEnds() {}
  // The file's bytes as they are now, not a copy the store or the system
  // keeps of them: empty for a missing file; nullopt when the store cannot
  // tell, and then a group checks only the keys it wrote and puts nothing
  // back.
  virtual std::optional<std::string> FileBytes() { return std::nullopt; }
  // Writes bytes as the whole file.
  virtual void PutBack(const std::string& /*bytes*/) {}
  // The whole value as the file itself now holds it, not a copy the store
  // or the system keeps of it; empty when missing.
  virtual std::u16string ReadBack(const std::string& section, const std::string& key) {
    return Read(section, key, kReadBackSize);
  }
  // What a value written reads back as when it reached the file.
  virtual std::u16string ReadsBackAs(const std::u16string& value) const { return value; }

  // Longer than any value written (values over 32,766 characters are not).
  static constexpr std::size_t kReadBackSize = 32770;

 private:
  friend class WriteGroup;

  bool writesHeld_ = false;
  WriteGroup* openGroup_ = nullptr;  // the innermost; it knows the ones around it
};

// Whether the private-profile text after still holds every key that the text
// before held, with its value, in its section, but for the keys a group of
// writes set, named in written as (section, key). Section and key names
// match without regard to case, as in the file; what a rewrite of the file
// by the system changes (blanks around names and values, empty lines, line
// ends) does not count. A file cut short fails unless only keys in written
// were lost, which reading them back finds.
bool KeepsEverythingElse(std::string_view before, std::string_view after,
                         const std::vector<std::pair<std::string, std::string>>& written);

// One group of writes to the store's file: another copy of the program
// cannot interleave writes of its own, and when it ends what it wrote is
// read back from the file. Groups nest, and end in the reverse order they
// began, as scopes do: the outermost group of the store does the store's
// own work (GroupBegins / GroupEnds), and keeps the file's bytes as they
// were when it began. Ended by End or, its result unasked, when it goes.
class WriteGroup {
 public:
  explicit WriteGroup(ProfileStore& store);
  ~WriteGroup();
  WriteGroup(const WriteGroup&) = delete;
  WriteGroup& operator=(const WriteGroup&) = delete;

  // Ends the group; false when the outermost group was kept out of the file
  // (see GroupBegins), and for a group already ended. Each key its writes
  // (its nested groups' included) wrote is read back from the file, the
  // last value written to it compared, and the outermost group also checks
  // that the file still holds everything else it held (KeepsEverythingElse).
  // True when every write was reported done and all that holds. When the
  // outermost group's end is false, the file's bytes are put back as they
  // were when it began: a group saves whole or not at all.
  bool End();

 private:
  friend class ProfileStore;

  struct Written {
    std::string section, key;
    std::u16string value;
    bool reported;
  };

  bool ReadsBackAsWritten() const;
  bool KeepsTheRestOfTheFile() const;

  ProfileStore& store_;
  WriteGroup* const outer_;            // the group this one is nested in
  const int depth_;
  const bool shutOut_;                 // the outermost group did not get the file
  bool ended_ = false;
  std::vector<Written> written_;       // by this group and the groups it holds, in order
  std::optional<std::string> before_;  // the outermost group's file's bytes when it began
};

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
// the value, reached the file. Inside a write group, the write is read back
// when the group ends.
bool WriteIni(ProfileStore& store, const std::string& section, const std::string& key,
              const std::u16string& value);

// The value under key (asked for with its ASCII letters lower-cased; the file
// matches keys without regard to case), read through a kReadBufferSize
// buffer, so at most 749 characters; empty when the file, section or key is
// missing. Never writes.
std::u16string ReadIni(ProfileStore& store, const std::string& section, const std::string& key);

}  // namespace quillon
