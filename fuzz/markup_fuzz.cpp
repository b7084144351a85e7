// Arbitrary markup for the preview renderer: the bytes are taken as UTF-16
// code units, drawn on a recording surface. Nothing may crash, read outside
// the text or hang.
#include <cstddef>
#include <cstdint>
#include <string>

#include "preview/markup.h"
#include "preview/testing/recording_surface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string markup(size / 2, u'\0');
  for (std::size_t i = 0; i < markup.size(); ++i)
    markup[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  quillon::RecordingSurface surface;
  quillon::RenderMarkup(surface, markup);
  quillon::RenderMarkup(surface, markup.substr(0, markup.size() / 2));
  return 0;
}
