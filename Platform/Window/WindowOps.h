#pragma once
// Operations shared between the window functions. Each is called without the window lock on
// the thread that owns the window.

#include "Platform/Window/WindowState.h"

namespace Platform {

// SetWindowPos on the owner thread: WM_WINDOWPOSCHANGING, WM_NCCALCSIZE when the size or the
// frame changes, the change itself, activation, WM_WINDOWPOSCHANGED.
BOOL SetWindowPosOnOwner(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags);
BOOL ShowWindowOnOwner(HWND hwnd, int cmd);

// Activation of a top-level window (WM_NCACTIVATE, WM_ACTIVATE to the old and the new one).
void ActivateWindow(HWND hwnd, WORD how);
// A window that is hidden or destroyed gives up activation, focus and capture.
void LeaveInputState(HWND hwnd);
// The user switched to another program: the active window is deactivated (WM_NCACTIVATE,
// WM_ACTIVATE with no window, WM_ACTIVATEAPP) and the focus owner loses the focus.
void DeactivateApplication();

// Painting (Painting.cpp).
void InvalidateWindowArea(HWND hwnd, const RECT* clientRect, bool erase, bool children);
// Under the lock: (re)makes the surface of a top-level window at its current size.
void SyncSurfaceLocked(Window* w);
// Shows the window's pixels inside rect (client coordinates of hwnd) on the host.
void PresentWindowArea(HWND hwnd, const RECT& clientRect);

// The window's answer to WM_GETMINMAXINFO, asked on its owner thread, from the defaults for
// the current screen (MinMaxInfo.cpp).
MINMAXINFO AskMinMaxInfo(HWND hwnd);

// The caret belongs to hwnd: hide it while painting (Carets.cpp).
void HideCaretForPaint(HWND hwnd, bool hide);
void DestroyCaretOf(HWND hwnd);

// Mouse tracking forgets a window that goes away (Input.cpp).
void ForgetTracking(HWND hwnd);

}  // namespace Platform

namespace Platform {

// Under the lock: the deepest visible, enabled window under a screen point, searching inside
// top (or every top-level window when top is null).
HWND WindowAtPointLocked(POINT screen, HWND top);

}  // namespace Platform

namespace Platform {

// The surface holding hwnd's pixels (a new reference) and where hwnd's client area starts in
// it; null when the window has none.
cairo_surface_t* WindowSurfaceForTesting(HWND hwnd, POINT* clientOffset);

}  // namespace Platform
