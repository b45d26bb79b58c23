// The EM_ messages a program sends to read or change an edit control.
#include "Platform/NativeControls/EditState.h"

namespace Platform {
namespace {

constexpr size_t kUnlimited = 0x7FFFFFFE;

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
  MeasureText(e);
  SelectionChanged(hwnd, e);
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

}  // namespace

bool EditProgramMessage(HWND hwnd, EditState& e, UINT msg, WPARAM wParam, LPARAM lParam,
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
    case EM_LIMITTEXT:
      e.limit = wParam == 0 ? kUnlimited : static_cast<size_t>(wParam);
      return true;
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
    case EM_SCROLLCARET:
      SelectionChanged(hwnd, e);
      *result = TRUE;
      return true;
    case EM_GETLINECOUNT: *result = 1; return true;
    case EM_LINELENGTH: *result = static_cast<LRESULT>(e.text.Length()); return true;
    default: return false;
  }
}

}  // namespace Platform
