// Brushes, pens and the shapes drawn with them.

#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "Platform/DebugOutput.h"

using namespace GdiTest;

namespace {

// Pens and brushes write colour only: the pixels they touch in a bitmap get alpha 0.
constexpr uint32_t kRed = Argb(0, 255, 0, 0), kBlue = Argb(0, 0, 0, 255);

// Selects a new pen and brush for one test and deletes them afterwards.
struct Tools {
  Tools(HDC dc, HPEN pen, HBRUSH brush) : dc(dc) {
    oldPen = SelectObject(dc, pen);
    oldBrush = SelectObject(dc, brush);
  }
  ~Tools() {
    DeleteObject(SelectObject(dc, oldPen));
    DeleteObject(SelectObject(dc, oldBrush));
  }
  HDC dc;
  HGDIOBJ oldPen, oldBrush;
};

TEST(GdiFillRect, FillsWithExclusiveRightAndBottomEdges) {
  Surface s(10, 10);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{2, 3, 6, 8};
  EXPECT_TRUE(FillRect(s.dc(), &r, red));
  EXPECT_EQ(s.CountNot(kWhite), 4 * 5);
  EXPECT_EQ(s.At(2, 3), kRed);
  EXPECT_EQ(s.At(5, 7), kRed);
  EXPECT_EQ(s.At(6, 7), kWhite);
  EXPECT_EQ(s.At(5, 8), kWhite);
  RECT all{0, 0, 10, 10};
  EXPECT_TRUE(FillRect(s.dc(), &all, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)));
  EXPECT_EQ(s.CountNot(kWhite & 0xFFFFFF), 0);
  EXPECT_TRUE(FillRect(s.dc(), &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))));
  EXPECT_EQ(s.CountNot(kWhite & 0xFFFFFF), 0);
  DeleteObject(red);
  EXPECT_FALSE(FillRect(s.dc(), &all, red));
}

TEST(GdiFrameRect, OnePixelBorderInside) {
  Surface s(10, 10);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT r{1, 1, 9, 6};
  EXPECT_TRUE(FrameRect(s.dc(), &r, blue));
  EXPECT_EQ(s.At(1, 1), kBlue);
  EXPECT_EQ(s.At(8, 5), kBlue);
  EXPECT_EQ(s.At(2, 2), kWhite);
  EXPECT_EQ(s.CountNot(kWhite), 2 * 8 + 2 * 3);
  DeleteObject(blue);
}

TEST(GdiRectangle, PenWidthsAndStyles) {
  {  // one-pixel pen: outline on the outermost pixels, brush inside
    Surface s(12, 12);
    Tools t(s.dc(), CreatePen(PS_SOLID, 1, RGB(255, 0, 0)), CreateSolidBrush(RGB(0, 0, 255)));
    ASSERT_TRUE(Rectangle(s.dc(), 2, 2, 10, 10));
    EXPECT_EQ(s.At(2, 2), kRed);
    EXPECT_EQ(s.At(9, 9), kRed);
    EXPECT_EQ(s.At(3, 3), kBlue);
    EXPECT_EQ(s.At(8, 8), kBlue);
    EXPECT_EQ(s.At(10, 10), kWhite);
    EXPECT_EQ(s.CountNot(kWhite), 64);
  }
  {  // inside frame: the whole width stays inside the rectangle
    Surface s(12, 12);
    Tools t(s.dc(), CreatePen(PS_INSIDEFRAME, 3, RGB(255, 0, 0)),
            static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    ASSERT_TRUE(Rectangle(s.dc(), 2, 2, 10, 10));
    EXPECT_EQ(s.CountNot(kWhite, 0, 0, 12, 2), 0);
    EXPECT_EQ(s.At(2, 2), kRed);
    EXPECT_EQ(s.At(4, 4), kRed);
    EXPECT_EQ(s.At(5, 5), kWhite);
    EXPECT_EQ(s.At(9, 9), kRed);
    EXPECT_EQ(s.At(7, 7), kRed);
    EXPECT_EQ(s.At(6, 6), kWhite);
    EXPECT_EQ(s.CountNot(kWhite), 64 - 4);
  }
  {  // a wide solid pen is centred on the outline
    Surface s(14, 14);
    Tools t(s.dc(), CreatePen(PS_SOLID, 3, RGB(255, 0, 0)),
            static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    ASSERT_TRUE(Rectangle(s.dc(), 3, 3, 11, 11));
    EXPECT_EQ(s.At(2, 2), kRed);
    EXPECT_EQ(s.At(4, 4), kRed);
    EXPECT_EQ(s.At(5, 5), kWhite);
    EXPECT_EQ(s.At(11, 11), kRed);
    EXPECT_EQ(s.At(12, 12), kWhite);
  }
  {  // no pen: the brush covers one pixel less on the right and bottom
    Surface s(12, 12);
    Tools t(s.dc(), CreatePen(PS_NULL, 1, 0), CreateSolidBrush(RGB(0, 0, 255)));
    ASSERT_TRUE(Rectangle(s.dc(), 2, 2, 10, 10));
    EXPECT_EQ(s.At(2, 2), kBlue);
    EXPECT_EQ(s.At(8, 8), kBlue);
    EXPECT_EQ(s.At(9, 9), kWhite);
    EXPECT_EQ(s.CountNot(kWhite), 49);
  }
}

TEST(GdiRoundRect, CornersAreRoundAndInsideTheRectangle) {
  Surface s(30, 30);
  Tools t(s.dc(), CreatePen(PS_SOLID, 1, RGB(255, 0, 0)), CreateSolidBrush(RGB(0, 0, 255)));
  ASSERT_TRUE(RoundRect(s.dc(), 4, 4, 26, 20, 10, 10));
  RECT ink = s.InkBox(kWhite);
  EXPECT_GE(ink.left, 4);
  EXPECT_GE(ink.top, 4);
  EXPECT_LE(ink.right, 26);
  EXPECT_LE(ink.bottom, 20);
  EXPECT_EQ(s.At(4, 4), kWhite);  // cut corners
  EXPECT_EQ(s.At(25, 19), kWhite);
  EXPECT_EQ(s.At(15, 4), kRed);  // straight edges on the outline
  EXPECT_EQ(s.At(4, 12), kRed);
  EXPECT_EQ(s.At(15, 12), kBlue);
  s.Save("roundrect.png");
}

TEST(GdiLines, LineToStopsBeforeItsEndAndMovesThePosition) {
  Surface s(10, 10);
  Tools t(s.dc(), CreatePen(PS_SOLID, 1, RGB(255, 0, 0)), CreateSolidBrush(0));
  POINT previous{};
  ASSERT_TRUE(MoveToEx(s.dc(), 1, 2, &previous));
  EXPECT_EQ(previous.x, 0);
  ASSERT_TRUE(LineTo(s.dc(), 6, 2));
  EXPECT_EQ(s.CountNot(kWhite), 5);
  EXPECT_EQ(s.At(1, 2), kRed);
  EXPECT_EQ(s.At(6, 2), kWhite);
  ASSERT_TRUE(LineTo(s.dc(), 6, 7));  // continues from the end of the first line
  EXPECT_EQ(s.At(6, 2), kRed);
  EXPECT_EQ(s.At(6, 6), kRed);
  EXPECT_EQ(s.At(6, 7), kWhite);
  ASSERT_TRUE(LineTo(s.dc(), 1, 2));  // diagonal
  EXPECT_EQ(s.At(3, 4), kRed);
  EXPECT_EQ(s.CountNot(kWhite), 15);
}

TEST(GdiLines, DashedAndWidePens) {
  Surface s(60, 10);
  {
    Tools t(s.dc(), CreatePen(PS_DOT, 1, RGB(255, 0, 0)), CreateSolidBrush(0));
    MoveToEx(s.dc(), 0, 1, nullptr);
    LineTo(s.dc(), 60, 1);
  }
  int dotted = s.CountNot(kWhite, 0, 1, 60, 2);
  EXPECT_GT(dotted, 15);
  EXPECT_LT(dotted, 45);
  {
    Tools t(s.dc(), CreatePen(PS_SOLID, 3, RGB(255, 0, 0)), CreateSolidBrush(0));
    MoveToEx(s.dc(), 10, 6, nullptr);
    LineTo(s.dc(), 50, 6);
  }
  EXPECT_EQ(s.At(30, 5), kRed);
  EXPECT_EQ(s.At(30, 6), kRed);
  EXPECT_EQ(s.At(30, 7), kRed);
  EXPECT_EQ(s.At(30, 8), kWhite);
  LOGPEN lp{};
  HPEN wideDash = CreatePen(PS_DASH, 4, 0);
  GetObjectW(wideDash, sizeof lp, &lp);
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_SOLID));
  DeleteObject(wideDash);
  Platform::DebugOutputCapture capture;
  EXPECT_EQ(CreatePen(7, 1, 0), nullptr);
  EXPECT_NE(capture.Text().find(u"CreatePen: unsupported style"), std::u16string::npos);
}

}  // namespace
