#pragma once
// A headless window whose messages go through a paint manager, with a listener that records
// every notification, and small helpers to build trees in code.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Core/UIBase.h"
#include "Core/UIContainer.h"
#include "Core/UIManager.h"
#include "support/Drive.h"
#include "support/WideString.h"

namespace SkinUITest {

struct Noted {
  WString type;
  SkinUI::CControlUI* sender;
  WPARAM wParam;
  bool operator==(const Noted& o) const {
    return type == o.type && sender == o.sender && wParam == o.wParam;
  }
};

class TreeWindow : public SkinUI::CWindowWnd, public SkinUI::INotifyUI {
 public:
  SkinUI::CPaintManagerUI pm;
  std::vector<Noted> notes;
  // Runs inside Receive, once per notification, after it is recorded.
  std::function<void(SkinUI::TNotifyMsg&)> onReceive;

  ~TreeWindow() override {
    if (Handle()) DestroyWindow(Handle());
  }

  HWND Open(int cx, int cy) {
    HWND h = Create(nullptr, TEXT("tree"), WS_POPUP, 0, 0, 0, cx, cy);
    pm.AttachWindow(h);
    pm.AddListener(this);
    ShowWindow(h, SW_SHOWNOACTIVATE);
    return h;
  }

  void Receive(SkinUI::TNotifyMsg& msg) override {
    notes.push_back({WString(msg.sType.GetData()), msg.pSender, msg.wParam});
    if (onReceive) onReceive(msg);
  }

  // Attaches the root, lets the first paint happen and forgets the notifications so far.
  void AttachSettled(SkinUI::CControlUI* root) {
    pm.AttachRoot(root);
    Settle();
    notes.clear();
  }

  // Dispatches everything pending (painting included).
  static void Settle() { Drive::RunUntilIdle(); }

  uint32_t Pixel(int x, int y) const { return Drive::Pixel(Handle(), x, y); }

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUITreeTestWindow"); }
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    LRESULT lRes = 0;
    if (pm.RouteMessage(uMsg, wParam, lParam, lRes)) return lRes;
    return DefaultProcessing(uMsg, wParam, lParam);
  }
};

// Tests on the headless host start and end with its defaults and a 1000x800 screen.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Drive::Reset();
    Drive::SetScreen({0, 0, 1000, 800}, {0, 0, 1000, 760});
  }
  void TearDown() override { Drive::Reset(); }
};

// A control built from an attribute list.
template <typename T = SkinUI::CControlUI>
T* Make(LPCWSTR attributes) {
  T* p = new T;
  p->ApplyAttributes(attributes);
  return p;
}

}  // namespace SkinUITest
