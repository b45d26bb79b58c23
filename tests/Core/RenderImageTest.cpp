// Skinned images drawn through a paint manager: where the pixels land for dest, source,
// corners, tiling, hole and fade, and what the image cache keeps.

#include <cstring>

#include "RenderTestSupport.h"

using namespace SkinUI;
using namespace RenderTest;

namespace {

constexpr uint32_t kYellow = 0xFFFFFF00u;
constexpr uint32_t kCyan = 0xFF00FFFFu;
constexpr uint32_t kMagenta = 0xFFFF00FFu;
constexpr uint32_t kGrey = 0xFF808080u;
constexpr uint32_t kOrange = 0xFFFF8000u;

class RenderImage : public ManagerTest {
 protected:
  // A 12 x 12 image in nine areas of one colour each: 4-pixel corners and edges, a 4 x 4 middle.
  void WriteNinePatch(const std::string& name) {
    const uint32_t areas[3][3] = {
        {kRed, kCyan, kGreen}, {kMagenta, kBlack, kGrey}, {kBlue, kOrange, kYellow}};
    std::vector<uint32_t> px(144);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) px[y * 12 + x] = areas[y / 4][x / 4];
    WritePng(name, 12, 12, px);
  }
  // Four 10 x 10 quadrants: red, green / blue, yellow.
  void WriteQuadrants(const std::string& name) {
    std::vector<uint32_t> px(400);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        px[y * 20 + x] = y < 10 ? (x < 10 ? kRed : kGreen) : (x < 10 ? kBlue : kYellow);
    WritePng(name, 20, 20, px);
  }
};

TEST_F(RenderImage, DestAndSourcePlaceThePartExactly) {
  WriteQuadrants("q.png");
  Surface s(80, 40);
  const RECT item = {10, 5, 60, 25};
  ASSERT_TRUE(Draw(s, item, TEXT("file='q.png' dest='2,3,12,13' source='10,0,20,10'")));
  // The green quadrant lands at (12,8)-(22,18) and nowhere else.
  EXPECT_EQ("12,8,22,18", s.InkBox(kWhite));
  EXPECT_EQ(0, s.CountNot(kGreen, 12, 8, 22, 18));
}

TEST_F(RenderImage, BareNameStretchesOverTheControl) {
  WriteSolidPng("1.png", 2, 2, kBlue);
  Surface s(40, 30);
  ASSERT_TRUE(Draw(s, RECT{5, 5, 35, 25}, TEXT("1.png")));
  EXPECT_EQ("5,5,35,25", s.InkBox(kWhite));
  EXPECT_EQ(0, s.CountShownNot(kBlue, 5, 5, 35, 25));
}

TEST_F(RenderImage, ModifierOverridesItems) {
  WriteSolidPng("11.png", 4, 4, kRed);
  Surface s(100, 20);
  ASSERT_TRUE(Draw(s, RECT{0, 0, 100, 20}, TEXT("file='11.png'"), TEXT("dest='0,0,50,10'")));
  EXPECT_EQ("0,0,50,10", s.InkBox(kWhite));
}

TEST_F(RenderImage, NinePiecesKeepTheCornersAndStretchTheRest) {
  WriteNinePatch("nine.png");
  Surface s(100, 30);
  ASSERT_TRUE(Draw(s, RECT{0, 0, 100, 30}, TEXT("file='nine.png' corner='4,4,4,4'")));
  struct Probe {
    int x, y;
    uint32_t colour;
  } const probes[] = {
      {0, 0, kRed},     {3, 3, kRed},      {96, 0, kGreen},   {99, 3, kGreen},
      {0, 26, kBlue},   {3, 29, kBlue},    {96, 26, kYellow}, {99, 29, kYellow},
      {50, 1, kCyan},   {1, 15, kMagenta}, {98, 15, kGrey},   {50, 28, kOrange},
      {50, 15, kBlack}, {4, 4, kBlack},    {95, 25, kBlack},  {4, 0, kCyan},
  };
  for (const Probe& p : probes) {
    EXPECT_EQ(Hex(p.colour), Hex(Shown(s.At(p.x, p.y)))) << p.x << "," << p.y;
  }
  EXPECT_EQ(0, s.CountShownNot(kBlack, 4, 4, 96, 26));
}

TEST_F(RenderImage, XTilingRepeatsTheMiddleAndCutsTheLastTile) {
  // The middle (between 1-pixel corners) is 10 wide: 5 red columns then 5 blue ones.
  std::vector<uint32_t> px(12 * 3, kGreen);
  for (int x = 1; x < 11; ++x) px[12 + x] = x < 6 ? kRed : kBlue;
  WritePng("tile.png", 12, 3, px);
  Surface s(27, 3);
  ASSERT_TRUE(Draw(s, RECT{0, 0, 27, 3}, TEXT("file='tile.png' corner='1,1,1,1' xtiled='true'")));
  // Destination middle x 1..26: tiles 1-11, 11-21 and 21-26 (only the red half of the last).
  const char* const row = "RRRRRBBBBBRRRRRBBBBBRRRRR";
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(Hex(row[i] == 'R' ? kRed : kBlue), Hex(s.At(1 + i, 1))) << "x " << 1 + i;
  }
  EXPECT_EQ(kGreen, s.At(26, 1));
  EXPECT_EQ(kGreen, s.At(0, 1));
}

TEST_F(RenderImage, YTilingAndBothAxes) {
  // A 2 x 4 middle with a red top half and a blue bottom half, no corners.
  WritePng("col.png", 2, 4, {kRed, kRed, kRed, kRed, kBlue, kBlue, kBlue, kBlue});
  Surface s(6, 10);
  ASSERT_TRUE(Draw(s, RECT{0, 0, 6, 10}, TEXT("file='col.png' ytiled='true'")));
  // Rows: RRBB RRBB RR; each row stretched over the full width.
  const char* const col = "RRBBRRBBRR";
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(Hex(col[y] == 'R' ? kRed : kBlue), Hex(Shown(s.At(5, y)))) << "y " << y;
  }
  Surface both(5, 6);
  ASSERT_TRUE(Draw(both, RECT{0, 0, 5, 6}, TEXT("file='col.png' xtiled='true' ytiled='true'")));
  EXPECT_EQ(kRed, both.At(4, 4));  // third column tile, cut to one pixel; second row, red half
  EXPECT_EQ(kBlue, both.At(4, 3));
  EXPECT_EQ(kRed, both.At(0, 0));
}

TEST_F(RenderImage, HoleLeavesTheMiddleOut) {
  WriteNinePatch("nine.png");
  Surface s(40, 20);
  ASSERT_TRUE(Draw(s, RECT{0, 0, 40, 20}, TEXT("file='nine.png' corner='4,4,4,4' hole='true'")));
  EXPECT_EQ(0, s.CountNot(kWhite, 4, 4, 36, 16));
  EXPECT_EQ(kRed, s.At(0, 0));
  EXPECT_EQ(kCyan, Shown(s.At(20, 1)));
  EXPECT_EQ(kYellow, s.At(39, 19));
  // Without corners: an opaque image of the destination's exact size is copied whole...
  WriteSolidPng("10.png", 40, 20, kGreen);
  ASSERT_TRUE(Draw(s, RECT{0, 0, 40, 20}, TEXT("file='10.png' hole='true'")));
  EXPECT_EQ(0, s.CountNot(kGreen));
  // ... and one with transparency draws nothing.
  WriteSolidPng("10a.png", 40, 20, 0x80FF0000);
  ASSERT_TRUE(Draw(s, RECT{0, 0, 40, 20}, TEXT("file='10a.png' hole='true'")));
  EXPECT_EQ(0, s.CountNot(kGreen));
}

TEST_F(RenderImage, FadeAndPerPixelAlphaBlend) {
  WriteSolidPng("red.png", 4, 4, kRed);
  WriteSolidPng("half.png", 4, 4, 0x800000FF);
  Surface s(20, 10);
  ASSERT_TRUE(Draw(s, RECT{0, 0, 10, 10}, TEXT("file='red.png' fade='128'")));
  ASSERT_TRUE(Draw(s, RECT{10, 0, 20, 10}, TEXT("half.png")));
  EXPECT_TRUE(Near(s.At(5, 5), 0xFFFF7F7F)) << Hex(s.At(5, 5));
  EXPECT_TRUE(Near(s.At(15, 5), 0xFF7F7FFF)) << Hex(s.At(15, 5));
  // fade keeps only its low 8 bits: 256 is 0, nothing drawn.
  Surface none(4, 4);
  ASSERT_TRUE(Draw(none, RECT{0, 0, 4, 4}, TEXT("file='red.png' fade='256'")));
  EXPECT_EQ(0, none.CountNot(kWhite));
}

TEST_F(RenderImage, TheMaskOfTheFirstLoadWins) {
  WritePng("m.png", 2, 1, {kMagenta, kRed});
  Surface s(2, 1), again(2, 1);
  ASSERT_TRUE(Draw(s, RECT{0, 0, 2, 1}, TEXT("file='m.png' mask='#FFFF00FF'")));
  EXPECT_EQ(kWhite, s.At(0, 0));
  EXPECT_EQ(kRed, s.At(1, 0));
  ASSERT_TRUE(Draw(again, RECT{0, 0, 2, 1}, TEXT("file='m.png' mask='#FFFF0000'")));
  EXPECT_EQ(kWhite, again.At(0, 0));
  EXPECT_EQ(kRed, again.At(1, 0));
  EXPECT_EQ(0xFFFF00FFu, m_manager->ImageFor(TEXT("m.png"))->dwMask);
}

TEST_F(RenderImage, EmptyDestinationAndMissingImagesDrawNothing) {
  WriteSolidPng("a.png", 2, 2, kRed);
  Surface s(20, 20);
  EXPECT_TRUE(Draw(s, RECT{0, 0, 20, 20}, TEXT("file='a.png' dest='1,2'")));
  EXPECT_TRUE(Draw(s, RECT{0, 0, 20, 20}, TEXT("file='missing.png'")));
  EXPECT_TRUE(Draw(s, RECT{0, 0, 20, 20}, TEXT("")));
  EXPECT_TRUE(Draw(s, RECT{0, 0, 20, 20}, nullptr));
  EXPECT_EQ(0, s.CountNot(kWhite));
  EXPECT_FALSE(CDrawEngine::DrawImageAttribute(nullptr, m_manager, RECT{0, 0, 2, 2},
                                               RECT{0, 0, 2, 2}, TEXT("a.png"), nullptr));
  EXPECT_FALSE(CDrawEngine::DrawImageAttribute(s.dc(), nullptr, RECT{0, 0, 2, 2}, RECT{0, 0, 2, 2},
                                               TEXT("a.png"), nullptr));
  EXPECT_FALSE(CDrawEngine::DrawNamedImage(s.dc(), m_manager, RECT{0, 0, 2, 2}, RECT{0, 0, 2, 2},
                                           CUIString(), CUIString(), RECT{0, 0, 2, 2}, RECT{},
                                           RECT{}, 0, 255, false, false, false));
}

TEST_F(RenderImage, PiecesOutsideThePaintRectangleAreSkipped) {
  WriteNinePatch("nine.png");
  Surface s(40, 20);
  const RECT item = {0, 0, 40, 20};
  const RECT paint = {0, 0, 10, 20};
  ASSERT_TRUE(CDrawEngine::DrawImageAttribute(s.dc(), m_manager, item, paint,
                                              TEXT("file='nine.png' corner='4,4,4,4'"), nullptr));
  EXPECT_EQ(kRed, s.At(0, 0));
  EXPECT_EQ(kWhite, s.At(39, 0));   // top-right corner: outside the paint rectangle
  EXPECT_EQ(kWhite, s.At(39, 10));  // right edge
}

// Corners as large as the image, or a source smaller than the corners, leave no middle: the
// corners are still drawn, nothing is mirrored, tiling does not spin.
TEST_F(RenderImage, EmptyMiddlesDrawTheirCorners) {
  WriteNinePatch("nine.png");
  const WCHAR* const strings[] = {
      TEXT("file='nine.png' corner='6,6,6,6'"),
      TEXT("file='nine.png' corner='6,6,6,6' xtiled='true' ytiled='true'"),
      TEXT("file='nine.png' corner='6,6,6,6' xtiled='true'"),
      TEXT("file='nine.png' source='0,0,6,6' corner='4,4,4,4' ytiled='true'"),
  };
  for (const WCHAR* str : strings) {
    SCOPED_TRACE(std::string(str, str + std::char_traits<WCHAR>::length(str)));
    Surface s(40, 20);
    ASSERT_TRUE(Draw(s, RECT{0, 0, 40, 20}, str));
    EXPECT_EQ(kRed, s.At(0, 0));
    EXPECT_NE(kWhite, s.At(39, 19));
    // The middle and the stretched edges between the corners stay untouched.
    EXPECT_EQ(0, s.CountNot(kWhite, 8, 8, 32, 12));
    EXPECT_EQ(kWhite, s.At(20, 1));
  }
}

TEST_F(RenderImage, SourcesOutsideTheBitmapAreClamped) {
  WriteQuadrants("q.png");
  Surface s(20, 20);
  // The source reaches past the image on the left and top: only the part inside is used.
  ASSERT_TRUE(Draw(s, RECT{0, 0, 20, 20}, TEXT("file='q.png' source='-10,-10,10,10'")));
  EXPECT_EQ(0, s.CountShownNot(kRed));
  // Huge numbers neither overflow nor hang.
  ASSERT_TRUE(Draw(s, RECT{0, 0, 20, 20},
                   TEXT("file='q.png' dest='-2147483648,0,2147483647,20' corner='1,1,1,1' ")
                       TEXT("source='0,0,3,3' xtiled='true'")));
}

TEST_F(RenderImage, ImagesComeFromTheCacheByNameAlone) {
  WriteSolidPng("c.png", 3, 2, kRed);
  const TImageEntry* first = m_manager->ImageFor(TEXT("c.png"));
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(3, first->nWidth);
  EXPECT_EQ(first, m_manager->ImageFor(TEXT("c.png"), nullptr, 0xFF00FF00));
  EXPECT_EQ(nullptr, m_manager->LoadImageEntry(TEXT("c.png")));  // the name is taken
  m_manager->ClearImages();
  const TImageEntry* again = m_manager->ImageFor(TEXT("c.png"));
  ASSERT_NE(nullptr, again);
  EXPECT_EQ(nullptr, m_manager->ImageFor(TEXT("none.png")));
  EXPECT_EQ(nullptr, m_manager->ImageFor(TEXT("")));
  EXPECT_EQ(nullptr, m_manager->LoadImageEntry(TEXT("c2.png"), TEXT("PNG")));  // no resource number
}

// A 32-bit BMP stored top-down (negative height) loads the right way up.
TEST(RenderImageLoader, TopDownBmpLoads) {
  const int w = 2, h = 2;
  std::string bmp(54 + w * h * 4, '\0');
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&bmp[at], &v, 4); };
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&bmp[at], &v, 2); };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, static_cast<uint32_t>(bmp.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, w);
  put32(22, static_cast<uint32_t>(-h));
  put16(26, 1);
  put16(28, 32);
  const uint32_t pixels[4] = {0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF};  // top red
  std::memcpy(&bmp[54], pixels, sizeof(pixels));
  TImageEntry* image =
      CDrawEngine::DecodeSkinImage(reinterpret_cast<const BYTE*>(bmp.data()), bmp.size(), 0);
  ASSERT_NE(nullptr, image);
  EXPECT_EQ(2, image->nHeight);
  DIBSECTION ds = {};
  ASSERT_EQ(static_cast<int>(sizeof(ds)), GetObjectW(image->hBitmap, sizeof(ds), &ds));
  const uint32_t* bits = static_cast<const uint32_t*>(ds.dsBm.bmBits);
  EXPECT_EQ(Hex(kRed), Hex(bits[0]));
  EXPECT_EQ(Hex(kBlue), Hex(bits[2]));
  CDrawEngine::FreeSkinImage(image);
}

}  // namespace
