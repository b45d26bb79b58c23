// The tab layout: one visible page, selection with its "tabselect" notification, and the
// current index across insertions and removals.
#include <gtest/gtest.h>

#include <vector>

#include "Control/UIDlgBuilder.h"
#include "Layout/SkinHostWindow.h"
#include "Layout/UITabLayout.h"

using namespace SkinUI;
using LayoutTest::Box;
using LayoutTest::SkinHostWindow;

namespace {

const WCHAR kThreePages[] =
    TEXT("<Window><TabLayout name=\"tabs\" inset=\"10,10,10,10\"><Control name=\"p0\"/>")
        TEXT("<Control name=\"p1\"/><Control name=\"p2\" padding=\"5,5,5,5\" height=\"50\"/>")
            TEXT("</TabLayout></Window>");

std::vector<bool> Visibility(CTabLayoutUI* tabs) {
  std::vector<bool> shown;
  for (int i = 0; i < tabs->GetCount(); i++) shown.push_back(tabs->GetItemAt(i)->IsVisible());
  return shown;
}

TEST(TabLayout, TheFirstVisiblePageIsCurrentAndFillsTheInnerRectangle) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(kThreePages));
  auto* tabs = static_cast<CTabLayoutUI*>(window.Find(TEXT("tabs")));
  EXPECT_EQ(0, tabs->GetCurSel());
  EXPECT_EQ((std::vector<bool>{true, false, false}), Visibility(tabs));
  EXPECT_EQ(Box(10, 10, 290, 190), Box(window.Rect(TEXT("p0"))));
}

TEST(TabLayout, SelectingAPageNotifiesWithTheNewAndTheOldIndex) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(kThreePages));
  auto* tabs = static_cast<CTabLayoutUI*>(window.Find(TEXT("tabs")));
  window.notes.clear();
  EXPECT_TRUE(tabs->SelectTab(2));
  window.Layout();
  EXPECT_EQ((std::vector<bool>{false, false, true}), Visibility(tabs));
  EXPECT_EQ(Box(15, 15, 285, 65), Box(window.Rect(TEXT("p2"))));
  std::vector<TNotifyMsg> selects;
  for (const TNotifyMsg& msg : window.notes)
    if (msg.sType == TEXT("tabselect")) selects.push_back(msg);
  ASSERT_EQ(1u, selects.size());
  EXPECT_EQ(tabs, selects[0].pSender);
  EXPECT_EQ(2u, selects[0].wParam);
  EXPECT_EQ(0, selects[0].lParam);

  // The current page again, or an index out of range: no notification.
  window.notes.clear();
  EXPECT_TRUE(tabs->SelectItem(2));
  EXPECT_FALSE(tabs->SelectTab(3));
  EXPECT_FALSE(tabs->SelectTab(-1));
  for (const TNotifyMsg& msg : window.notes) EXPECT_NE(msg.sType, TEXT("tabselect"));
  EXPECT_EQ(2, tabs->GetCurSel());
}

TEST(TabLayout, SelectedIdSelectsOnlyOncePagesExist) {
  // The builder adds the children before it applies the element's attributes.
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(
      TEXT("<Window><VerticalLayout><TabLayout name=\"tabs\" selectedid=\"1\"><Control/>")
          TEXT("<Control/></TabLayout></VerticalLayout></Window>")));
  auto* built = static_cast<CTabLayoutUI*>(window.Find(TEXT("tabs")));
  EXPECT_EQ(1, built->GetCurSel());
  EXPECT_EQ((std::vector<bool>{false, true}), Visibility(built));

  CTabLayoutUI tabs;
  tabs.ApplyAttribute(TEXT("selectedid"), TEXT("1"));
  tabs.Add(new CControlUI);
  tabs.Add(new CControlUI);
  EXPECT_EQ(0, tabs.GetCurSel());
  tabs.ApplyAttribute(TEXT("selectedid"), TEXT("1"));
  EXPECT_EQ(1, tabs.GetCurSel());
}

TEST(TabLayout, APageFocusedWhileBuildingIsForgottenWithTheTreeTheBuilderDiscards) {
  // Only the first top-level element is kept; the tab selecting its page focuses it first.
  SkinHostWindow window(300, 200);
  CLayoutBuilder builder;
  CControlUI* root =
      builder.Create(TEXT("<Window><Control/><TabLayout "
                          "selectedid=\"1\"><Control/><Control/></TabLayout></Window>"),
                     nullptr, nullptr, &window.manager);
  ASSERT_NE(nullptr, root);
  EXPECT_EQ(nullptr, window.manager.GetFocusControl());
  window.manager.AttachRoot(root);
  window.Layout();
}

TEST(TabLayout, InsertingBeforeTheCurrentPageKeepsItCurrent) {
  CTabLayoutUI tabs;
  CControlUI* first = new CControlUI;
  CControlUI* hiddenFirst = new CControlUI;
  hiddenFirst->SetVisible(false);
  EXPECT_TRUE(tabs.Add(hiddenFirst));  // invisible: does not become current
  EXPECT_EQ(-1, tabs.GetCurSel());
  EXPECT_TRUE(tabs.Add(first));
  EXPECT_EQ(1, tabs.GetCurSel());
  CControlUI* inserted = new CControlUI;
  EXPECT_TRUE(tabs.AddAt(inserted, 0));
  EXPECT_EQ(2, tabs.GetCurSel());
  EXPECT_EQ(first, tabs.GetItemAt(tabs.GetCurSel()));
  CControlUI* appended = new CControlUI;
  EXPECT_TRUE(tabs.AddAt(appended, 3));
  EXPECT_FALSE(appended->IsVisible());
  EXPECT_FALSE(tabs.Add(nullptr));
}

TEST(TabLayout, RemovingTheCurrentPageShowsThePageThatTakesItsIndex) {
  CTabLayoutUI tabs;
  CControlUI* pages[4];
  for (CControlUI*& page : pages) {
    page = new CControlUI;
    tabs.Add(page);
  }
  ASSERT_TRUE(tabs.SelectTab(2));
  // A page before the current one: the index follows the current page.
  EXPECT_TRUE(tabs.Remove(pages[0]));
  EXPECT_EQ(1, tabs.GetCurSel());
  EXPECT_EQ(pages[2], tabs.GetItemAt(1));
  // The current page: its successor takes the index and is shown.
  EXPECT_TRUE(tabs.Remove(pages[2]));
  EXPECT_EQ(1, tabs.GetCurSel());
  EXPECT_EQ((std::vector<bool>{false, true}), Visibility(&tabs));
  // The current page is the last one: the index moves back to the new last page.
  EXPECT_TRUE(tabs.Remove(pages[3]));
  EXPECT_EQ(0, tabs.GetCurSel());
  EXPECT_TRUE(tabs.GetItemAt(0)->IsVisible());
  EXPECT_TRUE(tabs.Remove(pages[1]));
  EXPECT_EQ(-1, tabs.GetCurSel());
  EXPECT_FALSE(tabs.Remove(nullptr));
  EXPECT_FALSE(tabs.SelectTab(0));
}

TEST(TabLayout, RemoveAllForgetsTheCurrentPage) {
  CTabLayoutUI tabs;
  tabs.Add(new CControlUI);
  tabs.Add(new CControlUI);
  tabs.RemoveAll();
  EXPECT_EQ(-1, tabs.GetCurSel());
  CControlUI* next = new CControlUI;
  tabs.Add(next);
  EXPECT_EQ(0, tabs.GetCurSel());
  EXPECT_TRUE(next->IsVisible());
}

}  // namespace
