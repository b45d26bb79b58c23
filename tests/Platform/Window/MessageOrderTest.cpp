// Message sequences of creation, destruction, showing, focus and capture, as tables.
#include <gtest/gtest.h>

#include "Recorder.h"

using namespace WindowTest;

namespace {

class MessageOrder : public ::testing::Test {
 protected:
  Recorder rec;
};

const DWORD kOverlapped = WS_OVERLAPPEDWINDOW;
const DWORD kPopup = WS_POPUP;

TEST_F(MessageOrder, CreationOfHiddenAndVisibleWindows) {
  HWND hidden = rec.Create("A", kOverlapped);
  ASSERT_NE(hidden, nullptr);
  EXPECT_TRUE(rec.Matches(
      {{"A", WM_GETMINMAXINFO}, {"A", WM_NCCREATE}, {"A", WM_NCCALCSIZE}, {"A", WM_CREATE}}))
      << rec.Describe();
  EXPECT_FALSE(IsWindowVisible(hidden));

  rec.Clear();
  rec.Only({WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SHOWWINDOW,
            WM_WINDOWPOSCHANGING, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS,
            WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE});
  HWND shown = rec.Create("B", kOverlapped | WS_VISIBLE);
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(rec.Matches({{"B", WM_GETMINMAXINFO},
                           {"B", WM_NCCREATE},
                           {"B", WM_NCCALCSIZE},
                           {"B", WM_CREATE},
                           {"B", WM_SHOWWINDOW, TRUE, 0},
                           {"B", WM_WINDOWPOSCHANGING},
                           {"B", WM_NCACTIVATE, TRUE},
                           {"B", WM_ACTIVATE, WA_ACTIVE},
                           {"B", WM_SETFOCUS},
                           {"B", WM_WINDOWPOSCHANGED},
                           {"B", WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 150)},
                           {"B", WM_MOVE, 0, MAKELPARAM(10, 20)}}))
      << rec.Describe();
  EXPECT_TRUE(IsWindowVisible(shown));
  EXPECT_EQ(GetFocus(), shown);
  EXPECT_EQ(GetActiveWindow(), shown);
}

TEST_F(MessageOrder, PopupsSkipMinMaxInfoAndChildrenNotifyTheirParent) {
  HWND parent = rec.Create("P", kPopup);
  rec.Clear();
  HWND child = rec.Create("C", WS_CHILD | WS_VISIBLE, parent);
  ASSERT_NE(child, nullptr);
  rec.Only({});
  EXPECT_TRUE(rec.Matches({{"C", WM_NCCREATE},
                           {"C", WM_NCCALCSIZE},
                           {"C", WM_CREATE},
                           {"P", WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 0)},
                           {"C", WM_SHOWWINDOW, TRUE, 0},
                           {"C", WM_WINDOWPOSCHANGING},
                           {"C", WM_WINDOWPOSCHANGED},
                           {"C", WM_SIZE},
                           {"C", WM_MOVE}}))
      << rec.Describe();
  EXPECT_EQ(GetParent(child), parent);
  EXPECT_FALSE(IsWindowVisible(child));  // the parent is hidden
}

TEST_F(MessageOrder, CreationFailsWhenNcCreateOrCreateRefuses) {
  rec.SetAnswer([](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_NCCREATE) return FALSE;
    return std::nullopt;
  });
  EXPECT_EQ(rec.Create("A", kPopup), nullptr);
  ASSERT_FALSE(rec.Messages().empty());
  rec.Name("A", rec.Messages().front().hwnd);
  EXPECT_FALSE(IsWindow(rec.Messages().front().hwnd));
  EXPECT_TRUE(rec.Matches({{"A", WM_NCCREATE}, {"A", WM_NCDESTROY}})) << rec.Describe();

  rec.Clear();
  rec.SetAnswer([](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_CREATE) return -1;
    return std::nullopt;
  });
  HWND seen = nullptr;
  EXPECT_EQ(rec.Create("B", kPopup), nullptr);
  auto msgs = rec.Messages();
  ASSERT_FALSE(msgs.empty());
  seen = msgs.front().hwnd;
  rec.Name("B", seen);
  EXPECT_TRUE(rec.Matches({{"B", WM_NCCREATE},
                           {"B", WM_NCCALCSIZE},
                           {"B", WM_CREATE},
                           {"B", WM_DESTROY},
                           {"B", WM_NCDESTROY}}))
      << rec.Describe();
  EXPECT_FALSE(IsWindow(seen));
}

TEST_F(MessageOrder, DestructionGoesOwnedFirstThenParentBeforeChildrenThenChildrenFirst) {
  HWND top = rec.Create("T", kPopup);
  HWND a = rec.Create("A", WS_CHILD, top);
  HWND a1 = rec.Create("A1", WS_CHILD, a);
  HWND b = rec.Create("B", WS_CHILD, top);
  HWND owned = rec.Create("O", kPopup, top);
  ASSERT_TRUE(a && a1 && b && owned);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
  rec.Only({WM_DESTROY, WM_NCDESTROY});
  rec.Clear();
  ASSERT_TRUE(DestroyWindow(top));
  EXPECT_TRUE(rec.Matches({{"O", WM_DESTROY},
                           {"O", WM_NCDESTROY},
                           {"T", WM_DESTROY},
                           {"A", WM_DESTROY},
                           {"A1", WM_DESTROY},
                           {"B", WM_DESTROY},
                           {"A1", WM_NCDESTROY},
                           {"A", WM_NCDESTROY},
                           {"B", WM_NCDESTROY},
                           {"T", WM_NCDESTROY}}))
      << rec.Describe();
  for (HWND h : {top, a, a1, b, owned}) EXPECT_FALSE(IsWindow(h));
}

TEST_F(MessageOrder, MessagesToADestroyedWindowFail) {
  HWND w = rec.Create("A", kPopup);
  ASSERT_TRUE(PostMessageW(w, WM_USER, 1, 2));
  DestroyWindow(w);
  SetLastError(0);
  EXPECT_EQ(SendMessageW(w, WM_USER, 0, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(PostMessageW(w, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(DestroyWindow(w));
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));  // the post was dropped
}

TEST_F(MessageOrder, ShowHideAndShowNormal) {
  HWND w = rec.Create("A", kPopup);
  rec.Only({WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE, WM_ACTIVATE,
            WM_KILLFOCUS, WM_SETFOCUS});
  rec.Clear();
  EXPECT_FALSE(ShowWindow(w, SW_SHOWNA));
  EXPECT_TRUE(rec.Matches({{"A", WM_SHOWWINDOW, TRUE, 0},
                           {"A", WM_WINDOWPOSCHANGING},
                           {"A", WM_WINDOWPOSCHANGED},
                           {"A", WM_SIZE},
                           {"A", WM_MOVE}}))
      << rec.Describe();
  EXPECT_EQ(GetActiveWindow(), nullptr);

  rec.Clear();
  EXPECT_TRUE(ShowWindow(w, SW_SHOW));  // already visible: nothing happens
  EXPECT_TRUE(rec.Matches({})) << rec.Describe();

  EXPECT_TRUE(ShowWindow(w, SW_HIDE));
  EXPECT_TRUE(rec.Matches(
      {{"A", WM_SHOWWINDOW, FALSE, 0}, {"A", WM_WINDOWPOSCHANGING}, {"A", WM_WINDOWPOSCHANGED}}))
      << rec.Describe();

  rec.Clear();
  EXPECT_FALSE(ShowWindow(w, SW_SHOWNORMAL));  // shows and activates without WM_SHOWWINDOW
  EXPECT_TRUE(rec.Matches({{"A", WM_WINDOWPOSCHANGING},
                           {"A", WM_ACTIVATE, WA_ACTIVE},
                           {"A", WM_SETFOCUS},
                           {"A", WM_WINDOWPOSCHANGED}}))
      << rec.Describe();
  EXPECT_TRUE(Platform::Headless::View(w).visible);
}

TEST_F(MessageOrder, FocusMovesWithKillFocusBeforeSetFocus) {
  HWND top = rec.Create("T", kPopup | WS_VISIBLE);
  HWND a = rec.Create("A", WS_CHILD | WS_VISIBLE, top);
  HWND b = rec.Create("B", WS_CHILD | WS_VISIBLE, top);
  EXPECT_EQ(GetFocus(), top);
  rec.Only({WM_SETFOCUS, WM_KILLFOCUS});
  rec.Clear();
  EXPECT_EQ(SetFocus(a), top);
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(SetFocus(b), b);  // no change, no messages
  EXPECT_EQ(SetFocus(nullptr), b);
  auto w = [](HWND h) { return static_cast<WPARAM>(reinterpret_cast<uintptr_t>(h)); };
  EXPECT_TRUE(rec.Matches({{"T", WM_KILLFOCUS, w(a)},
                           {"A", WM_SETFOCUS, w(top)},
                           {"A", WM_KILLFOCUS, w(b)},
                           {"B", WM_SETFOCUS, w(a)},
                           {"B", WM_KILLFOCUS, 0}}))
      << rec.Describe();
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(MessageOrder, ActivationPassesBetweenTopLevelWindows) {
  HWND a = rec.Create("A", kPopup | WS_VISIBLE);
  HWND b = rec.Create("B", kPopup | WS_VISIBLE | WS_DISABLED);
  (void)b;
  rec.Only({WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS});
  rec.Clear();
  HWND c = rec.Create("C", kPopup | WS_VISIBLE);
  auto l = [](HWND h) { return static_cast<LPARAM>(reinterpret_cast<intptr_t>(h)); };
  EXPECT_TRUE(rec.Matches({{"B", WM_NCACTIVATE, FALSE},
                           {"B", WM_ACTIVATE, WA_INACTIVE, l(c)},
                           {"C", WM_NCACTIVATE, TRUE},
                           {"C", WM_ACTIVATE, WA_ACTIVE, l(b)},
                           {"B", WM_KILLFOCUS},
                           {"C", WM_SETFOCUS}}))
      << rec.Describe();
  rec.Clear();
  EXPECT_EQ(SetActiveWindow(a), c);
  EXPECT_EQ(GetFocus(), a);
}

TEST_F(MessageOrder, SwitchingToAnotherProgramDeactivatesAndComingBackReactivates) {
  HWND top = rec.Create("T", kPopup | WS_VISIBLE);
  HWND child = rec.Create("C", WS_CHILD | WS_VISIBLE, top);
  SetFocus(child);
  rec.Only({WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_SETFOCUS, WM_KILLFOCUS});
  rec.Clear();
  Platform::Headless::SwitchToOtherApplication();
  EXPECT_TRUE(rec.Matches({{"T", WM_NCACTIVATE, FALSE},
                           {"T", WM_ACTIVATE, WA_INACTIVE, 0},
                           {"T", WM_ACTIVATEAPP, FALSE},
                           {"C", WM_KILLFOCUS, 0}}))
      << rec.Describe();
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  rec.Clear();
  Platform::Headless::SwitchToOtherApplication();  // nothing is active: nothing happens
  EXPECT_TRUE(rec.Messages().empty()) << rec.Describe();
  Platform::Headless::Click(15, 25);
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_NE(GetFocus(), nullptr);
}

TEST_F(MessageOrder, CaptureChangesAreAnnounced) {
  HWND a = rec.Create("A", kPopup | WS_VISIBLE);
  HWND b = rec.Create("B", kPopup | WS_VISIBLE);
  rec.Only({WM_CAPTURECHANGED});
  rec.Clear();
  EXPECT_EQ(SetCapture(a), nullptr);
  EXPECT_EQ(SetCapture(b), a);
  EXPECT_EQ(GetCapture(), b);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(rec.Matches(
      {{"A", WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(b)}, {"B", WM_CAPTURECHANGED, 0, 0}}))
      << rec.Describe();
}

TEST_F(MessageOrder, CloseDestroysThroughDefaultProcessing) {
  HWND w = rec.Create("A", kPopup | WS_VISIBLE);
  rec.Only({WM_CLOSE, WM_DESTROY, WM_NCDESTROY});
  rec.Clear();
  SendMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_TRUE(rec.Matches({{"A", WM_CLOSE}, {"A", WM_DESTROY}, {"A", WM_NCDESTROY}}))
      << rec.Describe();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

}  // namespace
