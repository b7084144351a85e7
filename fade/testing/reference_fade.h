// A deliberately literal fade for the tests to hold the program against,
// written from the fade's documented rules and none of its code: channels
// read from a colour by the positions of its hexadecimal text, characters
// dealt to the segments by the closed forms of their lengths, every channel
// graded with integers alone (exact_channel.h), codes written with printf.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fade/testing/exact_channel.h"

namespace quillon::testing {

struct Rgb {
  int red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// An ordinary colour 0x00BBGGRR is its three bytes, red the low one. A value
// with a top byte is read at the same places of its longer text: blue from
// its first two digits, green from the third and fourth, red from the last
// two.
inline Rgb ReferenceChannels(std::int32_t colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour));
  const std::string s = text;
  auto at = [&](std::size_t from) { return static_cast<int>(std::stoul(s.substr(from, 2), nullptr, 16)); };
  return {at(s.size() - 2), at(2), at(0)};
}

// The colour code: red, green, blue, two upper-case digits each.
inline std::string ReferenceCode(const Rgb& c) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", c.red, c.green, c.blue);
  return text;
}

// How many characters of a text of length characters each segment grades:
// one segment for two colours; the nearest integer to half the length (an
// exact half to the even one), then the rest, for three; ⌈L/3⌉, ⌈(L-1)/3⌉,
// ⌊L/3⌋ for four.
inline std::vector<std::size_t> SegmentLengths(std::size_t colourCount, std::size_t length) {
  if (colourCount == 2) return {length};
  if (colourCount == 3) {
    std::size_t half = length / 2;
    if (length % 2 == 1 && half % 2 == 1) ++half;
    return {half, length - half};
  }
  if (length == 0) return {0, 0, 0};
  return {(length + 2) / 3, (length + 1) / 3, length / 3};
}

// The colour of every character of a text of length characters faded
// through colours (two to four), in text order.
inline std::vector<Rgb> ReferenceColours(const std::vector<std::int32_t>& colours, std::size_t length) {
  std::vector<Rgb> out;
  const std::vector<std::size_t> lengths = SegmentLengths(colours.size(), length);
  for (std::size_t s = 0; s < lengths.size(); ++s) {
    const Rgb from = ReferenceChannels(colours[s]), to = ReferenceChannels(colours[s + 1]);
    const auto n = static_cast<std::uint32_t>(lengths[s]);
    for (std::uint32_t x = 1; x <= n; ++x) {
      auto grade = [&](int a, int b) { return static_cast<int>(ExactChannel(a, b, n, x)); };
      out.push_back({grade(from.red, to.red), grade(from.green, to.green), grade(from.blue, to.blue)});
    }
  }
  return out;
}

// The faded markup: per character its colour tag, its wave tag (<sup>,
// </sup>, <sub>, </sub> in turn across the whole text) when wavy, and the
// character itself.
inline std::u16string ReferenceFade(const std::vector<std::int32_t>& colours, const std::u16string& text,
                                    bool wavy) {
  static const char* const kWave[] = {"<sup>", "</sup>", "<sub>", "</sub>"};
  auto widened = [](const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); };
  const std::vector<Rgb> shades = ReferenceColours(colours, text.size());
  std::u16string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += widened("<Font Color=#" + ReferenceCode(shades[i]) + ">");
    if (wavy) out += widened(kWave[i % 4]);
    out += text[i];
  }
  return out;
}

}  // namespace quillon::testing
