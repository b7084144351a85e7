// The fade: colour codes and the gradient generators that turn a text, two to
// four colours and a wave switch into faded chat markup. Portable, standard
// library only, no state kept between calls.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "fade/event_pump.h"

namespace quillon {

using OleColor = std::int32_t;   // 0x00BBGGRR
using Channel  = std::int16_t;
struct Channels { Channel red, green, blue; };

// Upper-case hexadecimal text of value (negative values as their 32-bit two's
// complement), zero-filled on the left to six digits when shorter.
std::string PadHex(std::int32_t value);

// The red, green and blue channels of a colour, read from the positions of its
// PadHex text: red the last two digits, green the third and fourth, blue the
// first two. Never fails; values with a non-zero top byte are read the same way.
Channels SplitColor(OleColor colour);

// The colour code RRGGBB of three channels (each 0..255): six upper-case digits.
std::string ColorCode(Channel red, Channel green, Channel blue);

// Faded markup of text: per character "<Font Color=#", its colour code, ">",
// its wave tag (only when wavy == -1) and the character itself, unescaped.
// Colours are graded evenly along the text; any length works.
std::u16string FadeTwoColors(OleColor colour1, OleColor colour2,
                             const std::u16string& text, std::int16_t wavy);
std::u16string FadeThreeColors(OleColor colour1, OleColor colour2, OleColor colour3,
                               const std::u16string& text, std::int16_t wavy);
std::u16string FadeFourColors(OleColor colour1, OleColor colour2, OleColor colour3, OleColor colour4,
                              const std::u16string& text, std::int16_t wavy);

// The four-colour fade lets pending events run: pump runs once per pass of
// its dealing of characters to segments, ceil(L/3) times for a text of L
// characters and once for an empty text, all before the markup is written.
// The overloads without a pump run nothing.
std::u16string FadeFourColors(OleColor colour1, OleColor colour2, OleColor colour3, OleColor colour4,
                              const std::u16string& text, std::int16_t wavy, const EventPump& pump);

// How many colours a fade grades through: two, three or four. The
// colour-count bar stands for them with its values 0, 1 and 2.
class ColourCount {
 public:
  // The count the bar's value stands for; a value beyond 0..2 counts as
  // the nearest end.
  static constexpr ColourCount FromBar(int bar) { return ColourCount(std::clamp(bar, 0, 2) + 2); }
  // count colours; fewer than two count as two, more than four as four.
  static constexpr ColourCount Of(int count) { return ColourCount(std::clamp(count, 2, 4)); }

  constexpr int Colours() const { return colours_; }
  constexpr int Bar() const { return colours_ - 2; }
  friend constexpr bool operator==(ColourCount, ColourCount) = default;

 private:
  explicit constexpr ColourCount(int colours) : colours_(colours) {}
  int colours_;
};

// The fade through the first count of the four colours (the others are not
// read): FadeTwoColors, FadeThreeColors or FadeFourColors. Only the
// four-colour fade runs pump, as FadeFourColors says.
std::u16string Fade(const std::array<OleColor, 4>& colours, ColourCount count, const std::u16string& text,
                    std::int16_t wavy, const EventPump& pump = {});

// The generators behind the entry points, taking channels red, green, blue of
// colour 1, then of colour 2, and so on.
std::u16string FadeTwoRgb(Channel red1, Channel green1, Channel blue1,
                          Channel red2, Channel green2, Channel blue2,
                          const std::u16string& text, std::int16_t wavy);
std::u16string FadeThreeRgb(Channel red1, Channel green1, Channel blue1,
                            Channel red2, Channel green2, Channel blue2,
                            Channel red3, Channel green3, Channel blue3,
                            const std::u16string& text, std::int16_t wavy);
std::u16string FadeFourRgb(Channel red1, Channel green1, Channel blue1,
                           Channel red2, Channel green2, Channel blue2,
                           Channel red3, Channel green3, Channel blue3,
                           Channel red4, Channel green4, Channel blue4,
                           const std::u16string& text, std::int16_t wavy);
std::u16string FadeFourRgb(Channel red1, Channel green1, Channel blue1,
                           Channel red2, Channel green2, Channel blue2,
                           Channel red3, Channel green3, Channel blue3,
                           Channel red4, Channel green4, Channel blue4,
                           const std::u16string& text, std::int16_t wavy, const EventPump& pump);

// Grades one segment from start to end and appends its markup to out.
// waveCount is the wave counter of the whole call (0..4); it runs on from one
// segment to the next and only moves when wavy == -1.
void FadeSegment(Channels start, Channels end, std::u16string_view segment,
                 std::int16_t wavy, int& waveCount, std::u16string& out);

}  // namespace quillon
