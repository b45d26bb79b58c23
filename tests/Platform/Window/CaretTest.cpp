// The caret: drawn while shown, blinking at the blink time on its own thread without messages
// the application sees, restarted by moving or showing it, gone at once when hidden, destroyed
// or when its window goes. Time is the headless host's virtual clock.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "Recorder.h"

using namespace WindowTest;
namespace H = Platform::Headless;

namespace {

const uint32_t kWhite = 0xFFFFFFFFu;
const uint32_t kInverted = 0xFF000000u;
const UINT kPeriod = 80;

class Caret : public ::testing::Test {
 protected:
  void SetUp() override {
    savedBlink = GetCaretBlinkTime();
    ASSERT_TRUE(SetCaretBlinkTime(kPeriod));
    top = rec.Create("T", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 120, 60});
    rec.SetAnswer([](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (msg != WM_PAINT) return std::nullopt;
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc{};
      GetClientRect(hwnd, &rc);
      FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      EndPaint(hwnd, &ps);
      return 0;
    });
    InvalidateRect(top, nullptr, FALSE);
    H::RunUntilIdle();
  }
  void TearDown() override {
    DestroyCaret();
    SetCaretBlinkTime(savedBlink);
  }

  void ShowCaretAt(HWND hwnd, int x, int y) {
    ASSERT_TRUE(CreateCaret(hwnd, nullptr, 2, 12));
    ASSERT_TRUE(SetCaretPos(x, y));
    ASSERT_TRUE(ShowCaret(hwnd));
  }
  bool DrawnAt(HWND hwnd, int x, int y) {
    uint32_t px = H::Pixel(hwnd, x, y);
    EXPECT_TRUE(px == kWhite || px == kInverted) << std::hex << px;
    return px == kInverted;
  }

  // Lets ms pass on the virtual clock with the message loop running; counts what the
  // application's windows were sent meanwhile.
  void Pass(DWORD ms) {
    rec.Clear();
    ASSERT_TRUE(H::AdvanceClock(ms));
    for (const Seen& m : rec.Messages()) {
      ++retrieved;
      if (m.msg == WM_TIMER) ++timers;
    }
  }
  // Lets ms pass a millisecond at a time and answers whether pred held all along.
  bool HoldsWhilePassing(const std::function<bool()>& pred, DWORD ms) {
    bool held = pred();
    for (DWORD i = 0; i < ms; ++i) {
      Pass(1);
      held = held && pred();
    }
    return held;
  }

  Recorder rec;
  HWND top = nullptr;
  UINT savedBlink = 0;
  int retrieved = 0;
  int timers = 0;
};

TEST_F(Caret, ShownCaretBlinksAtTheBlinkTimeWithoutMessages) {
  ShowCaretAt(top, 10, 10);
  EXPECT_TRUE(DrawnAt(top, 10, 10)) << "shown means drawn at once";
  EXPECT_TRUE(DrawnAt(top, 11, 21));
  EXPECT_FALSE(DrawnAt(top, 12, 10));
  Pass(kPeriod - 1);
  EXPECT_TRUE(DrawnAt(top, 10, 10)) << "went off before a full period";
  Pass(1);
  EXPECT_FALSE(DrawnAt(top, 10, 10)) << "it did not go off after a period";
  EXPECT_FALSE(DrawnAt(top, 11, 21));
  Pass(kPeriod);
  EXPECT_TRUE(DrawnAt(top, 10, 10)) << "it never came back";
  Pass(kPeriod);
  EXPECT_FALSE(DrawnAt(top, 10, 10)) << "it stopped blinking";
  EXPECT_EQ(retrieved, 0) << "the blinking showed up in the message loop";
  EXPECT_EQ(timers, 0);
  POINT pos{};
  EXPECT_TRUE(GetCaretPos(&pos));
  EXPECT_EQ(pos.x, 10);
}

TEST_F(Caret, AThreadWaitingInGetMessageBlinksItsCaret) {
  ShowCaretAt(top, 10, 10);
  int before = H::View(top).presents;
  DWORD mainThread = GetCurrentThreadId();
  std::thread watcher([&] {
    // Each flip is shown on the host; two flips mean the waiting thread woke to blink. Real
    // time: the waiting thread moves the virtual clock itself.
    auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (H::View(top).presents < before + 2 && std::chrono::steady_clock::now() < give_up) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    PostThreadMessageW(mainThread, WM_USER, H::View(top).presents >= before + 2 ? 1 : 0, 0);
  });
  DWORD start = GetTickCount();
  MSG msg{};
  BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  watcher.join();
  EXPECT_TRUE(got);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER)) << "the first message is the watcher's";
  EXPECT_EQ(msg.wParam, 1u) << "the caret did not blink while the thread waited";
  EXPECT_GE(GetTickCount() - start, 2 * kPeriod) << "the clock did not follow the wait";
}

TEST_F(Caret, OnlyTheOwnerThreadBlinksIt) {
  ShowCaretAt(top, 10, 10);
  std::thread other([] { H::AdvanceClock(4 * kPeriod); });
  other.join();
  EXPECT_TRUE(DrawnAt(top, 10, 10)) << "another thread's message loop flipped it";
  Pass(0);
  EXPECT_FALSE(DrawnAt(top, 10, 10)) << "the owner did not catch up";
}

TEST_F(Caret, MovingOrShowingRestartsTheCycleDrawn) {
  ShowCaretAt(top, 10, 10);
  Pass(kPeriod);
  ASSERT_FALSE(DrawnAt(top, 10, 10));
  Pass(kPeriod / 2);
  ASSERT_TRUE(SetCaretPos(30, 10));
  EXPECT_TRUE(DrawnAt(top, 30, 10)) << "a moved caret is drawn at once";
  EXPECT_FALSE(DrawnAt(top, 10, 10)) << "and not left behind";
  Pass(kPeriod - 1);
  EXPECT_TRUE(DrawnAt(top, 30, 10)) << "the move did not start a full period";
  Pass(1);
  EXPECT_FALSE(DrawnAt(top, 30, 10));
  EXPECT_FALSE(DrawnAt(top, 10, 10));

  // Moving while drawn keeps it drawn and restarts too.
  Pass(kPeriod + kPeriod / 2);
  ASSERT_TRUE(DrawnAt(top, 30, 10));
  ASSERT_TRUE(SetCaretPos(50, 10));
  EXPECT_TRUE(DrawnAt(top, 50, 10));
  EXPECT_FALSE(DrawnAt(top, 30, 10));
  Pass(kPeriod - 1);
  EXPECT_TRUE(DrawnAt(top, 50, 10)) << "the move did not start a full period";
  Pass(1);
  EXPECT_FALSE(DrawnAt(top, 50, 10));

  ASSERT_TRUE(HideCaret(top));
  ASSERT_TRUE(ShowCaret(top));
  EXPECT_TRUE(DrawnAt(top, 50, 10)) << "showing starts drawn";
  EXPECT_EQ(timers, 0);
}

TEST_F(Caret, HiddenOrDestroyedCaretIsGoneAtOnceAndStaysGone) {
  ShowCaretAt(top, 10, 10);
  ASSERT_TRUE(DrawnAt(top, 10, 10));
  ASSERT_TRUE(HideCaret(top));
  EXPECT_FALSE(DrawnAt(top, 10, 10)) << "hiding is immediate";
  ASSERT_TRUE(HideCaret(top));
  ASSERT_TRUE(ShowCaret(top));
  EXPECT_TRUE(HoldsWhilePassing([&] { return !DrawnAt(top, 10, 10); }, 4 * kPeriod))
      << "a caret hidden twice and shown once blinked";
  ASSERT_TRUE(ShowCaret(top));
  EXPECT_TRUE(DrawnAt(top, 10, 10));
  ASSERT_TRUE(DestroyCaret());
  EXPECT_FALSE(DrawnAt(top, 10, 10)) << "destroying is immediate";
  EXPECT_TRUE(HoldsWhilePassing([&] { return !DrawnAt(top, 10, 10); }, 4 * kPeriod));
  EXPECT_FALSE(ShowCaret(top));
  EXPECT_FALSE(SetCaretPos(1, 1));
}

TEST_F(Caret, NothingIsDrawnAfterTheOwnerWindowGoes) {
  HWND child = rec.Create("C", WS_CHILD | WS_VISIBLE, top, 0, {20, 10, 80, 40});
  H::RunUntilIdle();
  ShowCaretAt(child, 5, 5);
  ASSERT_TRUE(DrawnAt(top, 25, 15));
  ASSERT_TRUE(DestroyWindow(child));
  H::RunUntilIdle();
  EXPECT_FALSE(DrawnAt(top, 25, 15));
  int presents = H::View(top).presents;
  EXPECT_TRUE(HoldsWhilePassing([&] { return !DrawnAt(top, 25, 15); }, 4 * kPeriod));
  EXPECT_EQ(H::View(top).presents, presents) << "something still drew for the gone caret";
  EXPECT_FALSE(SetCaretPos(1, 1)) << "the caret went with its window";

  ShowCaretAt(top, 10, 10);
  ASSERT_TRUE(DestroyWindow(top));
  EXPECT_FALSE(SetCaretPos(1, 1));
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST_F(Caret, BlinkTimeChangesThePeriodAndInfiniteStopsIt) {
  SetLastError(0);
  EXPECT_FALSE(SetCaretBlinkTime(0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetCaretBlinkTime(), kPeriod);

  ShowCaretAt(top, 10, 10);
  ASSERT_TRUE(SetCaretBlinkTime(INFINITE));
  EXPECT_EQ(GetCaretBlinkTime(), INFINITE);
  EXPECT_TRUE(DrawnAt(top, 10, 10));
  EXPECT_TRUE(HoldsWhilePassing([&] { return DrawnAt(top, 10, 10); }, 4 * kPeriod))
      << "a caret with an infinite blink time blinked";

  const UINT longer = 3 * kPeriod;
  ASSERT_TRUE(SetCaretBlinkTime(longer));
  EXPECT_EQ(GetCaretBlinkTime(), longer);
  EXPECT_TRUE(HoldsWhilePassing([&] { return DrawnAt(top, 10, 10); }, longer - 1))
      << "the new period was not used";
  Pass(1);
  EXPECT_FALSE(DrawnAt(top, 10, 10));
}

}  // namespace
