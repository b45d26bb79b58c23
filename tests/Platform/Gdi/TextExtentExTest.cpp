// GetTextExtentExPointW: the extent of every prefix, how many characters fit, and pairs.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GdiTestSupport.h"

using namespace GdiTest;

namespace {

struct FontDc {
  FontDc() : dc(CreateCompatibleDC(nullptr)) {
    LOGFONTW lf{};
    lf.lfHeight = -16;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::u16string face = u"DejaVu Sans";
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    font = CreateFontIndirectW(&lf);
    old = SelectObject(dc, font);
  }
  ~FontDc() {
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
  }
  int Width(const std::u16string& s) {
    SIZE size{};
    GetTextExtentPoint32W(dc, s.data(), static_cast<int>(s.size()), &size);
    return size.cx;
  }
  HDC dc;
  HFONT font;
  HGDIOBJ old;
};

TEST(GdiTextExtentEx, PartialExtentsMatchThePrefixesAndTheWhole) {
  FontDc f;
  const std::u16string s = u"iiWm x";
  std::vector<INT> dx(s.size(), -1);
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPointW(f.dc, s.data(), static_cast<int>(s.size()), -1, nullptr,
                                    dx.data(), &size));
  EXPECT_EQ(size.cx, f.Width(s));
  EXPECT_EQ(dx.back(), size.cx);
  for (size_t i = 0; i < s.size(); ++i) {
    EXPECT_NEAR(dx[i], f.Width(s.substr(0, i + 1)), 1) << "prefix of " << i + 1;
    if (i > 0) {
      EXPECT_GT(dx[i], dx[i - 1]);
    }
  }
}

TEST(GdiTextExtentEx, FitCountsWhatStaysWithinTheMaximum) {
  FontDc f;
  const std::u16string s = u"WWWWWWWW";
  int one = f.Width(u"W");
  std::vector<INT> dx(s.size(), -1);
  int fit = -1;
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPointW(f.dc, s.data(), static_cast<int>(s.size()), one * 3, &fit,
                                    dx.data(), &size));
  EXPECT_EQ(fit, 3);
  EXPECT_EQ(dx[3], -1) << "only the extents of the characters that fit are written";
  EXPECT_EQ(size.cx, f.Width(s));
}

TEST(GdiTextExtentEx, BothHalvesOfAPairEndWithThePair) {
  FontDc f;
  const std::u16string s = u"a\U0001F600b";
  std::vector<INT> dx(s.size(), -1);
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPointW(f.dc, s.data(), static_cast<int>(s.size()), -1, nullptr,
                                    dx.data(), &size));
  EXPECT_EQ(dx[1], dx[2]);
  EXPECT_GT(dx[1], dx[0]);
  EXPECT_GT(dx[3], dx[2]);
  EXPECT_EQ(dx[3], size.cx);
}

TEST(GdiTextExtentEx, BadArgumentsAreRefused) {
  FontDc f;
  SIZE size{};
  EXPECT_FALSE(GetTextExtentExPointW(f.dc, u"x", -1, -1, nullptr, nullptr, &size));
  EXPECT_FALSE(GetTextExtentExPointW(f.dc, nullptr, 2, -1, nullptr, nullptr, &size));
  EXPECT_FALSE(GetTextExtentExPointW(f.dc, u"x", 1, -1, nullptr, nullptr, nullptr));
  EXPECT_FALSE(GetTextExtentExPointW(nullptr, u"x", 1, -1, nullptr, nullptr, &size));
  EXPECT_TRUE(GetTextExtentExPointW(f.dc, nullptr, 0, -1, nullptr, nullptr, &size));
  EXPECT_EQ(size.cx, 0);
}

}  // namespace
