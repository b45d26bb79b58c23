// Sliders in a window: the value at a release point, dragging, wheel and arrow keys by "step",
// the thumb by pixel, and a disabled slider that ignores the user.
#include "Control/UISlider.h"
#include "LabelHarness.h"
#include "support/WideString.h"

using namespace SkinUI;
using namespace ControlTest;
using Drive::MouseButton;

namespace {

constexpr uint32_t kBack = 0xFF202020;
constexpr uint32_t kFore = 0xFF00C000;
constexpr uint32_t kThumb = 0xFFC00000;
constexpr uint32_t kThumbPushed = 0xFF0000C0;

// One horizontal slider 0..100, 110 wide and 20 high at the window's top-left corner, with a
// thumb 10 x 10 centred on row 10; a vertical one below it.
class Slider : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    AddImage("fore.png", 4, 4, kFore);
    AddImage("thumb.png", 4, 4, kThumb);
    AddImage("pushed.png", 4, 4, kThumbPushed);
    ASSERT_TRUE(w.Open(
        TEXT("<Window size=\"200,200\"><VerticalLayout bkcolor=\"#FF202020\">")
            TEXT("<HorizontalLayout height=\"20\"><Slider name=\"s\" width=\"110\" height=\"20\" ")
                TEXT("step=\"5\" ")
                    TEXT("thumbsize=\"10,10\" foreimage=\"fore.png\" thumbimage=\"thumb.png\" ")
                        TEXT("thumbpushedimage=\"pushed.png\"/><Control/></HorizontalLayout>")
                            TEXT("<HorizontalLayout height=\"110\"><Slider name=\"v\" "
                                 "hor=\"false\" width=\"20\" ") TEXT("height=\"110\" ")
                                TEXT("thumbsize=\"20,10\"/><Control/></HorizontalLayout>")
                                    TEXT("<Control/></VerticalLayout></Window>"),
        200, 200));
    s = static_cast<CSliderUI*>(w.Find(TEXT("s")));
    v = static_cast<CSliderUI*>(w.Find(TEXT("v")));
    ASSERT_TRUE(s && v);
    w.Settle();
    w.notes.clear();
  }
  size_t Changes() const { return w.NotesOf(TEXT("valuechanged")).size(); }
  // Columns of row 10 that show the thumb colour `argb`.
  std::vector<int> ThumbColumns(uint32_t argb) {
    std::vector<int> xs;
    for (int x = 0; x < 110; ++x)
      if (w.Pixel(x, 10) == argb) xs.push_back(x);
    return xs;
  }

  SkinWindow w;
  CSliderUI* s = nullptr;
  CSliderUI* v = nullptr;
};

TEST_F(Slider, ValueAtPointFollowsTheThumbCentreBothWays) {
  struct Row {
    int at;
    int horizontal;
    int vertical;
  };
  // The horizontal slider spans x 0..110, the vertical one y 20..130 (bottom is the minimum).
  const Row rows[] = {{0, 0, 100},   {5, 0, 100},    {6, 1, 100},   {26, 21, 99}, {55, 50, 70},
                      {104, 99, 21}, {105, 100, 20}, {125, 100, 0}, {130, 100, 0}};
  for (const Row& r : rows) {
    EXPECT_EQ(s->ValueAtPoint(POINT{r.at, 10}), r.horizontal) << r.at;
    EXPECT_EQ(v->ValueAtPoint(POINT{10, r.at}), r.vertical) << r.at;
  }
}

TEST_F(Slider, ReleaseSetsTheValueAndNotifiesOnce) {
  Drive::Click(55, 10);
  w.Settle();
  EXPECT_EQ(s->GetValue(), 50);
  EXPECT_EQ(Changes(), 1u);
  // Releasing at the same value again is no change.
  Drive::Click(55, 10);
  w.Settle();
  EXPECT_EQ(Changes(), 1u);
  Drive::Click(109, 10);
  w.Settle();
  EXPECT_EQ(s->GetValue(), 100);
  EXPECT_EQ(Changes(), 2u);
}

TEST_F(Slider, DraggingMovesTheThumbWithoutNotifyingUntilRelease) {
  // The thumb of value 0 covers x 0..10.
  EXPECT_EQ(ThumbColumns(kThumb), std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  Drive::MoveMouse(5, 10);
  Drive::Button(MouseButton::Left, true);
  Drive::MoveMouse(30, 10);
  Drive::MoveMouse(55, 10);
  w.Settle();
  EXPECT_EQ(s->GetValue(), 50);
  EXPECT_EQ(Changes(), 0u);
  // While captured the pushed image is drawn at the thumb of value 50: x 50..60.
  const std::vector<int> pushed = ThumbColumns(kThumbPushed);
  ASSERT_EQ(pushed.size(), 10u);
  EXPECT_EQ(pushed.front(), 50);
  Drive::MoveMouse(80, 10);
  Drive::Button(MouseButton::Left, false);
  w.Settle();
  EXPECT_EQ(s->GetValue(), 75);
  EXPECT_EQ(Changes(), 1u);
  EXPECT_TRUE(ThumbColumns(kThumbPushed).empty());
  // Fore image fills up to the value: 75% of 110.
  EXPECT_EQ(w.Pixel(81, 2), kFore);
  EXPECT_EQ(w.Pixel(83, 2), kBack);
}

TEST_F(Slider, WheelAndKeysStepAndStopAtTheEnds) {
  s->SetValue(90);
  Drive::MoveMouse(50, 10);
  Drive::Wheel(120);
  w.Settle();
  EXPECT_EQ(s->GetValue(), 95);
  Drive::Wheel(120);
  Drive::Wheel(120);
  w.Settle();
  // Clamped at the maximum: the third notch changes nothing and is not reported.
  EXPECT_EQ(s->GetValue(), 100);
  EXPECT_EQ(Changes(), 2u);
  Drive::Wheel(-120);
  w.Settle();
  EXPECT_EQ(s->GetValue(), 95);
  s->SetFocus();
  Drive::Key(VK_LEFT, true);
  Drive::Key(VK_LEFT, false);
  Drive::Key(VK_DOWN, true);
  Drive::Key(VK_DOWN, false);
  Drive::Key(VK_RIGHT, true);
  Drive::Key(VK_RIGHT, false);
  w.Settle();
  EXPECT_EQ(s->GetValue(), 90);
  EXPECT_EQ(Changes(), 6u);
}

TEST_F(Slider, DisabledSliderIgnoresButtonsWheelAndKeys) {
  s->SetValue(20);
  s->SetEnabled(false);
  w.Settle();
  Drive::Click(55, 10);
  Drive::MoveMouse(55, 10);
  Drive::Wheel(120);
  s->SetFocus();
  Drive::Key(VK_RIGHT, true);
  Drive::Key(VK_RIGHT, false);
  w.Settle();
  EXPECT_EQ(s->GetValue(), 20);
  EXPECT_EQ(Changes(), 0u);
  EXPECT_EQ(s->GetInputFlags(), 0u);
}

TEST_F(Slider, AttributesAndNames) {
  EXPECT_EQ(s->GetChangeStep(), 5);
  EXPECT_EQ(s->GetThumbSize().cx, 10);
  EXPECT_EQ(s->GetThumbSize().cy, 10);
  EXPECT_NE(s->GetInterfaceByName(TEXT("Slider")), nullptr);
  EXPECT_NE(s->GetInterfaceByName(TEXT("Progress")), nullptr);
  EXPECT_EQ(WString(s->GetClassName()), TEXT("SliderUI"));
  // A new slider's thumb is 10 x 10 and steps by one.
  CSliderUI fresh;
  EXPECT_EQ(fresh.GetThumbSize().cx, 10);
  EXPECT_EQ(fresh.GetChangeStep(), 1);
}

}  // namespace
