// Options and check boxes: groups, toggling, notifications, selected looks.
#include "Control/UIOption.h"
#include "LabelHarness.h"
#include "support/WideString.h"

using namespace SkinUI;
using namespace ControlTest;

namespace {

constexpr uint32_t kNormal = 0xFFC00000;
constexpr uint32_t kSelected = 0xFF00C000;
constexpr uint32_t kDisabled = 0xFF808080;
constexpr uint32_t kSelectedHot = 0xFF00C0C0;

class Options : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    AddImage("n.png", 4, 4, kNormal);
    AddImage("s.png", 4, 4, kSelected);
    AddImage("d.png", 4, 4, kDisabled);
    AddImage("sh.png", 4, 4, kSelectedHot);
    const WString looks =
        TEXT("normalimage=\"n.png\" selectedimage=\"s.png\" disabledimage=\"d.png\" ")
            TEXT("selectedhotimage=\"sh.png\" height=\"20\"");
    ASSERT_TRUE(w.Open(TEXT("<Window size=\"100,100\"><VerticalLayout bkcolor=\"#FF202020\">")
                               TEXT("<Option name=\"g1\" group=\"g\" selected=\"true\" ") +
                           looks + TEXT("/>") TEXT("<Option name=\"g2\" group=\"g\" ") + looks +
                           TEXT("/>") TEXT("<Option name=\"g3\" group=\"g\" ") + looks +
                           TEXT("/>") TEXT("<Option name=\"lone\" ") + looks +
                           TEXT("/>") TEXT("<CheckBox name=\"check\" ") + looks +
                           TEXT("/>") TEXT("</VerticalLayout></Window>"),
                       100, 100));
    for (int i = 0; i < 3; ++i) {
      const WString name = TEXT("g") + WString(1, WCHAR(TEXT('1') + i));
      g[i] = static_cast<COptionUI*>(w.Find(name.c_str()));
      ASSERT_NE(g[i], nullptr);
    }
    lone = static_cast<COptionUI*>(w.Find(TEXT("lone")));
    check = static_cast<CCheckBoxUI*>(w.Find(TEXT("check")));
    ASSERT_TRUE(lone && check);
    w.notes.clear();
  }

  SkinWindow w;
  COptionUI* g[3] = {};
  COptionUI* lone = nullptr;
  CCheckBoxUI* check = nullptr;
};

TEST_F(Options, GroupedOptionsSwitchAndOnlyTheNewOneReports) {
  EXPECT_EQ(w.Pixel(50, 10), kSelected);
  EXPECT_EQ(w.Pixel(50, 30), kNormal);
  Drive::Click(50, 30);
  w.Settle();
  EXPECT_EQ(w.ControlNotes(),
            (std::vector<Note>{{TEXT("click"), g[1], 0}, {TEXT("selectchanged"), g[1], 0}}));
  EXPECT_FALSE(g[0]->IsSelected());
  EXPECT_TRUE(g[1]->IsSelected());
  EXPECT_FALSE(g[2]->IsSelected());
  EXPECT_EQ(w.Pixel(50, 10), kNormal);
  EXPECT_EQ(w.Pixel(50, 30), kSelectedHot);  // the mouse is still over it
  // Clicking the selected one again keeps it selected and reports only the click.
  w.notes.clear();
  Drive::Click(50, 30);
  w.Settle();
  EXPECT_EQ(w.ControlNotes(), (std::vector<Note>{{TEXT("click"), g[1], 0}}));
  EXPECT_TRUE(g[1]->IsSelected());
  // Deselecting a grouped option in code is silent.
  w.notes.clear();
  g[1]->SetSelected(false);
  EXPECT_TRUE(w.ControlNotes().empty());
}

TEST_F(Options, SelectedHotImageOnlyWhenSelectedAndHot) {
  Drive::MoveMouse(50, 10);
  EXPECT_EQ(w.Pixel(50, 10), kSelectedHot);
  Drive::MoveMouse(50, 30);
  EXPECT_EQ(w.Pixel(50, 10), kSelected);
  EXPECT_EQ(w.Pixel(50, 30), kNormal);  // hot but not selected: no hot image, the normal one
  // Pressed, an option does not look pushed.
  Drive::Button(Drive::MouseButton::Left, true);
  EXPECT_EQ(w.Pixel(50, 30), kNormal);
  Drive::Button(Drive::MouseButton::Left, false);
  EXPECT_EQ(w.Pixel(50, 30), kSelectedHot);
}

TEST_F(Options, LoneOptionTogglesAndReportsBothWays) {
  Drive::Click(50, 70);
  Drive::Click(50, 70);
  w.Settle();
  EXPECT_EQ(w.ControlNotes(), (std::vector<Note>{{TEXT("click"), lone, 0},
                                                 {TEXT("selectchanged"), lone, 0},
                                                 {TEXT("click"), lone, 0},
                                                 {TEXT("selectchanged"), lone, 0}}));
  EXPECT_FALSE(lone->IsSelected());
  EXPECT_TRUE(g[0]->IsSelected());  // other groups are untouched
}

TEST_F(Options, CheckBoxWordsAndClassName) {
  EXPECT_EQ(WString(check->GetClassName()), WString(TEXT("CheckBoxUI")));
  EXPECT_NE(check->GetInterfaceByName(TEXT("Option")), nullptr);
  check->SetChecked(true);
  EXPECT_TRUE(check->IsChecked());
  EXPECT_EQ(w.Pixel(50, 90), kSelected);
  EXPECT_EQ(w.ControlNotes(), (std::vector<Note>{{TEXT("selectchanged"), check, 0}}));
}

TEST_F(Options, DisabledSelectedOptionKeepsItsSelection) {
  g[0]->SetEnabled(false);
  EXPECT_TRUE(g[0]->IsSelected());
  EXPECT_EQ(g[0]->GetButtonState(), UINT(UISTATE_SELECTED));
  EXPECT_EQ(w.Pixel(50, 10), kSelected);
  Drive::Click(50, 10);
  w.Settle();
  EXPECT_TRUE(w.ControlNotes().empty());
  g[1]->SetEnabled(false);
  EXPECT_EQ(g[1]->GetButtonState(), 0u);
  EXPECT_EQ(w.Pixel(50, 30), kDisabled);
}

TEST_F(Options, ChangingGroupsMovesTheMembership) {
  g[2]->SetGroupName(TEXT("other"));
  ASSERT_NE(w.Manager().GetGroup(TEXT("g")), nullptr);
  EXPECT_EQ(w.Manager().GetGroup(TEXT("g"))->Find(g[2]), -1);
  ASSERT_NE(w.Manager().GetGroup(TEXT("other")), nullptr);
  EXPECT_GE(w.Manager().GetGroup(TEXT("other"))->Find(g[2]), 0);
  g[2]->SetSelected(true);
  EXPECT_TRUE(g[0]->IsSelected());  // no longer in the same group
  g[1]->SetSelected(true);
  EXPECT_FALSE(g[0]->IsSelected());
  EXPECT_TRUE(g[2]->IsSelected());
}

class OptionLooks : public ControlFixture {};

TEST_F(OptionLooks, SelectedBackgroundAndTextColour) {
  AddImage("n.png", 4, 4, kNormal);
  SkinWindow w;
  ASSERT_TRUE(
      w.Open(TEXT("<Window size=\"100,40\"><VerticalLayout bkcolor=\"#FF202020\">")
                 TEXT("<Option name=\"o\" normalimage=\"n.png\" selectedbkcolor=\"#FF00C000\" ")
                     TEXT("selectedtextcolor=\"#FF0000FF\" textcolor=\"#FFFFFFFF\" text=\"MMMM\"/>")
                         TEXT("</VerticalLayout></Window>"),
             100, 40));
  auto* o = static_cast<COptionUI*>(w.Find(TEXT("o")));
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(w.Pixel(2, 2), kNormal);
  o->SetSelected(true);
  EXPECT_EQ(w.Pixel(2, 2), kSelected);
  // The selected text colour is used for the paint only.
  EXPECT_EQ(o->GetTextColor(), 0xFFFFFFFFu);
  int blue = 0;
  for (int x = 0; x < 100; ++x)
    for (int y = 10; y < 30; ++y) {
      const uint32_t p = Drive::Pixel(w.Handle(), x, y);
      if ((p & 0xFF) > 0x80 && ((p >> 16) & 0xFF) < 0x40) ++blue;
    }
  EXPECT_GT(blue, 5);
}

}  // namespace
