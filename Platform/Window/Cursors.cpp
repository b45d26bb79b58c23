// The standard cursors and the current cursor shape.
#include <array>

#include "Platform/Host/Host.h"
#include "Platform/Window/MessageQueue.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {
namespace {

struct CursorRecord {
  int id;
};

const std::array<CursorRecord, 14> kCursors{{{32512},
                                             {32513},
                                             {32514},
                                             {32515},
                                             {32516},
                                             {32642},
                                             {32643},
                                             {32644},
                                             {32645},
                                             {32646},
                                             {32648},
                                             {32649},
                                             {32650},
                                             {32651}}};

HCURSOR g_current = nullptr;

int CursorIdOf(HCURSOR cursor) {
  for (const auto& c : kCursors) {
    if (reinterpret_cast<HCURSOR>(const_cast<CursorRecord*>(&c)) == cursor) return c.id;
  }
  return 0;
}

}  // namespace
}  // namespace Platform

using namespace Platform;

HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName) {
  if (hInstance == nullptr && IS_INTRESOURCE(lpCursorName)) {
    int id = static_cast<int>(reinterpret_cast<ULONG_PTR>(lpCursorName));
    for (const auto& c : kCursors) {
      if (c.id == id) return reinterpret_cast<HCURSOR>(const_cast<CursorRecord*>(&c));
    }
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
  HCURSOR old = nullptr;
  HostWindow* host = nullptr;
  {
    auto lock = WindowLock();
    old = g_current;
    g_current = hCursor;
    HWND under = WindowAtPointLocked(CursorPosLocked(), nullptr);
    if (Window* top = FindWindowLocked(TopLevelOfLocked(under))) host = top->host;
  }
  if (host != nullptr && old != hCursor) CurrentHost().SetCursorShape(host, CursorIdOf(hCursor));
  return old;
}

HCURSOR WINAPI GetCursor() {
  auto lock = WindowLock();
  return g_current;
}
