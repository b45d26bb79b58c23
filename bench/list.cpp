// A list of 10,000 text rows in 4 columns in a headless 1024 x 768 window: built, laid out,
// the visible rows painted, then scrolled to the end and painted again. Prints one line
// "run <seconds>" per timed run; bench/list.sh compares them with the GTK peer
// (bench/list_gtk.c: a GtkTreeView over a GtkListStore of the same rows).
//
// usage: bench_list [runs]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Control/UIList.h"
#include "Core/UIBase.h"
#include "Core/UIManager.h"
#include "Platform/Host/Headless/Headless.h"

using namespace SkinUI;

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 4;
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

class BenchWindow : public CWindowWnd {
 public:
  CPaintManagerUI manager;

 protected:
  LPCWSTR WindowClassName() const override { return u"SkinUIBenchList"; }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CREATE) manager.AttachWindow(Handle());
    LRESULT result = 0;
    if (manager.RouteMessage(msg, wParam, lParam, result)) return result;
    return DefaultProcessing(msg, wParam, lParam);
  }
};

std::u16string Text(const char* prefix, int row) {
  const std::string s = prefix + std::to_string(row);
  return std::u16string(s.begin(), s.end());
}

CListUI* BuildList() {
  auto* list = new CListUI;
  list->SetBkColor(0xFFFFFFFF);
  list->EnableScrollBars(true, false);
  const char* const titles[kColumns] = {"Name ", "Size ", "Type ", "Date "};
  for (int c = 0; c < kColumns; c++) {
    auto* header = new CListHeaderItemUI;
    header->SetFixedWidth(kWidth / kColumns - 4);
    header->SetText(Text(titles[c], c).c_str());
    list->Add(header);
  }
  for (int r = 0; r < kRows; r++) {
    auto* row = new CListTextElementUI;
    row->SetFixedHeight(24);
    list->Add(row);
    row->SetText(0, Text("Item ", r).c_str());
    row->SetText(1, Text("", r * 37 % 100000).c_str());
    row->SetText(2, Text("Type ", r % 8).c_str());
    row->SetText(3, Text("2026-12-", r % 28 + 1).c_str());
  }
  return list;
}

void Paint(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
}

// Builds, paints, scrolls to the end and paints once; the seconds it took, negative on failure.
double RunOnce() {
  BenchWindow window;
  if (!window.Create(nullptr, u"bench", WS_POPUP | WS_VISIBLE, 0, 0, 0, kWidth, kHeight)) return -1;
  Platform::Headless::RunUntilIdle();
  const auto start = std::chrono::steady_clock::now();
  CListUI* list = BuildList();
  window.manager.AttachRoot(list);
  Paint(window.Handle());
  list->ScrollToBottom();
  Paint(window.Handle());
  const auto end = std::chrono::steady_clock::now();
  const bool scrolled = list->GetScrollRange().cy > 0 &&
                        list->GetScrollPos().cy == list->GetScrollRange().cy;
  DestroyWindow(window.Handle());
  Platform::Headless::RunUntilIdle();
  return scrolled ? std::chrono::duration<double>(end - start).count() : -1;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SKINUI_HOST", "headless", 0);
  const int runs = argc > 1 ? atoi(argv[1]) : 5;
  if (RunOnce() < 0) {  // warm-up: fonts, font configuration, code paths
    fprintf(stderr, "bench_list: the list did not lay out or scroll\n");
    return 1;
  }
  for (int i = 0; i < runs; i++) {
    const double seconds = RunOnce();
    if (seconds < 0) {
      fprintf(stderr, "bench_list: the list did not scroll to its end\n");
      return 1;
    }
    printf("run %.4f\n", seconds);
  }
  return 0;
}
