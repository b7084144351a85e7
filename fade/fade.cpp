#include "fade/fade.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace quillon {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// "<Font Color=#", then six digits, ">", the wave tag and the character.
constexpr std::u16string_view kTagOpen = u"<Font Color=#";
constexpr std::size_t kPlainPieceLength = kTagOpen.size() + 6 + 1 + 1;

constexpr std::array<std::u16string_view, 4> kWaveTags = {u"<sup>", u"</sup>", u"<sub>", u"</sub>"};
constexpr std::size_t kWaveCycleLength = 5 + 6 + 5 + 6;

// The wave tags padded to one width, so each is written with one fixed-size
// copy; the character that follows overwrites the padding.
constexpr char16_t kPaddedWaveTags[4][6] = {
    {u'<', u's', u'u', u'p', u'>', 0}, {u'<', u'/', u's', u'u', u'p', u'>'},
    {u'<', u's', u'u', u'b', u'>', 0}, {u'<', u'/', u's', u'u', u'b', u'>'}};

// Two upper-case hex digits for every channel value.
constexpr auto kHexPairs = [] {
  std::array<std::array<char16_t, 2>, 256> pairs{};
  for (int v = 0; v < 256; ++v) {
    pairs[v][0] = static_cast<char16_t>(kHexDigits[v >> 4]);
    pairs[v][1] = static_cast<char16_t>(kHexDigits[v & 15]);
  }
  return pairs;
}();

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  return c - 'A' + 10;  // PadHex writes only 0-9 and A-F
}

Channel ReadHexPair(const std::string& s, std::size_t at) {
  return static_cast<Channel>(HexValue(s[at]) * 16 + HexValue(s[at + 1]));
}

// Nearest integer, an exact half going to the even one. Adding 1.5 * 2^52
// leaves no fraction bits, so the FPU's default round-to-nearest-even does the
// rounding, and the low bits of the sum hold the integer in two's complement.
// Exact for |value| < 2^51; the fade's values lie in 0..255. The same result
// as nearbyint, without a library call per channel.
inline int RoundHalfEven(double value) {
  const double shifted = value + 6755399441055744.0;
  std::uint64_t bits;
  std::memcpy(&bits, &shifted, sizeof bits);
  return static_cast<int>(static_cast<std::uint32_t>(bits));
}

// position * step rounded to double before anything is added to it: multiply,
// round, then add the start; this order decides the exact halves. Read back
// from a volatile, the product is a value the compiler cannot see through, so
// no contraction setting can fuse the multiply and the add into one FMA that
// rounds once. Standard C++, unlike an asm barrier or a pragma, for a store
// and a load per channel.
inline double RoundedProduct(double position, double step) {
  volatile double product = position * step;
  return product;
}

// The x87 unit computes in 64-bit mantissas by default, and a result rounded
// first to those and then to a double can differ from one rounded once:
// about one fade in thirty would post another colour than on any other
// processor. Set to double precision, every operation rounds once, to 53
// bits, as IEEE 754 doubles do; the wider exponent range changes nothing for
// the fade's values. Code built for SSE2 or x86-64 arithmetic needs nothing.
#if (defined(__i386__) || defined(_M_IX86)) && !defined(__SSE2_MATH__) && defined(__GNUC__)
class DoublePrecision {
 public:
  DoublePrecision() {
    __asm__ volatile("fnstcw %0" : "=m"(saved_));
    const std::uint16_t doublePrecision = static_cast<std::uint16_t>((saved_ & ~0x0300) | 0x0200);
    __asm__ volatile("fldcw %0" : : "m"(doublePrecision));
  }
  ~DoublePrecision() { __asm__ volatile("fldcw %0" : : "m"(saved_)); }
  DoublePrecision(const DoublePrecision&) = delete;
  DoublePrecision& operator=(const DoublePrecision&) = delete;

 private:
  std::uint16_t saved_;
};
#else
struct DoublePrecision {};
#endif

// Code units of wave tags for the first count characters of a wavy text.
std::size_t WaveTagsLength(std::size_t count) {
  std::size_t length = count / 4 * kWaveCycleLength;
  for (std::size_t i = 0; i < count % 4; ++i) length += kWaveTags[i].size();
  return length;
}

std::size_t MarkupLength(std::size_t textLength, std::int16_t wavy) {
  return textLength * kPlainPieceLength + (wavy == -1 ? WaveTagsLength(textLength) : 0);
}

// Writes the markup of one segment at out and returns the end of what it wrote.
// The caller has made room for exactly MarkupLength of the segment.
char16_t* WriteSegment(char16_t* out, Channels start, Channels end, const char16_t* chars,
                       std::size_t n, std::int16_t wavy, int& waveCount) {
  if (n == 0) return out;
  [[maybe_unused]] const DoublePrecision precision;
  const double count = static_cast<double>(n);
  const double stepRed   = static_cast<Channel>(end.red - start.red) / count;
  const double stepGreen = static_cast<Channel>(end.green - start.green) / count;
  const double stepBlue  = static_cast<Channel>(end.blue - start.blue) / count;
  const bool wave = wavy == -1;

  // The position counts up in a double, exactly (n is far below 2^53): 32-bit
  // code then converts no unsigned integer per character.
  double position = 0;
  for (std::size_t x = 1; x <= n; ++x) {
    position += 1;
    const int red   = RoundHalfEven(RoundedProduct(position, stepRed) + start.red);
    const int green = RoundHalfEven(RoundedProduct(position, stepGreen) + start.green);
    const int blue  = RoundHalfEven(RoundedProduct(position, stepBlue) + start.blue);

    std::memcpy(out, kTagOpen.data(), kTagOpen.size() * sizeof(char16_t));
    out += kTagOpen.size();
    std::memcpy(out + 0, kHexPairs[red & 255].data(), 2 * sizeof(char16_t));
    std::memcpy(out + 2, kHexPairs[green & 255].data(), 2 * sizeof(char16_t));
    std::memcpy(out + 4, kHexPairs[blue & 255].data(), 2 * sizeof(char16_t));
    out[6] = u'>';
    out += 7;
    if (wave) {
      waveCount = waveCount >= 4 ? 1 : waveCount + 1;
      std::memcpy(out, kPaddedWaveTags[waveCount - 1], sizeof kPaddedWaveTags[0]);
      out += kWaveTags[waveCount - 1].size();
    }
    *out++ = chars[x - 1];
  }
  return out;
}

struct Segment {
  Channels start, end;
  std::size_t length;
};

// Fades the segments, which follow one another along text, into one string
// sized once up front.
template <std::size_t N>
std::u16string FadeSegments(const std::array<Segment, N>& segments, const std::u16string& text,
                            std::int16_t wavy) {
  std::u16string markup;
  markup.resize(MarkupLength(text.size(), wavy));
  char16_t* out = markup.data();
  const char16_t* chars = text.data();
  int waveCount = 0;
  for (const Segment& segment : segments) {
    out = WriteSegment(out, segment.start, segment.end, chars, segment.length, wavy, waveCount);
    chars += segment.length;
  }
  return markup;
}

}  // namespace

std::string PadHex(std::int32_t value) {
  auto bits = static_cast<std::uint32_t>(value);
  char digits[8];
  int length = 0;
  do {
    digits[length++] = kHexDigits[bits & 15];
    bits >>= 4;
  } while (bits != 0);
  std::string text(length < 6 ? 6 - length : 0, '0');
  while (length > 0) text += digits[--length];
  return text;
}

Channels SplitColor(OleColor colour) {
  const std::string s = PadHex(colour);
  const std::size_t last = s.size() - 2;
  return {ReadHexPair(s, last), ReadHexPair(s, 2), ReadHexPair(s, 0)};
}

std::string ColorCode(Channel red, Channel green, Channel blue) {
  // Packed as 0x00RRGGBB; wide arithmetic so channels outside 0..255 wrap
  // like 32-bit values instead of overflowing.
  const std::int64_t packed = std::int64_t{blue} + 256 * std::int64_t{green} + 65536 * std::int64_t{red};
  return PadHex(static_cast<std::int32_t>(static_cast<std::uint32_t>(packed)));
}

void FadeSegment(Channels start, Channels end, std::u16string_view segment, std::int16_t wavy,
                 int& waveCount, std::u16string& out) {
  if (segment.empty()) return;
  std::size_t waveLength = 0;
  if (wavy == -1) {
    // Tags for the characters after the counter's current place in its cycle.
    waveLength = WaveTagsLength(waveCount + segment.size()) - WaveTagsLength(waveCount);
  }
  const std::size_t at = out.size();
  out.resize(at + segment.size() * kPlainPieceLength + waveLength);
  WriteSegment(out.data() + at, start, end, segment.data(), segment.size(), wavy, waveCount);
}

std::u16string FadeTwoRgb(Channel red1, Channel green1, Channel blue1,
                          Channel red2, Channel green2, Channel blue2,
                          const std::u16string& text, std::int16_t wavy) {
  const Channels c1{red1, green1, blue1}, c2{red2, green2, blue2};
  return FadeSegments(std::array<Segment, 1>{{{c1, c2, text.size()}}}, text, wavy);
}

std::u16string FadeThreeRgb(Channel red1, Channel green1, Channel blue1,
                            Channel red2, Channel green2, Channel blue2,
                            Channel red3, Channel green3, Channel blue3,
                            const std::u16string& text, std::int16_t wavy) {
  const Channels c1{red1, green1, blue1}, c2{red2, green2, blue2}, c3{red3, green3, blue3};
  // Half the length, an exact half going to the even count: lengths that leave
  // 3 when divided by 4 round up, those that leave 1 round down.
  const std::size_t length = text.size();
  const std::size_t half = length / 2 + (length % 4 == 3 ? 1 : 0);
  return FadeSegments(std::array<Segment, 2>{{{c1, c2, half}, {c2, c3, length - half}}}, text, wavy);
}

std::u16string FadeFourRgb(Channel red1, Channel green1, Channel blue1,
                           Channel red2, Channel green2, Channel blue2,
                           Channel red3, Channel green3, Channel blue3,
                           Channel red4, Channel green4, Channel blue4,
                           const std::u16string& text, std::int16_t wavy, const EventPump& pump) {
  const Channels c1{red1, green1, blue1}, c2{red2, green2, blue2};
  const Channels c3{red3, green3, blue3}, c4{red4, green4, blue4};
  // Dealing the characters to the three segments in turn, one to each per
  // pass while any are left, gives the first ceil(L/3), the second
  // ceil((L-1)/3) and the third floor(L/3): the counts come from these closed
  // forms and nothing is dealt. Only the passes are run, each running the
  // pump: ceil(L/3) of them, and one for an empty text.
  const std::size_t length = text.size();
  const std::size_t first = (length + 2) / 3;
  const std::size_t second = length == 0 ? 0 : (length + 1) / 3;
  const std::size_t third = length / 3;
  const std::size_t passes = length == 0 ? 1 : first;
  for (std::size_t pass = 0; pass < passes; ++pass) pump();
  return FadeSegments(std::array<Segment, 3>{{{c1, c2, first}, {c2, c3, second}, {c3, c4, third}}},
                      text, wavy);
}

std::u16string FadeFourRgb(Channel red1, Channel green1, Channel blue1,
                           Channel red2, Channel green2, Channel blue2,
                           Channel red3, Channel green3, Channel blue3,
                           Channel red4, Channel green4, Channel blue4,
                           const std::u16string& text, std::int16_t wavy) {
  return FadeFourRgb(red1, green1, blue1, red2, green2, blue2, red3, green3, blue3,
                     red4, green4, blue4, text, wavy, EventPump());
}

std::u16string FadeTwoColors(OleColor colour1, OleColor colour2, const std::u16string& text,
                             std::int16_t wavy) {
  const Channels c1 = SplitColor(colour1), c2 = SplitColor(colour2);
  return FadeTwoRgb(c1.red, c1.green, c1.blue, c2.red, c2.green, c2.blue, text, wavy);
}

std::u16string FadeThreeColors(OleColor colour1, OleColor colour2, OleColor colour3,
                               const std::u16string& text, std::int16_t wavy) {
  const Channels c1 = SplitColor(colour1), c2 = SplitColor(colour2), c3 = SplitColor(colour3);
  return FadeThreeRgb(c1.red, c1.green, c1.blue, c2.red, c2.green, c2.blue,
                      c3.red, c3.green, c3.blue, text, wavy);
}

std::u16string FadeFourColors(OleColor colour1, OleColor colour2, OleColor colour3, OleColor colour4,
                              const std::u16string& text, std::int16_t wavy, const EventPump& pump) {
  const Channels c1 = SplitColor(colour1), c2 = SplitColor(colour2);
  const Channels c3 = SplitColor(colour3), c4 = SplitColor(colour4);
  return FadeFourRgb(c1.red, c1.green, c1.blue, c2.red, c2.green, c2.blue,
                     c3.red, c3.green, c3.blue, c4.red, c4.green, c4.blue, text, wavy, pump);
}

std::u16string FadeFourColors(OleColor colour1, OleColor colour2, OleColor colour3, OleColor colour4,
                              const std::u16string& text, std::int16_t wavy) {
  return FadeFourColors(colour1, colour2, colour3, colour4, text, wavy, EventPump());
}

std::u16string Fade(const std::array<OleColor, 4>& colours, ColourCount count, const std::u16string& text,
                    std::int16_t wavy, const EventPump& pump) {
  const auto& c = colours;
  switch (count.Colours()) {
    case 2: return FadeTwoColors(c[0], c[1], text, wavy);
    case 3: return FadeThreeColors(c[0], c[1], c[2], text, wavy);
    default: return FadeFourColors(c[0], c[1], c[2], c[3], text, wavy, pump);
  }
}

}  // namespace quillon
