// Buttons in a window: placement, state images by pixel, "click" from mouse and keyboard.
#include <algorithm>

#include "Control/UILabel.h"
#include "LabelHarness.h"
#include "support/WideString.h"

using namespace SkinUI;
using namespace ControlTest;
using Drive::MouseButton;

namespace {

constexpr uint32_t kBack = 0xFF202020;
constexpr uint32_t kNormal = 0xFFC00000;
constexpr uint32_t kHot = 0xFF00C000;
constexpr uint32_t kPushed = 0xFF0000C0;
constexpr uint32_t kFocused = 0xFFC0C000;
constexpr uint32_t kDisabled = 0xFF808080;

const WCHAR* const kStates =
    TEXT("normalimage=\"n.png\" hotimage=\"h.png\" pushedimage=\"p.png\" focusedimage=\"f.png\" ")
        TEXT("disabledimage=\"d.png\" padding=\"10,10,10,0\" height=\"30\"");

class Buttons : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    AddImage("n.png", 4, 4, kNormal);
    AddImage("h.png", 4, 4, kHot);
    AddImage("p.png", 4, 4, kPushed);
    AddImage("f.png", 4, 4, kFocused);
    AddImage("d.png", 4, 4, kDisabled);
    const WString states(kStates);
    const WString xml = TEXT("<Window size=\"200,140\"><VerticalLayout bkcolor=\"#FF202020\">")
                            TEXT("<Button name=\"b1\" ") +
                        states + TEXT("/>") TEXT("<Button name=\"b2\" ") + states +
                        TEXT("/>") TEXT("<Button name=\"b3\" enabled=\"false\" ") + states +
                        TEXT("/>") TEXT("</VerticalLayout></Window>");
    ASSERT_TRUE(w.Open(xml, 200, 140));
    b1 = static_cast<CButtonUI*>(w.Find(TEXT("b1")));
    b2 = static_cast<CButtonUI*>(w.Find(TEXT("b2")));
    b3 = static_cast<CButtonUI*>(w.Find(TEXT("b3")));
    ASSERT_TRUE(b1 && b2 && b3);
    // The window gives the first button the focus; these tests start without one.
    w.Manager().SetFocusControl(nullptr);
    w.Settle();
    w.notes.clear();
  }

  std::vector<Note> Clicks() const { return w.NotesOf(TEXT("click")); }

  SkinWindow w;
  CButtonUI* b1 = nullptr;
  CButtonUI* b2 = nullptr;
  CButtonUI* b3 = nullptr;
};

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(Buttons, LandAtTheirRectanglesWithTheirStateImages) {
  EXPECT_TRUE(b1->GetPos() == RECT({10, 10, 190, 40}));
  EXPECT_TRUE(b2->GetPos() == RECT({10, 50, 190, 80}));
  EXPECT_TRUE(b3->GetPos() == RECT({10, 90, 190, 120}));
  struct Probe {
    int x, y;
    uint32_t color;
  } probes[] = {
      {5, 5, kBack},      {100, 25, kNormal}, {100, 45, kBack},      {10, 50, kNormal},
      {189, 79, kNormal}, {190, 79, kBack},   {100, 105, kDisabled}, {100, 125, kBack},
  };
  for (const Probe& p : probes) EXPECT_EQ(w.Pixel(p.x, p.y), p.color) << p.x << "," << p.y;
}

TEST_F(Buttons, HoverShowsTheHotImageOnlyOnTheButtonUnderTheMouse) {
  Drive::MoveMouse(100, 65);
  EXPECT_EQ(w.Pixel(100, 65), kHot);
  EXPECT_EQ(w.Pixel(100, 25), kNormal);
  EXPECT_TRUE(b2->GetButtonState() & UISTATE_HOT);
  Drive::MoveMouse(100, 25);
  EXPECT_EQ(w.Pixel(100, 65), kNormal);
  EXPECT_EQ(w.Pixel(100, 25), kHot);
}

TEST_F(Buttons, PressShowsPushedAndReleaseInsideClicksOnce) {
  Drive::MoveMouse(100, 65);
  Drive::Button(MouseButton::Left, true);
  EXPECT_EQ(w.Pixel(100, 65), kPushed);
  Drive::Button(MouseButton::Left, false);
  w.Settle();
  EXPECT_EQ(Clicks(), (std::vector<Note>{{TEXT("click"), b2, 0}}));
  EXPECT_EQ(w.Pixel(100, 65), kHot);
}

TEST_F(Buttons, ReleaseElsewhereDoesNotClickButComingBackDoes) {
  Drive::MoveMouse(100, 25);
  Drive::Button(MouseButton::Left, true);
  Drive::MoveMouse(100, 65);
  EXPECT_EQ(w.Pixel(100, 25), kFocused);  // the click focused it; no longer pushed outside
  Drive::Button(MouseButton::Left, false);
  w.Settle();
  EXPECT_TRUE(Clicks().empty());

  Drive::MoveMouse(100, 25);
  Drive::Button(MouseButton::Left, true);
  Drive::MoveMouse(100, 65);
  Drive::MoveMouse(100, 30);
  Drive::Button(MouseButton::Left, false);
  w.Settle();
  EXPECT_EQ(Clicks(), (std::vector<Note>{{TEXT("click"), b1, 0}}));
}

TEST_F(Buttons, SpaceAndReturnClickTheFocusedButton) {
  Drive::MoveMouse(5, 130);  // the mouse is elsewhere
  b2->SetFocus();
  EXPECT_EQ(w.Pixel(100, 65), kFocused);
  for (WORD vk : {WORD(VK_SPACE), WORD(VK_RETURN), WORD('A')}) {
    Drive::Key(vk, true);
    Drive::Key(vk, false);
  }
  w.Settle();
  EXPECT_EQ(Clicks(), (std::vector<Note>{{TEXT("click"), b2, 0}, {TEXT("click"), b2, 0}}));
}

TEST_F(Buttons, DisabledShowsItsImageAndSendsNothing) {
  Drive::Click(100, 105);
  b3->SetFocus();
  Drive::Key(VK_RETURN, true);
  Drive::Key(VK_RETURN, false);
  w.Settle();
  EXPECT_TRUE(Clicks().empty());
  EXPECT_FALSE(b3->Activate());
  EXPECT_EQ(w.Pixel(100, 105), kDisabled);
  // Disabling clears every state bit, enabling shows the normal image again.
  b1->SetEnabled(false);
  EXPECT_EQ(b1->GetButtonState() & ~UISTATE_DISABLED, 0u);
  b3->SetEnabled(true);
  EXPECT_EQ(w.Pixel(100, 105), kNormal);
}

// Fallbacks: a state without an image shows the normal one; a hot colour without a hot image
// fills the button while hot; an image that cannot be drawn is forgotten.
TEST(ButtonAlone, StateImagePrecedenceAndFallbacks) {
  CButtonUI b;
  b.ApplyAttributes(TEXT("normalimage=\"n\" hotimage=\"h\" pushedimage=\"p\" focusedimage=\"f\" ")
                        TEXT("disabledimage=\"d\" foreimage=\"x\" hotbkcolor=\"#FF00FF00\""));
  EXPECT_EQ(WString(b.GetHotImage()), WString(TEXT("h")));
  EXPECT_EQ(b.GetHotBkColor(), 0xFF00FF00u);
  EXPECT_EQ(b.GetTextStyle(), DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  EXPECT_EQ(b.GetInputFlags(), UINT(UIFLAG_TABSTOP | UIFLAG_SETCURSOR));
  b.SetKeyboardEnabled(false);
  EXPECT_EQ(b.GetInputFlags(), UINT(UIFLAG_SETCURSOR));
  b.SetEnabled(false);
  EXPECT_EQ(b.GetInputFlags(), 0u);
  EXPECT_NE(b.GetInterfaceByName(TEXT("Button")), nullptr);
  EXPECT_NE(b.GetInterfaceByName(TEXT("Label")), nullptr);
  EXPECT_EQ(b.GetInterfaceByName(TEXT("Option")), nullptr);
}

class ButtonColors : public ControlFixture {};

TEST_F(ButtonColors, HotBackgroundWithoutHotImageFillsOnlyWhileHot) {
  AddImage("n.png", 4, 4, kNormal);
  SkinWindow w;
  ASSERT_TRUE(
      w.Open(TEXT("<Window size=\"100,60\"><VerticalLayout bkcolor=\"#FF202020\">")
                 TEXT("<Button name=\"b\" normalimage=\"n.png\" hotbkcolor=\"#FF00C000\"/>")
                     TEXT("<Button name=\"m\" normalimage=\"missing.png\" pushedimage=\"n.png\"/>")
                         TEXT("</VerticalLayout></Window>"),
             100, 60));
  EXPECT_EQ(w.Pixel(50, 10), kNormal);
  Drive::MoveMouse(50, 10);
  EXPECT_EQ(w.Pixel(50, 10), kHot);
  // Both buttons measure font height + 8. A missing image draws nothing; the pushed image
  // still shows while pressed.
  auto* m = static_cast<CButtonUI*>(w.Find(TEXT("m")));
  ASSERT_NE(m, nullptr);
  const int y = (m->GetPos().top + m->GetPos().bottom) / 2;
  EXPECT_EQ(w.Pixel(50, y), kBack);
  Drive::MoveMouse(50, y);
  EXPECT_EQ(w.Pixel(50, 10), kNormal);
  Drive::Button(MouseButton::Left, true);
  EXPECT_EQ(w.Pixel(50, y), kNormal);
  Drive::Button(MouseButton::Left, false);
}

// Text colour by state: pushed over hot over focused over the plain colour.
TEST_F(ButtonColors, TextColourFollowsTheState) {
  SkinWindow w;
  ASSERT_TRUE(w.Open(TEXT("<Window size=\"120,40\"><VerticalLayout bkcolor=\"#FF000000\">")
                         TEXT("<Button name=\"b\" text=\"MMMM\" textcolor=\"#FFFFFFFF\" ")
                             TEXT("hottextcolor=\"#FF00E000\" pushedtextcolor=\"#FFE00000\" ")
                                 TEXT("focusedtextcolor=\"#FF0000E0\"/>")
                                     TEXT("</VerticalLayout></Window>"),
                     120, 40));
  w.Manager().SetFocusControl(nullptr);
  auto hues = [&] {
    w.Settle();
    int r = 0, g = 0, b = 0, white = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x) {
        const uint32_t p = Drive::Pixel(w.Handle(), x, y);
        const int pr = (p >> 16) & 0xFF, pg = (p >> 8) & 0xFF, pb = p & 0xFF;
        if (pr > 0x80 && pg > 0x80 && pb > 0x80)
          ++white;
        else if (pr > 0x80)
          ++r;
        else if (pg > 0x80)
          ++g;
        else if (pb > 0x80)
          ++b;
      }
    // The dominant colour of the text.
    const int most = std::max({r, g, b, white});
    return most == 0 ? 'n' : most == white ? 'w' : most == r ? 'r' : most == g ? 'g' : 'b';
  };
  EXPECT_EQ(hues(), 'w');
  w.Find(TEXT("b"))->SetFocus();
  EXPECT_EQ(hues(), 'b');
  Drive::MoveMouse(60, 20);
  EXPECT_EQ(hues(), 'g');
  Drive::Button(MouseButton::Left, true);
  EXPECT_EQ(hues(), 'r');
  Drive::Button(MouseButton::Left, false);
}

TEST_F(ButtonColors, MeasuresFontHeightPlusEight) {
  SkinWindow w;
  auto* b = new CButtonUI;
  ASSERT_TRUE(w.OpenWith(b, 100, 60));
  const int font = w.Manager().DefaultFont().tm.tmHeight;
  ASSERT_GT(font, 0);
  EXPECT_EQ(b->MeasureSize({100, 60}).cy, font + 8);
  b->SetFixedHeight(21);
  EXPECT_EQ(b->MeasureSize({100, 60}).cy, 21);
}

}  // namespace
