// The vertical layout: two measuring passes, stretching children sharing the remainder, limits,
// paddings and insets, scrolling of children that overflow, and the drag separator.
#include <gtest/gtest.h>

#include "Core/UIScrollBar.h"
#include "Layout/SkinHostWindow.h"
#include "Layout/UIVerticalLayout.h"

using namespace SkinUI;
using LayoutTest::Box;
using LayoutTest::SkinHostWindow;

namespace {

TEST(VerticalLayout, OneFixedChildAndTwoStretchingOnesShareTheHeight) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(
      TEXT("<Window><VerticalLayout name=\"v\"><Control name=\"a\" height=\"30\"/>")
          TEXT("<Control name=\"b\"/><Control name=\"c\"/></VerticalLayout></Window>")));
  EXPECT_EQ(Box(0, 0, 300, 200), Box(window.Rect(TEXT("v"))));
  EXPECT_EQ(Box(0, 0, 300, 30), Box(window.Rect(TEXT("a"))));
  EXPECT_EQ(Box(0, 30, 300, 115), Box(window.Rect(TEXT("b"))));
  EXPECT_EQ(Box(0, 115, 300, 200), Box(window.Rect(TEXT("c"))));
}

TEST(VerticalLayout, TheLastStretchingChildTakesTheRemainderOfTheDivision) {
  SkinHostWindow window(300, 101);
  ASSERT_TRUE(window.Load(
      TEXT("<Window><VerticalLayout><Control name=\"a\" height=\"30\"/><Control name=\"b\"/>")
          TEXT("<Control name=\"c\"/></VerticalLayout></Window>")));
  EXPECT_EQ(Box(0, 30, 300, 65), Box(window.Rect(TEXT("b"))));
  EXPECT_EQ(Box(0, 65, 300, 101), Box(window.Rect(TEXT("c"))));
}

TEST(VerticalLayout, LimitsClampHeightsAndWidthsAndTheMaximumWins) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(
      window.Load(TEXT("<Window><VerticalLayout>") TEXT("<Control name=\"minmax\" height=\"30\" "
                                                        "minheight=\"50\" maxheight=\"40\"/>")
                      TEXT("<Control name=\"raised\" height=\"10\" minheight=\"25\" width=\"100\" "
                           "maxwidth=\"80\"/>")
                          TEXT("<Control name=\"capped\" maxheight=\"60\" minwidth=\"400\"/>")
                              TEXT("<Control name=\"rest\"/></VerticalLayout></Window>")));
  EXPECT_EQ(Box(0, 0, 300, 40), Box(window.Rect(TEXT("minmax"))));
  EXPECT_EQ(Box(0, 40, 80, 65), Box(window.Rect(TEXT("raised"))));
  // Two stretching children share 135: 67 each, capped at 60; the last one takes what is left.
  EXPECT_EQ(Box(0, 65, 400, 125), Box(window.Rect(TEXT("capped"))));
  EXPECT_EQ(Box(0, 125, 300, 200), Box(window.Rect(TEXT("rest"))));
}

TEST(VerticalLayout, PaddingInsetsAndChildPaddingLeaveNoGapAtTheBottom) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(
      window.Load(TEXT("<Window><VerticalLayout inset=\"10,5,10,5\" childpadding=\"4\">") TEXT(
          "<Control name=\"a\" height=\"30\" padding=\"2,3,4,5\"/>") TEXT("<Control name=\"b\"/>")
                      TEXT("<Control name=\"c\" padding=\"0,1,0,1\"/></VerticalLayout></Window>")));
  EXPECT_EQ(Box(12, 8, 286, 43), Box(window.Rect(TEXT("a"))));
  EXPECT_EQ(Box(10, 47, 290, 118), Box(window.Rect(TEXT("b"))));
  // The child's rectangle reaches over its own bottom padding, down to the inset.
  EXPECT_EQ(Box(10, 123, 290, 195), Box(window.Rect(TEXT("c"))));
}

TEST(VerticalLayout, LengthsAtTheEndsOfTheIntegerRangeSaturate) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(
      TEXT("<Window><VerticalLayout childpadding=\"99999999999\">")
          TEXT("<Control name=\"a\" height=\"30\"/><Control name=\"b\" height=\"2147483647\" ")
              TEXT("padding=\"0,2147483647,0,2147483647\"/><Control name=\"c\"/></VerticalLayout>")
                  TEXT("</Window>")));
  EXPECT_EQ(Box(0, 0, 300, 30), Box(window.Rect(TEXT("a"))));
  EXPECT_EQ(Box(0, 2147483647, 300, 2147483647), Box(window.Rect(TEXT("b"))));
  EXPECT_EQ(Box(0, 2147483647, 300, 2147483647), Box(window.Rect(TEXT("c"))));

  SkinHostWindow row(300, 200);
  ASSERT_TRUE(row.Load(TEXT("<Window><HorizontalLayout childpadding=\"2147483647\">")
                           TEXT("<Control name=\"d\" width=\"2147483647\"/><Control name=\"e\"/>")
                               TEXT("</HorizontalLayout></Window>")));
  EXPECT_EQ(Box(0, 0, 9999, 200), Box(row.Rect(TEXT("d"))));  // the default maximum width
  EXPECT_EQ(Box(2147483647, 0, 2147483647, 200), Box(row.Rect(TEXT("e"))));
}

TEST(VerticalLayout, InvisibleChildrenTakeNoSpaceAndFloatingOnesArePlacedByTheirOffset) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(TEXT("<Window><VerticalLayout><Control name=\"a\" height=\"50\"/>") TEXT(
      "<Control name=\"hidden\" height=\"70\" visible=\"false\"/>")
                              TEXT("<Control name=\"float\" float=\"true\" pos=\"20,30,120,60\"/>")
                                  TEXT("<Control name=\"b\"/></VerticalLayout></Window>")));
  EXPECT_EQ(Box(0, 50, 300, 200), Box(window.Rect(TEXT("b"))));
  EXPECT_EQ(Box(20, 30, 120, 60), Box(window.Rect(TEXT("float"))));
}

TEST(VerticalLayout, OverflowingChildrenShowTheScrollBarAndGetNarrower) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(TEXT(
      "<Window><VerticalLayout name=\"v\" vscrollbar=\"true\"><Control name=\"a\" height=\"100\"/>")
                              TEXT("<Control name=\"b\" height=\"100\"/><Control name=\"c\" "
                                   "height=\"100\"/>") TEXT("</VerticalLayout></Window>")));
  auto* layout = static_cast<CVerticalLayoutUI*>(window.Find(TEXT("v")));
  CScrollBarUI* bar = layout->GetVerticalScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(100, bar->GetScrollRange());
  const LONG barWidth = bar->GetFixedWidth();
  ASSERT_GT(barWidth, 0);
  EXPECT_EQ(Box(0, 0, 300 - barWidth, 100), Box(window.Rect(TEXT("a"))));
  EXPECT_EQ(Box(0, 200, 300 - barWidth, 300), Box(window.Rect(TEXT("c"))));
  EXPECT_EQ(Box(300 - barWidth, 0, 300, 200), Box(bar->GetPos()));

  layout->SetScrollPos(SIZE{0, 40});
  EXPECT_EQ(Box(0, -40, 300 - barWidth, 60), Box(window.Rect(TEXT("a"))));
  window.Layout();
  EXPECT_EQ(Box(0, 160, 300 - barWidth, 260), Box(window.Rect(TEXT("c"))));
}

TEST(VerticalLayout, ChildrenThatFitKeepTheScrollBarHidden) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(TEXT(
      "<Window><VerticalLayout name=\"v\" vscrollbar=\"true\"><Control name=\"a\" height=\"100\"/>")
                              TEXT("</VerticalLayout></Window>")));
  CScrollBarUI* bar = static_cast<CContainerUI*>(window.Find(TEXT("v")))->GetVerticalScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->IsVisible());
  EXPECT_EQ(Box(0, 0, 300, 100), Box(window.Rect(TEXT("a"))));
}

// Sends one mouse event straight to a control, as the manager would.
void Mouse(CControlUI* control, int type, int x, int y) {
  TUIEvent event;
  event.Type = type;
  event.pSender = control;
  event.ptMouse = {x, y};
  control->DispatchEvent(event);
}

TEST(VerticalLayout, DraggingTheSeparatorSetsANewHeight) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(
      TEXT("<Window><VerticalLayout><VerticalLayout name=\"top\" height=\"100\" sepheight=\"4\" ")
          TEXT("maxheight=\"150\"/><Control name=\"rest\"/></VerticalLayout></Window>")));
  auto* top = static_cast<CVerticalLayoutUI*>(window.Find(TEXT("top")));
  EXPECT_EQ(Box(0, 96, 300, 100), Box(top->GetSeparatorRect(false)));
  EXPECT_EQ(static_cast<UINT>(UIFLAG_SETCURSOR), top->GetInputFlags());

  Mouse(top, EventButtonDown, 50, 50);  // not on the separator
  Mouse(top, EventMouseMove, 50, 130);
  EXPECT_EQ(100, top->GetFixedHeight());

  Mouse(top, EventButtonDown, 50, 98);
  Mouse(top, EventMouseMove, 50, 102);  // within the separator's slack: ignored
  EXPECT_EQ(100, top->GetFixedHeight());
  Mouse(top, EventMouseMove, 50, 130);
  EXPECT_EQ(128, top->GetFixedHeight());
  EXPECT_EQ(Box(0, 124, 300, 128), Box(top->GetSeparatorRect(true)));
  EXPECT_EQ(Box(0, 0, 300, 100), Box(top->GetPos()));  // the overlay shows it; no relayout yet
  Mouse(top, EventMouseMove, 50, 400);                 // stops at maxheight
  EXPECT_EQ(150, top->GetFixedHeight());
  Mouse(top, EventButtonUp, 50, 400);
  window.Layout();
  EXPECT_EQ(Box(0, 0, 300, 150), Box(window.Rect(TEXT("top"))));
  EXPECT_EQ(Box(0, 150, 300, 200), Box(window.Rect(TEXT("rest"))));
}

TEST(VerticalLayout, AnImmediateSeparatorRelayoutsWhileDragging) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(
      TEXT("<Window><VerticalLayout><Control name=\"above\"/><VerticalLayout name=\"bottom\" ")
          TEXT("height=\"80\" sepheight=\"-5\" sepimm=\"true\"/></VerticalLayout></Window>")));
  auto* bottom = static_cast<CVerticalLayoutUI*>(window.Find(TEXT("bottom")));
  EXPECT_EQ(Box(0, 120, 300, 125), Box(bottom->GetSeparatorRect(false)));
  Mouse(bottom, EventButtonDown, 10, 122);
  Mouse(bottom, EventMouseMove, 10, 100);
  EXPECT_EQ(102, bottom->GetFixedHeight());
  window.Layout();
  EXPECT_EQ(Box(0, 0, 300, 98), Box(window.Rect(TEXT("above"))));
  EXPECT_EQ(Box(0, 98, 300, 200), Box(window.Rect(TEXT("bottom"))));
  Mouse(bottom, EventButtonUp, 10, 100);
}

}  // namespace
