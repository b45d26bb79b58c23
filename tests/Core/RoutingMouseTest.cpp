// Mouse routing as data: per scenario, the events each control receives and the notifications
// the listener gets, in order.
#include "RoutingTestWindow.h"
#include "support/WideString.h"

namespace RoutingTest {
namespace {

class RoutingMouse : public RoutingFixture {
 protected:
  // A at (10,10)-(60,40), B at (100,10)-(150,40); both log their events.
  void SetUp() override {
    RoutingFixture::SetUp();
    root = new CContainerUI;
    a = Place(new CControlUI, TEXT("A"), 10, 10, 50, 30);
    b = Place(new CControlUI, TEXT("B"), 100, 10, 50, 30);
    root->Add(a);
    root->Add(b);
    Open(root);
    ASSERT_EQ(a->GetPos().left, 10);
    ASSERT_EQ(b->GetPos().left, 100);
    Probe(a, &events);
    Probe(b, &events);
  }

  CContainerUI* root = nullptr;
  CControlUI* a = nullptr;
  CControlUI* b = nullptr;
};

TEST_F(RoutingMouse, MoveOffEveryControlLeavesWithoutAMove) {
  Send(WM_MOUSEMOVE, 0, ClientPoint(20, 20));
  Send(WM_MOUSEMOVE, 0, ClientPoint(30, 20));
  Send(WM_MOUSEMOVE, 0, ClientPoint(80, 100));
  Send(WM_MOUSEMOVE, 0, ClientPoint(90, 110));
  EXPECT_EQ(events, (Log{"A MouseEnter", "A MouseMove", "A MouseMove", "A MouseLeave"}));
  EXPECT_TRUE(notes.lines.empty());
  EXPECT_EQ(win.pm.LastMousePos().x, 90);
  EXPECT_EQ(win.pm.LastMousePos().y, 110);
}

TEST_F(RoutingMouse, PressOnAMoveOverBReleaseKeepsEverythingWithA) {
  Send(WM_MOUSEMOVE, 0, ClientPoint(20, 20));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(20, 20));
  EXPECT_TRUE(win.pm.IsMouseCaptured());
  Send(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(110, 20));
  Send(WM_LBUTTONUP, 0, ClientPoint(110, 20));
  EXPECT_FALSE(win.pm.IsMouseCaptured());
  Send(WM_MOUSEMOVE, 0, ClientPoint(120, 20));
  EXPECT_EQ(events,
            (Log{"A MouseEnter", "A MouseMove", "A SetFocus", "A ButtonDown", "A MouseLeave",
                 "B MouseEnter", "A MouseMove", "A ButtonUp", "B MouseMove"}));
  EXPECT_EQ(notes.lines, (Log{"setfocus A"}));
  EXPECT_EQ(win.pm.GetFocusControl(), a);
}

TEST_F(RoutingMouse, ButtonEventsCarryTheButtonWordAsKeyState) {
  std::vector<WORD> states;
  a->OnEventDelegates.Add([&](TUIEvent& e) {
    if (e.Type == EventButtonDown || e.Type == EventButtonUp) states.push_back(e.wKeyState);
    return true;
  });
  Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, ClientPoint(20, 20));
  Send(WM_LBUTTONUP, MK_CONTROL, ClientPoint(20, 20));
  EXPECT_EQ(states, (std::vector<WORD>{MK_LBUTTON | MK_SHIFT, MK_CONTROL}));
}

TEST_F(RoutingMouse, DoubleClickComesAfterTheFirstClick) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(20, 20));
  Send(WM_LBUTTONUP, 0, ClientPoint(20, 20));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, ClientPoint(20, 20));
  Send(WM_LBUTTONUP, 0, ClientPoint(20, 20));
  EXPECT_EQ(events,
            (Log{"A SetFocus", "A ButtonDown", "A ButtonUp", "A DoubleClick", "A ButtonUp"}));
  EXPECT_FALSE(win.pm.IsMouseCaptured());
}

// The right button's release alone does not end the press; the context menu that the window's
// default processing makes of it does.
TEST_F(RoutingMouse, RightPressHoldsUntilTheContextMenu) {
  a->SetContextMenuUsed(true);
  LPARAM menuParam = 0;
  a->OnEventDelegates.Add([&](TUIEvent& e) {
    if (e.Type == EventContextMenu) menuParam = e.lParam;
    return true;
  });
  Send(WM_RBUTTONDOWN, MK_RBUTTON, ClientPoint(20, 20));
  Send(WM_MOUSEMOVE, MK_RBUTTON, ClientPoint(110, 20));  // held: the move goes to A
  LRESULT lRes = 0;
  EXPECT_FALSE(win.pm.RouteMessage(WM_RBUTTONUP, 0, ClientPoint(110, 20), lRes));
  EXPECT_TRUE(win.pm.IsMouseCaptured());
  Send(WM_MOUSEMOVE, 0, ClientPoint(112, 20));  // still A's
  Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(win.Handle()), ScreenPoint(115, 20));
  EXPECT_FALSE(win.pm.IsMouseCaptured());
  Send(WM_MOUSEMOVE, 0, ClientPoint(115, 20));
  EXPECT_EQ(events, (Log{"A SetFocus", "A RightButtonDown", "B MouseEnter", "A MouseMove",
                         "A MouseMove", "A ContextMenu", "B MouseMove"}));
  EXPECT_EQ(notes.lines, (Log{"setfocus A", "menu A"}));
  EXPECT_EQ(menuParam, reinterpret_cast<LPARAM>(a));
  EXPECT_EQ(win.pm.LastMousePos().x, 115);
}

TEST_F(RoutingMouse, RightClickThroughTheWindowEndsWithTheContextMenu) {
  a->SetContextMenuUsed(true);
  Send(WM_RBUTTONDOWN, MK_RBUTTON, ClientPoint(20, 20));
  Send(WM_RBUTTONUP, 0, ClientPoint(20, 20));
  EXPECT_FALSE(win.pm.IsMouseCaptured());
  EXPECT_EQ(events, (Log{"A SetFocus", "A RightButtonDown", "A ContextMenu"}));
  EXPECT_EQ(notes.lines, (Log{"setfocus A", "menu A"}));
}

TEST_F(RoutingMouse, ContextMenuWithoutAPressSendsNothing) {
  Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(win.Handle()), ScreenPoint(20, 20));
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(win.pm.LastMousePos().x, 20);
  EXPECT_EQ(win.pm.LastMousePos().y, 20);
}

// Moves the real pointer to a client point of the routed window and lets its move arrive; the
// hover then comes from the tracking the manager arms, when the virtual clock reaches it.
void MovePointer(int x, int y) {
  Drive::MoveMouse(RoutedWindow::kLeft + x, RoutedWindow::kTop + y);
  Drive::RunUntilIdle();
}

TEST_F(RoutingMouse, HoverThenLeave) {
  MovePointer(20, 20);
  ASSERT_TRUE(Drive::AdvanceClock(399));
  EXPECT_EQ(events, (Log{"A MouseEnter", "A MouseMove"}));
  ASSERT_TRUE(Drive::AdvanceClock(1));
  EXPECT_EQ(events, (Log{"A MouseEnter", "A MouseMove", "A MouseHover"}));
  ASSERT_TRUE(Drive::AdvanceClock(1000));  // the hover disarmed tracking
  Send(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(events, (Log{"A MouseEnter", "A MouseMove", "A MouseHover"}));
  // The hover disarmed tracking; the next move arms it, and the leave is a move to (-1, -1).
  Send(WM_MOUSEMOVE, 0, ClientPoint(25, 20));
  Send(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(events,
            (Log{"A MouseEnter", "A MouseMove", "A MouseHover", "A MouseMove", "A MouseLeave"}));
  EXPECT_EQ(win.pm.LastMousePos().x, -1);
  EXPECT_EQ(win.pm.LastMousePos().y, -1);
}

TEST_F(RoutingMouse, HoverOverNothingIsNotHandled) {
  LRESULT lRes = 7;
  EXPECT_FALSE(win.pm.RouteMessage(WM_MOUSEHOVER, 0, ClientPoint(250, 150), lRes));
  EXPECT_TRUE(win.pm.RouteMessage(WM_MOUSEHOVER, 0, ClientPoint(20, 20), lRes));
  EXPECT_TRUE(events.empty());  // no hover control yet: nothing to tell
}

// The tooltip window the manager created for its window, if any.
HWND TooltipOf(HWND owner) {
  HWND hTip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
  return hTip && GetWindow(hTip, GW_OWNER) == owner ? hTip : nullptr;
}

WString TipText(HWND hTip, HWND owner) {
  WCHAR buf[80] = {};
  TOOLINFOW ti = {};
  ti.cbSize = sizeof(ti);
  ti.hwnd = owner;
  ti.uId = reinterpret_cast<UINT_PTR>(owner);
  ti.lpszText = buf;
  SendMessageW(hTip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
  return WString(buf);
}

DWORD ArmedHoverTime() {
  TRACKMOUSEEVENT tme = {};
  tme.cbSize = sizeof(tme);
  tme.dwFlags = TME_QUERY;
  TrackMouseEvent(&tme);
  return tme.dwHoverTime;
}

TEST_F(RoutingMouse, TooltipShownForTextAndNotForEmptyText) {
  a->SetToolTip(TEXT("Install here"));
  MovePointer(110, 20);
  EXPECT_EQ(ArmedHoverTime(), 400u);
  ASSERT_TRUE(Drive::AdvanceClock(400));
  EXPECT_EQ(events, (Log{"B MouseEnter", "B MouseMove", "B MouseHover"}));
  EXPECT_EQ(TooltipOf(win.Handle()), nullptr) << "an empty tooltip creates no window";

  MovePointer(20, 20);
  ASSERT_TRUE(Drive::AdvanceClock(399));
  EXPECT_EQ(TooltipOf(win.Handle()), nullptr) << "no tip before the hover time";
  ASSERT_TRUE(Drive::AdvanceClock(1));
  HWND hTip = TooltipOf(win.Handle());
  ASSERT_NE(hTip, nullptr);
  EXPECT_TRUE(IsWindowVisible(hTip));
  EXPECT_EQ(TipText(hTip, win.Handle()), TEXT("Install here"));

  // From now on the hover time is the tooltip's initial delay.
  SendMessageW(hTip, TTM_SETDELAYTIME, TTDT_INITIAL, 123);
  MovePointer(110, 20);
  EXPECT_EQ(ArmedHoverTime(), 123u);
  EXPECT_FALSE(IsWindowVisible(hTip)) << "leaving the control hides the tip";
  EXPECT_EQ(events,
            (Log{"B MouseEnter", "B MouseMove", "B MouseHover", "B MouseLeave", "A MouseEnter",
                 "A MouseMove", "A MouseHover", "A MouseLeave", "B MouseEnter", "B MouseMove"}));
  ASSERT_TRUE(Drive::AdvanceClock(122));
  EXPECT_EQ(events.back(), "B MouseMove");
  ASSERT_TRUE(Drive::AdvanceClock(1));
  EXPECT_EQ(events.back(), "B MouseHover") << "the hover comes after the initial delay";
}

// A control that asks for the cursor.
class CursorUI : public CControlUI {
 public:
  UINT GetInputFlags() const override { return UIFLAG_SETCURSOR; }
};

TEST_F(RoutingMouse, SetCursorGoesToAControlThatAsksForIt) {
  CursorUI* c = new CursorUI;
  root->Add(Place(c, TEXT("C"), 200, 100, 50, 50));
  Drive::RunUntilIdle();
  Probe(c, &events);
  const WPARAM w = reinterpret_cast<WPARAM>(win.Handle());
  LRESULT lRes = 0;
  Drive::MoveMouse(RoutedWindow::kLeft + 20, RoutedWindow::kTop + 20);  // over A
  EXPECT_FALSE(win.pm.RouteMessage(WM_SETCURSOR, w, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), lRes));
  Drive::MoveMouse(RoutedWindow::kLeft + 210, RoutedWindow::kTop + 110);  // over C
  events.clear();
  EXPECT_FALSE(win.pm.RouteMessage(WM_SETCURSOR, w, MAKELPARAM(HTCAPTION, WM_MOUSEMOVE), lRes));
  EXPECT_TRUE(events.empty()) << "only the client area";
  EXPECT_TRUE(win.pm.RouteMessage(WM_SETCURSOR, w, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), lRes));
  EXPECT_EQ(events, (Log{"C SetCursor from null"}));
  // While the mouse is captured the cursor stays as it is.
  win.pm.CaptureMouse();
  EXPECT_TRUE(win.pm.RouteMessage(WM_SETCURSOR, w, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), lRes));
  win.pm.ReleaseMouse();
  EXPECT_EQ(events, (Log{"C SetCursor from null"}));
}

TEST_F(RoutingMouse, WheelTellsTheDirectionAndFollowsWithAMove) {
  std::vector<WPARAM> directions;
  a->OnEventDelegates.Add([&](TUIEvent& e) {
    if (e.Type == EventScrollWheel) directions.push_back(e.wParam);
    return true;
  });
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), ScreenPoint(20, 20));
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), ScreenPoint(20, 20));
  EXPECT_EQ(directions, (std::vector<WPARAM>{1, 0}));
  EXPECT_EQ(events,
            (Log{"A ScrollWheel", "A MouseEnter", "A MouseMove", "A ScrollWheel", "A MouseMove"}));
}

// A notification queued while the queue drains is delivered by the same drain, before the
// message that started it returns.
TEST_F(RoutingMouse, NotificationQueuedDuringADrainArrivesBeforeTheMessageReturns) {
  class Chain : public INotifyUI {
   public:
    CPaintManagerUI* pm = nullptr;
    Log seen;
    void Receive(TNotifyMsg& msg) override {
      seen.push_back(Narrow(msg.sType));
      if (msg.sType == TEXT("first")) pm->SendNotification(msg.pSender, TEXT("second"), 0, 0, true);
    }
  } chain;
  chain.pm = &win.pm;
  win.pm.AddListener(&chain);
  a->OnEventDelegates.Add([&](TUIEvent& e) {
    if (e.Type == EventButtonDown) win.pm.SendNotification(a, TEXT("first"), 0, 0, true);
    return true;
  });
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(20, 20));
  EXPECT_EQ(chain.seen, (Log{"setfocus", "first", "second"}));
  EXPECT_EQ(notes.lines, (Log{"setfocus A", "first A", "second A"}));
  win.pm.RemoveListener(&chain);
}

TEST_F(RoutingMouse, ControlsOfAnotherManagerAreIgnored) {
  CPaintManagerUI other;
  a->AttachManager(&other, root, false);
  Send(WM_MOUSEMOVE, 0, ClientPoint(20, 20));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(20, 20));
  Send(WM_LBUTTONUP, 0, ClientPoint(20, 20));
  a->AttachManager(&win.pm, root, false);
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(win.pm.IsMouseCaptured());
  EXPECT_EQ(win.pm.LastMousePos().x, 20);
}

TEST_F(RoutingMouse, RealInputOnTheHeadlessHost) {
  Drive::Click(RoutedWindow::kLeft + 20, RoutedWindow::kTop + 20);
  Drive::RunUntilIdle();
  ASSERT_GE(events.size(), 4u);
  EXPECT_EQ(events[0], "A MouseEnter");
  EXPECT_NE(std::find(events.begin(), events.end(), "A ButtonDown"), events.end());
  EXPECT_NE(std::find(events.begin(), events.end(), "A ButtonUp"), events.end());
  EXPECT_EQ(notes.lines, (Log{"setfocus A"}));
}

}  // namespace
}  // namespace RoutingTest
