#pragma once
// What the drawing-engine and manager-resource tests share: a small 32-bit surface with pixel
// access, a headless window with a paint manager attached, and PNG images written by the test
// into a skin folder of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Core/UIManager.h"
#include "Core/UIRender.h"
#include "support/Picture.h"
#include "support/PngFile.h"
#include "support/SkinSettingsScope.h"
#include "support/TempDir.h"
#include "support/TestPrefix.h"
#include "support/WindowsPath.h"

namespace RenderTest {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;

inline int Channel(uint32_t px, int shift) { return static_cast<int>((px >> shift) & 0xFF); }

// True when every channel is within `tolerance` of the expected one.
inline bool Near(uint32_t actual, uint32_t expected, int tolerance = 2) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) return false;
  }
  return true;
}

// A pixel as a window shows it. Where a pen, brush, text or HALFTONE stretch drew into a bitmap,
// Windows' GDI leaves alpha 0 beside the colour, and a window shows the colour only.
inline uint32_t Shown(uint32_t px) { return px | 0xFF000000u; }

inline std::string Hex(uint32_t v) {
  char buf[16];
  snprintf(buf, sizeof(buf), "%08X", v);
  return buf;
}

// A 32-bit top-down DIB section selected into a memory context; pixels read as 0xAARRGGBB.
class Surface {
 public:
  Surface(int w, int h, uint32_t fill = kWhite) : m_w(w), m_h(h) {
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
  ~Surface() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  HDC dc() const { return m_dc; }
  HBITMAP bitmap() const { return m_bitmap; }
  uint32_t At(int x, int y) const { return TestSupport::AsDrawn(m_pixels[y * m_w + x]); }
  void Set(int x, int y, uint32_t v) { m_pixels[y * m_w + x] = v; }
  void Fill(uint32_t v) { std::fill(m_pixels, m_pixels + m_w * m_h, v); }
  // Pixels that differ from v in [l, r) x [t, b) (the whole surface by default).
  int CountNot(uint32_t v, int l = 0, int t = 0, int r = -1, int b = -1) const {
    if (r < 0) r = m_w;
    if (b < 0) b = m_h;
    int n = 0;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) n += At(x, y) != v;
    return n;
  }
  // The same for the pixels as a window shows them.
  int CountShownNot(uint32_t v, int l = 0, int t = 0, int r = -1, int b = -1) const {
    if (r < 0) r = m_w;
    if (b < 0) b = m_h;
    int n = 0;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) n += Shown(At(x, y)) != v;
    return n;
  }
  // The bounding box of the pixels that differ from v, as "l,t,r,b"; "empty" when none.
  std::string InkBox(uint32_t v) const {
    int l = m_w, t = m_h, r = 0, b = 0;
    for (int y = 0; y < m_h; ++y)
      for (int x = 0; x < m_w; ++x)
        if (At(x, y) != v) {
          l = std::min(l, x);
          t = std::min(t, y);
          r = std::max(r, x + 1);
          b = std::max(b, y + 1);
        }
    if (r == 0) return "empty";
    return std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) + "," +
           std::to_string(b);
  }
  // Writes the pixels as a PNG file (alpha kept).
  bool SavePng(const std::string& path) const {
    return TestSupport::WritePng(TestSupport::PictureOfDc(m_dc), path);
  }

 private:
  int m_w, m_h;
  uint32_t* m_pixels = nullptr;
  HBITMAP m_bitmap = nullptr;
  HDC m_dc = nullptr;
  HGDIOBJ m_old = nullptr;
};

inline LRESULT CALLBACK PlainWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return DefWindowProcW(h, m, w, l);
}

// A headless window with a paint manager attached, and a skin folder the test fills with
// images. Skin settings and the prefix are restored when the test ends.
class ManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlainWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = TEXT("RenderTestWindow");
    RegisterClassW(&wc);
    m_hWnd = CreateWindowExW(0, TEXT("RenderTestWindow"), TEXT("render"), WS_POPUP, 0, 0, 200, 100,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, m_hWnd);
    m_manager = new SkinUI::CPaintManagerUI;
    m_manager->AttachWindow(m_hWnd);
    SkinUI::CPaintManagerUI::SetResourceFolder(TestSupport::WindowsPath(m_skin.Path()).c_str());
  }
  void TearDown() override {
    delete m_manager;
    if (m_hWnd) DestroyWindow(m_hWnd);
  }

  // Writes a w x h PNG named `name` into the skin folder; pixels are 0xAARRGGBB, not
  // premultiplied, row by row from the top.
  void WritePng(const std::string& name, int w, int h, const std::vector<uint32_t>& argb) {
    ASSERT_EQ(static_cast<size_t>(w) * h, argb.size());
    Surface s(w, h, 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint32_t c = argb[static_cast<size_t>(y) * w + x];
        const uint32_t a = c >> 24;
        const uint32_t r = Channel(c, 16) * a / 255, g = Channel(c, 8) * a / 255,
                       b = Channel(c, 0) * a / 255;
        s.Set(x, y, a << 24 | r << 16 | g << 8 | b);
      }
    ASSERT_TRUE(s.SavePng((m_skin.Path() / name).string()));
  }
  // A w x h PNG of one colour.
  void WriteSolidPng(const std::string& name, int w, int h, uint32_t argb) {
    WritePng(name, w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, argb));
  }

  bool Draw(Surface& s, const RECT& rcItem, LPCWSTR image, LPCWSTR modify = nullptr) {
    return SkinUI::CDrawEngine::DrawImageAttribute(s.dc(), m_manager, rcItem, rcItem, image,
                                                   modify);
  }

  TestSupport::TestPrefix m_prefix;
  TestSupport::SkinSettingsScope m_settings;
  TestSupport::TempDir m_skin{"skin"};
  HWND m_hWnd = nullptr;
  SkinUI::CPaintManagerUI* m_manager = nullptr;
};

}  // namespace RenderTest
