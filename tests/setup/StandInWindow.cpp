#include "StandInWindow.h"

#include <gtest/gtest.h>

#include <thread>

#include "setup/InstallNames.h"

namespace {

StandInWindow* g_current = nullptr;

}  // namespace

StandInWindow::StandInWindow() {
  static bool registered = [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &StandInWindow::WindowProc;
    wc.lpszClassName = kSetupWindowClass;
    return RegisterClassW(&wc) != 0;
  }();
  EXPECT_TRUE(registered);
  g_current = this;
  m_hwnd =
      CreateWindowExW(0, kSetupWindowClass, kSetupWindowTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                      0, 518, 345, nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(m_hwnd, nullptr);
}

StandInWindow::~StandInWindow() {
  if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  g_current = nullptr;
}

LRESULT CALLBACK StandInWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA && g_current) {
    const COPYDATASTRUCT* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (record->dwData == ProgressCopyTag && record->cbData == sizeof(INT)) {
      g_current->m_progress.push_back(*static_cast<const INT*>(record->lpData));
      if (g_current->m_onProgress) g_current->m_onProgress(g_current->m_progress.size());
    } else
      ++g_current->m_otherCopyData;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool StandInWindow::PumpOnce() {
  MSG m;
  bool quit = false;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      quit = true;
      break;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  if (!m_hiddenAt && !IsWindowVisible(m_hwnd)) m_hiddenAt = Clock::now();
  if (!quit) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  return quit;
}

bool StandInWindow::RunUntilQuit(std::chrono::milliseconds limit) {
  Clock::time_point end = Clock::now() + limit;
  while (Clock::now() < end) {
    if (PumpOnce()) {
      m_quitAt = Clock::now();
      return true;
    }
  }
  return false;
}
