// The "SysDateTimePick32" window: a date shown as yyyy-MM-dd (the same on every locale, and
// sortable) with one field selected. Left and Right choose the field, Up and Down step it,
// digits type into it, and every change the user makes is reported to the parent with
// DTN_DATETIMECHANGE. There is no drop-down calendar.
#include <optional>

#include "Platform/NativeControls/CommonControls.h"
#include "Platform/NativeControls/DateFields.h"

namespace Platform {
namespace {

constexpr COLORREF kFace = RGB(255, 255, 255);
constexpr COLORREF kFrame = RGB(122, 122, 122);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kGrayText = RGB(109, 109, 109);
constexpr COLORREF kHighlight = RGB(0, 120, 215);
constexpr COLORREF kHighlightText = RGB(255, 255, 255);
constexpr int kPadX = 4;

struct DatePicker {
  SYSTEMTIME value{};
  bool none = false;  // DTS_SHOWNONE with no date chosen
  DateField field = DateField::Year;
  DigitEntry entry;
  HFONT font = nullptr;
};

DatePicker* StateOf(HWND hwnd) { return reinterpret_cast<DatePicker*>(GetWindowLongPtrW(hwnd, 0)); }

HFONT FontOf(const DatePicker& p) {
  return p.font != nullptr ? p.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Notify(HWND hwnd, const DatePicker& p) {
  HWND parent = GetParent(hwnd);
  if (parent == nullptr) return;
  NMDATETIMECHANGE change{};
  change.nmhdr.hwndFrom = hwnd;
  change.nmhdr.idFrom = static_cast<UINT_PTR>(GetWindowLongPtrW(hwnd, GWLP_ID));
  change.nmhdr.code = DTN_DATETIMECHANGE;
  change.dwFlags = p.none ? GDT_NONE : GDT_VALID;
  if (!p.none) change.st = p.value;
  SendMessageW(parent, WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
}

// Applies a user's edit and reports it when the date changed.
template <typename Edit>
void UserEdit(HWND hwnd, DatePicker* p, Edit edit) {
  SYSTEMTIME before = p->value;
  bool wasNone = p->none;
  edit();
  p->none = false;
  InvalidateRect(hwnd, nullptr, TRUE);
  if (wasNone || before.wYear != p->value.wYear || before.wMonth != p->value.wMonth ||
      before.wDay != p->value.wDay) {
    Notify(hwnd, *p);
  }
}

void SelectField(HWND hwnd, DatePicker* p, DateField field) {
  p->field = field;
  p->entry.Reset();
  InvalidateRect(hwnd, nullptr, TRUE);
}

DateField NextField(DateField f, int direction) {
  int i = static_cast<int>(f) + direction;
  if (i < 0) i = 0;
  if (i > 2) i = 2;
  return static_cast<DateField>(i);
}

std::optional<LRESULT> KeyDown(HWND hwnd, DatePicker* p, WPARAM key) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT: SelectField(hwnd, p, NextField(p->field, key == VK_LEFT ? -1 : 1)); return 0;
    case VK_UP:
    case VK_DOWN:
      p->entry.Reset();
      UserEdit(hwnd, p, [&] { StepField(&p->value, p->field, key == VK_UP ? 1 : -1); });
      return 0;
    default: return std::nullopt;
  }
}

LRESULT Char(HWND hwnd, DatePicker* p, WPARAM ch) {
  if (ch < u'0' || ch > u'9') return 0;
  bool complete = false;
  UserEdit(hwnd, p,
           [&] { complete = p->entry.Type(&p->value, p->field, static_cast<char16_t>(ch)); });
  if (complete && p->field != DateField::Day) SelectField(hwnd, p, NextField(p->field, 1));
  return 0;
}

LRESULT SetSystemTime(HWND hwnd, DatePicker* p, WPARAM flag, LPARAM lParam) {
  auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
  if (flag == GDT_NONE) {
    if ((GetWindowLongW(hwnd, GWL_STYLE) & DTS_SHOWNONE) == 0) return FALSE;
    p->none = true;
  } else if (flag == GDT_VALID && st != nullptr && IsValidSystemTime(*st)) {
    p->value = *st;
    FillDayOfWeek(&p->value);
    p->none = false;
  } else {
    return FALSE;
  }
  p->entry.Reset();
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT GetSystemTime(const DatePicker& p, LPARAM lParam) {
  auto* st = reinterpret_cast<SYSTEMTIME*>(lParam);
  if (st == nullptr) return GDT_ERROR;
  if (p.none) return GDT_NONE;
  *st = p.value;
  return GDT_VALID;
}

// The field under a client point, from the widths of the shown text.
std::optional<DateField> FieldAt(const DatePicker& p, int x) {
  std::u16string text = FormatDate(p.value);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontOf(p));
  std::optional<DateField> found;
  for (DateField f : {DateField::Year, DateField::Month, DateField::Day}) {
    int start = 0, length = 0;
    FieldSpan(f, &start, &length);
    SIZE before{}, through{};
    GetTextExtentPoint32W(dc, text.c_str(), start, &before);
    GetTextExtentPoint32W(dc, text.c_str(), start + length, &through);
    if (x >= kPadX + before.cx && x < kPadX + through.cx) found = f;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return found;
}

void DrawField(HDC dc, const RECT& client, const std::u16string& text, int start, int length,
               int x) {
  RECT r{x, client.top, client.right, client.bottom};
  DrawTextW(dc, text.c_str() + start, length, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void Paint(HWND hwnd, const DatePicker& p) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc == nullptr) return;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  HBRUSH face = CreateSolidBrush(kFace);
  HBRUSH frame = CreateSolidBrush(kFrame);
  FillRect(dc, &rc, face);
  FrameRect(dc, &rc, frame);
  DeleteObject(face);
  DeleteObject(frame);
  HGDIOBJ old = SelectObject(dc, FontOf(p));
  SetBkMode(dc, TRANSPARENT);
  bool enabled = IsWindowEnabled(hwnd) != FALSE;
  SetTextColor(dc, enabled && !p.none ? kText : kGrayText);
  std::u16string text = FormatDate(p.value);
  DrawField(dc, rc, text, 0, static_cast<int>(text.size()), kPadX);
  if (enabled && !p.none && GetFocus() == hwnd) {
    int start = 0, length = 0;
    FieldSpan(p.field, &start, &length);
    SIZE before{}, through{};
    GetTextExtentPoint32W(dc, text.c_str(), start, &before);
    GetTextExtentPoint32W(dc, text.c_str(), start + length, &through);
    RECT mark{kPadX + before.cx, rc.top + 2, kPadX + through.cx, rc.bottom - 2};
    HBRUSH highlight = CreateSolidBrush(kHighlight);
    FillRect(dc, &mark, highlight);
    DeleteObject(highlight);
    SetTextColor(dc, kHighlightText);
    DrawField(dc, rc, text, start, length, mark.left);
  }
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
}

void Create(HWND hwnd) {
  auto* p = new DatePicker;
  GetLocalTime(&p->value);
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(p));
}

std::optional<LRESULT> PickerMessage(HWND hwnd, DatePicker* p, UINT msg, WPARAM wParam,
                                     LPARAM lParam) {
  switch (msg) {
    case DTM_SETSYSTEMTIME: return SetSystemTime(hwnd, p, wParam, lParam);
    case DTM_GETSYSTEMTIME: return GetSystemTime(*p, lParam);
    case WM_SETFONT:
      p->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam) != 0) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(p->font);
    case WM_KEYDOWN: return KeyDown(hwnd, p, wParam);
    case WM_CHAR: return Char(hwnd, p, wParam);
    default: return std::nullopt;
  }
}

std::optional<LRESULT> WindowMessage(HWND hwnd, DatePicker* p, UINT msg, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      if (auto f = FieldAt(*p, GET_X_LPARAM(lParam))) SelectField(hwnd, p, *f);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      p->entry.Reset();
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(hwnd, *p); return 0;
    case WM_NCDESTROY:
      delete p;
      SetWindowLongPtrW(hwnd, 0, 0);
      return 0;
    default: return std::nullopt;
  }
}

LRESULT CALLBACK DatePickerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) Create(hwnd);
  DatePicker* p = StateOf(hwnd);
  if (p == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (auto r = PickerMessage(hwnd, p, msg, wParam, lParam)) return *r;
  if (auto r = WindowMessage(hwnd, p, msg, lParam)) return *r;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void RegisterDatePickerClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DatePickerProc;
  wc.cbWndExtra = sizeof(DatePicker*);
  wc.lpszClassName = DATETIMEPICK_CLASSW;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterSystemClass(wc);
}

}  // namespace Platform
