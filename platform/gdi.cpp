#include "platform/gdi.h"

#include <cmath>

namespace quillon {

Font MakeFont(const FontSpec& spec, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(spec.points * dpi / 72.0));
  lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = spec.italic;
  lf.lfUnderline = spec.underline;
  lf.lfStrikeOut = spec.strikeout;
  lf.lfCharSet = spec.charset;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, spec.face.c_str(), LF_FACESIZE);
  return Font(CreateFontIndirectW(&lf));
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace quillon
