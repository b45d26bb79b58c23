// Message throughput: cross-thread SendMessageW round trips, PostMessageW + GetMessageW on one
// thread, and a mouse move routed by a paint manager to a control in a tree of 10,000.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "Core/UIBase.h"
#include "Core/UIContainer.h"
#include "Core/UIManager.h"
#include "Platform/Win32.h"

namespace {

LRESULT CALLBACK EchoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER) return static_cast<LRESULT>(wParam + 1);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MakeEchoWindow() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = EchoProc;
  wc.lpszClassName = u"BenchEcho";
  RegisterClassExW(&wc);
  return CreateWindowExW(0, u"BenchEcho", u"echo", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         nullptr, nullptr);
}

void CrossThreadSendRoundTrips(benchmark::State& state) {
  std::atomic<HWND> hwnd{nullptr};
  std::atomic<bool> stop{false};
  std::thread owner([&] {
    hwnd = MakeEchoWindow();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DestroyWindow(hwnd);
  });
  while (hwnd == nullptr) std::this_thread::yield();
  WPARAM n = 0;
  for (auto _ : state) {
    LRESULT r = SendMessageW(hwnd, WM_USER, n, 0);
    benchmark::DoNotOptimize(r);
    ++n;
  }
  PostMessageW(hwnd, WM_QUIT, 0, 0);
  owner.join();
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(CrossThreadSendRoundTrips)->UseRealTime();

void PostAndGetOnOneThread(benchmark::State& state) {
  HWND hwnd = MakeEchoWindow();
  MSG msg;
  for (auto _ : state) {
    PostMessageW(hwnd, WM_USER, 1, 2);
    GetMessageW(&msg, nullptr, 0, 0);
    DispatchMessageW(&msg);
  }
  DestroyWindow(hwnd);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(PostAndGetOnOneThread);

// A 1000 x 1000 window whose messages go through a paint manager, with a 10 x 10 grid of
// containers of 10 x 10 floating 10-pixel controls each: 10,000 controls plus 101 containers.
class RoutedWindow : public SkinUI::CWindowWnd {
 public:
  SkinUI::CPaintManagerUI pm;

 protected:
  LPCWSTR WindowClassName() const override { return u"BenchRouted"; }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    LRESULT lRes = 0;
    if (pm.GetPaintWindow() && pm.RouteMessage(msg, wParam, lParam, lRes)) return lRes;
    return DefaultProcessing(msg, wParam, lParam);
  }
};

SkinUI::CControlUI* Floating(SkinUI::CControlUI* pControl, int x, int y, int size) {
  pControl->SetFloat(true);
  pControl->SetFixedXY(SIZE{x, y});
  pControl->SetFixedWidth(size);
  pControl->SetFixedHeight(size);
  return pControl;
}

SkinUI::CContainerUI* TenThousandControls() {
  auto* root = new SkinUI::CContainerUI;
  for (int cell = 0; cell < 100; cell++) {
    auto* group = new SkinUI::CContainerUI;
    Floating(group, (cell % 10) * 100, (cell / 10) * 100, 100);
    for (int i = 0; i < 100; i++) {
      group->Add(Floating(new SkinUI::CControlUI, (i % 10) * 10, (i / 10) * 10, 10));
    }
    root->Add(group);
  }
  return root;
}

// Each move crosses from one control to another, so it costs a hit test, a leave, an enter and
// a move event.
void MouseMoveRoutedInTenThousandControls(benchmark::State& state) {
  RoutedWindow window;
  window.Create(nullptr, u"routed", WS_POPUP | WS_VISIBLE, 0, 0, 0, 1000, 1000);
  window.pm.AttachWindow(window.Handle());
  window.pm.AttachRoot(TenThousandControls());
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);  // first layout
  const LPARAM points[2] = {MAKELPARAM(555, 555), MAKELPARAM(565, 555)};
  if (window.pm.FindControlAt(POINT{555, 555}) == window.pm.FindControlAt(POINT{565, 555})) {
    state.SkipWithError("the tree was not laid out: both points hit the same control");
  }
  int n = 0;
  for (auto _ : state) {
    SendMessageW(window.Handle(), WM_MOUSEMOVE, 0, points[n++ & 1]);
  }
  DestroyWindow(window.Handle());
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(MouseMoveRoutedInTenThousandControls);

}  // namespace

int main(int argc, char** argv) {
  setenv("SKINUI_HOST", "headless", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
