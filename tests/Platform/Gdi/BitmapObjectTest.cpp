// Bitmaps, DIB sections, selection, deletion and object descriptions.

#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "Platform/DebugOutput.h"

using namespace GdiTest;

namespace {

BITMAPINFO Info(LONG w, LONG h, WORD bits = 32) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = bits;
  return bi;
}

TEST(GdiBitmaps, DibSectionPixelsArePackedTopDownBgra) {
  BITMAPINFO bi = Info(3, -2);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bmp, nullptr);
  auto* px = static_cast<uint8_t*>(bits);
  // pixel (2, 1): row 1 starts 3 pixels in, so byte 4 * (3 + 2)
  px[20] = 0x11, px[21] = 0x22, px[22] = 0x33, px[23] = 0xFF;
  Surface out(3, 2, 0);
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(src, bmp);
  ASSERT_TRUE(BitBlt(out.dc(), 0, 0, 3, 2, src, 0, 0, SRCCOPY));
  EXPECT_EQ(out.At(2, 1), Argb(0xFF, 0x33, 0x22, 0x11));
  EXPECT_EQ(out.At(0, 0), 0u);

  DIBSECTION ds{};
  ASSERT_EQ(GetObjectW(bmp, sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmWidth, 3);
  EXPECT_EQ(ds.dsBm.bmHeight, 2);
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
  EXPECT_EQ(ds.dsBm.bmBits, bits);
  EXPECT_EQ(ds.dsBmih.biHeight, 2);  // positive, as on Windows, although the rows run top-down
  BITMAP bm{};
  EXPECT_EQ(GetObjectW(bmp, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 3);

  SelectObject(src, old);
  DeleteDC(src);
  EXPECT_TRUE(DeleteObject(bmp));
}

TEST(GdiBitmaps, UnsupportedDibFormatsAreRefusedAndReported) {
  Platform::DebugOutputCapture capture;
  void* bits = reinterpret_cast<void*>(1);
  BITMAPINFO bottomUp = Info(4, 4);
  EXPECT_EQ(CreateDIBSection(nullptr, &bottomUp, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  BITMAPINFO eight = Info(4, -4, 8);
  EXPECT_EQ(CreateDIBSection(nullptr, &eight, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  std::u16string text = capture.Text();
  EXPECT_NE(text.find(u"CreateDIBSection: unsupported bottom-up height"), std::u16string::npos);
  EXPECT_NE(text.find(u"CreateDIBSection: unsupported bit count (8)"), std::u16string::npos);
  BITMAPINFO huge = Info(100000, -100000);
  EXPECT_EQ(CreateDIBSection(nullptr, &huge, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

TEST(GdiBitmaps, SelectionRulesAndDeletion) {
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(a);
  HBITMAP bmp = CreateCompatibleBitmap(a, 8, 8);
  ASSERT_NE(bmp, nullptr);
  HGDIOBJ defaultBitmap = SelectObject(a, bmp);
  ASSERT_NE(defaultBitmap, nullptr);
  EXPECT_EQ(GetCurrentObject(a, OBJ_BITMAP), bmp);
  // one bitmap, one context at a time; a selected bitmap cannot be deleted
  EXPECT_EQ(SelectObject(b, bmp), nullptr);
  EXPECT_FALSE(DeleteObject(bmp));
  EXPECT_EQ(SelectObject(a, defaultBitmap), bmp);
  EXPECT_TRUE(DeleteObject(bmp));
  EXPECT_FALSE(DeleteObject(bmp));  // stale handle
  EXPECT_EQ(GetObjectW(bmp, 0, nullptr), 0);
  EXPECT_EQ(GetObjectType(a), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_TRUE(DeleteDC(a));
  EXPECT_TRUE(DeleteDC(b));
  EXPECT_FALSE(DeleteDC(a));
  EXPECT_EQ(SelectObject(a, GetStockObject(WHITE_BRUSH)), nullptr);
}

TEST(GdiBitmaps, CompatibleBitmapSizes) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP empty = CreateCompatibleBitmap(dc, 0, 5);
  BITMAP bm{};
  ASSERT_EQ(GetObjectW(empty, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmHeight, 1);
  EXPECT_EQ(bm.bmBits, nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(dc, -3, 5), nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(nullptr, 3, 5), nullptr);
  DeleteObject(empty);
  DeleteDC(dc);
}

TEST(GdiObjects, StockObjectsDescribeThemselvesAndSurviveDeletion) {
  LOGBRUSH lb{};
  ASSERT_EQ(GetObjectW(GetStockObject(HOLLOW_BRUSH), sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_NULL));
  ASSERT_EQ(GetObjectW(GetStockObject(WHITE_BRUSH), sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
  LOGPEN lp{};
  ASSERT_EQ(GetObjectW(GetStockObject(NULL_PEN), sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_NULL));
  LOGFONTW lf{};
  HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
  ASSERT_EQ(GetObjectW(gui, sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_LT(lf.lfHeight, 0);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_EQ(GetObjectType(gui), static_cast<DWORD>(OBJ_FONT));
  EXPECT_TRUE(DeleteObject(gui));
  EXPECT_EQ(GetObjectW(gui, sizeof lf, &lf), static_cast<int>(sizeof lf));
  Platform::DebugOutputCapture capture;
  EXPECT_EQ(GetStockObject(DC_BRUSH), nullptr);
  EXPECT_NE(capture.Text().find(u"GetStockObject"), std::u16string::npos);
}

TEST(GdiObjects, SelectObjectReturnsPreviousAndGuardsSelectedObjects) {
  Surface s(4, 4);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HGDIOBJ first = SelectObject(s.dc(), red);
  EXPECT_EQ(first, GetStockObject(WHITE_BRUSH));
  EXPECT_FALSE(DeleteObject(red));  // still selected
  EXPECT_EQ(SelectObject(s.dc(), first), red);
  EXPECT_TRUE(DeleteObject(red));
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
  EXPECT_EQ(SelectObject(s.dc(), pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_PEN), pen);
  LOGPEN lp{};
  GetObjectW(pen, sizeof lp, &lp);
  EXPECT_EQ(lp.lopnWidth.x, 2);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  SelectObject(s.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(pen);
}

}  // namespace
