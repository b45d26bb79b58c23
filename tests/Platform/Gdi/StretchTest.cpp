// Stretched copies against what Windows (under Wine) draws for the same calls: HALFTONE
// blends bilinearly from the top-left corner and leaves no alpha; nearest-pixel stretching
// (StretchBlt in COLORONCOLOR mode, and AlphaBlend in every mode) picks the same pixels.
#include <gtest/gtest.h>

#include <vector>

#include "GdiTestSupport.h"

using namespace GdiTest;

namespace {

struct HalftoneCase {
  int sw, sh, dw, dh;
  std::vector<uint32_t> source, expected;  // row by row
};

TEST(GdiStretching, HalftoneMatchesWindowsPixelForPixel) {
  const std::vector<HalftoneCase> cases = {
      {2,
       1,
       40,
       1,
       {0xFF0A141E, 0xFF28323C},
       {0x000A141E, 0x000C1620, 0x000D1721, 0x000F1923, 0x00101A24, 0x00121C26, 0x00131D27,
        0x00151F29, 0x0016202A, 0x0018222C, 0x0019232D, 0x001B252F, 0x001C2630, 0x001E2832,
        0x001F2933, 0x00212B35, 0x00222C36, 0x00242E38, 0x00252F39, 0x0027313B, 0x0028323C,
        0x0028323C, 0x0028323C, 0x0028323C, 0x0028323C, 0x0028323C, 0x0028323C, 0x0028323C,
        0x0028323C, 0x0028323C, 0x0028323C, 0x0028323C, 0x0028323C, 0x0028323C, 0x0028323C,
        0x0028323C, 0x0028323C, 0x0028323C, 0x0028323C, 0x0028323C}},
      {2,
       1,
       5,
       1,
       {0xFF0A141E, 0xFF28323C},
       {0x000A141E, 0x0016202A, 0x00222C36, 0x0028323C, 0x0028323C}},
      {2, 1, 3, 1, {0xFF0A141E, 0xFF28323C}, {0x000A141E, 0x001E2832, 0x0028323C}},
      {10,
       1,
       4,
       1,
       {0xFF000000, 0xFF404040, 0xFF808080, 0xFFC0C0C0, 0xFFFFFFFF, 0xFF102030, 0xFF000000,
        0xFF404040, 0xFF808080, 0xFFC0C0C0},
       {0x00000000, 0x00A0A0A0, 0x00102030, 0x00606060}},
      {10,
       1,
       3,
       1,
       {0xFF000000, 0xFF404040, 0xFF808080, 0xFFC0C0C0, 0xFFFFFFFF, 0xFF102030, 0xFF000000,
        0xFF404040, 0xFF808080, 0xFFC0C0C0},
       {0x00000000, 0x00D5D5D5, 0x002B2B2B}},
      {10,
       1,
       7,
       1,
       {0xFF000000, 0xFF404040, 0xFF808080, 0xFFC0C0C0, 0xFFFFFFFF, 0xFF102030, 0xFF000000,
        0xFF404040, 0xFF808080, 0xFFC0C0C0},
       {0x00000000, 0x005B5B5B, 0x00B7B7B7, 0x00BBBFC4, 0x0005090E, 0x00494949, 0x00A5A5A5}},
      {10,
       1,
       5,
       1,
       {0xFF000000, 0xFF404040, 0xFF808080, 0xFFC0C0C0, 0xFFFFFFFF, 0xFF102030, 0xFF000000,
        0xFF404040, 0xFF808080, 0xFFC0C0C0},
       {0x00000000, 0x00808080, 0x00FFFFFF, 0x00000000, 0x00808080}},
      {4,
       1,
       10,
       1,
       {0xFF000000, 0xFF404040, 0xFF808080, 0xFFC0C0C0},
       {0x00000000, 0x001A1A1A, 0x00333333, 0x004D4D4D, 0x00666666, 0x00808080, 0x009A9A9A,
        0x00B3B3B3, 0x00C0C0C0, 0x00C0C0C0}},
      {3,
       1,
       8,
       1,
       {0xFF000000, 0xFF404040, 0xFF808080},
       {0x00000000, 0x00181818, 0x00303030, 0x00484848, 0x00606060, 0x00787878, 0x00808080,
        0x00808080}},
      {1,
       10,
       1,
       4,
       {0xFF000000, 0xFF404040, 0xFF808080, 0xFFC0C0C0, 0xFFFFFFFF, 0xFF102030, 0xFF000000,
        0xFF404040, 0xFF808080, 0xFFC0C0C0},
       {0x00000000, 0x00A0A0A0, 0x00102030, 0x00606060}},
      {1,
       4,
       1,
       10,
       {0xFF000000, 0xFF404040, 0xFF808080, 0xFFC0C0C0},
       {0x00000000, 0x001A1A1A, 0x00333333, 0x004D4D4D, 0x00666666, 0x00808080, 0x009A9A9A,
        0x00B3B3B3, 0x00C0C0C0, 0x00C0C0C0}},
      {2,
       2,
       5,
       5,
       {0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000},
       {0x00000000, 0x00000066, 0x000000CC, 0x000000FF, 0x000000FF, 0x00006600, 0x00293D3D,
        0x0052147A, 0x00660099, 0x00660099, 0x0000CC00, 0x00527A14, 0x00A32929, 0x00CC0033,
        0x00CC0033, 0x0000FF00, 0x00669900, 0x00CC3300, 0x00FF0000, 0x00FF0000, 0x0000FF00,
        0x00669900, 0x00CC3300, 0x00FF0000, 0x00FF0000}},
      {2,
       2,
       2,
       2,
       {0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000},
       {0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000}},
      {4,
       1,
       9,
       1,
       {0x80400000, 0x00000000, 0xFF00FF00, 0x40204060},
       {0x00400000, 0x00240000, 0x00070000, 0x00005500, 0x0000C600, 0x0007D515, 0x00158040,
        0x00204060, 0x00204060}},
      {4, 1, 2, 1, {0x80400000, 0x00000000, 0xFF00FF00, 0x40204060}, {0x00400000, 0x0000FF00}},
  };
  for (const HalftoneCase& c : cases) {
    Surface src(c.sw, c.sh, 0);
    for (int i = 0; i < c.sw * c.sh; ++i)
      src.Set(i % c.sw, i / c.sw, c.source[static_cast<size_t>(i)]);
    Surface dst(c.dw, c.dh, 0x12345678);
    SetStretchBltMode(dst.dc(), HALFTONE);
    ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, c.dw, c.dh, src.dc(), 0, 0, c.sw, c.sh, SRCCOPY));
    for (int i = 0; i < c.dw * c.dh; ++i)
      EXPECT_EQ(dst.At(i % c.dw, i / c.dw), c.expected[static_cast<size_t>(i)])
          << c.sw << "x" << c.sh << " to " << c.dw << "x" << c.dh << " at " << i;
  }
}

TEST(GdiStretching, HalftoneOfTheSameSizeCopiesEveryByte) {
  Surface src(2, 2, 0x80402010);
  Surface dst(2, 2, 0);
  SetStretchBltMode(dst.dc(), HALFTONE);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 2, 2, src.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(dst.CountNot(0x80402010), 0);
}

TEST(GdiStretching, HalftoneKeepsToTheClipAndTheDestinationOrigin) {
  Surface src(2, 1, 0);
  src.Set(0, 0, 0xFF0A141E), src.Set(1, 0, 0xFF28323C);
  Surface whole(40, 1, 0), clipped(40, 1, 0x55555555);
  SetStretchBltMode(whole.dc(), HALFTONE);
  SetStretchBltMode(clipped.dc(), HALFTONE);
  ASSERT_TRUE(StretchBlt(whole.dc(), 0, 0, 40, 1, src.dc(), 0, 0, 2, 1, SRCCOPY));
  IntersectClipRect(clipped.dc(), 3, 0, 9, 1);
  SetViewportOrgEx(clipped.dc(), -1, 0, nullptr);
  ASSERT_TRUE(StretchBlt(clipped.dc(), 1, 0, 40, 1, src.dc(), 0, 0, 2, 1, SRCCOPY));
  for (int x = 0; x < 40; ++x)
    EXPECT_EQ(clipped.At(x, 0), x >= 3 && x < 9 ? whole.At(x, 0) : 0x55555555u) << x;
}

struct NearestCase {
  int sw, dw;
  std::vector<int> picks;  // the source pixel each destination pixel shows
};

TEST(GdiStretching, NearestPixelPicksAsWindowsDoes) {
  const std::vector<NearestCase> cases = {
      {10, 4, {2, 4, 7, 9}},
      {10, 7, {0, 2, 3, 5, 6, 8, 9}},
      {10, 3, {2, 6, 9}},
      {7, 3, {1, 4, 6}},
      {7, 5, {0, 2, 3, 5, 6}},
      {9, 4, {1, 4, 6, 8}},
      {13, 5, {2, 4, 7, 9, 12}},
      {64, 10, {5, 12, 18, 25, 31, 37, 44, 50, 57, 63}},
      {5, 4, {0, 2, 3, 4}},
      {3, 2, {1, 2}},
      {11, 6, {1, 3, 5, 6, 8, 10}},
      {2, 7, {0, 0, 0, 0, 1, 1, 1}},
      {3, 7, {0, 0, 1, 1, 1, 2, 2}},
      {4, 9, {0, 0, 1, 1, 1, 2, 2, 3, 3}},
      {5, 13, {0, 0, 0, 1, 1, 2, 2, 2, 3, 3, 4, 4, 4}},
      {6, 10, {0, 0, 1, 2, 2, 3, 3, 4, 5, 5}},
      {9, 10, {0, 1, 2, 3, 4, 4, 5, 6, 7, 8}},
  };
  for (const NearestCase& c : cases) {
    Surface src(c.sw, 1, 0);
    for (int x = 0; x < c.sw; ++x) src.Set(x, 0, Argb(255, 0, 0, static_cast<uint32_t>(x)));
    Surface stretched(c.dw, 1, 0), blended(c.dw, 1, 0);
    SetStretchBltMode(stretched.dc(), COLORONCOLOR);
    SetStretchBltMode(blended.dc(), HALFTONE);  // AlphaBlend ignores the mode
    ASSERT_TRUE(StretchBlt(stretched.dc(), 0, 0, c.dw, 1, src.dc(), 0, 0, c.sw, 1, SRCCOPY));
    ASSERT_TRUE(AlphaBlend(blended.dc(), 0, 0, c.dw, 1, src.dc(), 0, 0, c.sw, 1,
                           BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA}));
    for (int x = 0; x < c.dw; ++x) {
      const uint32_t want = Argb(255, 0, 0, static_cast<uint32_t>(c.picks[static_cast<size_t>(x)]));
      EXPECT_EQ(stretched.At(x, 0), want) << c.sw << " to " << c.dw << " at " << x;
      EXPECT_EQ(blended.At(x, 0), want) << c.sw << " to " << c.dw << " at " << x;
    }
  }
}

}  // namespace
