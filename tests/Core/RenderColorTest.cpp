// Colour fills, gradients, outlines, the colour shift and clip scopes, read back as pixels.

#include <set>

#include "RenderTestSupport.h"

using namespace SkinUI;
using namespace RenderTest;

namespace {

TEST(RenderColor, FillColorByAlpha) {
  struct Case {
    uint32_t background;
    DWORD colour;
    uint32_t expected;
  } const cases[] = {
      {kWhite, 0x00495E72, kWhite},      // no alpha: nothing
      {kWhite, 0xFFA7A6AA, 0xFFA7A6AA},  // opaque: solid
      {kWhite, 0x80000000, 0xFF7F7F7F},  // half black darkens white by half
      {kBlack, 0x80FF0000, 0xFF800000},  // premultiplied: half red over black is half red
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.colour));
    Surface s(20, 10, c.background);
    CDrawEngine::FillColor(s.dc(), RECT{2, 2, 12, 8}, c.colour);
    EXPECT_TRUE(Near(Shown(s.At(2, 2)), c.expected)) << Hex(s.At(2, 2));
    EXPECT_TRUE(Near(Shown(s.At(11, 7)), c.expected)) << Hex(s.At(11, 7));
    EXPECT_TRUE(Near(Shown(s.At(7, 5)), c.expected)) << Hex(s.At(7, 5));
    EXPECT_EQ(c.background, s.At(12, 8));
    EXPECT_EQ(c.background, s.At(1, 1));
  }
}

TEST(RenderColor, OpaqueGradientRunsFromFirstToSecond) {
  Surface v(10, 64), h(64, 10);
  CDrawEngine::FillGradient(v.dc(), RECT{0, 0, 10, 64}, kRed, kBlue, true, 64);
  CDrawEngine::FillGradient(h.dc(), RECT{0, 0, 64, 10}, kRed, kBlue, false, 64);
  EXPECT_TRUE(Near(v.At(5, 0), kRed, 6)) << Hex(v.At(5, 0));
  EXPECT_TRUE(Near(v.At(5, 63), kBlue, 6)) << Hex(v.At(5, 63));
  EXPECT_TRUE(Near(v.At(0, 32), 0xFF7F007F, 8)) << Hex(v.At(0, 32));
  EXPECT_EQ(v.At(0, 10), v.At(9, 10));  // constant across
  EXPECT_TRUE(Near(h.At(0, 5), kRed, 6)) << Hex(h.At(0, 5));
  EXPECT_TRUE(Near(h.At(63, 5), kBlue, 6)) << Hex(h.At(63, 5));
  EXPECT_EQ(h.At(10, 0), h.At(10, 9));
}

TEST(RenderColor, TranslucentGradientBlendsAtTheAverageAlpha) {
  Surface s(20, 10);
  // Alphas 0x80 and 0x7F: the whole gradient is blended at 127.
  CDrawEngine::FillGradient(s.dc(), RECT{0, 0, 20, 10}, 0x80000000, 0x7F000000, true, 16);
  EXPECT_TRUE(Near(s.At(10, 5), 0xFF808080)) << Hex(s.At(10, 5));
  Surface none(20, 10);
  CDrawEngine::FillGradient(none.dc(), RECT{0, 0, 20, 10}, 0x00FF0000, 0x000000FF, false, 16);
  EXPECT_EQ(0, none.CountNot(kWhite));
  // Only the rectangle is touched.
  Surface part(20, 10);
  CDrawEngine::FillGradient(part.dc(), RECT{5, 2, 15, 8}, 0x80FF0000, 0x80FF0000, false, 4);
  EXPECT_EQ("5,2,15,8", part.InkBox(kWhite));
}

TEST(RenderColor, BandFillWhereThePlatformHasNoGradient) {
  Surface s(4, 100);
  const DWORD first = 0xFF102030, second = 0xFFF0E0D0;
  CDrawEngine::FillGradientBands(s.dc(), RECT{0, 0, 4, 100}, first, second, true, 16);
  std::set<uint32_t> colours;
  for (int y = 0; y < 100; ++y) colours.insert(s.At(2, y));
  EXPECT_EQ(16u, colours.size());
  EXPECT_EQ(Hex(second), Hex(Shown(s.At(0, 99))));
  // The top band: (second + 15 * first) / 16 per channel.
  const uint32_t top = 0xFF000000u | ((0xF0 + 15 * 0x10) / 16) << 16 |
                       ((0xE0 + 15 * 0x20) / 16) << 8 | ((0xD0 + 15 * 0x30) / 16);
  EXPECT_EQ(Hex(top), Hex(Shown(s.At(0, 0))));
  // Band i from the bottom spans 100 - ((i + 1) * 100 >> 4) .. 100 - (i * 100 >> 4).
  EXPECT_EQ(s.At(0, 94), s.At(0, 99));
  EXPECT_NE(s.At(0, 93), s.At(0, 94));
  // Two steps give two bands, horizontally from the right.
  Surface h(10, 2);
  CDrawEngine::FillGradientBands(h.dc(), RECT{0, 0, 10, 2}, kBlack, kWhite, false, 2);
  EXPECT_EQ(kWhite, Shown(h.At(9, 0)));
  EXPECT_EQ(kWhite, Shown(h.At(5, 0)));
  EXPECT_EQ(Hex(0xFF7F7F7F), Hex(Shown(h.At(4, 0))));
}

TEST(RenderColor, AdjustColorTable) {
  struct Case {
    DWORD in;
    short h, s, l;
    DWORD out;
  } const cases[] = {
      {0x12345678, 180, 100, 100, 0x12345678},  // neutral: unchanged, exactly
      {0xFFFF0000, 300, 100, 100, 0xFF0000FF},  // +120 turns red to blue (blue read first)
      {0x80FF0000, 180, 100, 50, 0x807F0000},   // half lightness; alpha kept
      {0xFF808080, 180, 0, 100, 0xFF808080},    // grey has no saturation to lose
      {0xFF00FF00, 180, 0, 100, 0xFF7F7F7F},    // no saturation: the lightness as grey
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.in));
    EXPECT_TRUE(Near(CDrawEngine::AdjustColor(c.in, c.h, c.s, c.l), c.out, 1))
        << Hex(CDrawEngine::AdjustColor(c.in, c.h, c.s, c.l));
  }
  EXPECT_EQ(0x12345678u, CDrawEngine::AdjustColor(0x12345678, 180, 100, 100));
}

TEST(RenderColor, OutlinesStayInsideTheirRectangle) {
  Surface s(20, 20);
  CDrawEngine::DrawRectFrame(s.dc(), RECT{2, 2, 12, 12}, 2, 0xFFFF0000);
  EXPECT_EQ("2,2,12,12", s.InkBox(kWhite));
  EXPECT_EQ(kRed, Shown(s.At(2, 2)));
  EXPECT_EQ(kRed, Shown(s.At(3, 7)));
  EXPECT_EQ(kRed, Shown(s.At(11, 11)));
  EXPECT_EQ(kWhite, s.At(4, 4));  // not filled
  Surface r(30, 30);
  CDrawEngine::DrawRoundRectFrame(r.dc(), RECT{0, 0, 30, 30}, 16, 16, 1, 0xFF0000FF);
  EXPECT_EQ(kWhite, r.At(0, 0));  // the corner is rounded off
  EXPECT_EQ(kBlue, Shown(r.At(15, 0)));
  EXPECT_EQ(kWhite, r.At(15, 15));
  Surface l(20, 20);
  CDrawEngine::DrawLine(l.dc(), RECT{0, 10, 20, 10}, 1, 0x0000FF00);  // alpha ignored
  EXPECT_EQ(kGreen, Shown(l.At(5, 10)));
  EXPECT_EQ(kWhite, l.At(5, 5));
}

TEST(RenderClip, NestedScopesRestoreTheOuterClip) {
  Surface s(100, 100);
  const RECT all = {0, 0, 100, 100};
  {
    ClipScope outer;
    ClipScope::ClipToRect(s.dc(), RECT{10, 10, 90, 90}, outer);
    {
      ClipScope inner;
      ClipScope::ClipToRect(s.dc(), RECT{5, 20, 50, 50}, inner);
      CDrawEngine::FillColor(s.dc(), all, kRed);
      EXPECT_EQ("10,20,50,50", s.InkBox(kWhite));  // both scopes narrow
      ClipScope::UseOuterClipBegin(s.dc(), inner);
      CDrawEngine::FillColor(s.dc(), RECT{60, 60, 100, 100}, kBlue);
      EXPECT_EQ("10,20,90,90", s.InkBox(kWhite));
      ClipScope::UseOuterClipEnd(s.dc(), inner);
      CDrawEngine::FillColor(s.dc(), all, kGreen);
      EXPECT_EQ(0, s.CountShownNot(kBlue, 60, 60, 90, 90));
      EXPECT_EQ(0, s.CountShownNot(kGreen, 10, 20, 50, 50));
    }
    s.Fill(kWhite);
    CDrawEngine::FillColor(s.dc(), all, kRed);
    EXPECT_EQ("10,10,90,90", s.InkBox(kWhite));
  }
  s.Fill(kWhite);
  CDrawEngine::FillColor(s.dc(), all, kRed);
  EXPECT_EQ(0, s.CountShownNot(kRed));
}

TEST(RenderClip, EndingAnOuterScopeFirstLeavesItsOuterClip) {
  Surface s(50, 50);
  auto* outer = new ClipScope;
  ClipScope::ClipToRect(s.dc(), RECT{10, 10, 40, 40}, *outer);
  ClipScope inner;
  ClipScope::ClipToRect(s.dc(), RECT{20, 20, 30, 30}, inner);
  delete outer;
  CDrawEngine::FillColor(s.dc(), RECT{0, 0, 50, 50}, kRed);
  EXPECT_EQ(0, s.CountShownNot(kRed));
}

TEST(RenderClip, RoundRectScopeCutsTheCorners) {
  Surface s(40, 40);
  {
    ClipScope round;
    ClipScope::ClipToRoundRect(s.dc(), RECT{0, 0, 40, 40}, RECT{0, 0, 39, 39}, 20, 20, round);
    CDrawEngine::FillColor(s.dc(), RECT{0, 0, 40, 40}, kRed);
  }
  EXPECT_EQ(kWhite, s.At(0, 0));
  EXPECT_EQ(kWhite, s.At(39, 39));
  EXPECT_EQ(kRed, Shown(s.At(20, 20)));
  EXPECT_EQ(kRed, Shown(s.At(20, 0)));
  EXPECT_EQ(kRed, Shown(s.At(0, 20)));
}

}  // namespace
