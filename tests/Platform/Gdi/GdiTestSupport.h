#pragma once
// A small DIB section selected into a memory DC, with pixel access, for drawing tests.

#include <cstdint>
#include <string>

#include "Platform/Win32.h"

namespace GdiTest {

// 0xAARRGGBB, the value of one pixel of a 32-bit DIB section read as an integer.
constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0xFF000000u;

inline uint8_t Channel(uint32_t px, int shift) { return static_cast<uint8_t>(px >> shift); }

class Surface {
 public:
  Surface(int w, int h, uint32_t fill = kWhite);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  HDC dc() const { return m_dc; }
  HBITMAP bitmap() const { return m_bitmap; }
  int width() const { return m_w; }
  int height() const { return m_h; }
  uint32_t At(int x, int y) const { return m_pixels[y * m_w + x]; }
  void Set(int x, int y, uint32_t v) { m_pixels[y * m_w + x] = v; }
  void Fill(uint32_t v);
  // Pixels that differ from v in the rectangle [l, r) x [t, b) (whole surface by default).
  int CountNot(uint32_t v, int l = 0, int t = 0, int r = -1, int b = -1) const;
  // Bounding box of pixels differing from v; empty (0,0,0,0) when none.
  RECT InkBox(uint32_t v) const;
  // Saves a PNG under the test output folder for looking at; returns its path.
  std::string Save(const char* name) const;

 private:
  int m_w, m_h;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
  uint32_t* m_pixels = nullptr;
};

}  // namespace GdiTest
