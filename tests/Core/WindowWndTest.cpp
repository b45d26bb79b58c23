// CWindowWnd: own and superclassed windows, the object's life around its native window, and the
// window placement helpers.
#include <gtest/gtest.h>

#include <vector>

#include "Core/UIBase.h"
#include "support/Drive.h"

using SkinUI::CWindowWnd;

namespace {

class RecordingWnd : public CWindowWnd {
 public:
  std::vector<UINT> seen;
  HWND goneHandle = nullptr;
  HWND handleWhenGone = reinterpret_cast<HWND>(1);
  int goneCalls = 0;
  bool refuseCreate = false;
  bool seenAfterGone = false;
  LPCWSTR className = TEXT("SkinUITestOwnClass");
  LPCWSTR superclass = nullptr;

 protected:
  LPCWSTR WindowClassName() const override { return className; }
  LPCWSTR SuperclassName() const override { return superclass; }
  UINT WindowClassStyle() const override { return CS_DBLCLKS; }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (goneCalls > 0) seenAfterGone = true;
    seen.push_back(msg);
    if (msg == WM_CREATE && refuseCreate) return -1;
    return DefaultProcessing(msg, wParam, lParam);
  }
  void OnWindowGone(HWND hwnd) override {
    goneHandle = hwnd;
    handleWhenGone = Handle();
    goneCalls++;
  }
};

class WindowWnd : public ::testing::Test {
 protected:
  void SetUp() override {
    Drive::Reset();
    Drive::SetScreen({0, 0, 1000, 800}, {0, 0, 1000, 760});
  }
  void TearDown() override { Drive::Reset(); }
};

TEST_F(WindowWnd, OwnClassRegistersTwiceAndEveryObjectGetsItsMessages) {
  RecordingWnd a, b;
  EXPECT_TRUE(a.RegisterWindowClass());
  EXPECT_TRUE(a.RegisterWindowClass());
  HWND ha = a.Create(nullptr, TEXT("first"), WS_OVERLAPPEDWINDOW, 0, 0, 0, 300, 200);
  HWND hb = b.Create(nullptr, TEXT("second"), WS_POPUP, 0, 10, 10, 50, 50);
  ASSERT_NE(ha, nullptr);
  ASSERT_NE(hb, nullptr);
  EXPECT_EQ(a.Handle(), ha);
  EXPECT_EQ(reinterpret_cast<CWindowWnd*>(GetWindowLongPtrW(ha, GWLP_USERDATA)), &a);
  // WM_GETMINMAXINFO comes before WM_NCCREATE and goes to the default procedure; WM_NCCREATE
  // itself reaches the object.
  ASSERT_FALSE(a.seen.empty());
  EXPECT_EQ(a.seen.front(), static_cast<UINT>(WM_NCCREATE));
  EXPECT_EQ(std::count(a.seen.begin(), a.seen.end(), static_cast<UINT>(WM_GETMINMAXINFO)), 0);
  EXPECT_EQ(a.Send(WM_GETTEXTLENGTH), 5);
  EXPECT_EQ(FindWindowW(TEXT("SkinUITestOwnClass"), TEXT("second")), hb);
  DestroyWindow(ha);
  DestroyWindow(hb);
}

TEST_F(WindowWnd, WindowGoneComesOnceAfterTheLastMessageWithTheHandleCleared) {
  RecordingWnd w;
  HWND h = w.Create(nullptr, TEXT("w"), WS_POPUP, 0, 0, 0, 10, 10);
  ASSERT_NE(h, nullptr);
  DestroyWindow(h);
  EXPECT_EQ(w.goneCalls, 1);
  EXPECT_EQ(w.goneHandle, h);
  EXPECT_EQ(w.handleWhenGone, nullptr);
  EXPECT_FALSE(w.seenAfterGone);
  EXPECT_EQ(w.seen.back(), static_cast<UINT>(WM_DESTROY));  // WM_NCDESTROY goes to the default
  EXPECT_EQ(w.Handle(), nullptr);
  // The object can make a new window afterwards.
  w.goneCalls = 0;
  HWND again = w.Create(nullptr, TEXT("again"), WS_POPUP, 0, 0, 0, 10, 10);
  ASSERT_NE(again, nullptr);
  EXPECT_NE(again, h);
  DestroyWindow(again);
  EXPECT_EQ(w.goneCalls, 1);
}

TEST_F(WindowWnd, RefusedCreationReturnsNullAndStillSaysGoodbye) {
  RecordingWnd w;
  w.refuseCreate = true;
  EXPECT_EQ(w.Create(nullptr, TEXT("no"), WS_POPUP, 0, 0, 0, 10, 10), nullptr);
  EXPECT_EQ(w.Handle(), nullptr);
  EXPECT_EQ(w.goneCalls, 1);
}

TEST_F(WindowWnd, SuperclassKeepsTheObjectInAPropertyAndCallsTheBaseProcedure) {
  RecordingWnd w;
  w.className = TEXT("SkinUITestStaticSuper");
  w.superclass = TEXT("Static");
  HWND h = w.Create(nullptr, TEXT("label"), WS_POPUP, 0, 0, 0, 40, 20);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GetPropW(h, TEXT("WndX")), static_cast<HANDLE>(&w));
  EXPECT_EQ(GetWindowLongPtrW(h, GWLP_USERDATA), 0);
  // The base class procedure answers hit tests of a static as transparent.
  EXPECT_EQ(w.Send(WM_NCHITTEST, 0, MAKELPARAM(5, 5)), HTTRANSPARENT);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  ASSERT_TRUE(GetClassInfoExW(nullptr, TEXT("SkinUITestStaticSuper"), &wc) ||
              GetClassInfoExW(CWindowWnd::ModuleInstance(), TEXT("SkinUITestStaticSuper"), &wc));
  DestroyWindow(h);
  EXPECT_EQ(w.goneCalls, 1);
  EXPECT_EQ(w.Handle(), nullptr);
}

TEST_F(WindowWnd, SuperclassOfAnUnknownClassFails) {
  RecordingWnd w;
  w.className = TEXT("SkinUITestOrphan");
  w.superclass = TEXT("NoSuchBaseClass");
  EXPECT_EQ(w.Create(nullptr, TEXT("x"), WS_POPUP, 0, 0, 0, 10, 10), nullptr);
  EXPECT_EQ(w.goneCalls, 0);
  EXPECT_EQ(FindWindowW(TEXT("SkinUITestOrphan"), nullptr), nullptr);
}

TEST_F(WindowWnd, AWindowOfTheClassMadeWithoutAnObjectBehavesAsADefaultWindow) {
  RecordingWnd w;
  ASSERT_TRUE(w.RegisterWindowClass());
  HWND h = CreateWindowExW(0, TEXT("SkinUITestOwnClass"), TEXT("bare"), WS_POPUP, 0, 0, 10, 10,
                           nullptr, nullptr, CWindowWnd::ModuleInstance(), nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0), 4);
  EXPECT_TRUE(DestroyWindow(h));
  EXPECT_TRUE(w.seen.empty());
}

TEST_F(WindowWnd, ShowCloseSendAndPost) {
  RecordingWnd w;
  HWND h = w.Create(nullptr, TEXT("w"), WS_POPUP, 0, 0, 0, 10, 10);
  w.Show(true, false);
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  w.Show(false);
  EXPECT_FALSE(IsWindowVisible(h));
  w.Show();
  EXPECT_EQ(GetActiveWindow(), h);
  w.seen.clear();
  w.Post(WM_USER + 5, 1, 2);
  w.Close(7);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, h, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 5));
  ASSERT_TRUE(PeekMessageW(&msg, h, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(msg.wParam, 7u);
  DispatchMessageW(&msg);  // default processing destroys the window
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(w.goneCalls, 1);
  // Dead window: Show and Close do nothing, Send and Post are refused by the platform.
  w.Show();
  w.Close();
  EXPECT_EQ(w.Send(WM_USER), 0);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowWnd, CenterOnOwnerFollowsTheWorkAreaRules) {
  RecordingWnd w;
  HWND h = w.Create(nullptr, TEXT("c"), WS_POPUP, 0, 0, 0, 200, 100);
  w.CenterOnOwner();
  RECT r{};
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 400);  // (0 + 1000) / 2 - 100
  EXPECT_EQ(r.top, 330);   // (0 + 760) / 2 - 50
  EXPECT_EQ(r.right - r.left, 200);

  // Centred on an owner near the right edge: pushed back inside the work area.
  RecordingWnd owner;
  HWND ho = owner.Create(nullptr, TEXT("owner"), WS_POPUP, 0, 900, 700, 100, 100);
  RecordingWnd child;
  HWND hc = child.Create(ho, TEXT("owned"), WS_POPUP, 0, 0, 0, 300, 300);
  EXPECT_EQ(GetWindow(hc, GW_OWNER), ho);
  child.CenterOnOwner();
  GetWindowRect(hc, &r);
  EXPECT_EQ(r.left, 700);
  EXPECT_EQ(r.top, 460);

  // Wider than the work area by one: the right-edge rule puts its left edge at
  // work right - width, left of the work area.
  RecordingWnd wide;
  HWND hw = wide.Create(nullptr, TEXT("wide"), WS_POPUP, 0, 0, 0, 1001, 50);
  wide.CenterOnOwner();
  GetWindowRect(hw, &r);
  EXPECT_EQ(r.left, -1);
  // Wider by two: left of the work area, so it starts at the work area's left edge.
  SetWindowPos(hw, nullptr, 0, 0, 1002, 50, SWP_NOMOVE | SWP_NOZORDER);
  wide.CenterOnOwner();
  GetWindowRect(hw, &r);
  EXPECT_EQ(r.left, 0);
  for (HWND x : {h, hc, ho, hw}) DestroyWindow(x);
}

TEST_F(WindowWnd, CreateWithARectangle) {
  RecordingWnd w;
  RECT rc{10, 20, 110, 70};
  HWND h = w.Create(nullptr, TEXT("r"), WS_POPUP, 0, rc);
  RECT r{};
  GetWindowRect(h, &r);
  EXPECT_TRUE(EqualRect(&r, &rc));
  DestroyWindow(h);
}

}  // namespace
