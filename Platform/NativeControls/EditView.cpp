// Where an edit control's text and caret go, and how it is painted.
#include <algorithm>
#include <cstdlib>

#include "Platform/NativeControls/EditState.h"

namespace Platform {
namespace {

bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The text as drawn and, for each UTF-16 index of the text, the index in it.
std::vector<size_t> BuildDisplay(EditState& e) {
  const std::u16string& t = e.text.Text();
  std::vector<size_t> map(t.size() + 1);
  if (e.passwordChar == 0) {
    e.display = t;
    for (size_t i = 0; i <= t.size(); ++i) map[i] = i;
    return map;
  }
  e.display.clear();
  for (size_t i = 0; i < t.size(); ++i) {
    map[i] = e.display.size();
    bool secondHalf = i > 0 && IsLow(t[i]) && e.text.Snap(i) != i;
    if (!secondHalf) e.display += e.passwordChar;
  }
  map[t.size()] = e.display.size();
  return map;
}

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)); }

}  // namespace

void MeasureText(EditState& e) {
  std::vector<size_t> map = BuildDisplay(e);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = e.font != nullptr ? SelectObject(dc, e.font) : nullptr;
  std::vector<INT> dx(e.display.size() + 1, 0);
  SIZE size{};
  GetTextExtentExPointW(dc, e.display.c_str(), static_cast<int>(e.display.size()), -1, nullptr,
                        dx.data(), &size);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  if (old != nullptr) SelectObject(dc, old);
  DeleteDC(dc);
  e.lineHeight = tm.tmHeight > 0 ? tm.tmHeight : size.cy;
  e.xs.assign(map.size(), 0);
  for (size_t i = 0; i < map.size(); ++i) e.xs[i] = map[i] == 0 ? 0 : dx[map[i] - 1];
}

RECT FormatRect(HWND hwnd, const EditState& e) {
  RECT r{};
  GetClientRect(hwnd, &r);
  r.left += e.leftMargin;
  r.right = std::max(r.left, r.right - e.rightMargin);
  return r;
}

int TextOrigin(HWND hwnd, const EditState& e) {
  RECT f = FormatRect(hwnd, e);
  int width = e.xs.empty() ? 0 : e.xs.back();
  int room = f.right - f.left;
  if (width < room) {
    DWORD align = StyleOf(hwnd) & (ES_CENTER | ES_RIGHT);
    if (align == ES_RIGHT) return f.right - width - 1;  // the caret after the text stays inside
    if (align == ES_CENTER) return f.left + (room - width) / 2;
  }
  return f.left - e.scroll;
}

void ScrollToCaret(HWND hwnd, EditState& e) {
  RECT f = FormatRect(hwnd, e);
  int room = f.right - f.left;
  int width = e.xs.empty() ? 0 : e.xs.back();
  if ((StyleOf(hwnd) & ES_AUTOHSCROLL) == 0 || width < room) {
    e.scroll = 0;
    return;
  }
  int x = e.xs[e.text.Caret()];
  if (x - e.scroll > room - 1) e.scroll = x - room + 1;
  if (x - e.scroll < 0) e.scroll = x;
  // Deleting at the end pulls the text back rather than leaving empty room on the right.
  e.scroll = std::clamp(e.scroll, 0, std::max(0, width - room + 1));
}

size_t IndexFromX(HWND hwnd, const EditState& e, int x) {
  int pos = x - TextOrigin(hwnd, e);
  size_t best = 0;
  int bestDistance = std::abs(pos);
  for (size_t i = e.text.Next(0); i <= e.text.Length(); i = e.text.Next(i)) {
    int d = std::abs(e.xs[i] - pos);
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
    if (i == e.text.Length()) break;
  }
  return best;
}

void PlaceCaret(HWND hwnd, const EditState& e) {
  if (!e.focused) return;
  RECT f = FormatRect(hwnd, e);
  SetCaretPos(TextOrigin(hwnd, e) + e.xs[e.text.Caret()], f.top);
}

namespace {

// Asks the parent for the background brush; the colours it sets on dc are kept.
HBRUSH AskParentForBrush(HWND hwnd, HDC dc, bool asStatic) {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  HWND parent = GetParent(hwnd);
  if (parent == nullptr) return nullptr;
  return reinterpret_cast<HBRUSH>(
      SendMessageW(parent, asStatic ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                   reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
  HBRUSH b = CreateSolidBrush(color);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void DrawSelection(HDC dc, const EditState& e, int origin, const RECT& f) {
  RECT r{origin + e.xs[e.text.SelStart()], f.top, origin + e.xs[e.text.SelEnd()],
         f.top + e.lineHeight};
  FillSolid(dc, r, GetSysColor(COLOR_HIGHLIGHT));
  int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  SetBkMode(dc, TRANSPARENT);
  TextOutW(dc, origin, f.top, e.display.c_str(), static_cast<int>(e.display.size()));
  RestoreDC(dc, saved);
}

}  // namespace

void PaintEdit(HWND hwnd) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc == nullptr) return;
  DWORD style = StyleOf(hwnd);
  bool disabled = IsWindowEnabled(hwnd) == FALSE;
  HBRUSH brush = AskParentForBrush(hwnd, dc, disabled || (style & ES_READONLY) != 0);
  EditState* e = EditOf(hwnd);
  if (e != nullptr) {
    RECT client{};
    GetClientRect(hwnd, &client);
    if (brush != nullptr) {
      FillRect(dc, &client, brush);
    } else {
      FillSolid(dc, client, GetSysColor(COLOR_WINDOW));
    }
    if (disabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    if (e->font != nullptr) SelectObject(dc, e->font);
    RECT f = FormatRect(hwnd, *e);
    IntersectClipRect(dc, f.left, f.top, f.right, f.bottom);
    int origin = TextOrigin(hwnd, *e);
    TextOutW(dc, origin, f.top, e->display.c_str(), static_cast<int>(e->display.size()));
    bool showSelection = e->focused || (style & ES_NOHIDESEL) != 0;
    if (showSelection && !disabled && e->text.HasSelection()) DrawSelection(dc, *e, origin, f);
  }
  EndPaint(hwnd, &ps);
}

}  // namespace Platform
