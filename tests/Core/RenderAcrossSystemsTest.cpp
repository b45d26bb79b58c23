// The drawing engine's pixels where systems differ underneath: GDI leaves alpha 0 beside what
// pens, brushes and text draw, stretched opaque images are blended from the top-left corner,
// stretched translucent ones take the nearest pixels, and rounded clips step by the system's
// rows. The colours a window shows come out the same on every system.
#include <gtest/gtest.h>

#include <vector>

#include "RenderTestSupport.h"

using namespace SkinUI;
using namespace RenderTest;

namespace {

class RenderAcrossSystems : public ManagerTest {};

TEST_F(RenderAcrossSystems, TranslucentImageBlendsOverWhatGdiDrew) {
  WriteSolidPng("half.png", 2, 2, 0x80000000u);  // half-transparent black
  Surface s(20, 10, kWhite);
  CDrawEngine::FillColor(s.dc(), RECT{0, 0, 20, 10}, 0xFF204060u);  // a brush: colour only
  ASSERT_TRUE(Draw(s, RECT{0, 0, 10, 10}, TEXT("half.png")));
  // Over a pixel whose alpha the brush left at 0 the colour still halves.
  EXPECT_TRUE(Near(Shown(s.At(5, 5)), 0xFF102030u, 1)) << Hex(s.At(5, 5));
  EXPECT_EQ(Shown(s.At(15, 5)), 0xFF204060u);
}

TEST_F(RenderAcrossSystems, TranslucentFillDarkensTextByHalf) {
  Surface text(120, 30, kWhite), covered(120, 30, kWhite);
  for (Surface* s : {&text, &covered}) {
    RECT rc = {0, 0, 120, 30};
    CDrawEngine::DrawPlainText(s->dc(), m_manager, rc, TEXT("Halvane"), 0xFF2060A0u, -1,
                               DT_SINGLELINE);
  }
  CDrawEngine::FillColor(covered.dc(), RECT{0, 0, 120, 30}, 0x80000000u);
  int inked = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x) {
      const uint32_t before = Shown(text.At(x, y)), after = Shown(covered.At(x, y));
      inked += before != kWhite;
      for (int shift = 0; shift < 24; shift += 8)
        ASSERT_NEAR(Channel(after, shift), Channel(before, shift) / 2, 1)
            << x << "," << y << " " << Hex(before) << " " << Hex(after);
    }
  EXPECT_GT(inked, 50);
}

TEST_F(RenderAcrossSystems, StretchedOpaqueImageBlendsFromTheLeftEdge) {
  WritePng("pair.png", 2, 1, {0xFF0A141Eu, 0xFF28323Cu});
  Surface s(40, 20, kWhite);
  ASSERT_TRUE(Draw(s, RECT{0, 0, 40, 20}, TEXT("pair.png")));
  const struct {
    int x;
    uint32_t colour;
  } columns[] = {{0, 0xFF0A141Eu},  {5, 0xFF121C26u},  {10, 0xFF19232Du},
                 {15, 0xFF212B35u}, {20, 0xFF28323Cu}, {39, 0xFF28323Cu}};
  for (const auto& c : columns)
    for (int y : {0, 19}) EXPECT_EQ(Hex(c.colour), Hex(Shown(s.At(c.x, y)))) << c.x << "," << y;
}

TEST_F(RenderAcrossSystems, StretchedTranslucentImageTakesTheNearestPixels) {
  WritePng("pair.png", 2, 1, {0x80FF0000u, 0x800000FFu});
  Surface s(10, 1, kWhite);
  ASSERT_TRUE(Draw(s, RECT{0, 0, 10, 1}, TEXT("pair.png")));
  for (int x = 0; x < 10; ++x) {
    const uint32_t want = x < 5 ? 0xFFFF7F7Fu : 0xFF7F7FFFu;  // half red or half blue on white
    EXPECT_TRUE(Near(s.At(x, 0), want, 1)) << x << " " << Hex(s.At(x, 0));
  }
}

TEST_F(RenderAcrossSystems, RoundedClipStepsByTheSystemsRows) {
  Surface s(40, 30, kWhite);
  {
    ClipScope round;
    ClipScope::ClipToRoundRect(s.dc(), RECT{0, 0, 40, 30}, RECT{0, 0, 39, 29}, 20, 20, round);
    CDrawEngine::FillColor(s.dc(), RECT{0, 0, 40, 30}, kRed);
  }
  // The left and right ends of the first rows, and the last column and row left out.
  const struct {
    int y, left, right;
  } rows[] = {{0, 7, 32}, {1, 5, 34}, {2, 4, 35},  {3, 3, 36},  {4, 2, 37},
              {5, 1, 38}, {7, 0, 39}, {15, 0, 39}, {28, 7, 32}, {29, 0, 0}};
  for (const auto& r : rows)
    for (int x = 0; x < 40; ++x)
      EXPECT_EQ(Shown(s.At(x, r.y)) == kRed, x >= r.left && x < r.right) << x << "," << r.y;
}

}  // namespace
