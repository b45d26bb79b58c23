// BitBlt, StretchBlt, AlphaBlend and GradientFill on small bitmaps.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "GdiTestSupport.h"
#include "Platform/DebugOutput.h"

using namespace GdiTest;

namespace {

constexpr uint32_t kRed = Argb(255, 255, 0, 0), kGreen = Argb(255, 0, 255, 0),
                   kBlue = Argb(255, 0, 0, 255);

void Quadrants(Surface& s) {  // 2x2: red green / blue white
  s.Set(0, 0, kRed), s.Set(1, 0, kGreen), s.Set(0, 1, kBlue), s.Set(1, 1, kWhite);
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(Channel(a, shift) - Channel(b, shift)) > tolerance) return false;
  return true;
}

TEST(GdiBitBlt, CopiesOnlyWhatLiesOnTheSource) {
  Surface src(4, 4, kRed);
  Surface dst(8, 8, kWhite);
  // the rectangle hangs 2 pixels off the source's left and top
  ASSERT_TRUE(BitBlt(dst.dc(), 1, 1, 6, 6, src.dc(), -2, -2, SRCCOPY));
  EXPECT_EQ(dst.At(2, 2), kWhite);  // from outside the source: untouched
  EXPECT_EQ(dst.At(3, 3), kRed);
  EXPECT_EQ(dst.At(6, 6), kRed);
  EXPECT_EQ(dst.At(7, 7), kWhite);
  EXPECT_EQ(dst.CountNot(kWhite), 16);
}

TEST(GdiBitBlt, OverlappingCopyWithinOneBitmap) {
  Surface s(6, 1, 0);
  for (int x = 0; x < 6; ++x) s.Set(x, 0, Argb(255, x, 0, 0));
  ASSERT_TRUE(BitBlt(s.dc(), 1, 0, 5, 1, s.dc(), 0, 0, SRCCOPY));
  for (int x = 1; x < 6; ++x) EXPECT_EQ(s.At(x, 0), Argb(255, x - 1, 0, 0)) << x;
}

TEST(GdiBitBlt, RasterOperations) {
  Surface s(4, 4, kRed);
  // Pattern fills write colour only; WHITENESS sets every bit, alpha included.
  EXPECT_TRUE(BitBlt(s.dc(), 0, 0, 2, 2, nullptr, 0, 0, BLACKNESS));
  EXPECT_EQ(s.At(1, 1), 0u);
  EXPECT_EQ(s.At(2, 2), kRed);
  SelectObject(s.dc(), GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(PatBlt(s.dc(), 2, 2, 2, 2, PATCOPY));
  EXPECT_EQ(s.At(3, 3), 0x00FFFFFFu);
  EXPECT_TRUE(PatBlt(s.dc(), 0, 2, 2, 2, WHITENESS));
  EXPECT_EQ(s.At(0, 3), kWhite);
  Platform::DebugOutputCapture capture;
  EXPECT_FALSE(BitBlt(s.dc(), 0, 0, 2, 2, s.dc(), 0, 0, SRCINVERT));
  EXPECT_NE(capture.Text().find(u"BitBlt: unsupported raster operation"), std::u16string::npos);
}

TEST(GdiStretchBlt, NearestDoublesPixelsAndMirrors) {
  Surface src(2, 2);
  Quadrants(src);
  Surface dst(4, 4, 0);
  SetStretchBltMode(dst.dc(), COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(dst.At(1, 1), kRed);
  EXPECT_EQ(dst.At(2, 1), kGreen);
  EXPECT_EQ(dst.At(1, 2), kBlue);
  EXPECT_EQ(dst.At(3, 3), kWhite);
  ASSERT_TRUE(StretchBlt(dst.dc(), 3, 0, -4, 4, src.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(dst.At(0, 0), kGreen);
  EXPECT_EQ(dst.At(3, 0), kRed);
}

TEST(GdiStretchBlt, RefusesSourceOutsideItsBitmap) {
  Surface src(2, 2), dst(4, 4);
  EXPECT_FALSE(StretchBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 1, 1, 2, 2, SRCCOPY));
  EXPECT_EQ(dst.CountNot(kWhite), 0);
}

// Expected source-over of a premultiplied source at constant alpha, per channel.
uint32_t Over(uint32_t src, uint32_t dst, int constant) {
  double sa = Channel(src, 24) * constant / 255.0 / 255.0;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    double s = Channel(src, shift) * constant / 255.0;
    double v = s + Channel(dst, shift) * (1 - sa);
    out |= static_cast<uint32_t>(std::lround(v)) << shift;
  }
  return out;
}

TEST(GdiAlphaBlend, PerPixelAndConstantAlphaFollowTheFormula) {
  const uint32_t samples[] = {Argb(128, 100, 50, 0), Argb(255, 10, 20, 30), Argb(0, 0, 0, 0),
                              Argb(64, 64, 0, 32)};
  const uint32_t under = Argb(255, 200, 100, 40);
  for (int constant : {255, 128, 1}) {
    Surface src(4, 1);
    for (int x = 0; x < 4; ++x) src.Set(x, 0, samples[x]);
    Surface dst(4, 1, under);
    BLENDFUNCTION f{AC_SRC_OVER, 0, static_cast<BYTE>(constant), AC_SRC_ALPHA};
    ASSERT_TRUE(AlphaBlend(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, 4, 1, f));
    for (int x = 0; x < 4; ++x)
      EXPECT_TRUE(Near(dst.At(x, 0), Over(samples[x], under, constant), 1))
          << std::hex << dst.At(x, 0) << " vs " << Over(samples[x], under, constant);
  }
}

TEST(GdiAlphaBlend, WithoutPerPixelAlphaTheSourceCountsAsOpaque) {
  Surface src(1, 1, Argb(0, 100, 100, 100));  // alpha byte ignored
  Surface dst(1, 1, Argb(255, 0, 0, 0));
  BLENDFUNCTION f{AC_SRC_OVER, 0, 255, 0};
  ASSERT_TRUE(AlphaBlend(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, 1, 1, f));
  EXPECT_EQ(dst.At(0, 0), Argb(255, 100, 100, 100));
}

TEST(GdiAlphaBlend, StretchesAOnePixelColourAndRefusesBadArguments) {
  Surface src(1, 1, Argb(128, 128, 0, 0));
  Surface dst(10, 6, kWhite);
  SetStretchBltMode(dst.dc(), HALFTONE);
  BLENDFUNCTION f{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(AlphaBlend(dst.dc(), 2, 1, 6, 4, src.dc(), 0, 0, 1, 1, f));
  uint32_t expected = Over(Argb(128, 128, 0, 0), kWhite, 255);
  EXPECT_TRUE(Near(dst.At(2, 1), expected, 1));
  EXPECT_TRUE(Near(dst.At(7, 4), expected, 1));
  EXPECT_EQ(dst.At(1, 1), kWhite);
  EXPECT_EQ(dst.At(8, 4), kWhite);
  EXPECT_FALSE(AlphaBlend(dst.dc(), 0, 0, 2, 2, src.dc(), 0, 0, 2, 2, f));  // outside source
  EXPECT_FALSE(AlphaBlend(dst.dc(), 0, 0, -2, 2, src.dc(), 0, 0, 1, 1, f));
  BLENDFUNCTION bad{1, 0, 255, AC_SRC_ALPHA};
  EXPECT_FALSE(AlphaBlend(dst.dc(), 0, 0, 2, 2, src.dc(), 0, 0, 1, 1, bad));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TRIVERTEX Vertex(LONG x, LONG y, BYTE r, BYTE g, BYTE b) {
  return {x,
          y,
          static_cast<COLOR16>(r << 8),
          static_cast<COLOR16>(g << 8),
          static_cast<COLOR16>(b << 8),
          0xFF00};
}

TEST(GdiGradientFill, EndsExactlyAndRunsMonotonously) {
  for (ULONG mode : {GRADIENT_FILL_RECT_H, GRADIENT_FILL_RECT_V}) {
    Surface s(40, 40, 0);
    TRIVERTEX v[2] = {Vertex(5, 5, 0, 200, 255), Vertex(35, 35, 255, 100, 0)};
    GRADIENT_RECT r{0, 1};
    ASSERT_TRUE(GradientFill(s.dc(), v, 2, &r, 1, mode));
    bool vertical = mode == GRADIENT_FILL_RECT_V;
    EXPECT_EQ(s.At(5, 5), Argb(255, 0, 200, 255));
    EXPECT_EQ(s.At(34, 34), Argb(255, 255, 100, 0));
    EXPECT_EQ(s.At(vertical ? 20 : 34, vertical ? 34 : 20), Argb(255, 255, 100, 0));
    EXPECT_EQ(s.At(4, 5), 0u);
    EXPECT_EQ(s.At(35, 34), 0u);
    for (int i = 6; i < 35; ++i) {
      uint32_t cur = vertical ? s.At(20, i) : s.At(i, 20);
      uint32_t prev = vertical ? s.At(20, i - 1) : s.At(i - 1, 20);
      EXPECT_GE(Channel(cur, 16), Channel(prev, 16));
      EXPECT_LE(Channel(cur, 8), Channel(prev, 8));
      EXPECT_LE(Channel(cur, 0), Channel(prev, 0));
    }
  }
}

TEST(GdiGradientFill, RefusesBadMeshes) {
  Surface s(4, 4);
  TRIVERTEX v[2] = {Vertex(0, 0, 0, 0, 0), Vertex(4, 4, 255, 255, 255)};
  GRADIENT_RECT bad{0, 2};
  EXPECT_FALSE(GradientFill(s.dc(), v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
  GRADIENT_TRIANGLE t{0, 1, 0};
  Platform::DebugOutputCapture capture;
  EXPECT_FALSE(GradientFill(s.dc(), v, 2, &t, 1, GRADIENT_FILL_TRIANGLE));
  EXPECT_NE(capture.Text().find(u"GradientFill: unsupported mode"), std::u16string::npos);
  EXPECT_EQ(s.CountNot(kWhite), 0);
}

}  // namespace
