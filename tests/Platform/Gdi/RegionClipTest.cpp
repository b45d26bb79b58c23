// Regions, clipping, origins and saved states.

#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "Platform/Gdi/RegionAccess.h"

using namespace GdiTest;

namespace {

constexpr uint32_t kRed = Argb(0, 255, 0, 0);  // as a brush leaves it: colour only

void FillAll(HDC dc, COLORREF color, int size) {
  HBRUSH b = CreateSolidBrush(color);
  RECT r{-100, -100, size + 100, size + 100};
  FillRect(dc, &r, b);
  DeleteObject(b);
}

TEST(GdiRegions, CombineModesAndTheirAnswers) {
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 5, 15, 15);
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  RECT box;
  EXPECT_EQ(GetRgnBox(out, &box), NULLREGION);
  EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
  EXPECT_EQ(GetRgnBox(out, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.right, 10);
  EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(out, 14, 14));
  EXPECT_FALSE(PtInRegion(out, 14, 2));
  EXPECT_EQ(CombineRgn(out, a, b, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(out, 7, 7));
  EXPECT_TRUE(PtInRegion(out, 2, 7));
  EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(out, 7, 7));
  EXPECT_TRUE(PtInRegion(out, 12, 12));
  EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(out, b, nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(out, b));
  EXPECT_EQ(CombineRgn(a, a, b, RGN_AND), SIMPLEREGION);  // destination may be a source
  EXPECT_TRUE(PtInRegion(a, 5, 5));
  EXPECT_FALSE(PtInRegion(a, 4, 4));
  EXPECT_EQ(OffsetRgn(a, 10, 0), SIMPLEREGION);
  EXPECT_TRUE(PtInRegion(a, 15, 5));
  EXPECT_EQ(CombineRgn(out, a, b, 9), ERROR);
  HBRUSH notRegion = CreateSolidBrush(0);
  EXPECT_EQ(CombineRgn(out, a, reinterpret_cast<HRGN>(notRegion), RGN_OR), ERROR);
  EXPECT_EQ(Platform::RegionPixels(reinterpret_cast<HRGN>(notRegion)), nullptr);
  EXPECT_NE(Platform::RegionPixels(a), nullptr);
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(a), static_cast<HGDIOBJ>(b), static_cast<HGDIOBJ>(out),
                    static_cast<HGDIOBJ>(notRegion)})
    EXPECT_TRUE(DeleteObject(o));
  EXPECT_EQ(Platform::RegionPixels(a), nullptr);
}

TEST(GdiRegions, RectanglesExcludeRightAndBottomAndNormalise) {
  HRGN r = CreateRectRgn(10, 10, 2, 4);  // corners in any order
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.top, 4);
  EXPECT_TRUE(PtInRegion(r, 2, 4));
  EXPECT_FALSE(PtInRegion(r, 10, 9));
  EXPECT_FALSE(PtInRegion(r, 9, 10));
  DeleteObject(r);
}

TEST(GdiClipping, SelectExtendIntersectAndReport) {
  Surface s(20, 20);
  HRGN left = CreateRectRgn(0, 0, 10, 20);
  EXPECT_EQ(SelectClipRgn(s.dc(), left), SIMPLEREGION);
  HRGN hole = CreateRectRgn(2, 2, 6, 6);
  EXPECT_EQ(ExtSelectClipRgn(s.dc(), hole, RGN_DIFF), COMPLEXREGION);
  FillAll(s.dc(), RGB(255, 0, 0), 20);
  EXPECT_EQ(s.CountNot(kWhite), 200 - 16);
  EXPECT_EQ(s.At(3, 3), kWhite);
  EXPECT_EQ(s.At(12, 3), kWhite);
  RECT box;
  EXPECT_EQ(GetClipBox(s.dc(), &box), COMPLEXREGION);
  EXPECT_EQ(box.right, 10);
  // the selected region was copied: changing it later changes nothing
  SetRectRgn(left, 0, 0, 20, 20);
  EXPECT_EQ(GetClipBox(s.dc(), &box), COMPLEXREGION);
  EXPECT_EQ(box.right, 10);
  EXPECT_EQ(IntersectClipRect(s.dc(), 12, 0, 20, 20), NULLREGION);
  EXPECT_EQ(SelectClipRgn(s.dc(), nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipBox(s.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 20);
  EXPECT_EQ(box.bottom, 20);
  EXPECT_EQ(ExtSelectClipRgn(s.dc(), nullptr, RGN_AND), ERROR);
  DeleteObject(left);
  DeleteObject(hole);
}

TEST(GdiOrigins, WindowAndViewportOriginsShiftDrawingAndClipBoxes) {
  Surface s(20, 20);
  POINT old{};
  ASSERT_TRUE(SetWindowOrgEx(s.dc(), 5, 5, &old));
  EXPECT_EQ(old.x, 0);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{5, 5, 7, 7};  // logical (5,5) is device (0,0)
  FillRect(s.dc(), &r, red);
  EXPECT_EQ(s.At(0, 0), kRed);
  EXPECT_EQ(s.At(1, 1), kRed);
  EXPECT_EQ(s.CountNot(kWhite), 4);
  ASSERT_TRUE(SetViewportOrgEx(s.dc(), 10, 0, nullptr));             // device = logical - 5 + 10
  EXPECT_EQ(IntersectClipRect(s.dc(), 0, 0, 10, 10), SIMPLEREGION);  // device (5..15, -5..5)
  RECT box;
  GetClipBox(s.dc(), &box);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 5);  // the surface's top edge, in logical units
  EXPECT_EQ(box.right, 10);
  EXPECT_EQ(box.bottom, 10);
  RECT all{-50, -50, 50, 50};
  FillRect(s.dc(), &all, red);
  EXPECT_EQ(s.CountNot(kWhite), 4 + 50);
  EXPECT_EQ(s.At(5, 0), kRed);
  EXPECT_EQ(s.At(14, 4), kRed);
  EXPECT_EQ(s.At(15, 4), kWhite);
  DeleteObject(red);
}

TEST(GdiSaveDc, RestoresStateIncludingClipAndSelections) {
  Surface s(10, 10);
  HDC dc = s.dc();
  SetTextColor(dc, RGB(1, 2, 3));
  EXPECT_EQ(SaveDC(dc), 1);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(dc, red);
  SetTextColor(dc, RGB(9, 9, 9));
  SetBkMode(dc, TRANSPARENT);
  IntersectClipRect(dc, 0, 0, 2, 2);
  SetWindowOrgEx(dc, 1, 1, nullptr);
  EXPECT_EQ(SaveDC(dc), 2);
  SetTextColor(dc, RGB(7, 7, 7));
  EXPECT_EQ(SaveDC(dc), 3);
  ASSERT_TRUE(RestoreDC(dc, -2));  // back to the state saved second
  EXPECT_EQ(GetTextColor(dc), RGB(9, 9, 9));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), red);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box.right, 3);  // device 2 is logical 3
  EXPECT_EQ(SaveDC(dc), 2);
  ASSERT_TRUE(RestoreDC(dc, 1));
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  GetClipBox(dc, &box);
  EXPECT_EQ(box.right, 10);
  EXPECT_FALSE(RestoreDC(dc, -1));  // nothing left
  EXPECT_FALSE(RestoreDC(dc, 0));
  EXPECT_TRUE(DeleteObject(red));  // no longer selected
  EXPECT_EQ(SaveDC(dc), 1);
  EXPECT_FALSE(RestoreDC(dc, 2));
  EXPECT_TRUE(RestoreDC(dc, 1));
}

TEST(GdiSaveDc, RestoringABitmapSelectedElsewhereKeepsItSingle) {
  HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(a, 4, 4);
  HGDIOBJ def = SelectObject(a, bmp);
  SaveDC(a);
  SelectObject(a, def);
  ASSERT_EQ(SelectObject(b, bmp), def);
  ASSERT_TRUE(RestoreDC(a, -1));
  EXPECT_NE(GetCurrentObject(a, OBJ_BITMAP), bmp);
  EXPECT_EQ(GetCurrentObject(b, OBJ_BITMAP), bmp);
  SelectObject(b, def);
  DeleteObject(bmp);
  DeleteDC(a);
  DeleteDC(b);
}

}  // namespace
