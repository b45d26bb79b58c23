// Notifications and the routing that is not input: the queue and its drains, senders that die
// while queued, the order of a focus change, message filters, reflection to native children,
// size and close.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/UIContainer.h"
#include "ManagerPaintTestWindow.h"
#include "support/WideString.h"

using SkinUI::CContainerUI;
using SkinUI::CControlUI;
using SkinUI::TNotifyMsg;
using SkinUI::TUIEvent;
using SkinUITest::Make;
using SkinUITest::Noted;
using SkinUITest::TreeWindow;

namespace {

using Notify = SkinUITest::HeadlessTest;

TEST_F(Notify, QueueDrainsInOrderAtTheStartOfRoutingAndTakesLateComers) {
  TreeWindow w;
  w.Open(100, 100);
  auto* root = new CContainerUI;
  CControlUI* a = Make(TEXT("name=\"a\""));
  root->Add(a);
  w.AttachSettled(root);

  std::vector<WString> delegateSaw;
  a->OnNotifyDelegates.Add([&](TNotifyMsg& msg) {
    delegateSaw.push_back(msg.sType.GetData());
    return true;
  });
  // Receiving "first" queues "late", which must arrive in the same drain, after "second".
  w.onReceive = [&](TNotifyMsg& msg) {
    if (msg.sType == TEXT("first")) w.pm.SendNotification(a, TEXT("late"), 9, 0, true);
  };
  w.pm.SendNotification(a, TEXT("first"), 1, 0, true);
  w.pm.SendNotification(a, TEXT("second"), 2, 0, true);
  EXPECT_TRUE(w.notes.empty());  // nothing before the next routed message
  w.pm.SendNotification(a, TEXT("now"), 3, 0, false);
  LRESULT lRes = 0;
  w.pm.RouteMessage(WM_NULL, 0, 0, lRes);
  const std::vector<Noted> expected = {
      {TEXT("now"), a, 3}, {TEXT("first"), a, 1}, {TEXT("second"), a, 2}, {TEXT("late"), a, 9}};
  EXPECT_EQ(w.notes, expected);
  EXPECT_EQ(delegateSaw,
            (std::vector<WString>{TEXT("now"), TEXT("first"), TEXT("second"), TEXT("late")}));

  // Queued while a message is handled: delivered before routing ends.
  class Queuer : public SkinUI::IMessageFilterUI {
   public:
    SkinUI::CPaintManagerUI* pm = nullptr;
    CControlUI* sender = nullptr;
    LRESULT FilterMessage(UINT, WPARAM, LPARAM, bool&) override {
      pm->SendNotification(sender, TEXT("during"), 4, 0, true);
      return 0;
    }
  } queuer;
  queuer.pm = &w.pm;
  queuer.sender = a;
  w.pm.AddFilter(&queuer);
  w.notes.clear();
  w.pm.RouteMessage(WM_NULL, 0, 0, lRes);
  w.pm.RemoveFilter(&queuer);
  EXPECT_EQ(w.notes, (std::vector<Noted>{{TEXT("during"), a, 4}}));
}

TEST_F(Notify, QueuedNotificationOfAControlThatDiedHasNoSender) {
  TreeWindow w;
  w.Open(100, 100);
  auto* root = new CContainerUI;
  CControlUI* doomed = Make(TEXT("name=\"doomed\""));
  root->Add(doomed);
  w.AttachSettled(root);
  w.pm.SendNotification(doomed, TEXT("click"), 0, 0, true);
  root->SetDeferredDelete(false);
  root->Remove(doomed);
  LRESULT lRes = 0;
  w.pm.RouteMessage(WM_NULL, 0, 0, lRes);
  const std::vector<Noted> expected = {{TEXT("click"), nullptr, 0}};
  EXPECT_EQ(w.notes, expected);
}

// Records the focus events it receives into a shared log, beside the notifications.
class FocusRecorder : public CControlUI {
 public:
  std::vector<std::string>* log = nullptr;
  std::string label;
  UINT GetInputFlags() const override { return SkinUI::UIFLAG_TABSTOP; }
  void HandleEvent(TUIEvent& event) override {
    if (event.Type == SkinUI::EventSetFocus || event.Type == SkinUI::EventKillFocus) {
      const FocusRecorder* from = static_cast<FocusRecorder*>(event.pSender);
      log->push_back(label + (event.Type == SkinUI::EventSetFocus ? " set" : " kill") + " from " +
                     (from ? from->label : "null"));
    }
    CControlUI::HandleEvent(event);
  }
};

TEST_F(Notify, FocusChangeOrder) {
  TreeWindow w;
  w.Open(100, 100);
  std::vector<std::string> log;
  auto* root = new CContainerUI;
  auto* a = new FocusRecorder;
  auto* b = new FocusRecorder;
  a->log = b->log = &log;
  a->label = "A";
  b->label = "B";
  root->Add(a);
  root->Add(b);
  w.pm.AttachRoot(root);
  w.Settle();  // the first paint moves the focus to the first tab stop
  log.clear();
  w.onReceive = [&](TNotifyMsg& msg) {
    const FocusRecorder* from = static_cast<FocusRecorder*>(msg.pSender);
    log.push_back("note " +
                  std::string(msg.sType.GetData(), msg.sType.GetData() + msg.sType.GetLength()) +
                  " " + (from ? from->label : "null"));
  };
  w.pm.SetFocusControl(nullptr);
  w.pm.SetFocusControl(a);
  w.pm.SetFocusControl(a);  // no change, nothing sent
  w.pm.SetFocusControl(b);
  w.pm.SetFocusControl(nullptr);
  b->SetEnabled(false);
  w.pm.SetFocusControl(b);  // a disabled control takes no focus
  const std::vector<std::string> expected = {
      "A kill from null", "note killfocus A", "A set from A", "note setfocus A",
      "A kill from B",    "note killfocus A", "B set from B", "note setfocus B",
      "B kill from null", "note killfocus B",
  };
  EXPECT_EQ(log, expected);
  EXPECT_EQ(w.pm.GetFocusControl(), nullptr);
}

class Filter : public SkinUI::IMessageFilterUI {
 public:
  UINT consume = 0;
  std::vector<UINT> seen;
  LRESULT FilterMessage(UINT uMsg, WPARAM, LPARAM, bool& bHandled) override {
    seen.push_back(uMsg);
    bHandled = uMsg == consume;
    return 42;
  }
};

TEST_F(Notify, FirstFilterThatHandlesEndsRouting) {
  TreeWindow w;
  w.Open(100, 100);
  Filter first, second;
  first.consume = WM_ERASEBKGND;
  w.pm.AddFilter(&first);
  w.pm.AddFilter(&second);
  LRESULT lRes = 0;
  EXPECT_TRUE(w.pm.RouteMessage(WM_ERASEBKGND, 0, 0, lRes));
  EXPECT_EQ(lRes, 42);
  EXPECT_TRUE(second.seen.empty());
  w.pm.RemoveFilter(&first);
  EXPECT_TRUE(w.pm.RouteMessage(WM_ERASEBKGND, 0, 0, lRes));
  EXPECT_EQ(lRes, 1);  // the manager's own answer once the filter is gone
  EXPECT_EQ(second.seen.size(), 1u);
  w.pm.RemoveFilter(&second);
}

// A native child window that records what it is sent.
class ChildWnd : public SkinUI::CWindowWnd {
 public:
  std::vector<std::pair<UINT, WPARAM>> seen;

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUITreeTestChild"); }
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    if (uMsg >= SkinUI::UI_REFLECT_OFFSET) {
      seen.push_back({uMsg, wParam});
      return 77;
    }
    return DefaultProcessing(uMsg, wParam, lParam);
  }
};

TEST_F(Notify, NativeChildNotificationsAreReflected) {
  TreeWindow w;
  HWND parent = w.Open(100, 100);
  ChildWnd child;
  HWND hChild = child.Create(parent, TEXT("child"), WS_CHILD, 0, 0, 0, 10, 10);
  ASSERT_NE(hChild, nullptr);
  LRESULT lRes = 0;
  EXPECT_TRUE(w.pm.RouteMessage(WM_COMMAND, 5, reinterpret_cast<LPARAM>(hChild), lRes));
  EXPECT_EQ(lRes, 77);
  EXPECT_FALSE(w.pm.RouteMessage(WM_COMMAND, 6, 0, lRes));  // no child: nothing to reflect
  EXPECT_TRUE(w.pm.RouteMessage(WM_CTLCOLOREDIT, 7, reinterpret_cast<LPARAM>(hChild), lRes));
  NMHDR header = {};
  header.hwndFrom = hChild;
  EXPECT_TRUE(w.pm.RouteMessage(WM_NOTIFY, 8, reinterpret_cast<LPARAM>(&header), lRes));
  const std::vector<std::pair<UINT, WPARAM>> expected = {
      {WM_COMMAND + SkinUI::UI_REFLECT_OFFSET, 5},
      {WM_CTLCOLOREDIT + SkinUI::UI_REFLECT_OFFSET, 7},
      {WM_NOTIFY + SkinUI::UI_REFLECT_OFFSET, 8}};
  EXPECT_EQ(child.seen, expected);
  DestroyWindow(hChild);
}

TEST_F(Notify, SizeRelaysTheRootAndTellsTheFocusedControl) {
  TreeWindow w;
  HWND h = w.Open(200, 100);
  auto* root = Make<CContainerUI>(TEXT("bkcolor=\"#FFFF0000\""));
  auto* focused = new FocusRecorder;
  std::vector<std::string> log;
  focused->log = &log;
  focused->label = "F";
  std::vector<int> events;
  focused->OnEventDelegates.Add([&](TUIEvent& e) {
    events.push_back(e.Type);
    return true;
  });
  root->Add(focused);
  w.pm.AttachRoot(root);
  w.Settle();
  ASSERT_EQ(w.pm.GetFocusControl(), focused);
  events.clear();
  SetWindowPos(h, nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  w.Settle();
  EXPECT_EQ(events, std::vector<int>{SkinUI::EventWindowSize});
  EXPECT_EQ(root->GetPos().right, 300);
  EXPECT_EQ(root->GetPos().bottom, 150);
  EXPECT_EQ(w.Pixel(290, 140), 0xFFFF0000);

  // Closing ends the focus before the window goes.
  LRESULT lRes = 0;
  EXPECT_FALSE(w.pm.RouteMessage(WM_CLOSE, 0, 0, lRes));
  EXPECT_EQ(w.pm.GetFocusControl(), nullptr);
}

}  // namespace

namespace {

TEST_F(Notify, CloseEndsHoverAndPressBeforeTheFocus) {
  TreeWindow w;
  w.Open(100, 100);
  auto* root = new CContainerUI;
  auto* target = new FocusRecorder;
  std::vector<std::string> log;
  target->log = &log;
  target->label = "T";
  target->OnEventDelegates.Add([&](TUIEvent& e) {
    if (e.Type == SkinUI::EventMouseLeave) log.push_back("leave");
    if (e.Type == SkinUI::EventButtonUp) log.push_back("up");
    return true;
  });
  root->Add(target);
  w.AttachSettled(root);
  Drive::MoveMouse(50, 50);
  Drive::Button(Drive::MouseButton::Left, true);
  w.Settle();
  ASSERT_EQ(w.pm.GetFocusControl(), target);
  log.clear();
  LRESULT lRes = 0;
  EXPECT_FALSE(w.pm.RouteMessage(WM_CLOSE, 0, 0, lRes));
  const std::vector<std::string> expected = {"leave", "up", "T kill from null"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(w.pm.GetFocusControl(), nullptr);
  Drive::Button(Drive::MouseButton::Left, false);
}

}  // namespace
