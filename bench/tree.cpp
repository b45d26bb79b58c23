// The painted control tree: building, laying out and painting 10,000 floating controls with
// background colours and borders into a 518x345 window, and repainting after one of them
// changes. Cases are named <work>/ours so that a peer can join them later (bench/compare.sh).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "Core/UIBase.h"
#include "Core/UIContainer.h"
#include "Core/UIManager.h"
#include "Platform/Host/Headless/Headless.h"

namespace {

constexpr int kWidth = 518;
constexpr int kHeight = 345;
constexpr int kControls = 10000;

class BenchWindow : public SkinUI::CWindowWnd {
 public:
  SkinUI::CPaintManagerUI pm;

  BenchWindow() {
    HWND h = Create(nullptr, u"tree", WS_POPUP, 0, 0, 0, kWidth, kHeight);
    pm.AttachWindow(h);
    ShowWindow(h, SW_SHOWNOACTIVATE);
  }
  ~BenchWindow() override {
    if (Handle()) DestroyWindow(Handle());
  }

 protected:
  LPCWSTR WindowClassName() const override { return u"SkinUIBenchTree"; }
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    LRESULT lRes = 0;
    if (pm.RouteMessage(uMsg, wParam, lParam, lRes)) return lRes;
    return DefaultProcessing(uMsg, wParam, lParam);
  }
};

// A container holding kControls floating children in overlapping 24x16 cells over the window.
SkinUI::CContainerUI* BuildTree() {
  auto* root = new SkinUI::CContainerUI;
  root->SetBkColor(0xFF202830);
  for (int i = 0; i < kControls; i++) {
    auto* child = new SkinUI::CControlUI;
    const int x = (i * 7) % (kWidth - 24);
    const int y = (i * 3) % (kHeight - 16);
    child->SetFloat(true);
    child->SetFixedXY(SIZE{x, y});
    child->SetFixedWidth(24);
    child->SetFixedHeight(16);
    child->SetBkColor(0xFF000000 | static_cast<DWORD>(i * 2654435761u & 0xFFFFFF));
    child->SetBorderColor(0xFFFFFFFF);
    child->SetBorderSize(1);
    root->Add(child);
  }
  return root;
}

void BuildLayoutPaint(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<BenchWindow>();
    Platform::Headless::RunUntilIdle();
    state.ResumeTiming();
    window->pm.AttachRoot(BuildTree());
    UpdateWindow(window->Handle());
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BuildLayoutPaint)
    ->Name("BuildLayoutPaint/ours")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void RepaintOneChild(benchmark::State& state) {
  BenchWindow window;
  SkinUI::CContainerUI* root = BuildTree();
  window.pm.AttachRoot(root);
  Platform::Headless::RunUntilIdle();
  SkinUI::CControlUI* child = root->GetItemAt(kControls / 2);
  DWORD color = 0xFF00FF00;
  for (auto _ : state) {
    color ^= 0x00FFFFFF;
    child->SetBkColor(color);
    UpdateWindow(window.Handle());
  }
}
BENCHMARK(RepaintOneChild)
    ->Name("RepaintOneChild/ours")
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  setenv("SKINUI_HOST", "headless", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
