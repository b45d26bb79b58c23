// Timers and painting: WM_TIMER when due, ids that never collide, WM_PAINT only when the queue
// is otherwise empty, update rectangles, and the pixels a window paints.
#include <gtest/gtest.h>

#include <set>

#include "Recorder.h"

using namespace WindowTest;
namespace H = Platform::Headless;

namespace {

class TimersPainting : public ::testing::Test {
 protected:
  Recorder rec;
};

TEST_F(TimersPainting, TimerFiresAfterItsTimeAndStopsWhenKilled) {
  HWND a = rec.Create("A", WS_POPUP);
  ASSERT_EQ(SetTimer(a, 42, 20, nullptr), 42u);
  rec.Only({WM_TIMER});
  rec.Clear();
  DWORD start = GetTickCount();
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  DispatchMessageW(&msg);
  EXPECT_GE(GetTickCount() - start, 15u);
  EXPECT_TRUE(rec.Matches({{"A", WM_TIMER, 42, 0}})) << rec.Describe();
  EXPECT_TRUE(KillTimer(a, 42));
  EXPECT_FALSE(KillTimer(a, 42));
  PostMessageW(a, WM_USER, 0, 0);
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
}

TEST_F(TimersPainting, TimersFollowTheVirtualClockOneTickAtATime) {
  HWND a = rec.Create("A", WS_POPUP);
  ASSERT_EQ(SetTimer(a, 7, 25, nullptr), 7u);
  rec.Only({WM_TIMER});
  rec.Clear();
  DWORD start = GetTickCount();
  ASSERT_TRUE(H::AdvanceClock(24));
  EXPECT_TRUE(rec.Matches({})) << "came early: " << rec.Describe();
  EXPECT_EQ(GetTickCount() - start, 24u);
  ASSERT_TRUE(H::AdvanceClock(1));
  EXPECT_TRUE(rec.Matches({{"A", WM_TIMER, 7, 0}})) << rec.Describe();
  // An idle loop lives through every period of a longer stretch.
  rec.Clear();
  ASSERT_TRUE(H::AdvanceClock(100));
  EXPECT_EQ(rec.Messages().size(), 4u) << rec.Describe();
  EXPECT_EQ(GetTickCount() - start, 125u);
  KillTimer(a, 7);
  // A quit stops the clock where it came.
  PostQuitMessage(3);
  EXPECT_FALSE(H::AdvanceClock(50));
  EXPECT_EQ(GetTickCount() - start, 125u);
}

TEST_F(TimersPainting, ThreadTimersNeverReuseALiveId) {
  std::set<UINT_PTR> ids;
  for (int i = 0; i < 300; ++i) {
    UINT_PTR id = SetTimer(nullptr, 0, 1000, nullptr);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(ids.insert(id).second) << "id " << id << " given twice";
  }
  for (UINT_PTR id : ids) EXPECT_TRUE(KillTimer(nullptr, id));
}

int g_procCalls = 0;
void CALLBACK CountingTimerProc(HWND, UINT, UINT_PTR, DWORD) { g_procCalls++; }

TEST_F(TimersPainting, TimerProcedureRunsThroughDispatch) {
  g_procCalls = 0;
  UINT_PTR id = SetTimer(nullptr, 0, 10, CountingTimerProc);
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.wParam, id);
  DispatchMessageW(&msg);
  EXPECT_EQ(g_procCalls, 1);
  KillTimer(nullptr, id);
}

TEST_F(TimersPainting, PaintComesAfterPostedMessagesAndOnlyOnceValidated) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 100, 80});
  H::RunUntilIdle();
  rec.Only({WM_PAINT, WM_USER, WM_ERASEBKGND});
  rec.Clear();
  RECT part{10, 10, 20, 30};
  InvalidateRect(a, &part, FALSE);
  RECT other{50, 5, 60, 15};
  InvalidateRect(a, &other, TRUE);
  PostMessageW(a, WM_USER, 0, 0);
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(a, &update, FALSE));
  EXPECT_EQ(update.left, 10);
  EXPECT_EQ(update.top, 5);
  EXPECT_EQ(update.right, 60);
  EXPECT_EQ(update.bottom, 30);
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches({{"A", WM_USER}, {"A", WM_PAINT}, {"A", WM_ERASEBKGND}}))
      << rec.Describe();
  EXPECT_FALSE(GetUpdateRect(a, &update, FALSE));
  // Hidden windows collect invalid areas but get no WM_PAINT until shown.
  ShowWindow(a, SW_HIDE);
  rec.Clear();
  InvalidateRect(a, nullptr, FALSE);
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches({})) << rec.Describe();
  ShowWindow(a, SW_SHOWNA);
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches({{"A", WM_PAINT}, {"A", WM_ERASEBKGND}})) << rec.Describe();
}

TEST_F(TimersPainting, PaintedPixelsLandInTheWindowAndItsChildren) {
  HWND top = rec.Create("T", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 100, 80});
  HWND child = rec.Create("C", WS_CHILD | WS_VISIBLE, top, 0, {40, 30, 60, 50});
  rec.SetAnswer([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc{};
    GetClientRect(hwnd, &rc);
    HBRUSH brush = CreateSolidBrush(hwnd == top ? RGB(255, 0, 0) : RGB(0, 0, 255));
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
  });
  InvalidateRect(top, nullptr, FALSE);
  H::RunUntilIdle();
  EXPECT_EQ(H::Pixel(top, 5, 5), 0xFFFF0000u);
  EXPECT_EQ(H::Pixel(top, 45, 35), 0xFF0000FFu);
  EXPECT_EQ(H::Pixel(child, 0, 0), 0xFF0000FFu);
  EXPECT_EQ(H::Pixel(child, 19, 19), 0xFF0000FFu);
  EXPECT_EQ(H::Pixel(top, 60, 50), 0xFFFF0000u);
  EXPECT_GT(H::View(top).presents, 0);
}

TEST_F(TimersPainting, SizeChangesResizeTheSurfaceAndRepaint) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 50, 40});
  H::RunUntilIdle();
  rec.Only({WM_PAINT, WM_SIZE});
  rec.Clear();
  MoveWindow(a, 0, 0, 120, 90, TRUE);
  H::RunUntilIdle();
  EXPECT_TRUE(rec.Matches({{"A", WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 90)}, {"A", WM_PAINT}}))
      << rec.Describe();
  RECT c{};
  GetClientRect(a, &c);
  EXPECT_EQ(c.right, 120);
  EXPECT_EQ(c.bottom, 90);
}

}  // namespace
