#include "preview/markup.h"

#include <algorithm>
#include <vector>

namespace quillon {
namespace {

constexpr std::u16string_view kLineBreak = u"+chr13+";
constexpr int kMargin = 2;
constexpr int kLineHeight = 16;

char16_t Lower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  // Latin-1 capitals, but not the multiplication sign.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  return c;
}

std::u16string Lowered(std::u16string_view text) {
  std::u16string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
  return lower;
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Substrings as the drawing rules count them: from a 1-based position, as
// many as there are.
std::u16string_view Mid(std::u16string_view text, std::size_t from, std::size_t count) {
  if (from > text.size()) return {};
  return text.substr(from - 1, count);
}

std::u16string_view Right(std::u16string_view text, std::size_t count) {
  return text.substr(text.size() - std::min(count, text.size()));
}

// "font color=#rrggbb": the six characters after the first "#", or the tag's
// first six when it has none.
std::int32_t TagColour(std::u16string_view tag) {
  const std::size_t hash = tag.find(u'#');
  const std::u16string_view digits = hash == std::u16string_view::npos ? tag.substr(0, 6) : tag.substr(hash + 1, 6);
  const auto red = static_cast<std::int32_t>(HexToNumber(Mid(digits, 1, 2)));
  const auto green = static_cast<std::int32_t>(HexToNumber(Mid(digits, 3, 2)));
  const auto blue = static_cast<std::int32_t>(HexToNumber(Right(digits, 2)));
  return red + 256 * green + 65536 * blue;
}

// "font face="name"": the text after the first double quote up to the next
// one or the end; the whole tag when it has no quote.
std::u16string TagFace(std::u16string_view tag) {
  const std::size_t open = tag.find(u'"');
  if (open == std::u16string_view::npos) return std::u16string(tag);
  const std::size_t close = tag.find(u'"', open + 1);
  return std::u16string(tag.substr(open + 1, close == std::u16string_view::npos ? std::u16string_view::npos
                                                                                : close - open - 1));
}

struct Pen {
  int x = 0, lineTop = 0, shift = 0;
};

void ApplyTag(DrawingSurface& surface, const std::u16string& tag, Pen& pen) {
  if (tag == u"b") surface.SetBold(true);
  else if (tag == u"/b") surface.SetBold(false);
  else if (tag == u"i") surface.SetItalic(true);
  else if (tag == u"/i") surface.SetItalic(false);
  else if (tag == u"u") surface.SetUnderline(true);
  else if (tag == u"/u") surface.SetUnderline(false);
  else if (tag == u"s") surface.SetStrikethrough(true);
  else if (tag == u"/s") surface.SetStrikethrough(false);
  else if (tag == u"sup") pen.shift = -1;
  else if (tag == u"/sup" || tag == u"/sub") pen.shift = 0;
  else if (tag == u"sub") pen.shift = 1;
  else if (StartsWith(tag, u"font color")) surface.SetForeColor(TagColour(tag));
  else if (StartsWith(tag, u"font face")) surface.SetFontName(TagFace(tag));
}

}  // namespace

void RenderMarkup(DrawingSurface& surface, const std::u16string& markup, const EventPump& pump) {
  const std::u16string text = ReplaceAll(markup, u"\r", kLineBreak, pump);

  Pen pen;
  surface.SetFontName(u"Arial");
  surface.SetFontSize(10);
  surface.SetBold(false);
  surface.SetItalic(false);
  surface.SetUnderline(false);
  surface.SetStrikethrough(false);
  surface.SetForeColor(0);
  surface.Clear();

  const std::u16string_view walk = text;
  std::size_t i = 0;
  while (i < walk.size()) {
    const char16_t c = walk[i];
    if (c == u'<') {
      const std::size_t close = walk.find(u'>', i + 1);
      // A tag that never closes ends the drawing: what stands before it
      // has been drawn, nothing after it is read.
      if (close == std::u16string_view::npos) break;
      ApplyTag(surface, Lowered(walk.substr(i + 1, close - i - 1)), pen);
      i = close + 1;
    } else if (c == u'+' && walk.substr(i, kLineBreak.size()) == kLineBreak) {
      pen.lineTop += kLineHeight;
      pen.x = 0;
      i += kLineBreak.size();
    } else {
      surface.DrawChar(pen.x + kMargin, pen.lineTop + pen.shift, c);
      pen.x += surface.CharWidth(c);
      ++i;
    }
  }
}

std::u16string ReplaceAll(std::u16string text, std::u16string_view search, std::u16string_view replacement,
                          const EventPump& pump) {
  if (search.empty() || text.find(search) == std::u16string::npos) return text;
  // The result is built in one pass. Each character appended that ends an
  // occurrence of search ends the first occurrence in the text as it now
  // stands, since none ends earlier: that one is replaced. The replacement's
  // characters are then read again as if they stood in the text, so that
  // occurrences a replacement makes count too. A replacement that holds the
  // search text would be found again for ever: then it is written as it is
  // and no occurrence may start inside it, so every occurrence of the text
  // is replaced once, left to right.
  const bool selfSimilar = replacement.find(search) != std::u16string_view::npos;
  std::u16string out;
  out.reserve(text.size());
  std::size_t settled = 0;                // out[0, settled) is part of no occurrence
  std::vector<std::size_t> rereading;     // read positions in replacements, innermost last
  std::size_t next = 0;
  while (next < text.size() || !rereading.empty()) {
    if (rereading.empty()) {
      out += text[next++];
    } else {
      out += replacement[rereading.back()++];
      if (rereading.back() == replacement.size()) rereading.pop_back();
    }
    if (out.size() < settled + search.size() || !out.ends_with(search)) continue;
    out.resize(out.size() - search.size());
    if (selfSimilar) {
      out += replacement;
      settled = out.size();
    } else if (!replacement.empty()) {
      rereading.push_back(0);
    }
    pump();
  }
  return out;
}

float HexToNumber(std::u16string_view hex) {
  if (hex.size() > 8) hex = hex.substr(hex.size() - 8);
  // Summed from the right, each digit times its power of 16, in single
  // precision: exact up to six digits.
  float value = 0;
  double power = 1;
  for (auto it = hex.rbegin(); it != hex.rend(); ++it, power *= 16) {
    char16_t c = *it;
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    value = static_cast<float>(value + HexDigitValue(c) * power);
  }
  return value;
}

int HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return 0;
}

}  // namespace quillon
