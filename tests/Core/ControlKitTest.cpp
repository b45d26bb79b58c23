// The kit the controls stand on: state images, the align reader, saturated geometry, text
// equality and the hand-over of a disabled control's mouse events.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "Core/UIAttributeTable.h"
#include "Core/UIControl.h"
#include "Core/UIGeometry.h"
#include "Core/UIStateImages.h"

using namespace SkinUI;

namespace {

using Image = CStateImagesUI;

TEST(StateImages, TheFirstStateThatAppliesPicksItsImageOrTheNormalOne) {
  struct Case {
    UINT uState;
    bool bHotImage;
    Image::Image expected;
  };
  // Order: disabled, pushed, hot, focused; only the hot and focused images exist.
  const Case cases[] = {
      {0, true, Image::Normal},
      {UISTATE_HOT, true, Image::Hot},
      {UISTATE_HOT, false, Image::Normal},  // no falling through to the focused image
      {UISTATE_HOT | UISTATE_FOCUSED, true, Image::Hot},
      {UISTATE_FOCUSED, true, Image::Focused},
      {UISTATE_DISABLED | UISTATE_HOT, true, Image::Normal},
      {UISTATE_PUSHED | UISTATE_FOCUSED, true, Image::Normal},
  };
  for (const Case& c : cases) {
    CStateImagesUI images;
    images.Set(c.uState);
    if (c.bHotImage) images.SetImage(Image::Hot, TEXT("hot.png"));
    images.SetImage(Image::Focused, TEXT("focused.png"));
    EXPECT_EQ(images.Current({Image::Disabled, Image::Pushed, Image::Hot, Image::Focused}),
              c.expected)
        << "state " << c.uState;
  }
}

TEST(StateImages, BitsFollowTheControlAndAFailingImageIsForgotten) {
  CControlUI control;  // no manager: nothing can be drawn
  control.SetEnabled(false);
  CStateImagesUI images;
  images.Set(UISTATE_HOT | UISTATE_SELECTED);
  images.Follow(control);
  EXPECT_EQ(images.GetState(), UINT(UISTATE_HOT | UISTATE_SELECTED | UISTATE_DISABLED));
  images.Reset(UISTATE_SELECTED);
  EXPECT_EQ(images.GetState(), UINT(UISTATE_SELECTED));

  images.SetImage(Image::Selected, TEXT("missing.png"));
  EXPECT_FALSE(images.Draw(control, nullptr, Image::Selected));
  EXPECT_FALSE(images.HasImage(Image::Selected));
  EXPECT_EQ(Image::ImageForAttribute(TEXT("selectedhotimage")), Image::SelectedHot);
  EXPECT_EQ(Image::ImageForAttribute(TEXT("thumbimage")), Image::ImageCount);
}

TEST(AttributeKit, AlignWordsChangeTheStyleInTurn) {
  struct Case {
    UINT uStart;
    LPCWSTR pstrValue;
    bool bVertical;
    UINT uExpected;
  };
  const Case cases[] = {
      {DT_CENTER, TEXT("left"), true, 0},
      {DT_RIGHT, TEXT("center"), true, DT_CENTER},
      {DT_CENTER | DT_VCENTER, TEXT("right bottom"), true, DT_RIGHT | DT_BOTTOM},
      {DT_BOTTOM, TEXT("vcenter"), true, DT_CENTER | DT_VCENTER},  // "vcenter" holds "center"
      {DT_VCENTER, TEXT("top"), true, 0},
      {DT_VCENTER, TEXT("top"), false, DT_VCENTER},  // lists read only the horizontal words
      {DT_SINGLELINE, TEXT(""), true, DT_SINGLELINE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UIApplyAlign(c.uStart, c.pstrValue, c.bVertical), c.uExpected);
  }
  EXPECT_EQ(UIApplyEndEllipsis(DT_LEFT, TEXT("true")), UINT(DT_END_ELLIPSIS));
  EXPECT_EQ(UIApplyEndEllipsis(DT_END_ELLIPSIS | DT_CENTER, TEXT("yes")), UINT(DT_CENTER));
}

TEST(GeometryKit, InsetAndDifferencesSaturateInsteadOfWrapping) {
  const RECT rc = Inset(RECT{INT_MIN + 5, 0, INT_MAX - 5, 100}, RECT{-10, 10, -10, 10});
  EXPECT_EQ(rc.left, INT_MIN);
  EXPECT_EQ(rc.top, 10);
  EXPECT_EQ(rc.right, INT_MAX);
  EXPECT_EQ(rc.bottom, 90);
  EXPECT_EQ(SaturatedDiff(INT_MAX, -1), INT_MAX);
  EXPECT_EQ(SaturatedDiff(INT_MIN, 1), INT_MIN);
  EXPECT_EQ(SaturatedDiff(7, 3), 4);
}

TEST(TextKit, EqualityIsOrdinalAndANullTextIsEmpty) {
  EXPECT_TRUE(UIStrEqual(TEXT("name"), TEXT("name")));
  EXPECT_FALSE(UIStrEqual(TEXT("name"), TEXT("Name")));
  EXPECT_FALSE(UIStrEqual(TEXT("name"), TEXT("names")));
  EXPECT_TRUE(UIStrEqual(nullptr, TEXT("")));
  EXPECT_FALSE(UIStrEqual(nullptr, TEXT("x")));
}

// Records the events it is handed.
class Recording : public CControlUI {
 public:
  void HandleEvent(TUIEvent& event) override { seen.push_back(event.Type); }
  std::vector<int> seen;
};

TEST(MouseKit, ADisabledMouseHandsMouseEventsToTheParentOnly) {
  Recording parent;
  CControlUI child;
  child.AttachManager(nullptr, &parent, false);
  TUIEvent click;
  click.Type = EventButtonDown;
  TUIEvent key;
  key.Type = EventKeyDown;
  EXPECT_FALSE(child.PassOnMouseWhenDisabled(click));  // the mouse is on
  child.SetMouseEnabled(false);
  EXPECT_TRUE(child.PassOnMouseWhenDisabled(click));
  EXPECT_FALSE(child.PassOnMouseWhenDisabled(key));
  Recording owner;
  EXPECT_TRUE(child.PassOnMouseWhenDisabled(click, &owner));
  EXPECT_EQ(parent.seen, std::vector<int>{EventButtonDown});
  EXPECT_EQ(owner.seen, std::vector<int>{EventButtonDown});
}

}  // namespace
