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

}  // namespace quillon
