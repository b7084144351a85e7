// Text in the system's ANSI code page, as it crosses to the chat client and
// into the preferences file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// UTF-16 to the ANSI code page without best fit: every character the code
// page lacks becomes its default character ("?" in code page 1252), never a
// look-alike of another meaning (best fit would turn "∞" into "8").
// nullopt when the text cannot be converted at all.
std::optional<std::string> ToAnsi(std::u16string_view text);

// Whether the ANSI code page holds every character of text, so that it
// comes back from the file or the chat room as it went.
bool SpellsInAnsi(std::u16string_view text);

// Bytes in the ANSI code page to UTF-16.
std::u16string FromAnsi(std::string_view bytes);

}  // namespace quillon
