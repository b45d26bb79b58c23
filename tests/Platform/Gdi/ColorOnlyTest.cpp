// What GDI drawing leaves in a bitmap's alpha byte, against what Windows (under Wine) leaves:
// pens, brushes and text write colour only (alpha 0) on the pixels they touch; copies keep the
// source's bytes; a window's pixels stay opaque whatever lands on them.

#include <cairo.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "GdiTestSupport.h"
#include "Platform/Gdi/SurfaceDC.h"

using namespace GdiTest;

namespace {

constexpr uint32_t kFill = 0x80302010;

struct Drawing {
  const char* name;
  int width, height;
  std::function<void(HDC)> draw;
  int changed;     // pixels Windows changes; -1 when the font decides
  uint32_t alpha;  // the alpha byte of every changed pixel
};

void WithBrush(COLORREF color, const std::function<void(HBRUSH)>& f) {
  HBRUSH b = CreateSolidBrush(color);
  f(b);
  DeleteObject(b);
}

void WithPen(HDC dc, int width, const std::function<void()>& f) {
  HPEN p = CreatePen(PS_SOLID, width, RGB(0, 0, 255));
  HGDIOBJ old = SelectObject(dc, p);
  f();
  SelectObject(dc, old);
  DeleteObject(p);
}

TEST(GdiColorOnly, EachDrawingLeavesAlphaAsWindowsDoes) {
  const std::vector<Drawing> drawings = {
      {"FillRect", 16, 16,
       [](HDC dc) {
         RECT r{2, 2, 10, 10};
         WithBrush(RGB(200, 100, 50), [&](HBRUSH b) { FillRect(dc, &r, b); });
       },
       64, 0},
      {"FrameRect", 16, 16,
       [](HDC dc) {
         RECT r{2, 2, 10, 10};
         WithBrush(RGB(200, 100, 50), [&](HBRUSH b) { FrameRect(dc, &r, b); });
       },
       28, 0},
      {"Rectangle", 16, 16, [](HDC dc) { WithPen(dc, 1, [&] { Rectangle(dc, 2, 2, 12, 12); }); },
       100, 0},
      {"LineTo", 16, 16,
       [](HDC dc) {
         WithPen(dc, 1, [&] {
           MoveToEx(dc, 1, 1, nullptr);
           LineTo(dc, 14, 9);
         });
       },
       13, 0},
      {"ExtTextOut opaque rectangle", 40, 20,
       [](HDC dc) {
         RECT r{2, 2, 20, 12};
         SetBkColor(dc, RGB(0, 0, 128));
         ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
       },
       180, 0},
      {"TextOut transparent", 40, 20,
       [](HDC dc) {
         SetBkMode(dc, TRANSPARENT);
         SetTextColor(dc, RGB(255, 255, 255));
         TextOutW(dc, 1, 1, u"Hg", 2);
       },
       -1, 0},
      {"DrawText opaque", 40, 20,
       [](HDC dc) {
         RECT r{0, 0, 40, 20};
         DrawTextW(dc, u"Hg", -1, &r, DT_SINGLELINE);
       },
       -1, 0},
      {"PatBlt PATCOPY", 16, 16,
       [](HDC dc) {
         WithBrush(RGB(200, 100, 50), [&](HBRUSH b) {
           HGDIOBJ old = SelectObject(dc, b);
           PatBlt(dc, 2, 2, 4, 4, PATCOPY);
           SelectObject(dc, old);
         });
       },
       16, 0},
      {"PatBlt BLACKNESS", 16, 16, [](HDC dc) { PatBlt(dc, 2, 2, 4, 4, BLACKNESS); }, 16, 0},
      {"PatBlt WHITENESS", 16, 16, [](HDC dc) { PatBlt(dc, 2, 2, 4, 4, WHITENESS); }, 16, 0xFF},
  };
  for (const Drawing& d : drawings) {
    Surface s(d.width, d.height, kFill);
    d.draw(s.dc());
    std::map<uint32_t, int> alphas;
    for (int y = 0; y < d.height; ++y)
      for (int x = 0; x < d.width; ++x)
        if (s.At(x, y) != kFill) ++alphas[s.At(x, y) >> 24];
    const int changed = s.CountNot(kFill);
    if (d.changed >= 0) {
      EXPECT_EQ(changed, d.changed) << d.name;
    }
    EXPECT_GT(changed, 0) << d.name;
    EXPECT_EQ(alphas[d.alpha], changed) << d.name;  // and no other alpha
  }
}

TEST(GdiColorOnly, CopiesKeepTheSourceBytes) {
  Surface src(4, 4, 0x55112233);
  for (int mode : {COLORONCOLOR, BLACKONWHITE}) {
    Surface dst(16, 16, kFill);
    SetStretchBltMode(dst.dc(), mode);
    ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, SRCCOPY));
    ASSERT_TRUE(StretchBlt(dst.dc(), 4, 4, 8, 8, src.dc(), 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(dst.CountNot(kFill), 16 + 64);
    EXPECT_EQ(dst.At(0, 0), 0x55112233u);
    EXPECT_EQ(dst.At(11, 11), 0x55112233u);
  }
  // a compatible bitmap is a bitmap like any other
  HDC screen = GetDC(nullptr);
  HBITMAP compatible = CreateCompatibleBitmap(screen, 4, 4);
  ReleaseDC(nullptr, screen);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, compatible);
  RECT all{0, 0, 4, 4};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  Surface dst(4, 4, kFill);
  ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 4, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(dst.At(3, 3), 0x00FFFFFFu);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(compatible);
}

TEST(GdiColorOnly, WindowPixelsStayOpaque) {
  cairo_surface_t* window = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 4);
  HDC dc = Platform::CreateSurfaceDC(window);
  ASSERT_NE(dc, nullptr);
  Surface drawn(4, 4, kFill);
  RECT r{0, 0, 2, 2};
  WithBrush(RGB(10, 20, 30), [&](HBRUSH b) { FillRect(drawn.dc(), &r, b); });
  ASSERT_EQ(drawn.At(0, 0), 0x000A141Eu);
  ASSERT_TRUE(BitBlt(dc, 0, 0, 4, 4, drawn.dc(), 0, 0, SRCCOPY));
  SetStretchBltMode(dc, HALFTONE);
  ASSERT_TRUE(StretchBlt(dc, 4, 0, 4, 4, drawn.dc(), 0, 0, 2, 2, SRCCOPY));
  cairo_surface_flush(window);
  const auto* px = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(window));
  EXPECT_EQ(px[0], 0xFF0A141Eu);
  EXPECT_EQ(px[3], 0xFF302010u);
  EXPECT_EQ(px[4], 0xFF0A141Eu);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(px[i] >> 24, 0xFFu) << i;
  Platform::DeleteSurfaceDC(dc);
  cairo_surface_destroy(window);
}

}  // namespace
