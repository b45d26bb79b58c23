// Combos in a window built from skin XML: the drop-down's size and placement, picking an item
// with the mouse and the keyboard, Escape, closing on deactivation, and the arrow of the combo
// box by pixel.
#include <string>

#include "Control/UIComboBox.h"
#include "LabelHarness.h"
#include "support/WideString.h"

using namespace SkinUI;
using namespace ControlTest;
using Drive::MouseButton;

namespace {

WString Items(int count) {
  WString xml;
  for (int i = 0; i < count; i++) {
    xml += TEXT("<ListLabelElement name=\"item") + WString(1, TEXT('0') + i) +
           TEXT("\" text=\"item ") + WString(1, TEXT('0') + i) + TEXT("\" height=\"20\"/>");
  }
  return xml;
}

class Combos : public ControlFixture {
 protected:
  void Open(int items, const WString& extra = TEXT("")) {
    const WString xml =
        TEXT("<Window size=\"200,120\"><VerticalLayout>")
            TEXT("<Combo name=\"combo\" height=\"24\" width=\"150\" dropboxsize=\"0,150\" ") +
        extra + TEXT(">") + Items(items) + TEXT("</Combo><Control/></VerticalLayout></Window>");
    ASSERT_TRUE(w.Open(xml, 200, 120));
    combo = static_cast<CComboUI*>(w.Find(TEXT("combo")));
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->GetCount(), items);
  }
  // Opens the drop-down with a click on the combo.
  HWND Drop() {
    const RECT rc = combo->GetPos();
    Drive::Click(rc.left + 10, rc.top + 10);
    w.Settle();
    CComboWnd* pWnd = combo->GetDropDown();
    return pWnd ? pWnd->Handle() : nullptr;
  }
  RECT ScreenRect(HWND hwnd) {
    RECT rc = {};
    ::GetWindowRect(hwnd, &rc);
    return rc;
  }
  void Press(WORD vk) {
    Drive::Key(vk, true);
    Drive::Key(vk, false);
  }

  SkinWindow w;
  CComboUI* combo = nullptr;
};

TEST_F(Combos, DropDownIsAsWideAsTheComboAndAsHighAsItsItems) {
  Open(3);
  HWND hDrop = Drop();
  ASSERT_NE(hDrop, nullptr);
  EXPECT_EQ(w.NotesOf(TEXT("dropdown")).size(), 1u);
  const RECT rc = ScreenRect(hDrop);
  const RECT rcCombo = combo->GetPos();
  EXPECT_EQ(rc.left, rcCombo.left);
  EXPECT_EQ(rc.right - rc.left, 150);
  EXPECT_EQ(rc.top, rcCombo.bottom);
  EXPECT_EQ(rc.bottom - rc.top, 3 * 20 + 4);
  // The items now live in the drop-down's own manager.
  EXPECT_EQ(combo->GetItemAt(0)->GetManager(), &combo->GetDropDown()->Manager());
}

TEST_F(Combos, ManyItemsAreCutAtTheDropBoxHeightAndTheScrollBarKeepsItOpen) {
  Open(10);
  HWND hDrop = Drop();
  ASSERT_NE(hDrop, nullptr);
  const RECT rc = ScreenRect(hDrop);
  EXPECT_EQ(rc.bottom - rc.top, 150);
  // A click on the drop-down's scroll bar scrolls and leaves it open.
  Drive::Click(rc.right - 4, rc.bottom - 20);
  w.Settle();
  EXPECT_NE(combo->GetDropDown(), nullptr);
  EXPECT_EQ(combo->GetCurSel(), -1);
}

TEST_F(Combos, OpensAboveTheComboNearTheBottomOfTheWorkArea) {
  Open(3);
  // The work area ends at 740: a combo at 700 has no room below.
  ::SetWindowPos(w.Handle(), nullptr, 0, 676, 200, 120, SWP_NOZORDER | SWP_NOACTIVATE);
  w.Settle();
  const RECT rcCombo = combo->GetPos();
  const RECT rcCombo2 = {rcCombo.left, rcCombo.top + 676, rcCombo.right, rcCombo.bottom + 676};
  Drive::Click(rcCombo2.left + 10, rcCombo2.top + 10);
  w.Settle();
  ASSERT_NE(combo->GetDropDown(), nullptr);
  const RECT rc = ScreenRect(combo->GetDropDown()->Handle());
  EXPECT_EQ(rc.bottom, rcCombo2.top);
  EXPECT_EQ(rc.bottom - rc.top, 64);
}

TEST_F(Combos, AMouseClickOnAnItemPicksItAndCloses) {
  Open(3);
  HWND hDrop = Drop();
  ASSERT_NE(hDrop, nullptr);
  const RECT rcDrop = ScreenRect(hDrop);
  const RECT rcItem = combo->GetItemAt(1)->GetPos();  // in the drop-down's client area
  Drive::Click(rcDrop.left + rcItem.left + 10, rcDrop.top + rcItem.top + 10);
  w.Settle();
  EXPECT_EQ(combo->GetCurSel(), 1);
  EXPECT_EQ(combo->GetDropDown(), nullptr);
  EXPECT_FALSE(::IsWindow(hDrop));
  EXPECT_EQ(combo->GetText(), CUIString(TEXT("item 1")));
  auto selects = w.NotesOf(TEXT("itemselect"));
  ASSERT_EQ(selects.size(), 1u);
  EXPECT_EQ(selects[0].sender, combo);
  EXPECT_EQ(selects[0].wParam, 1u);
  // Back home: the items belong to the combo's manager again.
  EXPECT_EQ(combo->GetItemAt(1)->GetManager(), &w.Manager());
  EXPECT_EQ(combo->GetItemAt(1)->GetParent(), combo);
}

TEST_F(Combos, DownInTheDropDownPicksTheNextItemAndCloses) {
  Open(3);
  ASSERT_TRUE(combo->SelectItem(0));
  ASSERT_NE(Drop(), nullptr);
  Press(VK_DOWN);
  w.Settle();
  EXPECT_EQ(combo->GetCurSel(), 1);
  EXPECT_EQ(combo->GetDropDown(), nullptr);
}

TEST_F(Combos, EscapeRestoresTheSelectionItOpenedWith) {
  Open(3);
  ASSERT_TRUE(combo->SelectItem(0));
  ASSERT_NE(Drop(), nullptr);
  // Down and Escape typed before the drop-down has had time to close.
  Press(VK_DOWN);
  Press(VK_ESCAPE);
  w.Settle();
  EXPECT_EQ(combo->GetCurSel(), 0);
  EXPECT_EQ(combo->GetDropDown(), nullptr);
}

TEST_F(Combos, KeysOnTheClosedComboMoveTheSelection) {
  Open(3);
  combo->SetFocus();
  w.Settle();
  struct Step {
    WORD vk;
    int selected;
  };
  const Step steps[] = {{VK_DOWN, 0}, {VK_END, 2}, {VK_DOWN, 2}, {VK_HOME, 0}, {VK_UP, 0}};
  for (const Step& step : steps) {
    Press(step.vk);
    w.Settle();
    EXPECT_EQ(combo->GetCurSel(), step.selected) << "after key " << step.vk;
  }
  EXPECT_EQ(combo->GetDropDown(), nullptr);
}

TEST_F(Combos, TheDropDownClosesWhenTheWindowLosesActivation) {
  Open(3);
  HWND hDrop = Drop();
  ASSERT_NE(hDrop, nullptr);
  Drive::SwitchToOtherApplication();
  w.Settle();
  EXPECT_EQ(combo->GetDropDown(), nullptr);
  EXPECT_FALSE(::IsWindow(hDrop));
}

TEST_F(Combos, DestroyingAnOpenComboClosesItsDropDown) {
  Open(3);
  HWND hDrop = Drop();
  ASSERT_NE(hDrop, nullptr);
  auto* parent = static_cast<CContainerUI*>(combo->GetParent());
  ASSERT_TRUE(parent->Remove(combo));
  combo = nullptr;
  w.Settle();
  EXPECT_FALSE(::IsWindow(hDrop));
}

TEST_F(Combos, RemovingTheSelectedItemSelectsTheOneInItsPlace) {
  Open(3);
  ASSERT_TRUE(combo->SelectItem(1));
  ASSERT_TRUE(combo->RemoveAt(1));
  EXPECT_EQ(combo->GetCurSel(), 1);
  EXPECT_EQ(combo->GetText(), CUIString(TEXT("item 2")));
  auto* item = static_cast<IListItemUI*>(combo->GetItemAt(1)->GetInterfaceByName(TEXT("ListItem")));
  EXPECT_EQ(item->GetIndex(), 1);
  EXPECT_TRUE(item->IsItemSelected());
}

// The arrow is the fifth of the image for the state, at the right end; a bare image name (no
// source item) counts as the whole image.
TEST_F(ControlFixture, ComboBoxArrowDrawsOneFifthOfTheImageAtTheRightEnd) {
  AddImage("arrow.png", 50, 10, 0xFF00C000);
  const WCHAR* const images[] = {TEXT("arrow.png"), TEXT("file='arrow.png' source='0,0,50,10'")};
  for (const WCHAR* image : images) {
    SkinWindow w;
    const WString xml = TEXT("<Window size=\"200,40\"><VerticalLayout bkcolor=\"#FF202020\">")
                            TEXT("<ComboBox name=\"box\" height=\"24\" arrowimage=\"") +
                        WString(image) + TEXT("\"/></VerticalLayout></Window>");
    ASSERT_TRUE(w.Open(xml, 200, 40));
    auto* box = static_cast<CComboBoxUI*>(w.Find(TEXT("box")));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(w.Pixel(195, 12), 0xFF00C000u);
    EXPECT_EQ(w.Pixel(185, 12), 0xFF202020u);
    EXPECT_EQ(box->GetArrowWidth(), 10);
    EXPECT_FALSE(CUIString(box->GetArrowImage()).IsEmpty());
  }
}

}  // namespace

namespace {

// The window goes while the drop-down is open: the items outlive the drop-down's manager.
TEST_F(Combos, ClosingTheWindowWithTheDropDownOpenLeavesNoDanglingItems) {
  Open(3);
  HWND hDrop = Drop();
  ASSERT_NE(hDrop, nullptr);
  ::DestroyWindow(w.Handle());
  w.Settle();
  EXPECT_FALSE(::IsWindow(hDrop));
  EXPECT_EQ(combo->GetDropDown(), nullptr);
  EXPECT_EQ(combo->GetItemAt(0)->GetManager(), &w.Manager());
}

}  // namespace
