// The colour dialog's sixteen custom colours, kept in a section of their own
// of the preferences file: keys "c1" to "c16", each a colour in decimal as
// the style set writes colours.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "prefs/prefs.h"

namespace quillon {

// RGB colours as the dialog holds them (0x00BBGGRR), in its order; black
// where none was chosen.
using CustomColours = std::array<std::int32_t, 16>;

// Reads "c1" to "c16" from the section. A value that is missing, malformed
// (see ParseStyleNumber) or no RGB colour (below 0 or above 16777215) leaves
// its slot black. Never writes.
CustomColours ReadCustomColours(ProfileStore& store);

// Writes all sixteen into the section in order, as one write group, as
// decimal. Every key is attempted even after a failure; false if any failed
// or does not read back as written.
bool WriteCustomColours(ProfileStore& store, const CustomColours& colours);

}  // namespace quillon
