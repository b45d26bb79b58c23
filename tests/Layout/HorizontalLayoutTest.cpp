// The horizontal layout: widths shared like the vertical layout's heights, full-height
// children, no vertical scrolling, and the drag separator on the left or right edge.
#include <gtest/gtest.h>

#include "Core/UIScrollBar.h"
#include "Layout/SkinHostWindow.h"
#include "Layout/UIHorizontalLayout.h"

using namespace SkinUI;
using LayoutTest::Box;
using LayoutTest::SkinHostWindow;

namespace {

void Mouse(CControlUI* control, int type, int x, int y) {
  TUIEvent event;
  event.Type = type;
  event.pSender = control;
  event.ptMouse = {x, y};
  control->DispatchEvent(event);
}

TEST(HorizontalLayout, FixedAndStretchingWidthsWithPaddingAndFullHeight) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(TEXT("<Window><HorizontalLayout inset=\"5,5,5,5\" childpadding=\"6\">")
                              TEXT("<Control name=\"a\" width=\"50\" height=\"40\"/>")
                                  TEXT("<Control name=\"b\" padding=\"3,10,2,20\"/>")
                                      TEXT("<Control name=\"c\" minwidth=\"10\" "
                                           "maxheight=\"100\"/></HorizontalLayout></Window>")));
  // Area 290x190 from (5,5); fixed 50 + pads 5 + 2 x 6 = 67; the stretchers share 223.
  EXPECT_EQ(Box(5, 5, 55, 45), Box(window.Rect(TEXT("a"))));
  // A fixed height of 0 is the area's height minus the vertical padding; the rectangle reaches
  // over the right padding.
  EXPECT_EQ(Box(64, 15, 177, 175), Box(window.Rect(TEXT("b"))));
  EXPECT_EQ(Box(183, 5, 295, 105), Box(window.Rect(TEXT("c"))));
}

TEST(HorizontalLayout, NeverScrollsVertically) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(TEXT("<Window><HorizontalLayout name=\"h\" vscrollbar=\"true\">") TEXT(
      "<Control name=\"tall\" width=\"100\" height=\"500\"/></HorizontalLayout></Window>")));
  CScrollBarUI* bar = static_cast<CContainerUI*>(window.Find(TEXT("h")))->GetVerticalScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->IsVisible());
  EXPECT_EQ(Box(0, 0, 100, 500), Box(window.Rect(TEXT("tall"))));
}

TEST(HorizontalLayout, DraggingTheRightSeparatorWidensTheLayout) {
  SkinHostWindow window(400, 100);
  ASSERT_TRUE(
      window.Load(TEXT("<Window><HorizontalLayout><HorizontalLayout name=\"left\" width=\"200\" ")
                      TEXT("sepwidth=\"4\" maxwidth=\"230\"/><Control "
                           "name=\"rest\"/></HorizontalLayout></Window>")));
  auto* left = static_cast<CHorizontalLayoutUI*>(window.Find(TEXT("left")));
  EXPECT_EQ(Box(196, 0, 200, 100), Box(left->GetSeparatorRect(false)));
  Mouse(left, EventButtonDown, 198, 50);
  Mouse(left, EventMouseMove, 218, 50);
  EXPECT_EQ(220, left->GetFixedWidth());
  Mouse(left, EventMouseMove, 260, 50);  // stops at maxwidth
  EXPECT_EQ(230, left->GetFixedWidth());
  Mouse(left, EventMouseMove, 300, 50);  // already at the limit: ignored
  EXPECT_EQ(230, left->GetFixedWidth());
  EXPECT_EQ(Box(0, 0, 200, 100), Box(left->GetPos()));
  Mouse(left, EventButtonUp, 300, 50);
  window.Layout();
  EXPECT_EQ(Box(0, 0, 230, 100), Box(window.Rect(TEXT("left"))));
  EXPECT_EQ(Box(230, 0, 400, 100), Box(window.Rect(TEXT("rest"))));
}

TEST(HorizontalLayout, AnOverlayDragJoinsTheManagersOverlayListUntilRelease) {
  SkinHostWindow window(400, 100);
  ASSERT_TRUE(window.Load(
      TEXT("<Window><HorizontalLayout bkcolor=\"#FFFFFFFF\"><HorizontalLayout name=\"left\" ")
          TEXT("width=\"200\" sepwidth=\"-4\"/>")
              TEXT("<HorizontalLayout name=\"imm\" sepwidth=\"4\" sepimm=\"true\"/>")
                  TEXT("</HorizontalLayout></Window>")));
  auto* left = static_cast<CHorizontalLayoutUI*>(window.Find(TEXT("left")));
  auto* imm = static_cast<CHorizontalLayoutUI*>(window.Find(TEXT("imm")));
  EXPECT_EQ(Box(0, 0, 4, 100), Box(left->GetSeparatorRect(false)));
  EXPECT_EQ(0xFFFFFFFFu, Drive::Pixel(window.Handle(), 2, 50));
  Mouse(left, EventButtonDown, 2, 50);
  Mouse(imm, EventButtonDown, 398, 50);
  window.Layout();
  // The overlay shades where the edge will land: black at alpha 0xAA over white.
  EXPECT_EQ(0xFF555555u, Drive::Pixel(window.Handle(), 2, 50));
  EXPECT_EQ(0xFFFFFFFFu, Drive::Pixel(window.Handle(), 10, 50));
  EXPECT_EQ(0xFFFFFFFFu, Drive::Pixel(window.Handle(), 398, 50));
  // Removing answers whether the control was in the list; put it back for the release.
  EXPECT_TRUE(window.manager.RemoveOverlayControl(left));
  EXPECT_FALSE(window.manager.RemoveOverlayControl(imm));
  window.manager.AddOverlayControl(left);
  // Turning immediate during the drag leaves the list at once.
  left->SetSepImmediate(true);
  EXPECT_FALSE(window.manager.RemoveOverlayControl(left));
  left->SetSepImmediate(false);
  window.manager.AddOverlayControl(left);
  Mouse(left, EventButtonUp, 2, 50);
  EXPECT_FALSE(window.manager.RemoveOverlayControl(left));
  window.Layout();
  EXPECT_EQ(0xFFFFFFFFu, Drive::Pixel(window.Handle(), 2, 50));
  Mouse(imm, EventButtonUp, 398, 50);
}

}  // namespace
