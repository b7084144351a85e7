// Where the preferences file lives on this system, decided once at start-up.
#pragma once

#include <optional>
#include <string>

namespace quillon {

// The standard preferences file, in the root of C:.
inline constexpr const char* kPrefsFile = "c:\\myini.ini";

struct PrefsLocation {
  std::string file;     // the path the store reads and writes, in the ANSI code page
  bool perUser = false;  // the user's own file rather than the standard one
};

// The standard file (kPrefsFile) wherever it can serve: it exists and can be
// written, or another program holds it for now (which the start-up handles as
// a busy file), or it can be created. Otherwise, as for a standard user of
// Windows Vista and later, whom the root of C: refuses, the file
// "quillon fader\myini.ini" in the user's application-data folder, made as
// needed. A standard file that can be read but not written is copied there
// the first time, so its preset, last settings and custom colours carry
// over; it is never changed. A per-user file kept from earlier runs is used
// while the standard file is missing. Without an application-data folder,
// the standard file.
PrefsLocation ChoosePrefsFile();

// The path of the file name in folder as the store's ANSI functions open
// it: the folder by its short name where the code page cannot spell its
// long one. nullopt when the long name cannot be spelled and no short name
// that can is found (a volume without short names, or no such folder).
std::optional<std::string> AnsiPathOf(const std::wstring& folder, const char* name);

}  // namespace quillon
