// Fonts, metrics, extents and text output.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "GdiTestSupport.h"
#include "Platform/DebugOutput.h"

using namespace GdiTest;

namespace {

constexpr uint32_t kRed = Argb(0, 255, 0, 0);  // a text background: colour only

HFONT MakeFont(const char16_t* face, LONG height, LONG weight = FW_NORMAL, BYTE italic = 0,
               BYTE underline = 0) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
  return CreateFontIndirectW(&lf);
}

// A white surface with a font selected, black text on a transparent background.
struct TextSurface : Surface {
  TextSurface(int w, int h, HFONT f) : Surface(w, h), font(f) {
    old = SelectObject(dc(), font);
    SetBkMode(dc(), TRANSPARENT);
  }
  ~TextSurface() {
    SelectObject(dc(), old);
    DeleteObject(font);
  }
  SIZE Extent(const std::u16string& s) {
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32W(dc(), s.data(), static_cast<int>(s.size()), &size));
    return size;
  }
  TEXTMETRICW Metrics() {
    TEXTMETRICW tm{};
    EXPECT_TRUE(GetTextMetricsW(dc(), &tm));
    return tm;
  }
  RECT Calc(const std::u16string& s, RECT r, UINT format) {
    DrawTextW(dc(), s.data(), static_cast<int>(s.size()), &r, format | DT_CALCRECT);
    return r;
  }
  HFONT font;
  HGDIOBJ old;
};

const char16_t* const kUiFace = u"\u5FAE\u8F6F\u96C5\u9ED1";  // the skin's Chinese UI face
const std::u16string kChinese = u"\u5B89\u88C5\u7A0B\u5E8F";  // "installer"

TEST(GdiFonts, HeightConventionsAndMetrics) {
  TextSurface em(10, 10, MakeFont(u"DejaVu Sans", -16));
  TEXTMETRICW tm = em.Metrics();
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  EXPECT_GE(tm.tmHeight, 16);
  EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 16);
  EXPECT_GT(tm.tmAveCharWidth, 0);
  EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
  EXPECT_GE(tm.tmMaxCharWidth, em.Extent(u"W").cx);
  EXPECT_EQ(tm.tmWeight, FW_NORMAL);

  TextSurface cell(10, 10, MakeFont(u"DejaVu Sans", 20));
  TEXTMETRICW ctm = cell.Metrics();
  EXPECT_LE(ctm.tmHeight, 20);
  EXPECT_GE(ctm.tmHeight, 18);
  EXPECT_LT(ctm.tmHeight - ctm.tmInternalLeading, 20);  // a smaller character height

  TextSurface styled(10, 10, MakeFont(u"DejaVu Sans", -16, 1100, 1, 1));
  TEXTMETRICW stm = styled.Metrics();
  EXPECT_EQ(stm.tmItalic, 1);
  EXPECT_EQ(stm.tmUnderlined, 1);
  EXPECT_EQ(stm.tmWeight, 1100);
  EXPECT_GT(styled.Extent(u"Halvane setup").cx, em.Extent(u"Halvane setup").cx);
  LOGFONTW back{};
  ASSERT_EQ(GetObjectW(styled.font, sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_EQ(back.lfHeight, -16);
  EXPECT_EQ(back.lfWeight, 1100);
  EXPECT_EQ(std::u16string(back.lfFaceName), u"DejaVu Sans");
}

TEST(GdiFonts, MissingChineseFaceFallsBackToAFontThatDrawsChinese) {
  TextSurface s(120, 40, MakeFont(kUiFace, -16));
  SIZE one = s.Extent(kChinese.substr(0, 1));
  SIZE all = s.Extent(kChinese);
  EXPECT_GE(one.cx, 12);
  EXPECT_GE(all.cx, 4 * one.cx - 2);
  SetTextColor(s.dc(), RGB(255, 0, 0));
  ASSERT_TRUE(TextOutW(s.dc(), 4, 4, kChinese.data(), static_cast<int>(kChinese.size())));
  s.Save("chinese.png");
  EXPECT_GT(s.CountNot(kWhite), 4 * 30);
  EXPECT_GT(s.CountNot(kWhite, 4, 4, 4 + one.cx, 4 + one.cy), 20);  // the first character
  RECT ink = s.InkBox(kWhite);
  EXPECT_GE(ink.left, 4);
  EXPECT_LE(ink.right, 4 + all.cx + 1);
  EXPECT_GE(ink.top, 4);
  EXPECT_LE(ink.bottom, 4 + all.cy);
  // distinct characters draw distinct pictures (no boxes of one shape)
  TextSurface a(40, 40, MakeFont(kUiFace, -16)), b(40, 40, MakeFont(kUiFace, -16));
  TextOutW(a.dc(), 2, 2, u"\u5B89", 1);
  TextOutW(b.dc(), 2, 2, u"\u88C5", 1);
  int differing = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) differing += a.At(x, y) != b.At(x, y);
  EXPECT_GT(differing, 30);
}

TEST(GdiText, ExtentsGrowWithTheText) {
  TextSurface s(10, 10, MakeFont(u"DejaVu Sans", -14));
  SIZE e0 = s.Extent(u""), e1 = s.Extent(u"i"), e2 = s.Extent(u"ii"), e3 = s.Extent(u"iiW");
  EXPECT_EQ(e0.cx, 0);
  EXPECT_EQ(e0.cy, s.Metrics().tmHeight);
  EXPECT_GT(e1.cx, 0);
  EXPECT_GT(e2.cx, e1.cx);
  EXPECT_GT(e3.cx, e2.cx);
  EXPECT_EQ(e3.cy, e1.cy);
  SIZE size;
  EXPECT_FALSE(GetTextExtentPoint32W(s.dc(), u"x", -1, &size));
}

TEST(GdiText, AbcWidthsAddUpToTheAdvance) {
  TextSurface s(10, 10, MakeFont(u"DejaVu Sans", -20));
  ABC abc[3];
  ASSERT_TRUE(GetCharABCWidthsW(s.dc(), u'V', u'X', abc));
  for (int i = 0; i < 3; ++i) {
    char16_t ch = static_cast<char16_t>(u'V' + i);
    EXPECT_EQ(abc[i].abcA + static_cast<int>(abc[i].abcB) + abc[i].abcC,
              s.Extent(std::u16string(1, ch)).cx);
    EXPECT_GT(abc[i].abcB, 0u);
  }
  ABC space;
  ASSERT_TRUE(GetCharABCWidthsW(s.dc(), u' ', u' ', &space));
  EXPECT_EQ(space.abcB, 0u);
  EXPECT_EQ(space.abcC, s.Extent(u" ").cx);
  EXPECT_FALSE(GetCharABCWidthsW(s.dc(), u'b', u'a', abc));
}

TEST(GdiText, TextOutPlacesTheCellAndFillsOpaqueBackgrounds) {
  TextSurface s(100, 40, MakeFont(u"DejaVu Sans", -16));
  SetBkMode(s.dc(), OPAQUE);
  SetBkColor(s.dc(), RGB(255, 0, 0));
  SetTextColor(s.dc(), RGB(0, 0, 255));
  ASSERT_TRUE(TextOutW(s.dc(), 10, 5, u"Hg", 2));
  SIZE e = s.Extent(u"Hg");
  RECT ink = s.InkBox(kWhite);
  EXPECT_EQ(ink.left, 10);
  EXPECT_EQ(ink.top, 5);
  EXPECT_EQ(ink.right, 10 + e.cx);
  EXPECT_EQ(ink.bottom, 5 + e.cy);
  EXPECT_EQ(s.At(10, 5), kRed);
  int blue = 0;
  for (int y = 5; y < 5 + e.cy; ++y)
    for (int x = 10; x < 10 + e.cx; ++x) blue += s.At(x, y) == Argb(0, 0, 0, 255);
  EXPECT_GT(blue, 10);
}

TEST(GdiText, ExtTextOutOpaqueAndClipped) {
  TextSurface s(60, 30, MakeFont(u"DejaVu Sans", -20));
  SetBkColor(s.dc(), RGB(255, 0, 0));
  RECT r{5, 5, 25, 25};
  ASSERT_TRUE(ExtTextOutW(s.dc(), 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr));
  EXPECT_EQ(s.CountNot(kWhite), 400);
  EXPECT_EQ(s.At(24, 24), kRed);
  s.Fill(kWhite);
  RECT clip{10, 0, 20, 30};
  ASSERT_TRUE(ExtTextOutW(s.dc(), 0, 2, ETO_CLIPPED, &clip, u"WWWWW", 5, nullptr));
  EXPECT_GT(s.CountNot(kWhite), 0);
  EXPECT_EQ(s.CountNot(kWhite, 0, 0, 10, 30), 0);
  EXPECT_EQ(s.CountNot(kWhite, 20, 0, 60, 30), 0);
  EXPECT_FALSE(ExtTextOutW(s.dc(), 0, 0, ETO_OPAQUE, nullptr, u"x", 1, nullptr));
}

TEST(GdiDrawText, CalcRectMeasuresWhatIsDrawn) {
  for (const std::u16string& text : {std::u16string(u"Install to D:\\Games"), kChinese}) {
    TextSurface s(200, 60, MakeFont(kUiFace, -15));
    RECT r{10, 10, 190, 50};
    RECT calc = s.Calc(text, r, DT_SINGLELINE);
    EXPECT_EQ(calc.left, 10);
    EXPECT_EQ(calc.top, 10);
    EXPECT_EQ(calc.bottom - calc.top, s.Metrics().tmHeight);
    EXPECT_EQ(calc.right - calc.left, s.Extent(text).cx);
    int height = DrawTextW(s.dc(), text.data(), static_cast<int>(text.size()), &r, DT_SINGLELINE);
    EXPECT_EQ(height, s.Metrics().tmHeight);
    RECT ink = s.InkBox(kWhite);
    EXPECT_GE(ink.left, calc.left);
    EXPECT_LE(ink.right, calc.right + 1);
    EXPECT_GT(ink.right, calc.right - 4);
    EXPECT_GE(ink.top, calc.top);
    EXPECT_LE(ink.bottom, calc.bottom);
  }
}

TEST(GdiDrawText, LinesAndWordBreaks) {
  TextSurface s(200, 100, MakeFont(u"DejaVu Sans", -14));
  int lineHeight = s.Metrics().tmHeight;
  RECT wide{0, 0, 400, 0};
  RECT three = s.Calc(u"one\ntwo\r\nthree", wide, 0);
  EXPECT_EQ(three.bottom, 3 * lineHeight);
  EXPECT_EQ(three.right, s.Extent(u"three").cx);
  EXPECT_EQ(s.Calc(u"one\ntwo", wide, DT_SINGLELINE).bottom, lineHeight);

  // room for "hello wor": the break comes after the space, never inside a word
  RECT narrow{0, 0, s.Extent(u"hello wor").cx, 0};
  RECT wrapped = s.Calc(u"hello world", narrow, DT_WORDBREAK);
  EXPECT_EQ(wrapped.bottom, 2 * lineHeight);
  EXPECT_EQ(wrapped.right, s.Extent(u"world").cx);
  // a word longer than the line stays whole and widens the measured rectangle
  RECT tiny{0, 0, 10, 0};
  RECT longWord = s.Calc(u"extraordinary", tiny, DT_WORDBREAK);
  EXPECT_EQ(longWord.right, s.Extent(u"extraordinary").cx);
  EXPECT_EQ(longWord.bottom, lineHeight);
  // Chinese breaks between characters
  RECT twoChars{0, 0, s.Extent(kChinese.substr(0, 2)).cx, 0};
  EXPECT_EQ(s.Calc(kChinese, twoChars, DT_WORDBREAK).bottom, 2 * lineHeight);

  RECT box{0, 0, narrow.right, 100};
  int h = DrawTextW(s.dc(), u"hello world", -1, &box, DT_WORDBREAK);
  EXPECT_EQ(h, 2 * lineHeight);
  EXPECT_GT(s.CountNot(kWhite, 0, lineHeight, 200, 2 * lineHeight), 10);
  EXPECT_EQ(s.CountNot(kWhite, 0, 2 * lineHeight, 200, 100), 0);
}

TEST(GdiDrawText, EndEllipsisShortensToFit) {
  TextSurface s(200, 40, MakeFont(u"DejaVu Sans", -14));
  const std::u16string text = u"A rather long installation path";
  RECT r{0, 0, 100, 30};
  RECT plain = s.Calc(text, r, DT_SINGLELINE);
  EXPECT_GT(plain.right, 100);
  RECT cut = s.Calc(text, r, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(cut.right, 100);
  EXPECT_GT(cut.right, 100 - s.Extent(u"W...").cx);
  DrawTextW(s.dc(), text.data(), -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  EXPECT_LE(s.InkBox(kWhite).right, 101);
  // text that fits is left alone
  RECT fits = s.Calc(u"short", r, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(fits.right, s.Extent(u"short").cx);
}

TEST(GdiDrawText, AlignmentMovesTheText) {
  const std::u16string text = u"Setup";
  for (UINT align : {DT_LEFT, DT_CENTER, DT_RIGHT}) {
    TextSurface s(200, 60, MakeFont(u"DejaVu Sans", -16));
    RECT r{20, 10, 180, 50};
    int h = DrawTextW(s.dc(), text.data(), -1, &r, align | DT_SINGLELINE | DT_VCENTER);
    int th = s.Metrics().tmHeight;
    int top = (10 + 50 - th) / 2;
    EXPECT_EQ(h, top - 10 + th);
    RECT ink = s.InkBox(kWhite);
    EXPECT_GE(ink.top, top);
    EXPECT_LE(ink.bottom, top + th);
    int w = s.Extent(text).cx;
    if (align == DT_LEFT) {
      EXPECT_NEAR(ink.left, 20, 2);
    } else if (align == DT_CENTER) {
      EXPECT_NEAR(ink.left - 20, 180 - ink.right, 3);
    } else {
      EXPECT_NEAR(ink.right, 180, 2);
    }
    EXPECT_LE(ink.right - ink.left, w + 1);
  }
  TextSurface s(100, 60, MakeFont(u"DejaVu Sans", -16));
  RECT r{0, 0, 100, 60};
  EXPECT_EQ(DrawTextW(s.dc(), u"x", -1, &r, DT_SINGLELINE | DT_BOTTOM), 60);
  EXPECT_GE(s.InkBox(kWhite).top, 60 - s.Metrics().tmHeight);
}

TEST(GdiDrawText, PrefixesAndClipping) {
  TextSurface s(200, 40, MakeFont(u"DejaVu Sans", -16));
  RECT r{0, 0, 200, 40};
  EXPECT_EQ(s.Calc(u"&File", r, 0).right, s.Extent(u"File").cx);
  EXPECT_EQ(s.Calc(u"&File", r, DT_NOPREFIX).right, s.Extent(u"&File").cx);
  EXPECT_EQ(s.Calc(u"a&&b", r, 0).right, s.Extent(u"a&b").cx);
  // the mnemonic is underlined: ink below the baseline under the "F"
  DrawTextW(s.dc(), u"&File", -1, &r, 0);
  TEXTMETRICW tm = s.Metrics();
  int fWidth = s.Extent(u"F").cx;
  EXPECT_GT(s.CountNot(kWhite, 0, tm.tmAscent, fWidth, tm.tmHeight), 0);
  s.Fill(kWhite);
  RECT small{0, 0, 20, 10};
  DrawTextW(s.dc(), u"WWWWWW", -1, &small, DT_SINGLELINE);
  EXPECT_EQ(s.CountNot(kWhite, 20, 0, 200, 40), 0);
  EXPECT_EQ(s.CountNot(kWhite, 0, 10, 200, 40), 0);
  Platform::DebugOutputCapture capture;
  DrawTextW(s.dc(), u"a\tb", -1, &r, DT_EXPANDTABS);
  EXPECT_NE(capture.Text().find(u"DrawTextW: unsupported format flags"), std::u16string::npos);
  EXPECT_EQ(DrawTextW(s.dc(), nullptr, 3, &r, 0), 0);
  EXPECT_EQ(DrawTextW(s.dc(), u"x", 1, nullptr, 0), 0);
}

TEST(GdiDrawText, SameTextSamePixels) {
  TextSurface a(120, 30, MakeFont(kUiFace, -14)), b(120, 30, MakeFont(kUiFace, -14));
  const std::u16string text = u"Halvane \u5B89\u88C5";
  RECT r{0, 0, 120, 30};
  DrawTextW(a.dc(), text.data(), -1, &r, DT_SINGLELINE | DT_VCENTER);
  DrawTextW(b.dc(), text.data(), -1, &r, DT_SINGLELINE | DT_VCENTER);
  int differing = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x) differing += a.At(x, y) != b.At(x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_GT(a.CountNot(kWhite), 50);
}

}  // namespace

namespace {

TEST(GdiText, RunsStayOnOneLineAndBadArgumentsAreRefused) {
  TextSurface s(200, 60, MakeFont(u"DejaVu Sans", -14));
  SIZE two = s.Extent(u"ab\ncd");
  EXPECT_EQ(two.cy, s.Metrics().tmHeight);
  EXPECT_GT(two.cx, s.Extent(u"abcd").cx - 1);
  ASSERT_TRUE(TextOutW(s.dc(), 0, 0, u"ab\ncd", 5));
  EXPECT_EQ(s.CountNot(kWhite, 0, s.Metrics().tmHeight, 200, 60), 0);
  Platform::DebugOutputCapture capture;
  const INT dx[2] = {5, 5};
  EXPECT_TRUE(ExtTextOutW(s.dc(), 0, 0, 0, nullptr, u"ab", 2, dx));
  EXPECT_NE(capture.Text().find(u"ExtTextOutW: unsupported character spacing"),
            std::u16string::npos);
  EXPECT_FALSE(ExtTextOutW(s.dc(), 0, 0, ETO_GLYPH_INDEX, nullptr, u"ab", 2, nullptr));
  LOGFONTW huge{};
  huge.lfHeight = -100000;
  EXPECT_EQ(CreateFontIndirectW(&huge), nullptr);
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
  EXPECT_EQ(SetBkMode(s.dc(), 7), 0);
  EXPECT_EQ(GetBkMode(s.dc()), TRANSPARENT);
}

}  // namespace
