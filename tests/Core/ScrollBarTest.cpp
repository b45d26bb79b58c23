// The scroll bar: geometry of its parts, painting fall-backs, presses with the repeat timer,
// dragging the thumb and the owner delegation.
#include <cstring>

#include "Core/UIRender.h"
#include "Core/UIScrollBar.h"
#include "RoutingTestWindow.h"
#include "support/Picture.h"

namespace RoutingTest {
namespace {

struct GeometryCase {
  const char* what;
  bool horizontal;
  RECT pos;
  int range;
  int scrollPos;
  bool show1, show2;
  RECT button1, button2, thumb;
};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

TEST(ScrollBarGeometry, PartsFollowLengthRangeAndPosition) {
  const GeometryCase cases[] = {
      {"100 high, range 100, at 0",
       false,
       {0, 0, 16, 100},
       100,
       0,
       true,
       true,
       {0, 0, 16, 16},
       {0, 84, 16, 100},
       {0, 16, 16, 50}},
      {"100 high, range 100, at 100",
       false,
       {0, 0, 16, 100},
       100,
       100,
       true,
       true,
       {0, 0, 16, 16},
       {0, 84, 16, 100},
       {0, 50, 16, 84}},
      {"100 high, range 100, at 50",
       false,
       {0, 0, 16, 100},
       100,
       50,
       true,
       true,
       {0, 0, 16, 16},
       {0, 84, 16, 100},
       {0, 33, 16, 67}},
      {"offset bar",
       false,
       {20, 10, 36, 110},
       100,
       0,
       true,
       true,
       {20, 10, 36, 26},
       {20, 94, 36, 110},
       {20, 26, 36, 60}},
      {"too short for a thumb",
       false,
       {0, 0, 16, 30},
       100,
       0,
       true,
       true,
       {0, 0, 16, 15},
       {0, 15, 16, 30},
       {0, 0, 0, 0}},
      {"range 0: thumb fills the track",
       false,
       {0, 0, 16, 100},
       0,
       0,
       true,
       true,
       {0, 0, 16, 16},
       {0, 84, 16, 100},
       {0, 16, 16, 84}},
      {"huge range: thumb at least as long as thick",
       false,
       {0, 0, 16, 100},
       100000,
       100000,
       true,
       true,
       {0, 0, 16, 16},
       {0, 84, 16, 100},
       {0, 68, 16, 84}},
      {"range and position past 2^30 do not overflow",
       false,
       {0, 0, 16, 100},
       1 << 30,
       1 << 30,
       true,
       true,
       {0, 0, 16, 16},
       {0, 84, 16, 100},
       {0, 68, 16, 84}},
      {"no buttons",
       false,
       {0, 0, 16, 100},
       100,
       100,
       false,
       false,
       {0, 0, 0, 0},
       {0, 100, 0, 100},
       {0, 50, 16, 100}},
      {"horizontal",
       true,
       {0, 0, 100, 16},
       100,
       0,
       true,
       true,
       {0, 0, 16, 16},
       {84, 0, 100, 16},
       {16, 0, 50, 16}},
      {"horizontal too short",
       true,
       {0, 0, 20, 16},
       100,
       0,
       true,
       true,
       {0, 0, 10, 16},
       {10, 0, 20, 16},
       {0, 0, 0, 0}},
  };
  for (const GeometryCase& c : cases) {
    CScrollBarUI bar;
    bar.SetHorizontal(c.horizontal);
    bar.SetShowButton1(c.show1);
    bar.SetShowButton2(c.show2);
    bar.SetScrollRange(c.range);
    bar.SetScrollPos(c.scrollPos);
    bar.SetPos(c.pos);
    EXPECT_TRUE(SameRect(bar.GetButton1Rect(), c.button1))
        << c.what << ": button 1 " << Show(bar.GetButton1Rect());
    EXPECT_TRUE(SameRect(bar.GetButton2Rect(), c.button2))
        << c.what << ": button 2 " << Show(bar.GetButton2Rect());
    EXPECT_TRUE(SameRect(bar.GetThumbRect(), c.thumb))
        << c.what << ": thumb " << Show(bar.GetThumbRect());
  }
}

TEST(ScrollBarGeometry, RangeAndPositionStayInBounds) {
  CScrollBarUI bar;
  bar.SetScrollPos(70);
  bar.SetScrollRange(-5);
  EXPECT_EQ(bar.GetScrollRange(), 0);
  EXPECT_EQ(bar.GetScrollPos(), 0);
  bar.SetScrollRange(50);
  bar.SetScrollPos(80);
  EXPECT_EQ(bar.GetScrollPos(), 50);
  bar.SetScrollPos(-3);
  EXPECT_EQ(bar.GetScrollPos(), 0);
  bar.SetScrollPos(40);
  bar.SetScrollRange(30);
  EXPECT_EQ(bar.GetScrollPos(), 30);
}

TEST(ScrollBarGeometry, OrientationSwapsTheThickness) {
  CScrollBarUI bar;
  EXPECT_EQ(bar.GetFixedWidth(), 16);
  EXPECT_EQ(bar.GetFixedHeight(), 0);
  bar.ApplyAttributes(TEXT("hor=\"true\" linesize=\"5\" range=\"40\" value=\"12\""));
  EXPECT_TRUE(bar.IsHorizontal());
  EXPECT_EQ(bar.GetFixedWidth(), 0);
  EXPECT_EQ(bar.GetFixedHeight(), 16);
  EXPECT_EQ(bar.GetLineSize(), 5);
  EXPECT_EQ(bar.GetScrollRange(), 40);
  EXPECT_EQ(bar.GetScrollPos(), 12);
  bar.SetHorizontal(false);
  EXPECT_EQ(bar.GetFixedWidth(), 16);
  EXPECT_EQ(bar.GetFixedHeight(), 0);
  EXPECT_EQ(CUIString(bar.GetClassName()), CUIString(TEXT("ScrollBarUI")));
  EXPECT_EQ(bar.GetInterfaceByName(TEXT("ScrollBar")), &bar);
}

// Paints a bar into a 32-bit top-down bitmap and reads its pixels.
class Canvas {
 public:
  Canvas(int cx, int cy) : m_cx(cx) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    m_hDC = CreateCompatibleDC(nullptr);
    m_hBmp = CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits),
                              nullptr, 0);
    m_hOld = SelectObject(m_hDC, m_hBmp);
    std::memset(m_pBits, 0, static_cast<size_t>(cx) * cy * 4);
  }
  ~Canvas() {
    SelectObject(m_hDC, m_hOld);
    DeleteObject(m_hBmp);
    DeleteDC(m_hDC);
  }
  HDC dc() const { return m_hDC; }
  DWORD At(int x, int y) const { return TestSupport::AsDrawn(m_pBits[y * m_cx + x]); }

 private:
  int m_cx;
  HDC m_hDC = nullptr;
  HBITMAP m_hBmp = nullptr;
  HGDIOBJ m_hOld = nullptr;
  DWORD* m_pBits = nullptr;
};

TEST(ScrollBarPaint, WithoutImagesButtonsAndThumbGetTwoPixelFrames) {
  CScrollBarUI bar;
  bar.SetPos(RECT{0, 0, 16, 100});  // buttons 0-16 and 84-100, thumb 16-50
  Canvas canvas(16, 100);
  bar.Paint(canvas.dc(), RECT{0, 0, 16, 100});
  const DWORD frame = 0xFF85E4FF;
  struct Probe {
    int x, y;
    DWORD expected;
  } probes[] = {
      {0, 0, frame},  {1, 1, frame},  {2, 2, 0},       {15, 15, frame}, {8, 8, 0},
      {0, 84, frame}, {8, 99, frame}, {8, 92, 0},      {0, 16, frame},  {15, 49, frame},
      {8, 30, 0},     {8, 60, 0},     {14, 48, frame}, {13, 47, 0},
  };
  for (const Probe& p : probes) {
    EXPECT_EQ(canvas.At(p.x, p.y), p.expected) << "pixel " << p.x << "," << p.y;
  }
}

TEST(ScrollBarPaint, TooShortBarDrawsNoThumb) {
  CScrollBarUI bar;
  bar.SetPos(RECT{0, 0, 16, 30});
  Canvas canvas(16, 30);
  bar.Paint(canvas.dc(), RECT{0, 0, 16, 30});
  EXPECT_EQ(canvas.At(0, 0), 0xFF85E4FFu);
  EXPECT_EQ(canvas.At(0, 15), 0xFF85E4FFu);
  EXPECT_EQ(canvas.At(8, 7), 0u);
  EXPECT_EQ(canvas.At(8, 22), 0u);
}

// --- Presses, repeats and dragging ---------------------------------------------------------

// The repeat timer is the first timer of a fresh manager: native id 17.
constexpr WPARAM kFirstNativeTimer = 17;
// The press repeat timer's period.
constexpr DWORD kTickMs = 50;

class ScrollBarInput : public RoutingFixture {
 protected:
  // A free bar (no owner) at (20,10), 16 x 100, range 100.
  void SetUp() override {
    RoutingFixture::SetUp();
    root = new CContainerUI;
    bar = new CScrollBarUI;
    Place(bar, TEXT("bar"), 20, 10, 16, 100);
    root->Add(bar);
    Open(root);
    ASSERT_EQ(bar->GetThumbRect().top, 26);
    scrolls.clear();
    notes.lines.clear();
    win.pm.AddListener(&scrollLog);
    scrollLog.bar = bar;
    scrollLog.out = &scrolls;
  }

  // Lets n periods of the repeat timer pass on the virtual clock.
  void Tick(int n = 1) {
    for (int i = 0; i < n; i++) ASSERT_TRUE(Drive::AdvanceClock(kTickMs));
  }
  // One repeat tick delivered by hand. The drag tests move the pointer through messages only;
  // letting time pass would also deliver the leave of the real pointer, which is elsewhere.
  void TickByMessage() { Send(WM_TIMER, kFirstNativeTimer, 0); }

  // Logs the position at each "scroll" notification.
  struct ScrollLog : INotifyUI {
    CScrollBarUI* bar = nullptr;
    std::vector<int>* out = nullptr;
    void Receive(TNotifyMsg& msg) override {
      if (msg.sType == TEXT("scroll")) out->push_back(bar->GetScrollPos());
    }
  } scrollLog;

  CContainerUI* root = nullptr;
  CScrollBarUI* bar = nullptr;
  std::vector<int> scrolls;
};

TEST_F(ScrollBarInput, HoldingButtonTwoStepsAtOnceThenRepeatsFromTheSixthTick) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(28, 105));
  EXPECT_EQ(scrolls, (std::vector<int>{8}));
  Tick(5);
  EXPECT_EQ(scrolls, (std::vector<int>{8}));
  Tick();
  EXPECT_EQ(scrolls, (std::vector<int>{8, 16}));
  Tick(2);
  EXPECT_EQ(scrolls, (std::vector<int>{8, 16, 24, 32}));
  Send(WM_LBUTTONUP, 0, ClientPoint(28, 105));
  Tick(2);  // the timer is stopped: time passing changes nothing
  EXPECT_EQ(scrolls, (std::vector<int>{8, 16, 24, 32}));
  Send(WM_TIMER, kFirstNativeTimer, 0);  // nor does a tick that still arrives
  EXPECT_EQ(scrolls, (std::vector<int>{8, 16, 24, 32}));
  EXPECT_EQ(bar->GetScrollPos(), 32);
}

TEST_F(ScrollBarInput, ButtonOneStepsBackByTheLineSize) {
  bar->SetLineSize(5);
  bar->SetScrollPos(20);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(28, 12));
  Send(WM_LBUTTONUP, 0, ClientPoint(28, 12));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, ClientPoint(28, 12));
  Send(WM_LBUTTONUP, 0, ClientPoint(28, 12));
  EXPECT_EQ(scrolls, (std::vector<int>{15, 10}));
}

TEST_F(ScrollBarInput, PressOnTheTrackPagesTowardThePoint) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(28, 80));  // below the thumb
  Send(WM_LBUTTONUP, 0, ClientPoint(28, 80));
  EXPECT_EQ(bar->GetScrollPos(), 100);
  const RECT thumb = bar->GetThumbRect();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(28, thumb.top - 3));  // above it
  Send(WM_LBUTTONUP, 0, ClientPoint(28, thumb.top - 3));
  EXPECT_EQ(scrolls, (std::vector<int>{100, 0}));
}

TEST_F(ScrollBarInput, DraggingTheThumbMovesItWithThePointerOnTheNextTick) {
  // Thumb 26-60 on a track of 68 px: 34 px of travel for a range of 100.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(28, 40));
  Send(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(28, 57));
  EXPECT_EQ(bar->GetScrollPos(), 0) << "the position follows on timer ticks only";
  TickByMessage();
  EXPECT_EQ(bar->GetScrollPos(), 50);
  EXPECT_EQ(bar->GetThumbRect().top, 26 + 17);
  Send(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(28, 200));
  TickByMessage();
  EXPECT_EQ(bar->GetScrollPos(), 100);
  Send(WM_LBUTTONUP, 0, ClientPoint(28, 200));
  EXPECT_EQ(scrolls, (std::vector<int>{0, 50, 100}));
}

TEST_F(ScrollBarInput, DraggingWithHiddenButtonsStillFollowsThePointer) {
  bar->SetShowButton1(false);
  bar->SetShowButton2(false);
  // Track 100 px, thumb 50 px: 50 px of travel for a range of 100.
  ASSERT_EQ(bar->GetThumbRect().top, 10);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(28, 20));
  Send(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(28, 37));
  TickByMessage();
  EXPECT_EQ(bar->GetScrollPos(), 34);
  EXPECT_EQ(bar->GetThumbRect().top, 10 + 17);
  Send(WM_LBUTTONUP, 0, ClientPoint(28, 37));
}

TEST_F(ScrollBarInput, DisabledBarIgnoresPresses) {
  bar->SetEnabled(false);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(28, 105));
  Tick(8);
  Send(WM_LBUTTONUP, 0, ClientPoint(28, 105));
  EXPECT_EQ(bar->GetScrollPos(), 0);
  EXPECT_TRUE(scrolls.empty());
}

// --- Owned bars and scrolling containers ---------------------------------------------------

// Stacks its children top to bottom at their fixed heights, shifted by the scroll position,
// and lets the container place its bars: what a vertical layout does.
class StackUI : public CContainerUI {
 public:
  void SetPos(RECT rc) override {
    CControlUI::SetPos(rc);
    RECT inner = m_rcItem;
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) {
      inner.right -= m_pVerticalScrollBar->GetFixedWidth();
    }
    int y = inner.top - GetScrollPos().cy;
    int required = 0;
    for (int i = 0; i < GetCount(); i++) {
      CControlUI* pChild = GetItemAt(i);
      const int h = pChild->GetFixedHeight();
      pChild->SetPos(RECT{inner.left, y, inner.right, y + h});
      y += h;
      required += h;
    }
    UpdateScrollBars(inner, 0, required);
  }
};

class ScrollingContainer : public RoutingFixture {
 protected:
  // A 100 x 100 stack of five 50-high children at (0,0), with a vertical bar.
  void SetUp() override {
    RoutingFixture::SetUp();
    root = new CContainerUI;
    stack = new StackUI;
    Place(stack, TEXT("stack"), 0, 0, 100, 100);
    for (int i = 0; i < 5; i++) {
      CControlUI* pChild = new CControlUI;
      pChild->SetFixedHeight(50);
      stack->Add(pChild);
    }
    stack->EnableScrollBars(true, false);
    root->Add(stack);
    Open(root);
    lineStep = win.pm.DefaultFont().tm.tmHeight + 8;
  }

  CContainerUI* root = nullptr;
  StackUI* stack = nullptr;
  int lineStep = 0;
};

TEST_F(ScrollingContainer, BarAppearsWithTheOverflowAsRange) {
  CScrollBarUI* pBar = stack->GetVerticalScrollBar();
  ASSERT_NE(pBar, nullptr);
  EXPECT_TRUE(pBar->IsVisible());
  EXPECT_EQ(pBar->GetOwner(), stack);
  EXPECT_EQ(pBar->GetScrollRange(), 150);
  EXPECT_TRUE(SameRect(pBar->GetPos(), RECT{84, 0, 100, 100})) << Show(pBar->GetPos());
  EXPECT_EQ(stack->GetItemAt(0)->GetPos().right, 84);
  EXPECT_EQ(stack->GetScrollRange().cy, 150);
}

TEST_F(ScrollingContainer, BarHidesWhenTheContentFits) {
  while (stack->GetCount() > 2) stack->RemoveAt(0);
  Drive::RunUntilIdle();
  CScrollBarUI* pBar = stack->GetVerticalScrollBar();
  EXPECT_FALSE(pBar->IsVisible());
  EXPECT_EQ(pBar->GetScrollRange(), 0);
  EXPECT_EQ(stack->GetItemAt(0)->GetPos().right, 100);
  EXPECT_EQ(stack->GetScrollRange().cy, 0);

  // Content that grows past the height brings the bar back, at the top.
  for (int i = 0; i < 2; i++) {
    CControlUI* pChild = new CControlUI;
    pChild->SetFixedHeight(40);
    stack->Add(pChild);
  }
  Drive::RunUntilIdle();
  EXPECT_TRUE(pBar->IsVisible());
  EXPECT_EQ(pBar->GetScrollRange(), 80);
  EXPECT_EQ(pBar->GetScrollPos(), 0);
  EXPECT_EQ(stack->GetItemAt(0)->GetPos().right, 84);
}

TEST_F(ScrollingContainer, OneWheelNotchScrollsOneLine) {
  const int top0 = stack->GetItemAt(0)->GetPos().top;
  const int top3 = stack->GetItemAt(3)->GetPos().top;
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), ScreenPoint(40, 40));
  EXPECT_EQ(stack->GetScrollPos().cy, lineStep);
  EXPECT_EQ(stack->GetItemAt(0)->GetPos().top, top0 - lineStep);
  EXPECT_EQ(stack->GetItemAt(3)->GetPos().top, top3 - lineStep);
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), ScreenPoint(40, 40));
  EXPECT_EQ(stack->GetScrollPos().cy, 0);
  EXPECT_EQ(stack->GetItemAt(0)->GetPos().top, top0);
}

TEST_F(ScrollingContainer, StepsAreClampedToTheRange) {
  stack->PageDown();
  EXPECT_EQ(stack->GetScrollPos().cy, 100);
  stack->ScrollToBottom();
  EXPECT_EQ(stack->GetScrollPos().cy, 150);
  EXPECT_EQ(stack->GetItemAt(4)->GetPos().bottom, 100);
  stack->LineDown();
  EXPECT_EQ(stack->GetScrollPos().cy, 150);
  stack->PageUp();
  EXPECT_EQ(stack->GetScrollPos().cy, 50);
  stack->ScrollToTop();
  EXPECT_EQ(stack->GetScrollPos().cy, 0);
  EXPECT_EQ(stack->GetItemAt(0)->GetPos().top, 0);
  stack->LineRight();  // no horizontal bar: nothing moves
  EXPECT_EQ(stack->GetScrollPos().cx, 0);
  EXPECT_EQ(stack->GetItemAt(0)->GetPos().left, 0);
}

TEST_F(ScrollingContainer, OwnedBarScrollsItsOwnerAndSendsNoScroll) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(90, 95));  // the down arrow
  Send(WM_LBUTTONUP, 0, ClientPoint(90, 95));
  EXPECT_EQ(stack->GetScrollPos().cy, lineStep);
  EXPECT_EQ(stack->GetItemAt(0)->GetPos().top, -lineStep);
  for (const std::string& line : notes.lines) EXPECT_NE(line.rfind("scroll", 0), 0u) << line;
}

TEST_F(ScrollingContainer, HiddenBarMovesNothing) {
  stack->GetVerticalScrollBar()->SetVisible(false);
  stack->SetScrollPos(SIZE{0, 40});
  EXPECT_EQ(stack->GetItemAt(0)->GetPos().top, 0);
  EXPECT_EQ(stack->GetScrollPos().cy, 0);
}

TEST_F(ScrollingContainer, BarsTakeTheSkinDefaultsAndGoAway) {
  win.pm.SetDefaultAttributes(TEXT("HScrollBar"), TEXT("height=\"9\" linesize=\"3\""));
  stack->EnableScrollBars(true, true);
  CScrollBarUI* pH = stack->GetHorizontalScrollBar();
  ASSERT_NE(pH, nullptr);
  EXPECT_TRUE(pH->IsHorizontal());
  EXPECT_EQ(pH->GetFixedHeight(), 9);
  EXPECT_EQ(pH->GetLineSize(), 3);
  stack->EnableScrollBars(false, false);
  EXPECT_EQ(stack->GetVerticalScrollBar(), nullptr);
  EXPECT_EQ(stack->GetHorizontalScrollBar(), nullptr);
}

// A list-like container: only children that answer "ListItem" are selectable.
class ItemUI : public CControlUI {
 public:
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override {
    if (lstrcmpW(pstrName, TEXT("ListItem")) == 0) return this;
    return CControlUI::GetInterfaceByName(pstrName);
  }
};

TEST(ScrollContainerItems, FindSelectableItemSkipsWhatCannotBeSelected) {
  CContainerUI list;
  EXPECT_EQ(list.FindSelectableItem(0, true), -1);
  list.Add(new CControlUI);  // 0: not an item
  list.Add(new ItemUI);      // 1
  CControlUI* disabled = new ItemUI;
  disabled->SetEnabled(false);
  list.Add(disabled);  // 2
  CControlUI* hidden = new ItemUI;
  hidden->SetVisible(false);
  list.Add(hidden);          // 3
  list.Add(new ItemUI);      // 4
  list.Add(new CControlUI);  // 5
  struct {
    int from;
    bool forward;
    int expected;
  } cases[] = {{0, true, 1},  {2, true, 4},  {5, true, -1}, {99, true, -1}, {-4, true, 1},
               {3, false, 1}, {5, false, 4}, {0, false, 1}, {99, false, 4}};
  for (const auto& c : cases) {
    EXPECT_EQ(list.FindSelectableItem(c.from, c.forward), c.expected)
        << "from " << c.from << (c.forward ? " forward" : " backward");
  }
}

}  // namespace
}  // namespace RoutingTest
