// The fixed texts both windows hold in their hidden text boxes, and the two
// addresses the program knows. Kept in one place.
#pragma once

#include <string>

namespace quillon {

// Where the announcement lines link to, and the help page the help button
// types into the client's keyword box.
inline constexpr char16_t kProductAddress[] = u"http://quillon.example/fader";
inline constexpr char16_t kHelpAddress[] = u"http://quillon.example/fader/help";

inline constexpr char16_t kFontTagOpen[] = u"<font face=\"";
inline constexpr char16_t kFontTagClose[] = u"\">";

// One announcement line: a link around a plain black label in Arial Narrow.
// The </u> ends any underline still open in the chat line.
inline std::u16string Announcement(const std::u16string& label) {
  return u"<a href=" + std::u16string(kProductAddress) +
         u"><font face=\"Arial Narrow\"><font color=#000000></u>-[ " + label + u" ]-</a>";
}

inline std::u16string LoadedLine() { return Announcement(u"Quillon Fader - loaded"); }
inline std::u16string UnloadedLine() { return Announcement(u"Quillon Fader - unloaded"); }
inline std::u16string AdvertLine1() { return Announcement(u"Quillon Fader "); }
inline std::u16string AdvertLine2() { return Announcement(u"For AOL 8.0 and 9.0, Click to get it!"); }

}  // namespace quillon
