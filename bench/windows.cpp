// Message throughput: cross-thread SendMessageW round trips, and PostMessageW + GetMessageW on
// one thread.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <thread>

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

}  // namespace

int main(int argc, char** argv) {
  setenv("SKINUI_HOST", "headless", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
