#pragma once
// Pictures of what the tests draw: the pixels of a window's client area or of a bitmap, as
// premultiplied 0xAARRGGBB values (the form GDI surfaces hold).

#include <cstdint>
#include <vector>

#include "Platform/Win32.h"

namespace TestSupport {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // row by row from the top

  bool Empty() const { return pixels.empty(); }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A pixel of a 32-bit surface as GDI drawing left it. Windows leaves the alpha byte 0 where GDI
// drew (text, lines, fills), the Linux platform writes 0xFF; a pixel with colour and alpha 0 is
// not premultiplied, so it reads as the opaque colour that was drawn.
inline uint32_t AsDrawn(uint32_t pixel) {
  return (pixel >> 24) == 0 && (pixel & 0xFFFFFFu) != 0 ? pixel | 0xFF000000u : pixel;
}

// The client area of a window of the headless host, children included; empty for a window
// without pixels.
Picture PictureOfWindow(HWND hwnd);
// Any bitmap (DIB section or compatible bitmap); empty for what is not one. The bitmap must not
// be selected into a device context.
Picture PictureOfBitmap(HBITMAP bitmap);
// The bitmap selected into a memory device context; empty for other contexts.
Picture PictureOfDc(HDC dc);

}  // namespace TestSupport
