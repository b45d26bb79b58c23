#include "GdiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/PngFile.h"

namespace GdiTest {

Surface::Surface(int w, int h, uint32_t fill) : m_w(w), m_h(h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_pixels = static_cast<uint32_t*>(bits);
  m_dc = CreateCompatibleDC(nullptr);
  m_old = SelectObject(m_dc, m_bitmap);
  EXPECT_TRUE(m_bitmap && m_pixels && m_dc && m_old);
  Fill(fill);
}

Surface::~Surface() {
  SelectObject(m_dc, m_old);
  DeleteObject(m_bitmap);
  DeleteDC(m_dc);
}

void Surface::Fill(uint32_t v) { std::fill(m_pixels, m_pixels + m_w * m_h, v); }

int Surface::CountNot(uint32_t v, int l, int t, int r, int b) const {
  if (r < 0) r = m_w;
  if (b < 0) b = m_h;
  int n = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) n += At(x, y) != v;
  return n;
}

RECT Surface::InkBox(uint32_t v) const {
  RECT box{m_w, m_h, 0, 0};
  for (int y = 0; y < m_h; ++y)
    for (int x = 0; x < m_w; ++x)
      if (At(x, y) != v) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  if (box.right == 0) box = {0, 0, 0, 0};
  return box;
}

std::string Surface::Save(const char* name) const {
  std::filesystem::path path = TestSupport::TestOutputPath(name);
  EXPECT_TRUE(TestSupport::WritePng(TestSupport::PictureOfDc(m_dc), path));
  return path.string();
}

}  // namespace GdiTest
