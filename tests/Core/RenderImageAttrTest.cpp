// Reading image attribute strings: items, flushing between images, and where reading stops.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/UIImageAttr.h"

using namespace SkinUI;

namespace {

std::string Narrow(const CUIString& s) {
  std::string out;
  for (int i = 0; i < s.GetLength(); ++i) out += static_cast<char>(s[i]);
  return out;
}

std::string Show(const RECT& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) +
         "," + std::to_string(rc.bottom);
}

// One line per image: name, type, dest, source, corner, mask, fade and flags.
std::string Describe(const TImageDrawParams& p) {
  char mask[16];
  snprintf(mask, sizeof(mask), "%08X", static_cast<unsigned>(p.dwMask));
  return Narrow(p.sName) + "|" + Narrow(p.sResType) + "|" + Show(p.rcDest) + "|" +
         Show(p.rcSource) + "|" + Show(p.rcCorner) + "|" + mask + "|" + std::to_string(p.bFade) +
         "|" + (p.bHole ? "H" : "-") + (p.bTiledX ? "X" : "-") + (p.bTiledY ? "Y" : "-");
}

void Collect(const TImageDrawParams& p, void* context) {
  static_cast<std::vector<std::string>*>(context)->push_back(Describe(p));
}

// The images a string draws: those flushed while reading, then the final one.
std::vector<std::string> Images(const WCHAR* image, const RECT& item = {10, 20, 110, 70}) {
  std::vector<std::string> out;
  TImageDrawParams p;
  p.sName = image;
  p.rcDest = item;
  ReadImageAttribute(image, item, p, Collect, &out);
  out.push_back(Describe(p));
  return out;
}

using Lines = std::vector<std::string>;

TEST(RenderImageAttr, ItemsTable) {
  struct Case {
    const WCHAR* text;
    Lines images;
  } const cases[] = {
      {TEXT("1.png"), {"1.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|255|---"}},
      {TEXT("file='8.png' dest='0,0,14,14' source='0,0,14,14'"),
       {"8.png||10,20,24,34|0,0,14,14|0,0,0,0|00000000|255|---"}},
      {TEXT("file='a.png' corner='4,4,4,4' mask='#FFFF00FF' fade='300' hole='true' xtiled='true' ")
           TEXT("ytiled='false'"),
       {"a.png||10,20,110,70|0,0,0,0|4,4,4,4|FFFF00FF|44|HX-"}},
      // dest is limited at the right and bottom only.
      {TEXT("file='a.png' dest='-5,-5,500,500'"),
       {"a.png||5,15,110,70|0,0,0,0|0,0,0,0|00000000|255|---"}},
      {TEXT("file='a.png' dest='1,2'"), {"a.png||11,22,10,20|0,0,0,0|0,0,0,0|00000000|255|---"}},
      // Blanks around '=' and before a key are skipped; the separator must be a space.
      {TEXT("  file = 'a.png' fade='1'"), {"a.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|1|---"}},
      {TEXT("file='a.png'\tfade='1'"), {"a.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|255|---"}},
      {TEXT("file='a.png'  fade='1'"), {"a.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|1|---"}},
      // Malformed items stop reading; what was read stays.
      {TEXT("fade='7' file=a.png"),
       {"fade='7' file=a.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|7|---"}},
      {TEXT("fade='7' mask='#FF"),
       {"fade='7' mask='#FF||10,20,110,70|0,0,0,0|0,0,0,0|00000000|7|---"}},
      {TEXT("fade='7'x mask='FF'"),
       {"fade='7'x mask='FF'||10,20,110,70|0,0,0,0|0,0,0,0|00000000|7|---"}},
      // Keys are case-sensitive, unknown keys and empty values do nothing.
      {TEXT("File='b.png' size='3' file='' fade='9'"),
       {"File='b.png' size='3' file='' fade='9'||10,20,110,70|0,0,0,0|0,0,0,0|00000000|9|---"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<WCHAR>::length(c.text)));
    EXPECT_EQ(c.images, Images(c.text));
  }
}

TEST(RenderImageAttr, FileResAndRestypeFlushTheImageSoFar) {
  EXPECT_EQ((Lines{"a.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|255|---",
                   "b.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|255|---"}),
            Images(TEXT("file='a.png' file='b.png'")));
  // Nothing is reset: the second image inherits the fade.
  EXPECT_EQ((Lines{"a.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|128|---",
                   "b.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|128|---"}),
            Images(TEXT("file='a.png' fade='128' file='b.png'")));
  // "res" does not count as an image; "restype" does.
  EXPECT_EQ((Lines{"12|PNG|10,20,110,70|0,0,0,0|0,0,0,0|00000000|255|---"}),
            Images(TEXT("res='12' restype='PNG'")));
  EXPECT_EQ((Lines{"a.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|255|---",
                   "a.png|PNG|10,20,110,70|0,0,0,0|0,0,0,0|00000000|255|---"}),
            Images(TEXT("file='a.png' restype='PNG'")));
  EXPECT_EQ((Lines{"a.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|255|---",
                   "c.png||10,20,110,70|0,0,0,0|0,0,0,0|00000000|255|---"}),
            Images(TEXT("file='a.png' res='c.png'")));
}

TEST(RenderImageAttr, HugeDestinationsDoNotOverflow) {
  const Lines images = Images(TEXT("file='a.png' dest='2147483647,2147483647,-2147483648,0'"),
                              RECT{100, 100, 200, 200});
  ASSERT_EQ(1u, images.size());
  EXPECT_EQ("a.png||2147483647,2147483647,-2147483548,100|0,0,0,0|0,0,0,0|00000000|255|---",
            images[0]);
  TImageDrawParams p;
  ReadImageAttribute(nullptr, RECT{0, 0, 1, 1}, p, nullptr, nullptr);
  EXPECT_TRUE(p.sName.IsEmpty());
  ReadImageAttribute(TEXT("file='a.png' file='b.png'"), RECT{0, 0, 1, 1}, p, nullptr, nullptr);
  EXPECT_EQ(CUIString(TEXT("b.png")), p.sName);
}

}  // namespace
