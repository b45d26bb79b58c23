// Labels and text controls: attributes, default colours, measuring, links.
#include "Control/UILabel.h"
#include "LabelHarness.h"
#include "support/WideString.h"

using namespace SkinUI;
using namespace ControlTest;
using Drive::MouseButton;

namespace {

TEST(LabelAlone, AlignWordsAreMatchedAsSubstringsInTurn) {
  struct Case {
    const WCHAR* value;
    UINT style;
  } cases[] = {
      {TEXT("left"), DT_VCENTER},
      {TEXT("center"), DT_VCENTER | DT_CENTER},
      {TEXT("right"), DT_VCENTER | DT_RIGHT},
      {TEXT("top"), 0},
      {TEXT("bottom"), DT_BOTTOM},
      {TEXT("vcenter"), DT_VCENTER | DT_CENTER},  // "vcenter" holds "center"
      {TEXT("left vcenter"), DT_VCENTER | DT_CENTER},
      {TEXT("right bottom"), DT_RIGHT | DT_BOTTOM},
      {TEXT("center top"), DT_CENTER},
      {TEXT("nothing"), DT_VCENTER},
  };
  for (const Case& c : cases) {
    CLabelUI label;
    label.ApplyAttribute(TEXT("align"), c.value);
    EXPECT_EQ(label.GetTextStyle(), c.style) << WString(c.value).size();
  }
}

TEST(LabelAlone, AttributesAndDefaults) {
  CLabelUI label;
  EXPECT_EQ(label.GetFont(), -1);
  EXPECT_EQ(label.GetTextStyle(), UINT(DT_VCENTER));
  label.ApplyAttributes(TEXT("endellipsis=\"true\" font=\"2\" textcolor=\"#FF112233\" ")
                            TEXT("disabledtextcolor=\"#80445566\" textpadding=\"1,2,3,4\" ")
                                TEXT("showhtml=\"true\" bkcolor=\"#FF010203\""));
  EXPECT_EQ(label.GetTextStyle(), UINT(DT_VCENTER | DT_END_ELLIPSIS));
  EXPECT_EQ(label.GetFont(), 2);
  EXPECT_EQ(label.GetTextColor(), 0xFF112233u);
  EXPECT_EQ(label.GetDisabledTextColor(), 0x80445566u);
  const RECT pad = label.GetTextPadding();
  EXPECT_EQ(pad.left + pad.top * 10 + pad.right * 100 + pad.bottom * 1000, 4321);
  EXPECT_TRUE(label.IsShowHtml());
  EXPECT_EQ(label.GetBkColor(), 0xFF010203u);  // the base's attributes still apply
  label.ApplyAttribute(TEXT("endellipsis"), TEXT("yes"));
  EXPECT_EQ(label.GetTextStyle(), UINT(DT_VCENTER));

  CTextUI text;
  EXPECT_EQ(text.GetTextStyle(), UINT(DT_WORDBREAK));
  EXPECT_EQ(text.GetTextPadding().left, 2);
  EXPECT_EQ(text.GetTextPadding().right, 2);
  EXPECT_EQ(text.GetInputFlags(), 0u);
  EXPECT_NE(text.GetInterfaceByName(TEXT("Text")), nullptr);
  EXPECT_NE(text.GetInterfaceByName(TEXT("Label")), nullptr);
  EXPECT_NE(text.GetInterfaceByName(TEXT("Control")), nullptr);
  EXPECT_EQ(text.GetInterfaceByName(TEXT("Button")), nullptr);
}

class Labels : public ControlFixture {};

// The bounding box of pixels that differ from the background in rc; empty when none.
RECT InkBox(SkinWindow& w, const RECT& rc, uint32_t back) {
  w.Settle();
  RECT box = {rc.right, rc.bottom, rc.left, rc.top};
  for (int y = rc.top; y < rc.bottom; ++y)
    for (int x = rc.left; x < rc.right; ++x)
      if (Drive::Pixel(w.Handle(), x, y) != back) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  if (box.left >= box.right) return {0, 0, 0, 0};
  return box;
}

// Counts pixels in rc whose red, green or blue channel clearly dominates.
struct Hues {
  int red = 0, green = 0, blue = 0;
};
Hues CountHues(SkinWindow& w, const RECT& rc) {
  w.Settle();
  Hues h;
  for (int y = rc.top; y < rc.bottom; ++y)
    for (int x = rc.left; x < rc.right; ++x) {
      const uint32_t p = Drive::Pixel(w.Handle(), x, y);
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (r > g + 60 && r > b + 60) ++h.red;
      if (g > r + 60 && g > b + 60) ++h.green;
      if (b > r + 60 && b > g + 60) ++h.blue;
    }
  return h;
}

constexpr uint32_t kWhite = 0xFFFFFFFF;

TEST_F(Labels, TextColoursComeFromTheManagerAtFirstPaintAndStay) {
  SkinWindow w;
  w.Manager().SetTextColor(0xFF00A000);
  ASSERT_TRUE(w.Open(TEXT("<Window size=\"200,40\"><VerticalLayout bkcolor=\"#FFFFFFFF\">")
                         TEXT("<Label name=\"l\" text=\"WWWW\"/></VerticalLayout></Window>"),
                     200, 40));
  auto* label = static_cast<CLabelUI*>(w.Find(TEXT("l")));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetTextColor(), 0xFF00A000u);
  EXPECT_EQ(label->GetDisabledTextColor(), w.Manager().DisabledTextColor());
  EXPECT_GT(CountHues(w, {0, 0, 200, 40}).green, 5);
  w.Manager().SetTextColor(0xFFC00000);
  label->Repaint();
  const Hues h = CountHues(w, {0, 0, 200, 40});
  EXPECT_GT(h.green, 5);
  EXPECT_EQ(h.red, 0);
}

TEST_F(Labels, AlignmentPlacesTheSingleLine) {
  SkinWindow w;
  ASSERT_TRUE(w.Open(
      TEXT("<Window size=\"300,120\"><VerticalLayout bkcolor=\"#FFFFFFFF\">")
          TEXT("<Label text=\"Wm\" textcolor=\"#FF000000\" height=\"40\"/>")
              TEXT("<Label text=\"Wm\" textcolor=\"#FF000000\" height=\"40\" align=\"right\"/>")
                  TEXT("<Label text=\"Wm\" textcolor=\"#FF000000\" height=\"40\" ")
                      TEXT("align=\"bottom\" textpadding=\"20,0,0,0\"/>")
                          TEXT("</VerticalLayout></Window>"),
      300, 120));
  const RECT left = InkBox(w, {0, 0, 300, 40}, kWhite);
  const RECT right = InkBox(w, {0, 40, 300, 80}, kWhite);
  const RECT bottom = InkBox(w, {0, 80, 300, 120}, kWhite);
  EXPECT_LT(left.left, 4);
  EXPECT_GT(right.right, 290);
  // Vertically centred by default; "bottom" moves the text down, the padding moves it right.
  EXPECT_NEAR((left.top + left.bottom) / 2, 20, 4);
  EXPECT_NEAR((right.top + right.bottom) / 2, 60, 4);
  EXPECT_GT(bottom.bottom, 112);
  EXPECT_GE(bottom.left, 20);
  EXPECT_LT(bottom.left, 24);
}

TEST_F(Labels, MarkupLabelDrawsItsTagsOnOneLine) {
  SkinWindow w;
  ASSERT_TRUE(w.Open(TEXT("<Window size=\"300,40\"><VerticalLayout bkcolor=\"#FFFFFFFF\">")
                         TEXT("<Label showhtml=\"true\" textcolor=\"#FF0000C0\" ")
                             TEXT("text=\"{c #C00000}Red{/c}{n}Blue\"/>")
                                 TEXT("</VerticalLayout></Window>"),
                     300, 40));
  const Hues h = CountHues(w, {0, 0, 300, 40});
  EXPECT_GT(h.red, 5);
  EXPECT_GT(h.blue, 5);  // {n} is ignored on a single line, so "Blue" shows too
}

TEST_F(Labels, MeasuresFontHeightPlusFour) {
  SkinWindow w;
  ASSERT_TRUE(w.Open(TEXT("<Window size=\"100,40\"><VerticalLayout>")
                         TEXT("<Label name=\"l\" width=\"33\"/></VerticalLayout></Window>"),
                     100, 40));
  auto* label = static_cast<CLabelUI*>(w.Find(TEXT("l")));
  ASSERT_NE(label, nullptr);
  const SIZE sz = label->MeasureSize({100, 40});
  EXPECT_EQ(sz.cx, 33);
  EXPECT_EQ(sz.cy, w.Manager().DefaultFont().tm.tmHeight + 4);
}

class Texts : public ControlFixture {
 protected:
  void Open(const WString& markup, int width = 300, int height = 60) {
    ASSERT_TRUE(w.Open(TEXT("<Window size=\"300,60\"><VerticalLayout bkcolor=\"#FFFFFFFF\">")
                               TEXT("<Text name=\"t\" showhtml=\"true\" text=\"") +
                           markup + TEXT("\"/>") TEXT("</VerticalLayout></Window>"),
                       width, height));
    t = static_cast<CTextUI*>(w.Find(TEXT("t")));
    ASSERT_NE(t, nullptr);
    w.Settle();
  }
  POINT Middle(int i) const {
    const RECT& r = t->GetLinkRect(i);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  SkinWindow w;
  CTextUI* t = nullptr;
};

TEST_F(Texts, LinksAreHitTestedClickedAndHovered) {
  Open(TEXT("go {a first}one{/a} or {a second}two{/a}"));
  ASSERT_EQ(t->GetLinkCount(), 2);
  EXPECT_EQ(WString(t->GetLinkName(0).GetData()), TEXT("first"));
  EXPECT_EQ(WString(t->GetLinkName(1).GetData()), TEXT("second"));
  EXPECT_LT(t->GetLinkRect(0).right, t->GetLinkRect(1).left);
  EXPECT_EQ(t->GetInputFlags(), UINT(UIFLAG_SETCURSOR));

  const POINT second = Middle(1);
  Drive::MoveMouse(second.x, second.y);
  w.Settle();
  EXPECT_EQ(t->GetHoverLink(), 1);
  EXPECT_EQ(Drive::CursorShape(), 32649);  // the hand
  Drive::Click(second.x, second.y);
  w.Settle();
  EXPECT_EQ(w.NotesOf(TEXT("link")), (std::vector<Note>{{TEXT("link"), t, 1}}));

  // Away from the links: no link, no notification, the arrow.
  Drive::MoveMouse(290, 50);
  w.Settle();
  EXPECT_EQ(t->GetHoverLink(), -1);
  Drive::Click(290, 50);
  w.Settle();
  EXPECT_EQ(w.NotesOf(TEXT("link")).size(), 1u);

  // Disabled: links are not followed.
  t->SetEnabled(false);
  const POINT first = Middle(0);
  Drive::Click(first.x, first.y);
  w.Settle();
  EXPECT_EQ(w.NotesOf(TEXT("link")).size(), 1u);
}

TEST_F(Texts, TracksAtMostEightLinks) {
  WString markup;
  for (int i = 0; i < 10; ++i) markup += TEXT("{a n}x{/a} ");
  Open(markup);
  EXPECT_EQ(t->GetLinkCount(), CTextUI::kMaxLinks);
}

TEST_F(Texts, EmptyTextClearsTheLinks) {
  Open(TEXT("{a n}x{/a}"));
  EXPECT_EQ(t->GetLinkCount(), 1);
  t->SetText(TEXT(""));
  w.Settle();
  EXPECT_EQ(t->GetLinkCount(), 0);
  EXPECT_EQ(t->GetInputFlags(), 0u);
}

TEST_F(Texts, MeasuresTheWrappedTextWithItsPadding) {
  Open(TEXT("one{n}two{n}three"));
  const int line =
      w.Manager().DefaultFont().tm.tmHeight + w.Manager().DefaultFont().tm.tmExternalLeading;
  const SIZE sz = t->MeasureSize({200, 100});
  EXPECT_EQ(sz.cy, 3 * line);
  EXPECT_GT(sz.cx, 4);
  EXPECT_LE(sz.cx, 200);
  t->SetFixedHeight(17);
  EXPECT_EQ(t->MeasureSize({200, 100}).cy, 17);
}

}  // namespace
