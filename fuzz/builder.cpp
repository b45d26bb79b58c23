// The layout builder on arbitrary markup: build a window's tree (with the resource elements,
// window attributes, includes of markup text and every tag of the table), lay it out and paint
// it in a headless window, then tear everything down.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Control/UIDlgBuilder.h"
#include "Core/UIBase.h"
#include "Core/UIManager.h"
#include "Platform/Host/Headless/Headless.h"

using namespace SkinUI;

namespace {

class FuzzWindow : public CWindowWnd {
 public:
  CPaintManagerUI manager;

 protected:
  LPCWSTR WindowClassName() const override { return u"SkinUIFuzzBuilder"; }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CREATE) manager.AttachWindow(Handle());
    LRESULT result = 0;
    if (manager.RouteMessage(msg, wParam, lParam, result)) return result;
    return DefaultProcessing(msg, wParam, lParam);
  }
};

// Include repeats its source "count" times, nested includes multiply: a few digits of count
// are enough to make one input run for hours. Such inputs are legal skins, just slow ones.
bool HasHugeCount(const uint8_t* data, size_t size) {
  static const char kCount[] = "count";
  for (size_t i = 0; i + 5 < size; i++) {
    size_t k = 0;
    while (k < 5 && data[i + k] == static_cast<uint8_t>(kCount[k])) k++;
    if (k < 5) continue;
    // count="123": the digits start within a few characters of the name.
    size_t digits = 0;
    for (size_t j = i + 5; j < size && j < i + 9 + digits && digits < 3; j++) {
      if (data[j] >= '0' && data[j] <= '9')
        digits++;
      else if (digits > 0)
        break;
    }
    if (digits >= 3) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SKINUI_HOST", "headless", 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096 || HasHugeCount(data, size)) return -1;
  FuzzWindow window;
  if (!window.Create(nullptr, u"fuzz", WS_POPUP | WS_VISIBLE, 0, 0, 0, 200, 150)) return 0;
  std::vector<BYTE> bytes(data, data + size);
  CLayoutBuilder builder;
  if (builder.GetMarkup()->LoadBytes(bytes.data(), static_cast<DWORD>(bytes.size()))) {
    CControlUI* root = builder.Build(nullptr, &window.manager, nullptr);
    if (root) {
      window.manager.AttachRoot(root);
      InvalidateRect(window.Handle(), nullptr, FALSE);
      Platform::Headless::RunUntilIdle();
    }
  }
  DestroyWindow(window.Handle());
  Platform::Headless::RunUntilIdle();
  return 0;
}
