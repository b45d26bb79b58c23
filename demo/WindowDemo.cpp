// A borderless window of a given size, painted in two colours, that can be dragged by its top
// band. Usage: WindowDemo [width height [lifetime-ms]]
#include <cstdlib>

#include "Core/UIBase.h"

namespace {

const int kCaptionHeight = 40;
const UINT_PTR kLifetimeTimer = 1;

class DemoWindow : public SkinUI::CWindowWnd {
 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUIWindowDemo"); }

  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_PAINT: Paint(); return 0;
      case WM_ERASEBKGND: return 1;
      case WM_NCHITTEST: {
        LRESULT hit = DefaultProcessing(msg, wParam, lParam);
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(Handle(), &pt);
        return hit == HTCLIENT && pt.y < kCaptionHeight ? HTCAPTION : hit;
      }
      case WM_TIMER:
        if (wParam == kLifetimeTimer) Close();
        return 0;
      case WM_DESTROY: PostQuitMessage(0); return 0;
      default: return DefaultProcessing(msg, wParam, lParam);
    }
  }

 private:
  void Paint() {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client{};
    GetClientRect(Handle(), &client);
    RECT caption = client;
    caption.bottom = kCaptionHeight;
    RECT body = client;
    body.top = kCaptionHeight;
    HBRUSH captionBrush = CreateSolidBrush(RGB(32, 48, 96));
    HBRUSH bodyBrush = CreateSolidBrush(RGB(230, 140, 40));
    FillRect(dc, &caption, captionBrush);
    FillRect(dc, &body, bodyBrush);
    DeleteObject(captionBrush);
    DeleteObject(bodyBrush);
    EndPaint(Handle(), &ps);
  }
};

int Arg(int argc, char** argv, int index, int fallback) {
  if (index >= argc) return fallback;
  int value = std::atoi(argv[index]);
  return value > 0 ? value : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  int width = Arg(argc, argv, 1, 420);
  int height = Arg(argc, argv, 2, 300);
  int lifetime = Arg(argc, argv, 3, 0);
  DemoWindow window;
  if (window.Create(nullptr, TEXT("SkinUI Window Demo"), WS_POPUP, 0, 100, 100, width, height) ==
      nullptr) {
    return 1;
  }
  if (lifetime > 0) SetTimer(window.Handle(), kLifetimeTimer, static_cast<UINT>(lifetime), nullptr);
  window.Show();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
