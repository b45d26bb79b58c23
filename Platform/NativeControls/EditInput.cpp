// Keyboard and mouse input of an edit control.
#include "Platform/NativeControls/EditState.h"
#include "Platform/Text/AsciiText.h"

namespace Platform {
namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool Down(int vk) { return GetKeyState(vk) < 0; }

void MoveCaret(HWND hwnd, EditState& e, size_t to, bool extend) {
  e.text.Select(extend ? e.text.Anchor() : to, to);
  SelectionChanged(hwnd, e);
}

size_t ArrowTarget(const EditText& t, WPARAM vk, bool shift, bool ctrl) {
  size_t caret = t.Caret();
  bool left = vk == VK_LEFT;
  if (ctrl) return left ? t.WordLeft(caret) : t.WordRight(caret);
  // An arrow without Shift first collapses a selection to the side it points to.
  if (!shift && t.HasSelection()) return left ? t.SelStart() : t.SelEnd();
  return left ? t.Prev(caret) : t.Next(caret);
}

char16_t CaseConverted(HWND hwnd, char16_t c) {
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  if ((style & ES_UPPERCASE) != 0 && c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if ((style & ES_LOWERCASE) != 0) return Platform::AsciiLower(c);
  return c;
}

// The control characters Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z make, as the messages they stand for.
UINT ClipboardMessage(char16_t c) {
  switch (c) {
    case 0x03: return WM_COPY;
    case 0x16: return WM_PASTE;
    case 0x18: return WM_CUT;
    case 0x1A: return WM_UNDO;
    default: return 0;
  }
}

}  // namespace

void EditKeyDown(HWND hwnd, WPARAM vk) {
  EditState* e = EditOf(hwnd);
  if (e == nullptr) return;
  bool shift = Down(VK_SHIFT), ctrl = Down(VK_CONTROL);
  switch (vk) {
    case VK_LEFT:
    case VK_RIGHT: MoveCaret(hwnd, *e, ArrowTarget(e->text, vk, shift, ctrl), shift); return;
    case VK_HOME: MoveCaret(hwnd, *e, 0, shift); return;
    case VK_END: MoveCaret(hwnd, *e, e->text.Length(), shift); return;
    case VK_DELETE:
      if (shift) {
        SendMessageW(hwnd, WM_CUT, 0, 0);
      } else if (!ReadOnly(hwnd)) {
        UserDelete(hwnd, false);
      }
      return;
    case VK_INSERT:
      if (ctrl) SendMessageW(hwnd, WM_COPY, 0, 0);
      if (shift) SendMessageW(hwnd, WM_PASTE, 0, 0);
      return;
    case 'A':
      if (ctrl) {
        e->text.Select(0, e->text.Length());
        SelectionChanged(hwnd, *e);
      }
      return;
    default: return;
  }
}

void EditChar(HWND hwnd, char16_t c) {
  if (UINT message = ClipboardMessage(c)) {
    SendMessageW(hwnd, message, 0, 0);
    return;
  }
  EditState* e = EditOf(hwnd);
  if (e == nullptr || ReadOnly(hwnd)) return;
  if (c == u'\b') {
    e->pendingHigh = 0;
    UserDelete(hwnd, true);
    return;
  }
  if (c < 0x20 || c == 0x7F) return;
  if (IsHigh(c)) {
    e->pendingHigh = c;
    return;
  }
  std::u16string s;
  if (IsLow(c)) {
    if (e->pendingHigh == 0) return;
    s = {e->pendingHigh, c};
  } else {
    s = {CaseConverted(hwnd, c)};
  }
  e->pendingHigh = 0;
  if ((GetWindowLongW(hwnd, GWL_STYLE) & ES_NUMBER) != 0 && !(c >= u'0' && c <= u'9')) return;
  UserReplace(hwnd, s, true, true);
}

void EditMouse(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  int x = GET_X_LPARAM(lParam);
  if (msg == WM_LBUTTONDOWN && GetFocus() != hwnd) SetFocus(hwnd);
  EditState* e = EditOf(hwnd);
  if (e == nullptr) return;
  switch (msg) {
    case WM_LBUTTONDOWN: {
      size_t at = IndexFromX(hwnd, *e, x);
      e->text.Select((wParam & MK_SHIFT) != 0 ? e->text.Anchor() : at, at);
      e->tracking = true;
      SetCapture(hwnd);
      SelectionChanged(hwnd, *e);
      return;
    }
    case WM_MOUSEMOVE:
      if (e->tracking) MoveCaret(hwnd, *e, IndexFromX(hwnd, *e, x), true);
      return;
    case WM_LBUTTONUP:
      if (e->tracking) {
        e->tracking = false;
        ReleaseCapture();
      }
      return;
    case WM_LBUTTONDBLCLK: {
      size_t start = 0, end = 0;
      e->text.WordAround(IndexFromX(hwnd, *e, x), &start, &end);
      e->text.Select(start, end);
      SelectionChanged(hwnd, *e);
      return;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd) e->tracking = false;
      return;
    default: return;
  }
}

}  // namespace Platform
