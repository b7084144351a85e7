// The style set: the ten window settings that the preferences file keeps
// together in one section, written and read key by key in a fixed order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "prefs/prefs.h"

namespace quillon {

// The controls a window keeps its style settings in. Both windows implement
// it over their own controls; the style set reads and writes nothing else.
class StyleControls {
 public:
  virtual ~StyleControls() = default;

  // The font combo's text.
  virtual std::u16string Font() const = 0;
  // Selects the list entry of that name, matched without regard to case. A
  // name that names no entry keeps the current selection.
  virtual void SetFont(const std::u16string& name) = 0;

  // Check boxes 1..4 (bold, italic, underline, wavy): 0 off, 1 on.
  virtual int Check(int box) const = 0;
  virtual void SetCheck(int box, int value) = 0;

  // Swatches 1..4: the background colour, an OleColor (0x00BBGGRR).
  virtual std::int32_t Colour(int swatch) const = 0;
  virtual void SetColour(int swatch, std::int32_t colour) = 0;

  // The colour-count bar: 0, 1 or 2 for two, three or four colours. Setting a
  // value that differs from the current one is a change of the bar.
  virtual int Bar() const = 0;
  virtual void SetBar(int value) = 0;
};

// Whether a style set includes its first key, the font ("optsl" does not).
enum class FontKey { Include, Skip };

// Writes the controls' current values into section, one WriteIni per key in
// the order of kStyleSetKeys: the font unchanged, check boxes and bar as
// decimal, colours as signed decimal 32-bit integers (white is 16777215).
// Every key is attempted even after a failure. The writes are one write
// group: false if any write failed or does not read back as written.
bool WriteStyleSet(ProfileStore& store, const std::string& section, const StyleControls& controls,
                   FontKey font);

// Reads section into the controls, one ReadIni per key in the order of
// kStyleSetKeys, each value assigned before the next key is read. A value
// that is missing, empty, malformed or out of range leaves its control alone
// (the setter is not called) and the reading goes on with the next key; see
// ParseStyleNumber for what counts as a number. A non-empty font name is
// handed to SetFont as read. Never writes.
void ReadStyleSet(ProfileStore& store, const std::string& section, StyleControls& controls, FontKey font);

// A whole run counts as a first run when "lastfont" has no (or an empty) "is".
bool IsFirstRun(ProfileStore& store);

// The number in text when it is one and lies within [low, high]: optional
// spaces or tabs around, an optional leading minus, then one or more decimal
// digits and nothing else. So "1x", "", "+1", "1.0", "0x10" and anything out
// of range give no value.
std::optional<std::int32_t> ParseStyleNumber(std::u16string_view text, std::int32_t low, std::int32_t high);

}  // namespace quillon
