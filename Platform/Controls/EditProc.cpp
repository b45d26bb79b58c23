// The window procedure of the "Edit" class and the messages a program sends it.
#include <algorithm>

#include "Platform/Controls/Edit.h"
#include "Platform/Controls/EditState.h"
#include "Platform/Window/WindowClasses.h"

namespace Platform {
namespace {

constexpr size_t kDefaultLimit = 32767;
constexpr size_t kUnlimited = 0x7FFFFFFE;

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

void Redraw(HWND hwnd, EditState& e) {
  MeasureText(e);
  SelectionChanged(hwnd, e);
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

LRESULT GetSel(const EditState& e, WPARAM wParam, LPARAM lParam) {
  auto start = static_cast<DWORD>(e.text.SelStart());
  auto end = static_cast<DWORD>(e.text.SelEnd());
  if (auto* p = reinterpret_cast<DWORD*>(wParam)) *p = start;
  if (auto* p = reinterpret_cast<DWORD*>(lParam)) *p = end;
  if (start > 0xFFFF || end > 0xFFFF) return -1;
  return static_cast<LRESULT>(MAKELONG(start, end));
}

// start -1 removes the selection; end -1 (or any negative) means the end of the text.
void SetSel(HWND hwnd, EditState& e, WPARAM wParam, LPARAM lParam) {
  auto start = static_cast<LONG>(static_cast<INT_PTR>(wParam));
  auto end = static_cast<LONG>(lParam);
  size_t length = e.text.Length();
  if (start == -1) {
    e.text.Select(e.text.Caret(), e.text.Caret());
  } else {
    size_t s = start < 0 ? length : static_cast<size_t>(start);
    size_t c = end < 0 ? length : static_cast<size_t>(end);
    e.text.Select(s, c);
  }
  SelectionChanged(hwnd, e);
}

void SetMargins(HWND hwnd, EditState& e, WPARAM flags, LPARAM lParam) {
  int left = LOWORD(lParam), right = HIWORD(lParam);
  if (left == EC_USEFONTINFO || right == EC_USEFONTINFO) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (e.font != nullptr) SelectObject(dc, e.font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    DeleteDC(dc);
    int fromFont = static_cast<int>(tm.tmAveCharWidth / 2);
    if (left == EC_USEFONTINFO) left = fromFont;
    if (right == EC_USEFONTINFO) right = fromFont;
  }
  if ((flags & EC_LEFTMARGIN) != 0) e.leftMargin = left;
  if ((flags & EC_RIGHTMARGIN) != 0) e.rightMargin = right;
  SelectionChanged(hwnd, e);
}

void SetPasswordChar(HWND hwnd, EditState& e, WPARAM c) {
  e.passwordChar = static_cast<WCHAR>(c);
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  SetWindowLongW(hwnd, GWL_STYLE, c != 0 ? (style | ES_PASSWORD) : (style & ~ES_PASSWORD));
  Redraw(hwnd, e);
}

LRESULT SetReadOnly(HWND hwnd, WPARAM on) {
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  SetWindowLongW(hwnd, GWL_STYLE, on != 0 ? (style | ES_READONLY) : (style & ~ES_READONLY));
  InvalidateRect(hwnd, nullptr, FALSE);
  return TRUE;
}

LRESULT Undo(HWND hwnd, EditState& e) {
  if (!e.text.Undo()) return FALSE;
  MeasureText(e);
  e.modified = true;
  ShowChangeAndNotify(hwnd);
  return TRUE;
}

LRESULT PosFromChar(HWND hwnd, const EditState& e, WPARAM index) {
  if (index >= e.text.Length()) return -1;
  RECT f = FormatRect(hwnd, e);
  int x = TextOrigin(hwnd, e) + e.xs[e.text.Snap(index)];
  return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(f.top)));
}

// Messages a program sends to read or change the control.
bool ProgramMessage(HWND hwnd, EditState& e, UINT msg, WPARAM wParam, LPARAM lParam,
                    LRESULT* result) {
  *result = 0;
  switch (msg) {
    case EM_GETSEL: *result = GetSel(e, wParam, lParam); return true;
    case EM_SETSEL: SetSel(hwnd, e, wParam, lParam); return true;
    case EM_REPLACESEL: {
      const auto* s = reinterpret_cast<LPCWSTR>(lParam);
      e.text.BreakTyping();
      UserReplace(hwnd, s != nullptr ? s : u"", false, wParam != 0);
      return true;
    }
    case EM_LIMITTEXT: e.limit = wParam == 0 ? kUnlimited : static_cast<size_t>(wParam); return true;
    case EM_GETLIMITTEXT: *result = static_cast<LRESULT>(e.limit); return true;
    case EM_SETPASSWORDCHAR: SetPasswordChar(hwnd, e, wParam); return true;
    case EM_GETPASSWORDCHAR: *result = e.passwordChar; return true;
    case EM_SETMODIFY: e.modified = wParam != 0; return true;
    case EM_GETMODIFY: *result = e.modified ? TRUE : FALSE; return true;
    case EM_SETMARGINS: SetMargins(hwnd, e, wParam, lParam); return true;
    case EM_GETMARGINS: *result = MAKELONG(e.leftMargin, e.rightMargin); return true;
    case EM_SETREADONLY: *result = SetReadOnly(hwnd, wParam); return true;
    case EM_CANUNDO: *result = e.text.CanUndo() ? TRUE : FALSE; return true;
    case EM_UNDO:
    case WM_UNDO: *result = Undo(hwnd, e); return true;
    case EM_EMPTYUNDOBUFFER: e.text.ForgetUndo(); return true;
    case EM_POSFROMCHAR: *result = PosFromChar(hwnd, e, wParam); return true;
    case EM_CHARFROMPOS:
      *result = static_cast<LRESULT>(IndexFromX(hwnd, e, GET_X_LPARAM(lParam)));
      return true;
    case EM_GETRECT:
      if (auto* r = reinterpret_cast<RECT*>(lParam)) *r = FormatRect(hwnd, e);
      return true;
    case EM_SCROLLCARET: SelectionChanged(hwnd, e); *result = TRUE; return true;
    case EM_GETLINECOUNT: *result = 1; return true;
    case EM_LINELENGTH: *result = static_cast<LRESULT>(e.text.Length()); return true;
    default: return false;
  }
}

LRESULT WindowMessage(HWND hwnd, EditState& e, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCDESTROY:
      Destroy(hwnd, &e);
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND: return 1;  // the whole client area is painted in WM_PAINT
    case WM_PAINT: PaintEdit(hwnd); return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETTEXT: return SetText(hwnd, e, lParam);
    case WM_GETTEXT: return GetText(e, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(e.text.Length());
    case WM_SETFONT: SetFont(hwnd, e, reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0); return 0;
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
    case WM_CLEAR:
      if (!ReadOnly(hwnd) && e.text.HasSelection()) UserReplace(hwnd, u"", false, true);
      return 0;
    default: {
      LRESULT result = 0;
      if (ProgramMessage(hwnd, e, msg, wParam, lParam, &result)) return result;
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
