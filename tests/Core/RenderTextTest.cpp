// Plain and rich text: measured sizes against the fonts' own extents, and pixels of a small DIB.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Control/LabelPng.h"
#include "Core/UIBase.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"
#include "support/Drive.h"
#include "support/Picture.h"
#include "support/SkinSettingsScope.h"
#include "support/TempDir.h"
#include "support/TestPrefix.h"
#include "support/WideString.h"
#include "support/WindowsPath.h"

using namespace SkinUI;

namespace {

class ManagedWindow : public CWindowWnd {
 public:
  CPaintManagerUI pm;

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUIRenderTextTest"); }
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    if (uMsg == WM_CREATE) pm.AttachWindow(Handle());
    LRESULT lRes = 0;
    if (pm.RouteMessage(uMsg, wParam, lParam, lRes)) return lRes;
    return DefaultProcessing(uMsg, wParam, lParam);
  }
};

constexpr uint32_t kWhite = 0xFFFFFFFF;

class RenderText : public ::testing::Test {
 protected:
  static constexpr int kW = 240;
  static constexpr int kH = 120;

  void SetUp() override {
    Drive::Reset();
    Drive::SetScreen({0, 0, 1024, 768}, {0, 0, 1024, 740});
    CPaintManagerUI::SetResourceFolder(TestSupport::WindowsPath(m_skin.Path()).c_str());
    ASSERT_NE(m_wnd.Create(nullptr, TEXT("text"), WS_POPUP, 0, 0, 0, kW, kH), nullptr);
    ::ShowWindow(m_wnd.Handle(), SW_SHOW);
    Drive::RunUntilIdle();
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = kW;
    bmi.bmiHeader.biHeight = -kH;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bmp = ::CreateDIBSection(m_dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(m_bmp, nullptr);
    m_pixels = static_cast<uint32_t*>(bits);
    m_old = ::SelectObject(m_dc, m_bmp);
    Fill(kWhite);
  }
  void TearDown() override {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bmp);
    ::DeleteDC(m_dc);
    ::DestroyWindow(m_wnd.Handle());
    Drive::Reset();
  }

  CPaintManagerUI& pm() { return m_wnd.pm; }
  void Fill(uint32_t v) { std::fill(m_pixels, m_pixels + kW * kH, v); }
  uint32_t At(int x, int y) const { return TestSupport::AsDrawn(m_pixels[y * kW + x]); }

  RECT Calc(const WString& text, UINT style, RECT rc = {0, 0, 9999, 100}) {
    int links = 0;
    CDrawEngine::DrawMarkupText(m_dc, &pm(), rc, text.c_str(), 0xFF000000, nullptr, nullptr, links,
                                style | DT_CALCRECT);
    return rc;
  }
  void Draw(const WString& text, RECT rc, UINT style, DWORD color = 0xFF000000) {
    int links = 0;
    CDrawEngine::DrawMarkupText(m_dc, &pm(), rc, text.c_str(), color, nullptr, nullptr, links,
                                style);
  }
  int Width(HFONT font, const WString& s) {
    HGDIOBJ old = ::SelectObject(m_dc, font);
    SIZE sz = {};
    ::GetTextExtentPoint32W(m_dc, s.c_str(), static_cast<int>(s.size()), &sz);
    ::SelectObject(m_dc, old);
    return sz.cx;
  }
  int Width(const WString& s) { return Width(Default().hFont, s); }
  const TFontEntry& Default() { return pm().DefaultFont(); }
  int LineHeight() { return Default().tm.tmHeight + Default().tm.tmExternalLeading; }
  HFONT Variant(bool bold, bool underline, bool italic) {
    const TFontEntry& f = Default();
    return pm().FindFont(f.sFontName, f.iSize, bold, underline, italic);
  }

  // Pixels of rc whose red, green or blue channel clearly dominates.
  struct Hues {
    int red = 0, green = 0, blue = 0, light = 0;
  };
  Hues CountHues(const RECT& rc) const {
    Hues h;
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x) {
        const uint32_t p = At(x, y);
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        if (r > g + 60 && r > b + 60) ++h.red;
        if (g > r + 60 && g > b + 60) ++h.green;
        if (b > r + 60 && b > g + 60) ++h.blue;
        if (r > 0xC0 && g > 0xC0 && b > 0xC0) ++h.light;
      }
    return h;
  }
  RECT InkBox(uint32_t back) const {
    RECT box = {kW, kH, 0, 0};
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        if (At(x, y) != back) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box;
  }

  TestSupport::TestPrefix m_prefix;
  TestSupport::SkinSettingsScope m_settings;
  TestSupport::TempDir m_skin{"richtext"};
  ManagedWindow m_wnd;
  HDC m_dc = nullptr;
  HBITMAP m_bmp = nullptr;
  HGDIOBJ m_old = nullptr;
  uint32_t* m_pixels = nullptr;
};

TEST_F(RenderText, BoldRunThenThePlainFontAgain) {
  const int fonts = pm().FontCount();
  const RECT rc = Calc(TEXT("<b>bold</b> plain"), DT_SINGLELINE);
  HFONT bold = Variant(true, false, false);
  ASSERT_NE(bold, nullptr);
  EXPECT_EQ(pm().FontCount(), fonts + 1);
  EXPECT_EQ(rc.right, Width(bold, TEXT("bold")) + Width(TEXT(" ")) + Width(TEXT("plain")));
  EXPECT_GT(Width(bold, TEXT("bold")), Width(TEXT("bold")) - 1);
  EXPECT_EQ(rc.bottom, LineHeight());
  // The variant is found again, not added again.
  Calc(TEXT("<b>bold</b> plain"), DT_SINGLELINE);
  EXPECT_EQ(pm().FontCount(), fonts + 1);
}

TEST_F(RenderText, NestedStacksAndPopsOfEmptyStacks) {
  // The link pushes no font inside <u>, but </a> pops one: </u> then pops an empty stack.
  const RECT rc = Calc(TEXT("<u><a x>link</a></u>tail"), DT_SINGLELINE);
  HFONT underline = Variant(false, true, false);
  ASSERT_NE(underline, nullptr);
  EXPECT_EQ(rc.right, Width(underline, TEXT("link")) + Width(TEXT("tail")));
  EXPECT_EQ(Calc(TEXT("</b></c></i></u></p></a></f>plain"), DT_SINGLELINE).right,
            Width(TEXT("plain")));

  Draw(TEXT("<c #C00000>RRR</c></c>BBB"), {0, 0, kW, 40}, DT_SINGLELINE, 0xFF0000C0);
  const int split = Width(TEXT("RRR"));
  EXPECT_GT(CountHues({0, 0, split, 40}).red, 5);
  EXPECT_EQ(CountHues({0, 0, split, 40}).blue, 0);
  EXPECT_GT(CountHues({split, 0, kW, 40}).blue, 5);
  EXPECT_EQ(CountHues({split, 0, kW, 40}).red, 0);
}

TEST_F(RenderText, ColourValuesAreSignedAndClamped) {
  Fill(0xFF000000);
  Draw(TEXT("<c #FFFF0000>MMMM"), {0, 0, kW, 40}, DT_SINGLELINE);  // reads as 7FFFFFFF: white
  Draw(TEXT("<c FF0000>MMMM"), {0, 40, kW, 80}, DT_SINGLELINE);
  EXPECT_GT(CountHues({0, 0, kW, 40}).light, 10);
  EXPECT_EQ(CountHues({0, 0, kW, 40}).red, 0);
  EXPECT_GT(CountHues({0, 40, kW, 80}).red, 10);
}

TEST_F(RenderText, EscapesRawTextAndBothBracketForms) {
  // Each run is measured on its own: the expected width adds the runs' widths.
  struct Case {
    WString markup;
    std::vector<WString> runs;
  } cases[] = {
      {TEXT("<{>"), {TEXT("{")}},
      {TEXT("<}>"), {TEXT("}")}},
      {TEXT("{<}"), {TEXT("<")}},
      {TEXT("{>}"), {TEXT(">")}},
      {TEXT("<r><b></r>"), {TEXT("<b>")}},
      {TEXT("{r}{/b}<i>{/r}"), {TEXT("{/b}<i>")}},
      {TEXT("<Bx"), {TEXT("<Bx")}},
      {TEXT("<1>"), {TEXT("<1>")}},
      {TEXT("a <zz"), {TEXT("a "), TEXT("<zz")}},
  };
  for (const Case& c : cases) {
    int expected = 0;
    for (const WString& run : c.runs) expected += Width(run);
    EXPECT_EQ(Calc(c.markup, DT_SINGLELINE).right, expected)
        << std::string(c.markup.begin(), c.markup.end());
  }
  EXPECT_EQ(Calc(TEXT("{b}x{/b}"), DT_SINGLELINE).right,
            Calc(TEXT("<b}x</b>"), DT_SINGLELINE).right);
  EXPECT_EQ(Calc(TEXT("{b}x{/b}"), DT_SINGLELINE).right,
            Width(Variant(true, false, false), TEXT("x")));
}

TEST_F(RenderText, CalcRectGivesWidthAndHeight) {
  const RECT one = Calc(TEXT("abc"), DT_SINGLELINE);
  EXPECT_EQ(one.left, 0);
  EXPECT_EQ(one.top, 0);
  EXPECT_EQ(one.right, Width(TEXT("abc")));
  EXPECT_EQ(one.bottom, LineHeight());

  const RECT three = Calc(TEXT("ab\nlonger line\nef"), 0);
  EXPECT_EQ(three.right, Width(TEXT("longer line")));
  EXPECT_EQ(three.bottom, 3 * LineHeight());

  WString tall;
  for (int i = 0; i < 12; ++i) tall += TEXT("line<n>");
  const RECT high = Calc(tall, 0);
  EXPECT_EQ(high.bottom, 12 * LineHeight());
  EXPECT_GT(high.bottom, 100);
  // A single line ignores line ends.
  EXPECT_EQ(Calc(tall, DT_SINGLELINE).bottom, LineHeight());
  // <y> sets the line's height, <x> moves the pen.
  EXPECT_EQ(Calc(TEXT("<y 40>a"), 0).bottom, 40);
  EXPECT_EQ(Calc(TEXT("<x 17>a"), 0).right, 17 + Width(TEXT("a")));
}

TEST_F(RenderText, WordBreakAfterTheLastNonLetterThatFits) {
  const int width = Width(TEXT("hello wor"));
  const RECT rc = Calc(TEXT("hello world"), DT_WORDBREAK, {0, 0, width, 100});
  EXPECT_EQ(rc.bottom, 2 * LineHeight());
  EXPECT_EQ(rc.right, std::max(Width(TEXT("hello ")), Width(TEXT("world"))));
  // Without word breaks the cut falls where the text stops fitting.
  const RECT cut = Calc(TEXT("hello world"), 0, {0, 0, width, 100});
  EXPECT_EQ(cut.bottom, 2 * LineHeight());
}

TEST_F(RenderText, ChineseTextWrapsBetweenCharacters) {
  const WString han(8, TEXT('\u5B89'));
  const int cw = Width(TEXT("\u5B89"));
  ASSERT_GT(cw, 0);
  const RECT rc = Calc(han, DT_WORDBREAK, {0, 0, 3 * cw + cw / 2, 100});
  EXPECT_EQ(rc.bottom, 3 * LineHeight());  // 3 + 3 + 2 characters
  EXPECT_EQ(rc.right, 3 * cw);
}

TEST_F(RenderText, EndEllipsisReplacesTheLastCharactersThatFit) {
  const int width = Width(TEXT("abcdefgh"));
  Draw(TEXT("abcdefghijklmnop"), {0, 0, width, 30}, DT_SINGLELINE | DT_END_ELLIPSIS);
  std::vector<uint32_t> drawn(m_pixels, m_pixels + kW * kH);
  Fill(kWhite);
  // The same picture from the platform's text output: six characters, then the dots.
  HGDIOBJ old = ::SelectObject(m_dc, Default().hFont);
  ::SetBkMode(m_dc, TRANSPARENT);
  ::SetTextColor(m_dc, RGB(0, 0, 0));
  ::IntersectClipRect(m_dc, 0, 0, width, 30);
  ::ExtTextOutW(m_dc, 0, 0, 0, nullptr, TEXT("abcdef"), 6, nullptr);
  ::ExtTextOutW(m_dc, Width(TEXT("abcdef")), 0, 0, nullptr, TEXT("..."), 3, nullptr);
  ::SelectClipRgn(m_dc, nullptr);
  ::SelectObject(m_dc, old);
  EXPECT_TRUE(std::equal(drawn.begin(), drawn.end(), m_pixels));
}

TEST_F(RenderText, InlineImageFramesAndMissingImages) {
  const uint32_t frames[4] = {0xFFC00000, 0xFF00C000, 0xFF0000C0, 0xFFC0C000};
  TestSupport::WriteFile(m_skin / "strip.png", ControlTest::PatternPng(40, 10, [&](int x, int) {
                           return frames[x / 10];
                         }));
  struct Case {
    WString markup;
    uint32_t first, last;
    int width;
  } cases[] = {
      {TEXT("<i strip.png 4 2>"), frames[2], frames[2], 10},
      {TEXT("<i strip.png 4 9>"), frames[0], frames[0], 10},
      {TEXT("<i strip.png 0 0>"), frames[0], frames[3], 40},  // a count below 1 is 1
      {TEXT("<i file='strip.png'>"), frames[0], frames[3], 40},
  };
  for (const Case& c : cases) {
    Fill(kWhite);
    Draw(c.markup, {0, 0, kW, 40}, 0);
    const RECT ink = InkBox(kWhite);
    EXPECT_EQ(ink.right - ink.left, c.width);
    EXPECT_EQ(ink.bottom - ink.top, 10);
    EXPECT_EQ(At(ink.left, ink.top), c.first);
    EXPECT_EQ(At(ink.right - 1, ink.bottom - 1), c.last);
  }
  // The image is centred on a taller line and makes the line at least its height.
  EXPECT_EQ(Calc(TEXT("<i strip.png 4 1>"), 0).bottom, std::max(10, LineHeight()));
  EXPECT_EQ(Calc(TEXT("<y 30><i strip.png 4 1>"), 0).bottom, 30);
  EXPECT_EQ(Calc(TEXT("<i nope.png>x"), DT_SINGLELINE).right, Width(TEXT("x")));
}

TEST_F(RenderText, LinkOverTwoLinesGivesTwoRectanglesBothHovered) {
  const WString text = TEXT("<a one>aaaa bbbb cccc</a>");
  const RECT area = {0, 0, Width(TEXT("aaaa bbbb ")) + 2, 60};
  RECT links[4] = {};
  CUIString names[4];
  int count = 4;
  RECT rc = area;
  CDrawEngine::DrawMarkupText(m_dc, &pm(), rc, text.c_str(), 0xFF000000, links, names, count,
                              DT_WORDBREAK);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(WString(names[0].GetData()), TEXT("one"));
  EXPECT_EQ(WString(names[1].GetData()), TEXT("one"));
  EXPECT_EQ(links[0].left, 0);
  EXPECT_EQ(links[0].top, 0);
  EXPECT_EQ(links[0].bottom, LineHeight());
  EXPECT_EQ(links[1].left, 0);
  EXPECT_EQ(links[1].top, LineHeight());
  EXPECT_EQ(links[1].bottom, 2 * LineHeight());
  EXPECT_EQ(links[1].right, Width(TEXT("cccc")));
  // Link colour first, hover colour on both lines once the mouse is over the second.
  EXPECT_GT(CountHues(links[0]).blue, 5);
  EXPECT_GT(CountHues(links[1]).blue, 5);
  Drive::MoveMouse(links[1].left + 3, links[1].top + 3);
  Drive::RunUntilIdle();
  ASSERT_EQ(pm().LastMousePos().x, links[1].left + 3);
  Fill(kWhite);
  rc = area;
  CDrawEngine::DrawMarkupText(m_dc, &pm(), rc, text.c_str(), 0xFF000000, links, names, count,
                              DT_WORDBREAK);
  EXPECT_EQ(count, 2);
  EXPECT_GT(CountHues(links[0]).red, 5);
  EXPECT_GT(CountHues(links[1]).red, 5);
  EXPECT_EQ(CountHues(links[0]).blue, 0);
}

TEST_F(RenderText, LinksBeyondTheArrayAreNotRecorded) {
  RECT links[1] = {};
  CUIString names[1];
  int count = 1;
  RECT rc = {0, 0, kW, 40};
  CDrawEngine::DrawMarkupText(m_dc, &pm(), rc, TEXT("<a one>1</a> <a two>2</a>"), 0xFF000000, links,
                              names, count, DT_SINGLELINE);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(WString(names[0].GetData()), TEXT("one"));
  // A stray end tag records nothing.
  count = 1;
  rc = {0, 0, kW, 40};
  CDrawEngine::DrawMarkupText(m_dc, &pm(), rc, TEXT("x</a>"), 0xFF000000, links, names, count,
                              DT_SINGLELINE);
  EXPECT_EQ(count, 0);
}

TEST_F(RenderText, ItalicEndMovesThePenByHalfTheSpaceOverhang) {
  Calc(TEXT("<i>f</i>"), DT_SINGLELINE);
  HFONT italic = Variant(false, false, true);
  ASSERT_NE(italic, nullptr);
  HGDIOBJ old = ::SelectObject(m_dc, italic);
  ABC abc = {};
  ASSERT_TRUE(::GetCharABCWidthsW(m_dc, ' ', ' ', &abc));
  ::SelectObject(m_dc, old);
  EXPECT_EQ(Calc(TEXT("<i>f</i>x"), DT_SINGLELINE).right,
            Width(italic, TEXT("f")) + abc.abcC / 2 + Width(TEXT("x")));
}

TEST_F(RenderText, SingleLineAlignmentMovesTheRectangle) {
  RECT rc = {0, 0, 200, 40};
  int links = 0;
  CDrawEngine::DrawMarkupText(m_dc, &pm(), rc, TEXT("mmm"), 0xFF000000, nullptr, nullptr, links,
                              DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  const int w = Width(TEXT("mmm"));
  EXPECT_EQ(rc.left, 100 - w / 2);
  EXPECT_EQ(rc.right, rc.left + w);
  EXPECT_EQ(rc.top, 20 - LineHeight() / 2);
  const RECT ink = InkBox(kWhite);
  EXPECT_NEAR((ink.left + ink.right) / 2, 100, 3);
  EXPECT_GE(ink.top, rc.top);
}

TEST_F(RenderText, FontTagsByIndexAndByDescription) {
  const TFontEntry& def = Default();
  HFONT big = pm().AddFont(def.sFontName, def.iSize + 8, false, false, false);
  ASSERT_NE(big, nullptr);
  const int index = pm().FontCount() - 1;
  const WString byIndex = TEXT("<f ") + WString(1, WCHAR(TEXT('0') + index)) + TEXT(">Wg</f>x");
  ASSERT_LT(index, 10);
  EXPECT_EQ(Calc(byIndex, DT_SINGLELINE).right, Width(big, TEXT("Wg")) + Width(TEXT("x")));
  const TFontEntry& bigInfo = pm().FontInfoOf(big);
  EXPECT_EQ(Calc(byIndex, DT_SINGLELINE).bottom,
            bigInfo.tm.tmHeight + bigInfo.tm.tmExternalLeading);

  // The face name ends at the first space; the style words may be in any case.
  Calc(TEXT("<f Sans 19 Bold Italic>x</f>"), DT_SINGLELINE);
  EXPECT_NE(pm().FindFont(TEXT("Sans"), 19, true, false, true), nullptr);
  Calc(TEXT("<f Sans>x</f>"), DT_SINGLELINE);  // size 10 when none is given
  EXPECT_NE(pm().FindFont(TEXT("Sans"), 10, false, false, false), nullptr);
  const int fonts = pm().FontCount();
  Calc(TEXT("<f Sans 19 italic bold>x</f>"), DT_SINGLELINE);
  EXPECT_EQ(pm().FontCount(), fonts);
}

TEST_F(RenderText, SelectionDrawsOnTheSelectionColour) {
  Draw(TEXT("a<s>MM</s>b"), {0, 0, kW, 40}, DT_SINGLELINE);
  int selected = 0;
  for (int i = 0; i < kW * kH; ++i)
    if ((m_pixels[i] | 0xFF000000u) == 0xFFBAE4FF) ++selected;  // the fill leaves alpha 0
  EXPECT_GT(selected, Width(TEXT("MM")));
  const RECT ink = InkBox(kWhite);
  EXPECT_EQ(ink.top, 0);
  EXPECT_EQ(ink.bottom, LineHeight());
}

TEST_F(RenderText, NothingForMissingTextManagerOrEmptyRectangle) {
  RECT rc = {0, 0, 100, 30};
  int links = 0;
  CDrawEngine::DrawMarkupText(m_dc, nullptr, rc, TEXT("x"), 0xFF000000, nullptr, nullptr, links, 0);
  CDrawEngine::DrawMarkupText(m_dc, &pm(), rc, nullptr, 0xFF000000, nullptr, nullptr, links, 0);
  RECT empty = {10, 10, 10, 30};
  CDrawEngine::DrawMarkupText(m_dc, &pm(), empty, TEXT("x"), 0xFF000000, nullptr, nullptr, links,
                              0);
  CDrawEngine::DrawPlainText(m_dc, nullptr, rc, TEXT("x"), 0xFF000000, -1, 0);
  CDrawEngine::DrawPlainText(m_dc, &pm(), rc, nullptr, 0xFF000000, -1, 0);
  EXPECT_EQ(InkBox(kWhite).right, 0);
}

TEST_F(RenderText, HugeNumbersInTagsAreHarmless) {
  for (const WCHAR* text :
       {TEXT("<x 2147483647><x 2147483647>a"),
        TEXT("<x -2147483648><x -2147483648>a<x -2147483648>b"),
        TEXT("<y 2147483647>a<n><y 2147483647>b<n>c"), TEXT("<p 2147483647>a</p><p -2147483648>b"),
        TEXT("<c #FFFFFFFFFFFFFFFF>a<i strip.png 2147483647 2147483646>")}) {
    const RECT rc = Calc(text, 0);
    EXPECT_GE(rc.bottom, 0);
    Draw(text, {0, 0, kW, kH}, DT_WORDBREAK);
  }
}

TEST_F(RenderText, PlainTextNeverTreatsAmpersandAsAPrefix) {
  RECT rc = {0, 0, 9999, 100};
  CDrawEngine::DrawPlainText(m_dc, &pm(), rc, TEXT("&a&&b"), 0xFF000000, -1,
                             DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(rc.right, Width(TEXT("&a&&b")));
  rc = {0, 0, kW, 40};
  CDrawEngine::DrawPlainText(m_dc, &pm(), rc, TEXT("MMM"), 0xFFC00000, -1, DT_SINGLELINE);
  EXPECT_GT(CountHues({0, 0, kW, 40}).red, 5);
}

}  // namespace
