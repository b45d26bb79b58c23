// A skin of 10,000 labels in a tile layout (background colours, borders, text) built from
// markup, laid out and painted into a headless 1024 x 768 window's offscreen surface, several
// times. Prints one line "run <seconds>" per timed run; bench/layout.sh compares them with the
// GTK peer (bench/layout_gtk.c) doing the same from a GtkBuilder file.
//
// usage: bench_layout [runs] [skin file to write instead of running]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Control/UIDlgBuilder.h"
#include "Core/UIBase.h"
#include "Core/UIManager.h"
#include "Platform/Host/Headless/Headless.h"

using namespace SkinUI;

namespace {

constexpr int kLabels = 10000;
constexpr int kWidth = 1024;
constexpr int kHeight = 768;
// The same eight background colours as the peer's style classes c0 ... c7.
const char* const kColours[8] = {"FFE57373", "FF81C784", "FF64B5F6", "FFFFD54F",
                                 "FFBA68C8", "FF4DB6AC", "FFFF8A65", "FF90A4AE"};

std::u16string Skin() {
  std::string xml =
      "<Window size=\"1024,768\"><Font name=\"DejaVu Sans\" size=\"12\" default=\"true\"/>"
      "<TileLayout itemsize=\"100,24\" vscrollbar=\"true\" bkcolor=\"#FFFFFFFF\">";
  for (int i = 0; i < kLabels; i++) {
    xml += "<Label text=\"Item " + std::to_string(i) + "\" height=\"24\" bkcolor=\"#" +
           kColours[i % 8] + "\" bordersize=\"1\" bordercolor=\"#FF303030\"/>";
  }
  xml += "</TileLayout></Window>";
  return std::u16string(xml.begin(), xml.end());
}

class BenchWindow : public CWindowWnd {
 public:
  CPaintManagerUI manager;

 protected:
  LPCWSTR WindowClassName() const override { return u"SkinUIBenchLayout"; }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CREATE) manager.AttachWindow(Handle());
    LRESULT result = 0;
    if (manager.RouteMessage(msg, wParam, lParam, result)) return result;
    return DefaultProcessing(msg, wParam, lParam);
  }
};

// Builds, lays out and paints once; the seconds it took, or a negative value on failure.
double RunOnce(const std::u16string& skin) {
  BenchWindow window;
  if (!window.Create(nullptr, u"bench", WS_POPUP | WS_VISIBLE, 0, 0, 0, kWidth, kHeight)) return -1;
  Platform::Headless::RunUntilIdle();
  const auto start = std::chrono::steady_clock::now();
  CLayoutBuilder builder;
  CControlUI* root = builder.Create(skin.c_str(), nullptr, nullptr, &window.manager);
  if (!root) return -1;
  window.manager.AttachRoot(root);
  InvalidateRect(window.Handle(), nullptr, FALSE);
  UpdateWindow(window.Handle());
  const auto end = std::chrono::steady_clock::now();
  // The first label's background shows inside its border: the tree was laid out and painted.
  const bool painted = Platform::Headless::Pixel(window.Handle(), 50, 3) == 0xFFE57373u;
  DestroyWindow(window.Handle());
  Platform::Headless::RunUntilIdle();
  return painted ? std::chrono::duration<double>(end - start).count() : -1;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SKINUI_HOST", "headless", 0);
  const int runs = argc > 1 ? atoi(argv[1]) : 5;
  const std::u16string skin = Skin();
  if (argc > 2) {
    FILE* out = fopen(argv[2], "wb");
    if (!out) return 1;
    const std::string bytes(skin.begin(), skin.end());
    fwrite(bytes.data(), 1, bytes.size(), out);
    fclose(out);
    return 0;
  }
  if (RunOnce(skin) < 0) {  // warm-up: fonts, font configuration, code paths
    fprintf(stderr, "bench_layout: the skin did not build or paint\n");
    return 1;
  }
  for (int i = 0; i < runs; i++) {
    const double seconds = RunOnce(skin);
    if (seconds < 0) {
      fprintf(stderr, "bench_layout: the skin was not painted\n");
      return 1;
    }
    printf("run %.4f\n", seconds);
  }
  return 0;
}
