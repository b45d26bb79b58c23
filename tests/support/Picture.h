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

// The client area of a window of the headless host, children included; empty for a window
// without pixels.
Picture PictureOfWindow(HWND hwnd);
// Any bitmap (DIB section or compatible bitmap); empty for what is not one. The bitmap must not
// be selected into a device context.
Picture PictureOfBitmap(HBITMAP bitmap);
// The bitmap selected into a memory device context; empty for other contexts.
Picture PictureOfDc(HDC dc);

}  // namespace TestSupport
