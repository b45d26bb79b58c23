#pragma once
// A headless window with a paint manager, for tests that build a skin from markup text and look
// at the laid-out tree: Load() builds the markup into the window, Layout() lets the window lay
// it out (and paint), Rect() reads a named control's rectangle. Header-only, so the layout and
// the builder tests can both use it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Control/UIDlgBuilder.h"
#include "Core/UIBase.h"
#include "Core/UIControl.h"
#include "Core/UIManager.h"
#include "support/Drive.h"

namespace LayoutTest {

class SkinHostWindow : public SkinUI::CWindowWnd, public SkinUI::INotifyUI {
 public:
  SkinHostWindow(int cx = 300, int cy = 200) {
    Drive::Reset();
    Drive::SetScreen({0, 0, 1024, 768}, {0, 0, 1024, 768});
    Create(nullptr, TEXT("layout test"), WS_POPUP | WS_VISIBLE, 0, 0, 0, cx, cy);
    manager.AddListener(this);
  }
  ~SkinHostWindow() override {
    if (Handle()) DestroyWindow(Handle());
    Drive::Reset();
  }

  // Builds the markup (text starting with '<' or a skin file name) into the window's manager
  // and installs the result as the root. False when nothing was built.
  bool Load(LPCWSTR source, SkinUI::IDialogBuilderCallback* callback = nullptr) {
    SkinUI::CLayoutBuilder builder;
    SkinUI::CControlUI* root = builder.Create(source, nullptr, callback, &manager, nullptr);
    if (!root) return false;
    manager.AttachRoot(root);
    Layout();
    return true;
  }

  // Lets the window lay out and paint whatever is stale.
  void Layout() {
    InvalidateRect(Handle(), nullptr, FALSE);
    Drive::RunUntilIdle();
  }

  SkinUI::CControlUI* Find(LPCWSTR name) const { return manager.FindControlByName(name); }

  RECT Rect(LPCWSTR name) const {
    SkinUI::CControlUI* control = Find(name);
    EXPECT_NE(control, nullptr) << "no control named " << std::string(name, name + lstrlenW(name));
    return control ? control->GetPos() : RECT{-1, -1, -1, -1};
  }

  void Receive(SkinUI::TNotifyMsg& msg) override { notes.push_back(msg); }

  SkinUI::CPaintManagerUI manager;
  std::vector<SkinUI::TNotifyMsg> notes;

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUILayoutTestHost"); }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CREATE) manager.AttachWindow(Handle());
    LRESULT result = 0;
    if (manager.RouteMessage(msg, wParam, lParam, result)) return result;
    return DefaultProcessing(msg, wParam, lParam);
  }
};

// Rectangles compare and print as (l,t,r,b).
struct Box {
  LONG l, t, r, b;
  Box(const RECT& rc) : l(rc.left), t(rc.top), r(rc.right), b(rc.bottom) {}
  Box(LONG left, LONG top, LONG right, LONG bottom) : l(left), t(top), r(right), b(bottom) {}
  bool operator==(const Box& o) const { return l == o.l && t == o.t && r == o.r && b == o.b; }
};

inline std::ostream& operator<<(std::ostream& os, const Box& box) {
  return os << "(" << box.l << "," << box.t << "," << box.r << "," << box.b << ")";
}

}  // namespace LayoutTest
