// Progress bars: the filled part by pixel, both directions, range normalisation.
#include "Control/UIOption.h"
#include "LabelHarness.h"
#include "support/WideString.h"

using namespace SkinUI;
using namespace ControlTest;

namespace {

constexpr uint32_t kBack = 0xFF202020;
constexpr uint32_t kFore = 0xFF00C000;

class Progress : public ControlFixture {
 protected:
  CProgressUI* Open(const WString& attrs, int width, int height) {
    AddImage("fore.png", 8, 8, kFore);
    const std::string ascii = std::to_string(width) + "," + std::to_string(height);
    const WString size(ascii.begin(), ascii.end());
    EXPECT_TRUE(w.Open(TEXT("<Window size=\"") + size +
                           TEXT("\"><VerticalLayout bkcolor=\"#FF202020\">")
                               TEXT("<Progress name=\"p\" foreimage=\"fore.png\" ") +
                           attrs + TEXT("/>") TEXT("</VerticalLayout></Window>"),
                       width, height));
    w.Settle();
    return static_cast<CProgressUI*>(w.Find(TEXT("p")));
  }
  // The columns [0, width) of row y that show the fore image, as a run from the left.
  int FilledColumns(int y, int width) {
    int n = 0;
    while (n < width && Drive::Pixel(w.Handle(), n, y) == kFore) ++n;
    for (int x = n; x < width; ++x) EXPECT_EQ(Drive::Pixel(w.Handle(), x, y), kBack) << x;
    return n;
  }
  int FilledRowsFromBottom(int x, int height) {
    int n = 0;
    while (n < height && Drive::Pixel(w.Handle(), x, height - 1 - n) == kFore) ++n;
    for (int y = height - 1 - n; y >= 0; --y) EXPECT_EQ(Drive::Pixel(w.Handle(), x, y), kBack) << y;
    return n;
  }
  SkinWindow w;
};

TEST_F(Progress, HalfOfAHorizontalBarFillsExactlyTheLeftHalf) {
  CProgressUI* p = Open(TEXT("height=\"10\" value=\"50\""), 376, 10);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(FilledColumns(0, 376), 188);
  EXPECT_EQ(FilledColumns(9, 376), 188);
  const RECT r = p->FilledRect();
  EXPECT_EQ(r.right, 188);
  EXPECT_EQ(r.bottom, 10);
}

TEST_F(Progress, ValuesAreNormalisedWhenPainted) {
  CProgressUI* p = Open(TEXT("height=\"10\" value=\"150\""), 376, 10);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(FilledColumns(5, 376), 376);
  EXPECT_EQ(p->GetValue(), 100);
  p->SetValue(-3);
  w.Settle();
  EXPECT_EQ(FilledColumns(5, 376), 0);
  EXPECT_EQ(p->GetValue(), 0);
  // min == max paints as if max were min + 1.
  p->SetMinValue(5);
  p->SetMaxValue(5);
  p->SetValue(6);
  w.Settle();
  EXPECT_EQ(p->GetMaxValue(), 6);
  EXPECT_EQ(FilledColumns(5, 376), 376);
}

TEST_F(Progress, VerticalBarFillsFromTheBottom) {
  CProgressUI* p = Open(TEXT("hor=\"false\" height=\"200\" width=\"20\" value=\"25\""), 20, 200);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(FilledRowsFromBottom(10, 200), 50);
  const RECT r = p->FilledRect();
  EXPECT_EQ(r.top, 150);
  EXPECT_EQ(r.right, 20);
}

TEST_F(Progress, CroppedForeImageShowsItsOwnPixelsInPlace) {
  // Left half one colour, right half another: cropping shows only the left half's colour at
  // 50%, stretching would squeeze both halves in.
  TestSupport::WriteFile(m_skin / "halves.png", PatternPng(376, 10, [](int x, int) {
                           return x < 188 ? kFore : 0xFF0000C0u;
                         }));
  ASSERT_TRUE(w.Open(
      TEXT("<Window size=\"376,20\"><VerticalLayout bkcolor=\"#FF202020\">")
          TEXT("<Progress name=\"a\" foreimage=\"halves.png\" isstretchfore=\"false\" ")
              TEXT("value=\"50\" height=\"10\"/>")
                  TEXT("<Progress name=\"b\" foreimage=\"halves.png\" value=\"50\" height=\"10\"/>")
                      TEXT("</VerticalLayout></Window>"),
      376, 20));
  w.Settle();
  EXPECT_EQ(FilledColumns(5, 376), 188);
  EXPECT_EQ(Drive::Pixel(w.Handle(), 180, 15), 0xFF0000C0u);
}

TEST(ProgressAlone, DefaultsAndLargeRanges) {
  CProgressUI p;
  EXPECT_EQ(p.GetFixedHeight(), 12);
  EXPECT_EQ(p.GetTextStyle(), UINT(DT_SINGLELINE | DT_CENTER));
  EXPECT_TRUE(p.IsHorizontal());
  EXPECT_TRUE(p.IsStretchForeImage());
  EXPECT_EQ(p.GetMaxValue(), 100);
  p.SetPos({0, 0, 1000, 10});
  p.SetMinValue(-2000000000);
  p.SetMaxValue(2000000000);
  p.SetValue(1000000000);
  // No overflow: three quarters of the width.
  EXPECT_EQ(p.FilledRect().right, 750);
}

}  // namespace
