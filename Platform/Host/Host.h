#pragma once
// What the window manager needs from the system that shows its top-level windows. A host keeps
// one native window per visible top-level window, presents the pixels of the window's surface,
// reports input back through Platform/Window/Input.h, and runs the dialogs.

#include <cairo.h>

#include <string>
#include <vector>

#include "Platform/Host/MenuItem.h"
#include "Platform/Win32.h"

namespace Platform {

// Each host's own record of a top-level window derives from this; a host only ever gets back
// the records it made.
struct HostWindow {};

class Host {
 public:
  virtual ~Host() = default;
  virtual const char* Name() const = 0;

  // Top-level windows. Called on the thread that owns the window, without the window lock.
  virtual HostWindow* CreateHostWindow(HWND hwnd, const RECT& screenRect) = 0;
  virtual void DestroyHostWindow(HostWindow* w) = 0;
  virtual void ShowHostWindow(HostWindow* w, bool show, bool activate) = 0;
  virtual void MoveHostWindow(HostWindow* w, const RECT& screenRect) = 0;
  virtual void SetHostTitle(HostWindow* w, const std::u16string& title) = 0;
  // The window's pixels changed inside rect (window coordinates); the surface covers the
  // whole window.
  virtual void Present(HostWindow* w, cairo_surface_t* surface, const RECT& rect) = 0;
  // Null shape: the whole rectangle.
  virtual void SetShape(HostWindow* w, const cairo_region_t* shape) = 0;
  virtual void SetOpacity(HostWindow* w, BYTE alpha) = 0;
  virtual void SetKeepAbove(HostWindow* w, bool above) = 0;
  virtual void SetMinimized(HostWindow* w, bool minimized) = 0;
  virtual void Activate(HostWindow* w) = 0;
  // The user pressed a mouse button on the window's caption: let the system move the window
  // while the button is held.
  virtual void BeginMoveDrag(HostWindow* w, int button, POINT screen) = 0;
  // The user pressed a mouse button on a sizing border: let the system resize the window by
  // that edge (WMSZ_LEFT ... WMSZ_BOTTOMRIGHT) while the button is held.
  virtual void BeginResizeDrag(HostWindow* w, int edge, int button, POINT screen) = 0;
  // One of the standard cursor ids (32512 arrow, 32513 I-beam, ...), 0 for none.
  virtual void SetCursorShape(HostWindow* w, int cursorId) = 0;

  virtual RECT ScreenRect() = 0;
  virtual RECT WorkArea() = 0;

  // Dialogs. They run on the host thread (see RunsOnHostThread); the caller blocks until the
  // user answers.
  virtual int MessageBox(HWND owner, const std::u16string& text, const std::u16string& caption,
                         UINT type) = 0;
  // On entry `path` may name the folder to start at (a Windows path; empty: the host's choice).
  // On return the chosen folder as a Windows path, or false when cancelled.
  virtual bool BrowseForFolder(HWND owner, const std::u16string& title, std::u16string* path) = 0;
  // A shortcut menu at a screen point: the items in order, the chosen item's id, 0 when
  // dismissed. Runs like the dialogs.
  virtual int ShowContextMenu(HWND owner, POINT screen, const std::vector<MenuItem>& items) = 0;

  // The system clipboard's text (what other programs copied too). On the host thread.
  virtual void SetClipboardText(const std::u16string& text) = 0;
  // False when the clipboard holds no text.
  virtual bool GetClipboardText(std::u16string* text) = 0;

  // True when dialogs and windows must be driven from the thread that started the host.
  virtual bool RunsOnHostThread() const = 0;

  // The event loop of the host thread: wait until host events arrive, Wake is called or
  // timeoutMs (negative: no limit) passes, handling host events meanwhile.
  virtual bool OwnsEventLoop() const = 0;
  virtual void WaitForEvents(int timeoutMs) = 0;
  virtual void DispatchPendingEvents() = 0;
  virtual void Wake() = 0;
};

// The host chosen by SKINUI_HOST ("headless" or "gtk", default "gtk"), started on first use by
// the calling thread. When the GTK host cannot reach a display, prints why and ends the
// process with exit code 1.
Host& CurrentHost();
// True when the calling thread is the one that started the host.
bool OnHostThread();
// The thread that started the host (0 before it started).
DWORD HostThreadId();
// The host if it has been started (never starts it).
Host* StartedHost();
// True when the host has been started and by the calling thread.
bool HostStartedOnThisThread();

// Only for the host implementations.
Host* CreateHeadlessHost();
Host* CreateGtkHost();  // null when no display can be opened

}  // namespace Platform
