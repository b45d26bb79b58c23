// The size limits a window gives for maximizing and for the user's sizing.
#include "Platform/Host/Host.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {

MINMAXINFO AskMinMaxInfo(HWND hwnd) {
  RECT work = CurrentHost().WorkArea();
  RECT screen = CurrentHost().ScreenRect();
  MINMAXINFO mmi{};
  mmi.ptMaxSize = {work.right - work.left, work.bottom - work.top};
  mmi.ptMaxPosition = {work.left, work.top};
  mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = {screen.right - screen.left, screen.bottom - screen.top};
  SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  return mmi;
}

}  // namespace Platform
