// The rich-text layout engine: the input as UTF-16 markup, drawn into a small DIB and measured
// with the style combinations controls use, with room for a few links.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Core/UIBase.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

using namespace SkinUI;

namespace {

class FuzzWindow : public CWindowWnd {
 public:
  CPaintManagerUI pm;

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUIFuzzMarkupText"); }
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    if (uMsg == WM_CREATE) pm.AttachWindow(Handle());
    return DefaultProcessing(uMsg, wParam, lParam);
  }
};

struct Canvas {
  Canvas() {
    window.Create(nullptr, TEXT("fuzz"), WS_POPUP, 0, 0, 0, 64, 48);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 64;
    bmi.bmiHeader.biHeight = -48;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
  }
  FuzzWindow window;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Canvas canvas;
  std::vector<WCHAR> text(size / 2 + 1, 0);
  for (size_t i = 0; i + 1 < size; i += 2)
    text[i / 2] = static_cast<WCHAR>(data[i] | data[i + 1] << 8);
  const UINT styles[] = {0,
                         DT_WORDBREAK,
                         DT_SINGLELINE | DT_END_ELLIPSIS,
                         DT_CENTER | DT_VCENTER | DT_WORDBREAK,
                         DT_SINGLELINE | DT_RIGHT | DT_BOTTOM,
                         DT_WORDBREAK | DT_CALCRECT};
  for (UINT style : styles) {
    RECT links[3] = {};
    CUIString names[3];
    int count = 3;
    RECT rc = {2, 2, 60, 44};
    CDrawEngine::DrawMarkupText(canvas.dc, &canvas.window.pm, rc, text.data(), 0xFF000000, links,
                                names, count, style);
    if (count < 0 || count > 3) __builtin_trap();
  }
  // Fonts made by tags stay in the manager's list; a fresh list keeps runs independent.
  canvas.window.pm.ClearFonts();
  return 0;
}
