#include "ProgressWindow.h"

#include <cstdio>

#include "setup/InstallNames.h"

namespace {

struct ProgressState {
  WCHAR directory[MAX_PATH] = {};
  int percent = 0;
};

ProgressState g_state;

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  HBRUSH background = CreateSolidBrush(RGB(246, 246, 246));
  FillRect(dc, &client, background);
  DeleteObject(background);

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(40, 40, 40));
  RECT text = {24, 40, client.right - 24, 80};
  DrawTextW(dc, g_state.directory, -1, &text, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);

  RECT bar = {24, client.bottom / 2, client.right - 24, client.bottom / 2 + 16};
  HBRUSH track = CreateSolidBrush(RGB(210, 210, 210));
  FillRect(dc, &bar, track);
  DeleteObject(track);
  RECT done = bar;
  done.right = bar.left + (bar.right - bar.left) * g_state.percent / 100;
  HBRUSH fill = CreateSolidBrush(RGB(40, 130, 220));
  FillRect(dc, &done, fill);
  DeleteObject(fill);

  WCHAR label[16];
  wnsprintfW(label, 16, u"%d%%", g_state.percent);
  RECT under = {bar.left, bar.bottom + 8, bar.right, bar.bottom + 40};
  DrawTextW(dc, label, -1, &under, DT_CENTER | DT_SINGLELINE);
  EndPaint(hwnd, &ps);
}

void TakeProgress(HWND hwnd, const COPYDATASTRUCT* record) {
  if (record->dwData != ProgressCopyTag || record->cbData != sizeof(INT)) return;
  int percent = *static_cast<const INT*>(record->lpData);
  std::printf("progress %d\n", percent);
  std::fflush(stdout);
  if (percent < 0 || percent > 100) return;
  g_state.percent = percent;
  InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_COPYDATA:
      TakeProgress(hwnd, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return TRUE;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateProgressWindow(LPCWSTR installDirectory) {
  lstrcpynW(g_state.directory, installDirectory, MAX_PATH);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.lpszClassName = kSetupWindowClass;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  if (!RegisterClassW(&wc)) return nullptr;
  return CreateWindowExW(0, kSetupWindowClass, kSetupWindowTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                         100, 100, 518, 345, nullptr, nullptr, nullptr, nullptr);
}
