#include "platform/gdi.h"

#include <cmath>

namespace quillon {

Font MakeFont(const FontSpec& wanted, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(wanted.points * dpi / 72.0));
  lf.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = wanted.italic;
  lf.lfUnderline = wanted.underline;
  lf.lfStrikeOut = wanted.strikeout;
  lf.lfCharSet = wanted.charset;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, wanted.face.c_str(), LF_FACESIZE);
  return Font(CreateFontIndirectW(&lf));
}

Bitmap MakeStripBitmap(std::span<const std::int32_t> columns, int height) {
  const int width = static_cast<int>(columns.size()) + 2;
  if (columns.empty() || height < 3) return {};
  const ScreenDc screen;
  Bitmap picture(CreateCompatibleBitmap(screen.get(), width, height));
  const MemoryDc dc(screen.get());
  if (!picture || !dc) return {};
  const Selection selected(dc.get(), picture.get());
  if (!selected) return {};
  for (int x = 0; x < static_cast<int>(columns.size()); ++x) {
    const Brush brush(CreateSolidBrush(static_cast<COLORREF>(columns[static_cast<std::size_t>(x)]) & 0xFFFFFF));
    const RECT column{x + 1, 1, x + 2, height - 1};
    FillRect(dc.get(), &column, brush.get());
  }
  const RECT all{0, 0, width, height};
  FrameRect(dc.get(), &all, GetSysColorBrush(COLOR_BTNSHADOW));
  return picture;
}

}  // namespace quillon
