// Update regions, WM_PAINT, and device contexts over a window's pixels.
#include <algorithm>

#include "Platform/Host/Host.h"
#include "Platform/Window/GdiBridge.h"
#include "Platform/Window/MessageQueue.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {
namespace {

cairo_rectangle_int_t ToCairo(const RECT& r) {
  return cairo_rectangle_int_t{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

RECT ClientBounds(const Window* w) {
  return RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
}

void AddToUpdateLocked(Window* w, const RECT& clientRect, bool erase) {
  RECT r{};
  RECT bounds = ClientBounds(w);
  if (!IntersectRect(&r, &clientRect, &bounds)) return;
  if (w->update == nullptr) w->update = cairo_region_create();
  cairo_rectangle_int_t cr = ToCairo(r);
  cairo_region_union_rectangle(w->update, &cr);
  if (erase) w->eraseBackground = true;
  WakeQueueLocked(*w->queue);
}

void InvalidateTreeLocked(Window* w, const RECT& clientRect, bool erase, bool children) {
  AddToUpdateLocked(w, clientRect, erase);
  if (!children) return;
  POINT origin = ClientOriginOnScreenLocked(w);
  for (HWND c : w->children) {
    Window* child = FindWindowLocked(c);
    if (child == nullptr || (child->style & WS_VISIBLE) == 0) continue;
    POINT co = ClientOriginOnScreenLocked(child);
    RECT r = clientRect;
    OffsetRect(&r, origin.x - co.x, origin.y - co.y);
    InvalidateTreeLocked(child, r, erase, true);
  }
}

bool NeedsPaintLocked(const Window* w) {
  return w->update != nullptr && !cairo_region_is_empty(w->update) && IsVisibleLocked(w) &&
         !w->minimized;
}

HWND FindPaintTargetLocked(Window* w, const ThreadQueue& q, HWND filter) {
  if ((w->style & WS_VISIBLE) == 0) return nullptr;
  if (w->queue.get() == &q && (filter == nullptr || filter == w->handle) && NeedsPaintLocked(w)) {
    return w->handle;
  }
  for (HWND c : w->children) {
    if (Window* child = FindWindowLocked(c)) {
      if (HWND found = FindPaintTargetLocked(child, q, filter)) return found;
    }
  }
  return nullptr;
}

// The top-level window whose surface holds w's pixels, and where w's client area starts in it.
Window* SurfaceOwnerLocked(Window* w, POINT* offset) {
  Window* top = FindWindowLocked(TopLevelOfLocked(w->handle));
  if (top == nullptr || top->surface == nullptr) return nullptr;
  RECT topRect = WindowRectOnScreenLocked(top);
  POINT o = ClientOriginOnScreenLocked(w);
  *offset = POINT{o.x - topRect.left, o.y - topRect.top};
  return top;
}

void ReleaseParent(void* data) { cairo_surface_destroy(static_cast<cairo_surface_t*>(data)); }

const cairo_user_data_key_t kParentKey{};

// An ARGB32 surface sharing the pixels of w's client area inside its top-level surface.
cairo_surface_t* ClientSurfaceLocked(Window* w) {
  POINT offset{};
  Window* top = SurfaceOwnerLocked(w, &offset);
  RECT bounds = ClientBounds(w);
  if (top == nullptr || IsRectEmpty(&bounds)) {
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  }
  int width = cairo_image_surface_get_width(top->surface);
  int height = cairo_image_surface_get_height(top->surface);
  RECT inSurface = bounds;
  OffsetRect(&inSurface, offset.x, offset.y);
  RECT whole{0, 0, width, height};
  RECT visible{};
  if (!IntersectRect(&visible, &inSurface, &whole)) {
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  }
  cairo_surface_flush(top->surface);
  int stride = cairo_image_surface_get_stride(top->surface);
  unsigned char* data = cairo_image_surface_get_data(top->surface) +
                        static_cast<ptrdiff_t>(visible.top) * stride + visible.left * 4;
  cairo_surface_t* view =
      cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, visible.right - visible.left,
                                          visible.bottom - visible.top, stride);
  cairo_surface_set_user_data(view, &kParentKey, cairo_surface_reference(top->surface),
                              ReleaseParent);
  cairo_surface_set_device_offset(view, inSurface.left - visible.left, inSurface.top - visible.top);
  return view;
}

HDC WindowDC(HWND hwnd) {
  cairo_surface_t* view = nullptr;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    view = ClientSurfaceLocked(w);
  }
  HDC dc = MakeSurfaceDC(view);
  cairo_surface_destroy(view);  // the DC keeps its own reference
  return dc;
}

void FinishDC(HWND hwnd, HDC dc, const RECT* area) {
  cairo_surface_t* view = SurfaceOfWindowDC(dc);
  if (view != nullptr) {
    cairo_surface_flush(view);
    if (auto* parent =
            static_cast<cairo_surface_t*>(cairo_surface_get_user_data(view, &kParentKey))) {
      cairo_surface_mark_dirty(parent);
    }
  }
  FreeSurfaceDC(dc);
  if (hwnd == nullptr) return;
  RECT all{};
  GetClientRect(hwnd, &all);
  PresentWindowArea(hwnd, area != nullptr ? *area : all);
}

}  // namespace

void InvalidateWindowArea(HWND hwnd, const RECT* clientRect, bool erase, bool children) {
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hwnd);
  if (w == nullptr) return;
  RECT r = clientRect != nullptr ? *clientRect : ClientBounds(w);
  InvalidateTreeLocked(w, r, erase, children);
}

void SyncSurfaceLocked(Window* w) {
  if (w->parent != nullptr) return;
  int width = std::max<int>(1, w->rect.right - w->rect.left);
  int height = std::max<int>(1, w->rect.bottom - w->rect.top);
  if (w->surface != nullptr && cairo_image_surface_get_width(w->surface) == width &&
      cairo_image_surface_get_height(w->surface) == height) {
    return;
  }
  cairo_surface_t* fresh = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (w->surface != nullptr) {
    cairo_t* cr = cairo_create(fresh);
    cairo_set_source_surface(cr, w->surface, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(w->surface);
  }
  w->surface = fresh;
}

void PresentWindowArea(HWND hwnd, const RECT& clientRect) {
  HostWindow* host = nullptr;
  cairo_surface_t* surface = nullptr;
  RECT inWindow = clientRect;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr) return;
    POINT offset{};
    Window* top = SurfaceOwnerLocked(w, &offset);
    if (top == nullptr || top->host == nullptr) return;
    host = top->host;
    surface = cairo_surface_reference(top->surface);
    OffsetRect(&inWindow, offset.x, offset.y);
  }
  CurrentHost().Present(host, surface, inWindow);
  cairo_surface_destroy(surface);
}

bool TakePaintMessageLocked(ThreadQueue& q, HWND filter, MSG* out) {
  for (HWND h : WM().topLevels) {
    Window* w = FindWindowLocked(h);
    if (w == nullptr) continue;
    if (HWND target = FindPaintTargetLocked(w, q, filter)) {
      *out = MSG{};
      out->hwnd = target;
      out->message = WM_PAINT;
      return true;
    }
  }
  return false;
}

cairo_surface_t* WindowSurfaceForTesting(HWND hwnd, POINT* clientOffset) {
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hwnd);
  if (w == nullptr) return nullptr;
  Window* top = SurfaceOwnerLocked(w, clientOffset);
  return top != nullptr ? cairo_surface_reference(top->surface) : nullptr;
}

}  // namespace Platform

using namespace Platform;

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
  if (hWnd == nullptr) {
    std::vector<HWND> all;
    {
      auto lock = WindowLock();
      all = WM().topLevels;
    }
    for (HWND h : all) InvalidateWindowArea(h, nullptr, bErase != FALSE, true);
    return TRUE;
  }
  if (!IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  InvalidateWindowArea(hWnd, lpRect, bErase != FALSE, true);
  return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hWnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->update == nullptr) return TRUE;
  if (lpRect == nullptr) {
    cairo_region_destroy(w->update);
    w->update = nullptr;
    w->eraseBackground = false;
    return TRUE;
  }
  cairo_rectangle_int_t cr = ToCairo(*lpRect);
  if (cr.width > 0 && cr.height > 0) cairo_region_subtract_rectangle(w->update, &cr);
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
  bool erase = false;
  RECT r{};
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hWnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if (w->update != nullptr && !cairo_region_is_empty(w->update)) {
      cairo_rectangle_int_t e;
      cairo_region_get_extents(w->update, &e);
      r = RECT{e.x, e.y, e.x + e.width, e.y + e.height};
      erase = bErase && w->eraseBackground;
      if (erase) w->eraseBackground = false;
    }
  }
  if (lpRect != nullptr) *lpRect = r;
  if (erase) {
    HDC dc = GetDC(hWnd);
    SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(hWnd, dc);
  }
  return IsRectEmpty(&r) ? FALSE : TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
  bool needs = false;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hWnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    needs = NeedsPaintLocked(w);
  }
  if (needs) SendMessageW(hWnd, WM_PAINT, 0, 0);
  return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
  (void)hrgnUpdate;
  if (!IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if ((flags & RDW_INVALIDATE) != 0) {
    InvalidateWindowArea(hWnd, lprcUpdate, (flags & RDW_ERASE) != 0, (flags & RDW_NOCHILDREN) == 0);
  }
  if ((flags & RDW_VALIDATE) != 0) ValidateRect(hWnd, lprcUpdate);
  if ((flags & RDW_UPDATENOW) != 0) UpdateWindow(hWnd);
  return TRUE;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
  if (lpPaint == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  bool erase = false;
  RECT paint{};
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hWnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    if (w->update != nullptr) {
      cairo_rectangle_int_t e;
      cairo_region_get_extents(w->update, &e);
      paint = RECT{e.x, e.y, e.x + e.width, e.y + e.height};
      cairo_region_destroy(w->update);
      w->update = nullptr;
    }
    erase = w->eraseBackground;
    w->eraseBackground = false;
    w->inPaint = true;
    w->paintBegun = true;
  }
  HideCaretForPaint(hWnd, true);
  HDC dc = WindowDC(hWnd);
  if (dc == nullptr) return nullptr;
  ClipSurfaceDC(dc, paint);
  *lpPaint = PAINTSTRUCT{};
  lpPaint->hdc = dc;
  lpPaint->rcPaint = paint;
  lpPaint->fErase = FALSE;
  if (erase && !IsRectEmpty(&paint)) {
    lpPaint->fErase =
        SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  }
  return dc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
  if (lpPaint == nullptr) return FALSE;
  FinishDC(IsWindow(hWnd) ? hWnd : nullptr, lpPaint->hdc, &lpPaint->rcPaint);
  {
    auto lock = WindowLock();
    if (Window* w = FindWindowLocked(hWnd)) w->inPaint = false;
  }
  HideCaretForPaint(hWnd, false);
  return TRUE;
}

HDC WINAPI GetDC(HWND hWnd) {
  if (hWnd == nullptr) {
    cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    HDC dc = MakeSurfaceDC(screen);
    cairo_surface_destroy(screen);
    return dc;
  }
  return WindowDC(hWnd);
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
  if (hDC == nullptr || SurfaceOfWindowDC(hDC) == nullptr) return 0;
  FinishDC(hWnd != nullptr && IsWindow(hWnd) ? hWnd : nullptr, hDC, nullptr);
  return 1;
}
