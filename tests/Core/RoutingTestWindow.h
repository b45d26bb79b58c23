#pragma once
// A headless window whose messages go through a paint manager, probe controls that log the
// events they receive, and a listener that logs notifications: what the routing tests compare
// as tables.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/UIBase.h"
#include "Core/UIContainer.h"
#include "Core/UIControl.h"
#include "Core/UIManager.h"
#include "support/Drive.h"

namespace RoutingTest {

using namespace SkinUI;

inline const char* EventName(int type) {
  switch (type) {
    case EventKeyDown: return "KeyDown";
    case EventKeyUp: return "KeyUp";
    case EventChar: return "Char";
    case EventSysKey: return "SysKey";
    case EventMouseMove: return "MouseMove";
    case EventMouseLeave: return "MouseLeave";
    case EventMouseEnter: return "MouseEnter";
    case EventMouseHover: return "MouseHover";
    case EventButtonDown: return "ButtonDown";
    case EventButtonUp: return "ButtonUp";
    case EventRightButtonDown: return "RightButtonDown";
    case EventDoubleClick: return "DoubleClick";
    case EventContextMenu: return "ContextMenu";
    case EventScrollWheel: return "ScrollWheel";
    case EventKillFocus: return "KillFocus";
    case EventSetFocus: return "SetFocus";
    case EventWindowSize: return "WindowSize";
    case EventSetCursor: return "SetCursor";
    case EventTimer: return "Timer";
    default: return "?";
  }
}

inline std::string Narrow(const CUIString& s) {
  std::string out;
  for (LPCWSTR p = s.GetData(); *p; ++p) out += static_cast<char>(*p < 128 ? *p : '?');
  return out;
}

inline std::string NameOf(const CControlUI* pControl) {
  return pControl ? Narrow(pControl->GetName()) : std::string("null");
}

using Log = std::vector<std::string>;

// Logs "<control> <event>" for every event the control receives, "<control> <event> from
// <sender>" when the sender is another control.
inline void Probe(CControlUI* pControl, Log* pLog) {
  pControl->OnEventDelegates.Add([pControl, pLog](TUIEvent& e) {
    std::string line = NameOf(pControl) + " " + EventName(e.Type);
    if (e.pSender != pControl) line += " from " + NameOf(e.pSender);
    pLog->push_back(line);
    return true;
  });
}

// A control that is a tab stop and logs its activation.
class TabStopUI : public CControlUI {
 public:
  explicit TabStopUI(Log* pLog = nullptr) : m_pLog(pLog) {}
  UINT GetInputFlags() const override { return UIFLAG_TABSTOP; }
  bool Activate() override {
    if (m_pLog) m_pLog->push_back(NameOf(this) + " Activate");
    return CControlUI::Activate();
  }

 private:
  Log* m_pLog;
};

// Stands for a label: its class name says so, which is all the shortcut search looks at.
class FakeLabelUI : public CControlUI {
 public:
  LPCWSTR GetClassName() const override { return TEXT("FakeLabelUI"); }
};

class NotifyLog : public INotifyUI {
 public:
  Log lines;
  void Receive(TNotifyMsg& msg) override {
    lines.push_back(Narrow(msg.sType) + " " + NameOf(msg.pSender));
  }
};

// A borderless window at a fixed place on the headless screen, its messages routed by `pm`.
class RoutedWindow : public CWindowWnd {
 public:
  CPaintManagerUI pm;

  static constexpr int kLeft = 100;
  static constexpr int kTop = 100;

  HWND Open(int cx, int cy) {
    HWND hWnd = Create(nullptr, TEXT("routing"), WS_POPUP | WS_VISIBLE, 0, kLeft, kTop, cx, cy);
    if (hWnd) pm.AttachWindow(hWnd);
    return hWnd;
  }

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUIRoutingTest"); }
  UINT WindowClassStyle() const override { return CS_DBLCLKS; }
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    LRESULT lRes = 0;
    if (pm.GetPaintWindow() && pm.RouteMessage(uMsg, wParam, lParam, lRes)) return lRes;
    return DefaultProcessing(uMsg, wParam, lParam);
  }
};

inline LPARAM ClientPoint(int x, int y) { return MAKELPARAM(x, y); }
inline LPARAM ScreenPoint(int x, int y) {
  return MAKELPARAM(x + RoutedWindow::kLeft, y + RoutedWindow::kTop);
}

// A floating child at (x, y) of size (cx, cy) inside its container.
inline CControlUI* Place(CControlUI* pControl, LPCWSTR name, int x, int y, int cx, int cy) {
  pControl->SetName(name);
  pControl->SetFloat(true);
  pControl->SetFixedXY(SIZE{x, y});
  pControl->SetFixedWidth(cx);
  pControl->SetFixedHeight(cy);
  return pControl;
}

class RoutingFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Drive::Reset();
    Drive::SetScreen({0, 0, 1000, 800}, {0, 0, 1000, 760});
  }
  void TearDown() override {
    if (win.Handle()) DestroyWindow(win.Handle());
    Drive::Reset();
  }

  // Opens the window with the root attached and laid out; the root itself is not hit-testable.
  void Open(CContainerUI* pRoot, int cx = 300, int cy = 200) {
    ASSERT_NE(win.Open(cx, cy), nullptr);
    pRoot->SetName(TEXT("root"));
    pRoot->SetMouseEnabled(false);
    win.pm.AttachRoot(pRoot);
    win.pm.AddListener(&notes);
    Drive::RunUntilIdle();
    events.clear();
    notes.lines.clear();
  }

  LRESULT Send(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(win.Handle(), uMsg, wParam, lParam);
  }

  RoutedWindow win;
  Log events;
  NotifyLog notes;
};

}  // namespace RoutingTest
