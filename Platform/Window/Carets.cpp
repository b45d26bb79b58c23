// The caret: one per process, owned by a window, drawn by inverting its rectangle in the
// window's pixels while it is shown. While shown it blinks: the owner thread's message
// retrieval flips it every blink time, without any message the application could see.
#include <algorithm>

#include "Platform/Window/MessageQueue.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {
namespace {

struct Caret {
  HWND owner = nullptr;
  int width = 0;
  int height = 0;
  POINT pos{};
  int hideCount = 1;  // a new caret is hidden until ShowCaret
  bool drawn = false;
  bool blinkOn = true;  // the half of the blink cycle in which a shown caret is drawn
  DWORD nextBlink = 0;
};

Caret g_caret;
UINT g_blinkTime = 530;

// Shorter periods would keep the owner thread flipping pixels instead of waiting.
const UINT kShortestBlink = 10;

bool BlinksLocked() { return g_blinkTime != INFINITE; }

// The caret is drawn now and flips after a full period.
void RestartBlinkLocked() {
  g_caret.blinkOn = true;
  g_caret.nextBlink = NowTicks() + std::max(g_blinkTime, kShortestBlink);
}

// The caret's thread: the one that flips it, or null when it has none or its window is gone.
ThreadQueue* BlinkingQueueLocked() {
  if (g_caret.owner == nullptr || g_caret.hideCount != 0 || !BlinksLocked()) return nullptr;
  Window* w = FindWindowLocked(g_caret.owner);
  return w != nullptr ? w->queue.get() : nullptr;
}

// Inverts the caret's pixels; the second call puts them back.
void ToggleDrawingLocked() {
  POINT offset{};
  Window* w = FindWindowLocked(g_caret.owner);
  if (w == nullptr) return;
  cairo_surface_t* surface = nullptr;
  {
    Window* top = FindWindowLocked(TopLevelOfLocked(w->handle));
    if (top == nullptr || top->surface == nullptr) return;
    surface = top->surface;
    RECT topRect = WindowRectOnScreenLocked(top);
    POINT o = ClientOriginOnScreenLocked(w);
    offset = POINT{o.x - topRect.left, o.y - topRect.top};
  }
  cairo_surface_flush(surface);
  int width = cairo_image_surface_get_width(surface);
  int height = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  for (int y = 0; y < g_caret.height; ++y) {
    int sy = offset.y + g_caret.pos.y + y;
    if (sy < 0 || sy >= height) continue;
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(sy) * stride);
    for (int x = 0; x < g_caret.width; ++x) {
      int sx = offset.x + g_caret.pos.x + x;
      if (sx < 0 || sx >= width) continue;
      uint32_t px = row[sx];
      uint32_t a = px >> 24;
      // Invert colour under premultiplied alpha: each channel becomes alpha minus itself.
      uint32_t r = a - ((px >> 16) & 0xFF), g = a - ((px >> 8) & 0xFF), b = a - (px & 0xFF);
      row[sx] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(surface);
  g_caret.drawn = !g_caret.drawn;
}

void PresentCaret(HWND owner, POINT pos, int w, int h) {
  if (owner != nullptr) PresentWindowArea(owner, RECT{pos.x, pos.y, pos.x + w, pos.y + h});
}

// Brings the drawing in line with the hide count.
void SyncLocked(HWND* presentOwner) {
  bool wantDrawn = g_caret.owner != nullptr && g_caret.hideCount == 0 && g_caret.blinkOn;
  if (wantDrawn != g_caret.drawn) {
    ToggleDrawingLocked();
    *presentOwner = g_caret.owner;
  }
}

template <typename F>
BOOL Change(HWND hwnd, F change) {
  HWND present = nullptr;
  POINT pos{};
  int w = 0, h = 0;
  {
    auto lock = WindowLock();
    if (hwnd != nullptr && g_caret.owner != hwnd) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (g_caret.owner == nullptr) return FALSE;
    HWND before = nullptr;
    pos = g_caret.pos;
    w = g_caret.width;
    h = g_caret.height;
    if (g_caret.drawn) {
      ToggleDrawingLocked();
      before = g_caret.owner;
    }
    change();
    SyncLocked(&present);
    if (present == nullptr) present = before;
    // The owner may be waiting with a deadline taken from the old cycle.
    if (ThreadQueue* q = BlinkingQueueLocked()) WakeQueueLocked(*q);
  }
  PresentCaret(present, pos, w, h);
  {
    auto lock = WindowLock();
    pos = g_caret.pos;
  }
  PresentCaret(present, pos, w, h);
  return TRUE;
}

}  // namespace

void HideCaretForPaint(HWND hwnd, bool hide) {
  auto lock = WindowLock();
  if (g_caret.owner != hwnd) return;
  g_caret.hideCount += hide ? 1 : -1;
  HWND ignored = nullptr;
  SyncLocked(&ignored);
}

int MillisecondsToCaretBlinkLocked(ThreadQueue& q, DWORD now) {
  if (BlinkingQueueLocked() != &q) return -1;
  int wait = static_cast<int32_t>(g_caret.nextBlink - now);
  return std::max(wait, 0);
}

void BlinkCaretIfDue(std::unique_lock<std::mutex>& lock, ThreadQueue& q, DWORD now) {
  if (BlinkingQueueLocked() != &q) return;
  if (static_cast<int32_t>(now - g_caret.nextBlink) < 0) return;
  g_caret.blinkOn = !g_caret.blinkOn;
  // A thread that was busy for several periods flips once and starts a fresh period.
  g_caret.nextBlink = now + std::max(g_blinkTime, kShortestBlink);
  HWND present = nullptr;
  SyncLocked(&present);
  if (present == nullptr) return;
  POINT pos = g_caret.pos;
  int w = g_caret.width, h = g_caret.height;
  lock.unlock();
  PresentCaret(present, pos, w, h);
  lock.lock();
}

void DestroyCaretOf(HWND hwnd) {
  auto lock = WindowLock();
  if (g_caret.owner != hwnd) return;
  if (g_caret.drawn) ToggleDrawingLocked();
  g_caret = Caret{};
}

}  // namespace Platform

using namespace Platform;

BOOL WINAPI CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight) {
  (void)hBitmap;
  if (!IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  DestroyCaret();
  auto lock = WindowLock();
  g_caret = Caret{};
  g_caret.owner = hWnd;
  g_caret.width = nWidth > 0 ? nWidth : 1;
  g_caret.height = nHeight > 0 ? nHeight : 16;
  return TRUE;
}

BOOL WINAPI DestroyCaret() {
  HWND owner = nullptr;
  {
    auto lock = WindowLock();
    owner = g_caret.owner;
  }
  if (owner == nullptr) return FALSE;
  Change(nullptr, [] { g_caret.hideCount = 1; });
  DestroyCaretOf(owner);
  return TRUE;
}

BOOL WINAPI SetCaretPos(int X, int Y) {
  return Change(nullptr, [&] {
    g_caret.pos = POINT{X, Y};
    RestartBlinkLocked();
  });
}

BOOL WINAPI GetCaretPos(LPPOINT lpPoint) {
  if (lpPoint == nullptr) return FALSE;
  auto lock = WindowLock();
  *lpPoint = g_caret.pos;
  return TRUE;
}

BOOL WINAPI ShowCaret(HWND hWnd) {
  return Change(hWnd, [] {
    if (g_caret.hideCount > 0) --g_caret.hideCount;
    RestartBlinkLocked();
  });
}

BOOL WINAPI HideCaret(HWND hWnd) {
  return Change(hWnd, [] { ++g_caret.hideCount; });
}

UINT WINAPI GetCaretBlinkTime() {
  auto lock = WindowLock();
  return g_blinkTime;
}

BOOL WINAPI SetCaretBlinkTime(UINT uMSeconds) {
  // Zero would mean flipping on every look at the queue; INFINITE stops the blinking.
  if (uMSeconds == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto lock = WindowLock();
  g_blinkTime = uMSeconds;
  if (g_caret.owner != nullptr) {
    RestartBlinkLocked();
    HWND present = nullptr;
    SyncLocked(&present);
    if (present != nullptr) {
      POINT pos = g_caret.pos;
      int w = g_caret.width, h = g_caret.height;
      lock.unlock();
      PresentCaret(present, pos, w, h);
      lock.lock();
    }
    if (ThreadQueue* q = BlinkingQueueLocked()) WakeQueueLocked(*q);
  }
  return TRUE;
}
