// Keyboard routing, focus moves, Tab and Alt navigation, pre-translation and timers, as tables
// of the events each control receives and the notifications the listener gets.
#include "RoutingTestWindow.h"

namespace RoutingTest {
namespace {

class RoutingKeys : public RoutingFixture {
 protected:
  // Document order: T1, N, a label with shortcut N, T2, a hidden tab stop, T3. The first paint
  // focuses T1.
  void SetUp() override {
    RoutingFixture::SetUp();
    root = new CContainerUI;
    t1 = Place(new TabStopUI(&events), TEXT("T1"), 0, 0, 40, 20);
    n = Place(new TabStopUI(&events), TEXT("N"), 100, 0, 40, 20);
    label = Place(new FakeLabelUI, TEXT("L"), 50, 0, 40, 20);
    label->SetShortcut('n');
    t2 = Place(new TabStopUI(&events), TEXT("T2"), 0, 50, 40, 20);
    hidden = Place(new TabStopUI(&events), TEXT("H"), 50, 50, 40, 20);
    hidden->SetVisible(false);
    t3 = Place(new TabStopUI(&events), TEXT("T3"), 100, 50, 40, 20);
    for (CControlUI* c : {t1, n, label, t2, hidden, t3}) root->Add(c);
    Open(root);
    EXPECT_EQ(win.pm.GetFocusControl(), t1);
    for (CControlUI* c : {t1, n, label, t2, hidden, t3}) Probe(c, &events);
  }

  // What the message loop does with a queued message.
  bool PreTranslateKey(UINT uMsg, WPARAM wParam) {
    MSG msg = {};
    msg.hwnd = win.Handle();
    msg.message = uMsg;
    msg.wParam = wParam;
    return CPaintManagerUI::PreTranslate(&msg);
  }

  // Tab with Shift held or not. The Shift key's own messages reach the focused control too;
  // they are left out of the log.
  void Tab(bool bShift) {
    if (bShift) Drive::Key(VK_SHIFT, true);
    Drive::RunUntilIdle();
    EXPECT_TRUE(PreTranslateKey(WM_KEYDOWN, VK_TAB));
    if (bShift) Drive::Key(VK_SHIFT, false);
    Drive::RunUntilIdle();
    std::erase_if(events, [](const std::string& line) {
      return line.find(" KeyDown") != std::string::npos || line.find(" KeyUp") != std::string::npos;
    });
  }

  CContainerUI* root = nullptr;
  CControlUI *t1 = nullptr, *label = nullptr, *n = nullptr, *t2 = nullptr, *hidden = nullptr,
             *t3 = nullptr;
};

TEST_F(RoutingKeys, TabAndShiftTabWrapAroundTheTabStops) {
  Tab(false);  // T1 -> N
  Tab(false);  // N -> T2
  Tab(false);  // T2 -> T3 (the hidden stop is skipped)
  Tab(false);  // T3 -> T1: wraps
  Tab(true);   // T1 -> T3: wraps backwards
  Tab(true);   // T3 -> T2
  EXPECT_EQ(events,
            (Log{"T1 KillFocus from N", "N SetFocus", "N KillFocus from T2", "T2 SetFocus",
                 "T2 KillFocus from T3", "T3 SetFocus", "T3 KillFocus from T1", "T1 SetFocus",
                 "T1 KillFocus from T3", "T3 SetFocus", "T3 KillFocus from T2", "T2 SetFocus"}));
  EXPECT_EQ(notes.lines, (Log{"killfocus T1", "setfocus N", "killfocus N", "setfocus T2",
                              "killfocus T2", "setfocus T3", "killfocus T3", "setfocus T1",
                              "killfocus T1", "setfocus T3", "killfocus T3", "setfocus T2"}));
}

TEST_F(RoutingKeys, TabWithoutFocusTakesTheFirstTabStop) {
  win.pm.SetFocusControl(nullptr);
  events.clear();
  notes.lines.clear();
  Tab(false);
  EXPECT_EQ(events, (Log{"T1 SetFocus"}));
  EXPECT_EQ(notes.lines, (Log{"setfocus T1"}));
}

TEST_F(RoutingKeys, TabWhileALayoutIsPendingWaitsForThePaint) {
  root->RequestLayout();
  ASSERT_TRUE(win.pm.IsLayoutPending());
  LRESULT lRes = 0;
  EXPECT_TRUE(win.pm.PreRoute(WM_KEYDOWN, VK_TAB, 0, lRes));
  EXPECT_EQ(win.pm.GetFocusControl(), t1);
  EXPECT_TRUE(events.empty());
  Drive::RunUntilIdle();  // the layout pass and the paint move focus
  EXPECT_EQ(win.pm.GetFocusControl(), n);
  EXPECT_EQ(events, (Log{"T1 KillFocus from N", "N SetFocus"}));
}

// The search runs top-first (last child first), so the control visited after the label is the
// one before it in document order.
TEST_F(RoutingKeys, AltShortcutOfALabelActivatesTheNextControlVisited) {
  EXPECT_TRUE(PreTranslateKey(WM_SYSCHAR, 'N'));
  EXPECT_EQ(events, (Log{"T1 KillFocus from N", "N SetFocus", "N Activate"}));
  EXPECT_EQ(notes.lines, (Log{"killfocus T1", "setfocus N"}));
  events.clear();
  EXPECT_FALSE(PreTranslateKey(WM_SYSCHAR, 'q')) << "no control has this shortcut";
  EXPECT_TRUE(events.empty());
}

TEST_F(RoutingKeys, ShortcutsIgnoreCaseAndInvisibleControls) {
  t2->SetShortcut('x');
  hidden->SetShortcut('y');
  EXPECT_TRUE(PreTranslateKey(WM_SYSCHAR, 'x'));
  EXPECT_EQ(win.pm.GetFocusControl(), t2);
  EXPECT_FALSE(PreTranslateKey(WM_SYSCHAR, 'y'));
  EXPECT_EQ(win.pm.GetFocusControl(), t2);
}

TEST_F(RoutingKeys, KeysGoToTheFocusAndKeyUpToTheControlThatGotTheKeyDown) {
  Send(WM_KEYDOWN, 'A', 0);
  Send(WM_CHAR, 'a', 0);
  win.pm.SetFocusControl(t2);
  Send(WM_KEYUP, 'A', 0);
  Send(WM_KEYUP, 'A', 0);  // no key control any more
  EXPECT_EQ(events, (Log{"T1 KeyDown from null", "T1 Char from null", "T1 KillFocus from T2",
                         "T2 SetFocus", "T1 KeyUp from null"}));
}

TEST_F(RoutingKeys, SysKeyDownGoesToTheFocusAndIsNotConsumed) {
  std::vector<WCHAR> keys;
  t1->OnEventDelegates.Add([&](TUIEvent& e) {
    if (e.Type == EventSysKey) keys.push_back(e.chKey);
    return true;
  });
  EXPECT_FALSE(PreTranslateKey(WM_SYSKEYDOWN, 'F'));
  EXPECT_EQ(keys, (std::vector<WCHAR>{'F'}));
}

TEST_F(RoutingKeys, KeyStateComesFromTheKeyboard) {
  std::vector<WORD> states;
  t1->OnEventDelegates.Add([&](TUIEvent& e) {
    if (e.Type == EventKeyDown && e.chKey == 'A') states.push_back(e.wKeyState);
    return true;
  });
  Drive::Key(VK_CONTROL, true);
  Drive::Key(VK_SHIFT, true);
  Drive::RunUntilIdle();
  Send(WM_KEYDOWN, 'A', 0);
  Drive::Key(VK_SHIFT, false);
  Drive::Key(VK_CONTROL, false);
  Drive::RunUntilIdle();
  Send(WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(states, (std::vector<WORD>{UIKEY_CONTROL | UIKEY_SHIFT, 0}));
}

TEST_F(RoutingKeys, SetInitialFocusPutsTheStopBeforeTheControlAndThePaintMovesOnto) {
  win.pm.SetInitialFocus(t3);
  EXPECT_EQ(win.pm.GetFocusControl(), t2) << "silently, without events";
  EXPECT_EQ(events, (Log{"T1 KillFocus from T3"}));
  Drive::RunUntilIdle();
  EXPECT_EQ(win.pm.GetFocusControl(), t3);
  EXPECT_EQ(events, (Log{"T1 KillFocus from T3", "T2 KillFocus from T3", "T3 SetFocus"}));
}

TEST_F(RoutingKeys, FocusRefusesHiddenDisabledAndForeignControls) {
  win.pm.SetFocusControl(hidden);
  EXPECT_EQ(win.pm.GetFocusControl(), nullptr);
  t2->SetEnabled(false);
  win.pm.SetFocusControl(t2);
  EXPECT_EQ(win.pm.GetFocusControl(), nullptr);
  TabStopUI loose;
  win.pm.SetFocusControl(&loose);
  EXPECT_EQ(win.pm.GetFocusControl(), nullptr);
  EXPECT_EQ(notes.lines, (Log{"killfocus T1"}));
}

class Filter : public IMessageFilterUI, public ITranslateAccelerator {
 public:
  bool handle = false;
  LRESULT translate = 1;
  int filtered = 0;
  int translated = 0;
  LRESULT FilterMessage(UINT, WPARAM, LPARAM, bool& bHandled) override {
    ++filtered;
    bHandled = handle;
    return 0;
  }
  LRESULT TranslateKey(MSG*) override {
    ++translated;
    return translate;
  }
};

TEST_F(RoutingKeys, AcceleratorsThenPreFiltersSeeQueuedMessagesFirst) {
  Filter first, second;
  win.pm.AddAccelerator(&first);
  win.pm.AddPreFilter(&second);
  second.handle = true;
  EXPECT_TRUE(PreTranslateKey(WM_KEYDOWN, VK_TAB));
  EXPECT_EQ(win.pm.GetFocusControl(), t1) << "the pre-filter consumed the Tab";
  EXPECT_EQ(first.translated, 1);
  EXPECT_EQ(second.filtered, 1);
  first.translate = 0;
  EXPECT_TRUE(PreTranslateKey(WM_KEYDOWN, VK_TAB));
  EXPECT_EQ(second.filtered, 1) << "the accelerator consumed it before the filters";
  MSG other = {};
  other.hwnd = reinterpret_cast<HWND>(0x1234);
  other.message = WM_KEYDOWN;
  EXPECT_FALSE(CPaintManagerUI::PreTranslate(&other));
  win.pm.RemoveAccelerator(&first);
  win.pm.RemovePreFilter(&second);
}

// A child window's keys go to the manager of the window it lives in.
TEST_F(RoutingKeys, ChildWindowMessagesReachTheParentsManager) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = TEXT("SkinUIRoutingChild");
  RegisterClassExW(&wc);
  HWND hChild = CreateWindowExW(0, TEXT("SkinUIRoutingChild"), TEXT("child"), WS_CHILD | WS_VISIBLE,
                                0, 0, 10, 10, win.Handle(), nullptr, nullptr, nullptr);
  ASSERT_NE(hChild, nullptr);
  MSG msg = {};
  msg.hwnd = hChild;
  msg.message = WM_KEYDOWN;
  msg.wParam = VK_TAB;
  EXPECT_TRUE(CPaintManagerUI::PreTranslate(&msg));
  EXPECT_EQ(win.pm.GetFocusControl(), n);
  DestroyWindow(hChild);
}

TEST_F(RoutingKeys, MessageLoopPreTranslatesAndEndsOnQuit) {
  // Posted, so that the keys come out of the queue before the quit (input would come after it).
  PostMessageW(win.Handle(), WM_KEYDOWN, VK_TAB, 0);
  PostMessageW(win.Handle(), WM_KEYUP, VK_TAB, 0);
  PostQuitMessage(0);
  CPaintManagerUI::MessageLoop();
  EXPECT_EQ(win.pm.GetFocusControl(), n);
}

// --- Timers ---------------------------------------------------------------------------------

TEST_F(RoutingKeys, TimerIdsRunFrom17To254ThenWrapToZero) {
  std::vector<WPARAM> fired;
  t1->OnEventDelegates.Add([&](TUIEvent& e) {
    if (e.Type == EventTimer) fired.push_back(e.wParam);
    return true;
  });
  for (UINT id = 1; id <= 240; id++) ASSERT_TRUE(win.pm.StartTimer(t1, id, 100000));
  for (WPARAM native : {17, 18, 254, 0, 1, 2}) Send(WM_TIMER, native, 0);
  EXPECT_EQ(fired, (std::vector<WPARAM>{1, 2, 238, 239, 240}));
  // Each timer event also reaches the listeners as "timer".
  EXPECT_EQ(std::count(notes.lines.begin(), notes.lines.end(), "timer T1"), 5);
  win.pm.StopTimers(t1);
}

TEST_F(RoutingKeys, RestartingARunningTimerFailsAndAStoppedOneKeepsItsId) {
  std::vector<WPARAM> fired;
  t2->OnEventDelegates.Add([&](TUIEvent& e) {
    if (e.Type == EventTimer) fired.push_back(e.wParam);
    return true;
  });
  ASSERT_TRUE(win.pm.StartTimer(t2, 5, 100000));  // native id 17
  EXPECT_FALSE(win.pm.StartTimer(t2, 5, 200000));
  ASSERT_TRUE(Drive::AdvanceClock(99999));
  EXPECT_TRUE(fired.empty());
  ASSERT_TRUE(Drive::AdvanceClock(1));  // the first period was kept
  EXPECT_EQ(fired, (std::vector<WPARAM>{5}));
  EXPECT_TRUE(win.pm.StopTimer(t2, 5));
  ASSERT_TRUE(Drive::AdvanceClock(200000));
  Send(WM_TIMER, 17, 0);  // stopped: nobody hears it
  EXPECT_EQ(fired, (std::vector<WPARAM>{5}));
  EXPECT_TRUE(win.pm.StartTimer(t2, 5, 100000));
  ASSERT_TRUE(Drive::AdvanceClock(100000));
  Send(WM_TIMER, 17 + 0x10000, 0);  // only the low 16 bits name the timer
  EXPECT_EQ(fired, (std::vector<WPARAM>{5, 5, 5}));
  win.pm.StopTimers(t2);
}

}  // namespace
}  // namespace RoutingTest
