// Pixels as the tests read them back: a rectangle of any DC (the screen, a
// window's, a drawing's back buffer) copied at once into a bitmap of known
// format, then read as COLORREFs.
#pragma once

#include <windows.h>

#include <vector>

namespace quillon {

struct Pixels {
  RECT where{};  // in the source DC's coordinates
  int width = 0, height = 0;
  std::vector<COLORREF> colours;  // row by row, top first

  COLORREF At(int x, int y) const {
    return colours[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
  bool empty() const { return colours.empty(); }
};

// What source shows of where; empty when where is empty or the copy failed.
inline Pixels GrabPixels(HDC source, const RECT& where) {
  Pixels shot{where, where.right - where.left, where.bottom - where.top, {}};
  if (shot.width <= 0 || shot.height <= 0) return shot;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(source);
  if (bitmap && memory) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, shot.width, shot.height, source, where.left, where.top, SRCCOPY)) {
      GdiFlush();
      const auto* row = static_cast<const DWORD*>(bits);  // 0x00RRGGBB each
      shot.colours.reserve(static_cast<std::size_t>(shot.width) * static_cast<std::size_t>(shot.height));
      for (int i = 0; i < shot.width * shot.height; ++i)
        shot.colours.push_back(RGB((row[i] >> 16) & 0xFF, (row[i] >> 8) & 0xFF, row[i] & 0xFF));
    }
    SelectObject(memory, old);
  }
  if (memory) DeleteDC(memory);
  if (bitmap) DeleteObject(bitmap);
  return shot;
}

// What the screen shows of where (screen coordinates).
inline Pixels ScreenPixels(const RECT& where) {
  HDC screen = GetDC(nullptr);
  Pixels shot = GrabPixels(screen, where);
  ReleaseDC(nullptr, screen);
  return shot;
}

// What a window shows of its client area.
inline Pixels ClientPixels(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  Pixels shot = GrabPixels(dc, client);
  ReleaseDC(window, dc);
  return shot;
}

// The colours of the bars in a picture, left to right: one for each run of
// columns that hold a pixel other than the background, the colour of the top
// left corner; each bar's colour is the first such pixel of its first column.
inline std::vector<COLORREF> BarColours(const Pixels& shot) {
  std::vector<COLORREF> bars;
  if (shot.empty()) return bars;
  const COLORREF back = shot.At(0, 0);
  bool inBar = false;
  for (int x = 0; x < shot.width; ++x) {
    COLORREF found = back;
    for (int y = 0; y < shot.height && found == back; ++y) found = shot.At(x, y);
    if (found != back && !inBar) bars.push_back(found);
    inBar = found != back;
  }
  return bars;
}

}  // namespace quillon
