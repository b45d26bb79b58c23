// The window procedure of the "Edit" class: creation, focus, painting, text and input.
#include <algorithm>

#include "Platform/NativeControls/Edit.h"
#include "Platform/NativeControls/EditState.h"
#include "Platform/Window/WindowClasses.h"

namespace Platform {
namespace {

constexpr size_t kDefaultLimit = 32767;

LRESULT Create(HWND hwnd, LPARAM lParam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  auto* e = new EditState;
  AttachEdit(hwnd, e);
  if (EditOf(hwnd) != e) {  // a superclass gave its windows too few extra bytes
    delete e;
    return FALSE;
  }
  e->limit = kDefaultLimit;
  if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName)) {
    e->text.Reset(cs->lpszName);
  }
  if (cs != nullptr && (cs->style & ES_PASSWORD) != 0) e->passwordChar = u'*';
  MeasureText(*e);
  return DefWindowProcW(hwnd, WM_NCCREATE, 0, lParam);
}

void Destroy(HWND hwnd, EditState* e) {
  AttachEdit(hwnd, nullptr);
  delete e;
}

void GainFocus(HWND hwnd, EditState& e) {
  e.focused = true;
  CreateCaret(hwnd, nullptr, 1, e.lineHeight);
  PlaceCaret(hwnd, e);
  ShowCaret(hwnd);
  InvalidateRect(hwnd, nullptr, FALSE);
  NotifyParent(hwnd, EN_SETFOCUS);
}

void LoseFocus(HWND hwnd, EditState& e) {
  e.focused = false;
  e.pendingHigh = 0;
  if (e.tracking) {
    e.tracking = false;
    ReleaseCapture();
  }
  DestroyCaret();
  InvalidateRect(hwnd, nullptr, FALSE);
  NotifyParent(hwnd, EN_KILLFOCUS);
}

void SetFont(HWND hwnd, EditState& e, HFONT font, bool redraw) {
  e.font = font;
  MeasureText(e);
  if (e.focused) {
    CreateCaret(hwnd, nullptr, 1, e.lineHeight);
    ShowCaret(hwnd);
  }
  ScrollToCaret(hwnd, e);
  PlaceCaret(hwnd, e);
  if (redraw) InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT SetText(HWND hwnd, EditState& e, LPARAM lParam) {
  const auto* text = reinterpret_cast<LPCWSTR>(lParam);
  e.text.Reset(text != nullptr ? text : u"");
  e.modified = false;
  e.scroll = 0;
  MeasureText(e);
  // A single-line edit reports text set by the program as a change too.
  ShowChangeAndNotify(hwnd);
  return TRUE;
}

LRESULT GetText(const EditState& e, WPARAM count, LPARAM buffer) {
  auto* out = reinterpret_cast<LPWSTR>(buffer);
  if (out == nullptr || count == 0) return 0;
  size_t n = std::min(e.text.Length(), static_cast<size_t>(count) - 1);
  std::copy_n(e.text.Text().begin(), n, out);
  out[n] = u'\0';
  return static_cast<LRESULT>(n);
}

LRESULT WindowMessage(HWND hwnd, EditState& e, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCDESTROY: Destroy(hwnd, &e); return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND: return 1;  // the whole client area is painted in WM_PAINT
    case WM_PAINT: PaintEdit(hwnd); return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETTEXT: return SetText(hwnd, e, lParam);
    case WM_GETTEXT: return GetText(e, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(e.text.Length());
    case WM_SETFONT:
      SetFont(hwnd, e, reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(e.font);
    case WM_SETFOCUS: GainFocus(hwnd, e); return 0;
    case WM_KILLFOCUS: LoseFocus(hwnd, e); return 0;
    case WM_ENABLE:
    case WM_STYLECHANGED:
    case WM_SIZE: SelectionChanged(hwnd, e); return 0;
    case WM_CHAR:
      if (IsWindowEnabled(hwnd)) EditChar(hwnd, static_cast<char16_t>(wParam));
      return 0;
    case WM_KEYDOWN:
      if (IsWindowEnabled(hwnd)) EditKeyDown(hwnd, wParam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (IsWindowEnabled(hwnd)) EditMouse(hwnd, msg, wParam, lParam);
      return 0;
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED: EditMouse(hwnd, msg, wParam, lParam); return 0;
    case WM_COPY: EditCopy(hwnd, e); return 0;
    case WM_CUT: EditCut(hwnd, e); return 0;
    case WM_PASTE: EditPaste(hwnd); return 0;
    case WM_CONTEXTMENU: EditContextMenu(hwnd, lParam); return 0;
    case WM_CLEAR:
      if (!ReadOnly(hwnd) && e.text.HasSelection()) UserReplace(hwnd, u"", false, true);
      return 0;
    default: {
      LRESULT result = 0;
      if (EditProgramMessage(hwnd, e, msg, wParam, lParam, &result)) return result;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
  }
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) return Create(hwnd, lParam);
  EditState* e = EditOf(hwnd);
  if (e == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return WindowMessage(hwnd, *e, msg, wParam, lParam);
}

}  // namespace

void RegisterEditClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS;
  wc.lpfnWndProc = EditProc;
  wc.cbWndExtra = sizeof(EditState*);
  wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
  wc.lpszClassName = u"Edit";
  RegisterSystemClass(wc);
}

}  // namespace Platform
