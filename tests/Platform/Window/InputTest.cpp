// Mouse and keyboard input on the headless host: routing, hover and leave, double clicks,
// capture, caption drag, key state and characters.
#include <gtest/gtest.h>

#include <thread>

#include "Recorder.h"

using namespace WindowTest;
namespace H = Platform::Headless;

namespace {

class Input : public ::testing::Test {
 protected:
  Recorder rec;
};

LPARAM Pt(int x, int y) { return MAKELPARAM(x, y); }

TEST_F(Input, MouseMessagesGoToTheDeepestWindowInClientCoordinates) {
  HWND top = rec.Create("T", WS_POPUP | WS_VISIBLE, nullptr, 0, {100, 100, 300, 300});
  HWND child = rec.Create("C", WS_CHILD | WS_VISIBLE, top, 0, {50, 50, 150, 150});
  ASSERT_TRUE(top && child);
  H::RunUntilIdle();
  rec.Only({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP});
  rec.Clear();
  H::MoveMouse(110, 120);
  H::MoveMouse(160, 170);
  H::Button(Platform::MouseButton::Left, true);
  H::Button(Platform::MouseButton::Left, false);
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches({{"T", WM_MOUSEMOVE, 0, Pt(10, 20)},
                           {"C", WM_MOUSEMOVE, 0, Pt(10, 20)},
                           {"C", WM_LBUTTONDOWN, MK_LBUTTON, Pt(10, 20)},
                           {"C", WM_LBUTTONUP, 0, Pt(10, 20)}}))
      << rec.Describe();
  POINT p{};
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 160);
  EXPECT_EQ(WindowFromPoint(POINT{160, 170}), child);
  EXPECT_EQ(WindowFromPoint(POINT{5, 5}), nullptr);
}

TEST_F(Input, CaptureTakesTheMouseEvenOutsideTheWindow) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 100, 100});
  rec.Create("B", WS_POPUP | WS_VISIBLE, nullptr, 0, {200, 0, 300, 100});
  SetCapture(a);
  rec.Only({WM_MOUSEMOVE});
  rec.Clear();
  H::MoveMouse(250, 10);
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches({{"A", WM_MOUSEMOVE, 0, Pt(250, 10)}})) << rec.Describe();
  ReleaseCapture();
  rec.Clear();
  H::MoveMouse(251, 10);
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches({{"B", WM_MOUSEMOVE, 0, Pt(51, 10)}})) << rec.Describe();
}

TEST_F(Input, HoverAfterTheHoverTimeAndLeaveWhenThePointerGoes) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 100, 100});
  H::MoveMouse(20, 30);
  H::RunUntilIdle();
  TRACKMOUSEEVENT tme{sizeof(tme), TME_HOVER | TME_LEAVE, a, 30};
  ASSERT_TRUE(TrackMouseEvent(&tme));
  TRACKMOUSEEVENT query{sizeof(query), TME_QUERY, nullptr, 0};
  ASSERT_TRUE(TrackMouseEvent(&query));
  EXPECT_EQ(query.hwndTrack, a);
  EXPECT_EQ(query.dwFlags, static_cast<DWORD>(TME_HOVER | TME_LEAVE));
  rec.Only({WM_MOUSEHOVER, WM_MOUSELEAVE});
  rec.Clear();
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches({})) << "hover came before its time: " << rec.Describe();
  ASSERT_TRUE(H::AdvanceClock(29));
  EXPECT_TRUE(rec.Matches({})) << "hover came before its time: " << rec.Describe();
  ASSERT_TRUE(H::AdvanceClock(1));
  EXPECT_TRUE(rec.Matches({{"A", WM_MOUSEHOVER, 0, Pt(20, 30)}})) << rec.Describe();
  rec.Clear();
  H::MoveMouse(500, 500);
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches({{"A", WM_MOUSELEAVE}})) << rec.Describe();
  query.dwFlags = TME_QUERY;
  TrackMouseEvent(&query);
  EXPECT_EQ(query.dwFlags, 0u);
  // Tracking a window the pointer is not over reports the leave at once.
  rec.Clear();
  tme.dwFlags = TME_LEAVE;
  ASSERT_TRUE(TrackMouseEvent(&tme));
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches({{"A", WM_MOUSELEAVE}})) << rec.Describe();
}

TEST_F(Input, SecondClickInTimeAndPlaceIsADoubleClick) {
  rec.Create("A", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 100, 100});
  rec.Only({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
  rec.Clear();
  H::Click(10, 10);
  H::Click(11, 10);
  H::Click(40, 40);  // elsewhere: a new first click
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches({{"A", WM_LBUTTONDOWN},
                           {"A", WM_LBUTTONUP},
                           {"A", WM_LBUTTONDBLCLK},
                           {"A", WM_LBUTTONUP},
                           {"A", WM_LBUTTONDOWN},
                           {"A", WM_LBUTTONUP}}))
      << rec.Describe();
}

TEST_F(Input, ClickActivatesAnInactiveWindow) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 100, 100});
  HWND b = rec.Create("B", WS_POPUP | WS_VISIBLE, nullptr, 0, {200, 0, 300, 100});
  EXPECT_EQ(GetActiveWindow(), b);
  rec.Only({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN});
  rec.Clear();
  H::MoveMouse(10, 10);
  H::Button(Platform::MouseButton::Left, true);
  H::RunUntilIdle();
  H::Button(Platform::MouseButton::Left, false);
  EXPECT_TRUE(rec.Matches({{"A", WM_MOUSEACTIVATE},
                           {"B", WM_ACTIVATE, WA_INACTIVE},
                           {"A", WM_ACTIVATE, WA_CLICKACTIVE},
                           {"A", WM_LBUTTONDOWN}}))
      << rec.Describe();
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
}

TEST_F(Input, CaptionBandDragsTheWindow) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, nullptr, 0, {100, 100, 300, 250});
  rec.SetAnswer([](HWND hwnd, UINT msg, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
    if (msg != WM_NCHITTEST) return std::nullopt;
    LRESULT hit = DefWindowProcW(hwnd, msg, w, l);
    return hit == HTCLIENT && GET_Y_LPARAM(l) < 130 ? HTCAPTION : hit;
  });
  rec.Only({WM_NCLBUTTONDOWN, WM_LBUTTONDOWN, WM_MOVE});
  rec.Clear();
  H::MoveMouse(150, 110);
  H::Button(Platform::MouseButton::Left, true);
  H::RunUntilIdle();
  H::MoveMouse(190, 160);
  H::Button(Platform::MouseButton::Left, false);
  H::RunUntilIdle();
  RECT r{};
  GetWindowRect(a, &r);
  EXPECT_EQ(r.left, 140);
  EXPECT_EQ(r.top, 150);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(H::View(a).rect.left, 140);
  EXPECT_TRUE(rec.Matches(
      {{"A", WM_NCLBUTTONDOWN, HTCAPTION, Pt(150, 110)}, {"A", WM_MOVE, 0, Pt(140, 150)}}))
      << rec.Describe();
}

TEST_F(Input, SizingBordersAnsweredByTheWindowStartASizingDragOfThatEdge) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, nullptr, 0, {100, 100, 300, 250});
  HWND child = rec.Create("C", WS_CHILD | WS_VISIBLE, a, 0, {10, 10, 50, 50});
  LRESULT answer = HTBOTTOMRIGHT;
  rec.SetAnswer([&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg != WM_NCHITTEST) return std::nullopt;
    return answer;
  });
  rec.Only({WM_NCLBUTTONDOWN, WM_SYSCOMMAND});
  rec.Clear();
  H::Click(295, 245);
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches(
      {{"A", WM_NCLBUTTONDOWN, HTBOTTOMRIGHT}, {"A", WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT}}))
      << rec.Describe();
  EXPECT_EQ(H::View(a).resizeEdge, WMSZ_BOTTOMRIGHT);

  answer = HTLEFT;
  H::Click(101, 200);
  H::RunUntilIdle();
  EXPECT_EQ(H::View(a).resizeEdge, WMSZ_LEFT);
  answer = HTTOP;
  H::Click(200, 101);
  H::RunUntilIdle();
  EXPECT_EQ(H::View(a).resizeEdge, WMSZ_TOP);

  // A child's border sizes nothing; the caption band still moves rather than sizes.
  answer = HTBOTTOMRIGHT;
  rec.Clear();
  H::Click(145, 145);
  H::RunUntilIdle();
  EXPECT_EQ(H::View(a).resizeEdge, WMSZ_TOP);
  EXPECT_EQ(rec.Messages().size(), 2u) << rec.Describe();
  EXPECT_EQ(rec.Messages().front().hwnd, child);
  answer = HTCAPTION;
  H::Click(200, 120);
  H::RunUntilIdle();
  EXPECT_EQ(H::View(a).resizeEdge, WMSZ_TOP);
}

TEST_F(Input, KeysGoToTheFocusAndTranslateIntoCharacters) {
  HWND top = rec.Create("T", WS_POPUP | WS_VISIBLE);
  HWND edit = rec.Create("E", WS_CHILD | WS_VISIBLE, top);
  SetFocus(edit);
  rec.Only({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP});
  rec.Clear();
  H::Type(u"aB");
  SHORT shiftDuring = 0;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_KEYDOWN && msg.wParam == 'B') shiftDuring = GetKeyState(VK_SHIFT);
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  EXPECT_NE(shiftDuring & 0x8000, 0);
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_TRUE(rec.Matches({{"E", WM_KEYDOWN, 'A'},
                           {"E", WM_CHAR, u'a'},
                           {"E", WM_KEYUP, 'A'},
                           {"E", WM_KEYDOWN, VK_SHIFT},
                           {"E", WM_KEYDOWN, 'B'},
                           {"E", WM_CHAR, u'B'},
                           {"E", WM_KEYUP, 'B'},
                           {"E", WM_KEYUP, VK_SHIFT}}))
      << rec.Describe();
  // Alt makes system keys; Alt+F4 closes the top-level window through default processing.
  rec.Clear();
  H::Key(VK_MENU, true);
  H::Key(VK_F4, true);
  H::RunUntilIdle();
  H::Key(VK_F4, false);
  H::Key(VK_MENU, false);
  H::RunUntilIdle();
  EXPECT_FALSE(IsWindow(top));
}

TEST_F(Input, WheelGoesToTheFocusAndClimbsToTheParent) {
  HWND top = rec.Create("T", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 100, 100});
  HWND child = rec.Create("C", WS_CHILD | WS_VISIBLE, top, 0, {0, 0, 50, 50});
  SetFocus(child);
  rec.Only({WM_MOUSEWHEEL});
  rec.Clear();
  H::MoveMouse(10, 10);
  H::Wheel(-WHEEL_DELTA);
  H::RunUntilIdle();
  WPARAM wp = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
  EXPECT_TRUE(rec.Matches({{"C", WM_MOUSEWHEEL, wp, Pt(10, 10)}, {"T", WM_MOUSEWHEEL, wp}}))
      << rec.Describe();
}

}  // namespace
