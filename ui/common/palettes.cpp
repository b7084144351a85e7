#include "ui/common/palettes.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace quillon {
namespace {

// Colours written red, green, blue, as a colour picker shows them.
constexpr OleColor Rgb(std::uint32_t rrggbb) {
  return static_cast<OleColor>(((rrggbb & 0xFF) << 16) | (rrggbb & 0xFF00) | ((rrggbb >> 16) & 0xFF));
}

constexpr Palette kPalettes[] = {
    {u"sunset", 3, {Rgb(0xC0392B), Rgb(0xD35400), Rgb(0xB9770E), 0}},
    {u"ocean", 3, {Rgb(0x0B3C5D), Rgb(0x1565C0), Rgb(0x00838F), 0}},
    {u"forest", 2, {Rgb(0x1B5E20), Rgb(0x558B2F), 0, 0}},
    {u"berry", 3, {Rgb(0x880E4F), Rgb(0xC2185B), Rgb(0x7B1FA2), 0}},
    {u"twilight", 4, {Rgb(0x1A237E), Rgb(0x5E35B1), Rgb(0x8E24AA), Rgb(0xC2185B)}},
    {u"ember", 2, {Rgb(0x8B0000), Rgb(0xD84315), 0, 0}},
    {u"rainbow", 4, {Rgb(0xD32F2F), Rgb(0xB8640B), Rgb(0x2E7D32), Rgb(0x1565C0)}},
    {u"lagoon", 2, {Rgb(0x00695C), Rgb(0x0277BD), 0, 0}},
    {u"rose", 3, {Rgb(0xAD1457), Rgb(0xD81B60), Rgb(0xC2185B), 0}},
    {u"grape", 4, {Rgb(0x4A148C), Rgb(0x6A1B9A), Rgb(0x8E24AA), Rgb(0xAB47BC)}},
    {u"autumn", 4, {Rgb(0x7F2704), Rgb(0xA84300), Rgb(0x8D6E00), Rgb(0x5D7A1F)}},
    {u"night", 3, {Rgb(0x000000), Rgb(0x1A237E), Rgb(0x37474F), 0}},
};

// The linear light of one sRGB channel, 0..255.
double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Channels c) { return 0.2126 * Linear(c.red) + 0.7152 * Linear(c.green) + 0.0722 * Linear(c.blue); }

// 1.05 / (L + 0.05) >= 3 exactly when L <= 0.3. Over all 2^24 colours the
// luminance comes no nearer to 0.3 than 2e-8, far beyond what rounding of
// the powers can move it, so every build decides alike.
constexpr double kMostLuminance = 0.3;

// value * scale / full, to the nearest integer, halves up: integers only,
// the same on every processor.
int Scale(int value, int scale, int full) { return (2 * value * scale + full) / (2 * full); }

}  // namespace

std::span<const Palette> Palettes() { return kPalettes; }

double RelativeLuminance(OleColor colour) { return Luminance(SplitColor(colour)); }

double ContrastOnWhite(OleColor colour) { return 1.05 / (RelativeLuminance(colour) + 0.05); }

bool ReadsOnWhite(OleColor colour) { return RelativeLuminance(colour) <= kMostLuminance; }

OleColor ReadableOnWhite(OleColor colour) {
  if (ReadsOnWhite(colour)) return colour;
  const Channels c = SplitColor(colour);
  const int brightest = std::max({int{c.red}, int{c.green}, int{c.blue}});
  // The luminance falls as the brightest channel is lowered and the others
  // with it in proportion; the first shade from the top that reads is the
  // brightest one. Black always reads, so the loop always ends.
  for (int top = brightest - 1; top >= 0; --top) {
    const Channels shade{static_cast<Channel>(Scale(c.red, top, brightest)),
                         static_cast<Channel>(Scale(c.green, top, brightest)),
                         static_cast<Channel>(Scale(c.blue, top, brightest))};
    if (Luminance(shade) <= kMostLuminance) return shade.red | (shade.green << 8) | (shade.blue << 16);
  }
  return 0;
}

std::array<OleColor, 4> WithPalette(std::array<OleColor, 4> colours, const Palette& palette) {
  std::copy_n(palette.colours.begin(), std::clamp(palette.count, 0, 4), colours.begin());
  return colours;
}

std::array<OleColor, 4> ReversedInUse(std::array<OleColor, 4> colours, int count) {
  std::reverse(colours.begin(), colours.begin() + std::clamp(count, 0, 4));
  return colours;
}

std::array<OleColor, 4> ReadableInUse(std::array<OleColor, 4> colours, int count) {
  std::transform(colours.begin(), colours.begin() + std::clamp(count, 0, 4), colours.begin(), ReadableOnWhite);
  return colours;
}

std::vector<OleColor> PaletteRamp(const Palette& palette, int columns) {
  const std::u16string bars(static_cast<std::size_t>(std::max(columns, 0)), u'|');
  const std::u16string faded = Fade(palette.colours, ColourCount::Of(palette.count), bars, 0);
  // Each bar's colour code follows its tag's "#", red first.
  std::vector<OleColor> ramp;
  for (std::size_t at = faded.find(u'#'); at != std::u16string::npos; at = faded.find(u'#', at + 1)) {
    const std::string code(faded.begin() + static_cast<std::ptrdiff_t>(at + 1),
                           faded.begin() + static_cast<std::ptrdiff_t>(at + 7));
    ramp.push_back(Rgb(static_cast<std::uint32_t>(std::stoul(code, nullptr, 16))));
  }
  return ramp;
}

}  // namespace quillon
