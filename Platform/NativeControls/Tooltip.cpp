// The "tooltips_class32" window: a list of tools, one of which is shown in a small topmost
// window that never takes activation or mouse input. Tips are shown by tracking
// (TTM_TRACKACTIVATE); hovering over tools does not show them by itself.
#include <algorithm>
#include <memory>
#include <optional>

#include "Platform/NativeControls/CommonControls.h"
#include "Platform/NativeControls/TooltipTools.h"

namespace Platform {
namespace {

constexpr int kBorder = 1;
constexpr int kPadX = 3;
constexpr int kPadY = 2;
// Below the pointer, clear of the arrow cursor.
constexpr int kBelowCursor = 20;

struct Tooltip {
  TooltipTools tools;
  bool active = true;
  bool tracking = false;
  HWND trackHwnd = nullptr;
  UINT_PTR trackId = 0;
  bool hasTrackPoint = false;
  POINT trackPoint{};
  int delays[4] = {-1, -1, -1, -1};  // by TTDT_*; -1: derived from the double-click time
  int maxWidth = -1;
  RECT margin{};
  HFONT font = nullptr;
  COLORREF background = GetSysColor(COLOR_INFOBK);
  COLORREF textColor = GetSysColor(COLOR_INFOTEXT);
};

Tooltip* StateOf(HWND hwnd) { return reinterpret_cast<Tooltip*>(GetWindowLongPtrW(hwnd, 0)); }

HFONT FontOf(const Tooltip& t) {
  return t.font != nullptr ? t.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int DelayTime(const Tooltip& t, WPARAM which) {
  int initial =
      t.delays[TTDT_INITIAL] >= 0 ? t.delays[TTDT_INITIAL] : static_cast<int>(GetDoubleClickTime());
  switch (which) {
    case TTDT_INITIAL: return initial;
    case TTDT_AUTOPOP: return t.delays[TTDT_AUTOPOP] >= 0 ? t.delays[TTDT_AUTOPOP] : initial * 10;
    case TTDT_RESHOW: return t.delays[TTDT_RESHOW] >= 0 ? t.delays[TTDT_RESHOW] : initial / 5;
    default: return 0;
  }
}

void SetDelayTime(Tooltip* t, WPARAM which, LPARAM lParam) {
  int value = static_cast<short>(LOWORD(lParam));
  if (value < 0) value = -1;
  if (which == TTDT_AUTOMATIC) {
    // One time sets all three in their usual proportions.
    t->delays[TTDT_INITIAL] = value;
    t->delays[TTDT_AUTOPOP] = value < 0 ? -1 : value * 10;
    t->delays[TTDT_RESHOW] = value < 0 ? -1 : value / 5;
  } else if (which <= TTDT_INITIAL) {
    t->delays[which] = value;
  }
}

UINT TextFormat(HWND hwnd, const Tooltip& t) {
  UINT format = DT_EXPANDTABS;
  if ((GetWindowLongW(hwnd, GWL_STYLE) & TTS_NOPREFIX) != 0) format |= DT_NOPREFIX;
  format |= t.maxWidth >= 0 ? DT_WORDBREAK : DT_SINGLELINE;
  return format;
}

SIZE TextSize(HWND hwnd, const Tooltip& t, const std::u16string& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontOf(t));
  RECT r{0, 0, t.maxWidth >= 0 ? t.maxWidth : 0x3FFF, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFormat(hwnd, t) | DT_CALCRECT);
  SelectObject(dc, old);
  DeleteDC(dc);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

SIZE TipSize(HWND hwnd, const Tooltip& t, const std::u16string& text) {
  SIZE s = TextSize(hwnd, t, text);
  s.cx += 2 * (kBorder + kPadX) + t.margin.left + t.margin.right;
  s.cy += 2 * (kBorder + kPadY) + t.margin.top + t.margin.bottom;
  return s;
}

// The tool's area on the screen: its window for TTF_IDISHWND, else its rectangle in the
// client area of its window.
RECT ToolAreaOnScreen(const TooltipTool& tool) {
  RECT r{};
  if ((tool.flags & TTF_IDISHWND) != 0) {
    GetWindowRect(reinterpret_cast<HWND>(tool.id), &r);
    return r;
  }
  r = tool.rect;
  MapWindowPoints(tool.hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Where a tip goes without a tracking point: below the pointer while the pointer is over the
// tool, else just below the tool.
POINT DefaultPlace(const TooltipTool& tool) {
  RECT area = ToolAreaOnScreen(tool);
  POINT cursor{};
  GetCursorPos(&cursor);
  if (PtInRect(&area, cursor)) return POINT{cursor.x, cursor.y + kBelowCursor};
  return POINT{area.left, area.bottom + 2};
}

POINT KeepOnScreen(POINT p, SIZE s) {
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (!GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &mi)) return p;
  const RECT& work = mi.rcWork;
  p.x = std::max(work.left, std::min(p.x, work.right - s.cx));
  p.y = std::max(work.top, std::min(p.y, work.bottom - s.cy));
  return p;
}

void Hide(HWND hwnd) {
  if (IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_HIDE);
}

// Shows, moves, resizes or hides the window to match the tracked tool.
void Refresh(HWND hwnd, Tooltip* t) {
  TooltipTool* tool = t->tracking ? t->tools.Find(t->trackHwnd, t->trackId) : nullptr;
  if (!t->active || tool == nullptr || tool->text.empty()) {
    Hide(hwnd);
    return;
  }
  SIZE size = TipSize(hwnd, *t, tool->text);
  POINT at = t->hasTrackPoint ? t->trackPoint : DefaultPlace(*tool);
  at = KeepOnScreen(at, size);
  SetWindowPos(hwnd, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE);
  InvalidateRect(hwnd, nullptr, TRUE);
  if (!IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

bool IsTracked(const Tooltip& t, HWND hwnd, UINT_PTR id) {
  return t.tracking && t.trackHwnd == hwnd && t.trackId == id;
}

void Paint(HWND hwnd, Tooltip& t) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc == nullptr) return;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  HBRUSH fill = CreateSolidBrush(t.background);
  HBRUSH frame = CreateSolidBrush(t.textColor);
  FillRect(dc, &rc, fill);
  FrameRect(dc, &rc, frame);
  DeleteObject(fill);
  DeleteObject(frame);
  const TooltipTool* tool = t.tracking ? t.tools.Find(t.trackHwnd, t.trackId) : nullptr;
  if (tool != nullptr) {
    RECT text{rc.left + kBorder + kPadX + t.margin.left, rc.top + kBorder + kPadY + t.margin.top,
              rc.right - kBorder - kPadX - t.margin.right,
              rc.bottom - kBorder - kPadY - t.margin.bottom};
    HGDIOBJ old = SelectObject(dc, FontOf(t));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, t.textColor);
    DrawTextW(dc, tool->text.c_str(), static_cast<int>(tool->text.size()), &text,
              TextFormat(hwnd, t));
    SelectObject(dc, old);
  }
  EndPaint(hwnd, &ps);
}

LRESULT AddTool(Tooltip* t, LPARAM lParam) {
  TooltipTool tool;
  if (!ReadToolInfo(reinterpret_cast<const TOOLINFOW*>(lParam), &tool)) return FALSE;
  return t->tools.Add(tool) ? TRUE : FALSE;
}

LRESULT DeleteTool(HWND hwnd, Tooltip* t, LPARAM lParam) {
  auto* info = reinterpret_cast<const TOOLINFOW*>(lParam);
  if (info == nullptr || ToolInfoVersion(info->cbSize) == 0) return 0;
  if (t->tools.Remove(info->hwnd, info->uId) && IsTracked(*t, info->hwnd, info->uId)) {
    t->tracking = false;
    Refresh(hwnd, t);
  }
  return 0;
}

LRESULT SetToolInfo(HWND hwnd, Tooltip* t, LPARAM lParam) {
  TooltipTool tool;
  if (!ReadToolInfo(reinterpret_cast<const TOOLINFOW*>(lParam), &tool)) return 0;
  TooltipTool* existing = t->tools.Find(tool.hwnd, tool.id);
  if (existing == nullptr) return 0;
  *existing = tool;
  if (IsTracked(*t, tool.hwnd, tool.id)) Refresh(hwnd, t);
  return 0;
}

LRESULT NewToolRect(HWND hwnd, Tooltip* t, LPARAM lParam) {
  auto* info = reinterpret_cast<const TOOLINFOW*>(lParam);
  if (info == nullptr || ToolInfoVersion(info->cbSize) == 0) return 0;
  if (TooltipTool* tool = t->tools.Find(info->hwnd, info->uId)) {
    tool->rect = info->rect;
    if (IsTracked(*t, info->hwnd, info->uId) && !t->hasTrackPoint) Refresh(hwnd, t);
  }
  return 0;
}

LRESULT GetToolInfo(Tooltip* t, LPARAM lParam) {
  auto* info = reinterpret_cast<TOOLINFOW*>(lParam);
  if (info == nullptr || ToolInfoVersion(info->cbSize) == 0) return FALSE;
  const TooltipTool* tool = t->tools.Find(info->hwnd, info->uId);
  if (tool == nullptr) return FALSE;
  WriteToolInfo(*tool, info);
  return TRUE;
}

LRESULT GetText(Tooltip* t, WPARAM count, LPARAM lParam) {
  auto* info = reinterpret_cast<TOOLINFOW*>(lParam);
  if (info == nullptr || ToolInfoVersion(info->cbSize) == 0 || info->lpszText == nullptr ||
      count == 0) {
    return 0;
  }
  const TooltipTool* tool = t->tools.Find(info->hwnd, info->uId);
  size_t n = tool != nullptr ? std::min(tool->text.size(), static_cast<size_t>(count) - 1) : 0;
  if (n > 0) std::copy_n(tool->text.begin(), n, info->lpszText);
  info->lpszText[n] = u'\0';
  return 0;
}

LRESULT UpdateTipText(HWND hwnd, Tooltip* t, LPARAM lParam) {
  TooltipTool given;
  if (!ReadToolInfo(reinterpret_cast<const TOOLINFOW*>(lParam), &given)) return 0;
  TooltipTool* tool = t->tools.Find(given.hwnd, given.id);
  if (tool == nullptr) return 0;
  tool->text = given.text;
  if (IsTracked(*t, given.hwnd, given.id)) Refresh(hwnd, t);
  return 0;
}

LRESULT TrackActivate(HWND hwnd, Tooltip* t, WPARAM wParam, LPARAM lParam) {
  auto* info = reinterpret_cast<const TOOLINFOW*>(lParam);
  if (wParam == FALSE) {
    t->tracking = false;
  } else if (info != nullptr && ToolInfoVersion(info->cbSize) != 0 &&
             t->tools.Find(info->hwnd, info->uId) != nullptr) {
    t->tracking = true;
    t->trackHwnd = info->hwnd;
    t->trackId = info->uId;
  }
  Refresh(hwnd, t);
  return 0;
}

LRESULT SetMargin(HWND hwnd, Tooltip* t, LPARAM lParam) {
  auto* r = reinterpret_cast<const RECT*>(lParam);
  if (r != nullptr)
    t->margin =
        RECT{std::max(0, static_cast<int>(r->left)), std::max(0, static_cast<int>(r->top)),
             std::max(0, static_cast<int>(r->right)), std::max(0, static_cast<int>(r->bottom))};
  Refresh(hwnd, t);
  return 0;
}

LRESULT Create(HWND hwnd) {
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new Tooltip));
  SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  return TRUE;
}

void Destroy(HWND hwnd) {
  delete StateOf(hwnd);
  SetWindowLongPtrW(hwnd, 0, 0);
}

std::optional<LRESULT> ToolMessage(HWND hwnd, Tooltip* t, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case TTM_ADDTOOLW: return AddTool(t, lParam);
    case TTM_DELTOOLW: return DeleteTool(hwnd, t, lParam);
    case TTM_SETTOOLINFOW: return SetToolInfo(hwnd, t, lParam);
    case TTM_GETTOOLINFOW: return GetToolInfo(t, lParam);
    case TTM_NEWTOOLRECTW: return NewToolRect(hwnd, t, lParam);
    case TTM_GETTEXTW: return GetText(t, wParam, lParam);
    case TTM_UPDATETIPTEXTW: return UpdateTipText(hwnd, t, lParam);
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(t->tools.Count());
    default: return std::nullopt;
  }
}

std::optional<LRESULT> DisplayMessage(HWND hwnd, Tooltip* t, UINT msg, WPARAM wParam,
                                      LPARAM lParam) {
  switch (msg) {
    case TTM_TRACKACTIVATE: return TrackActivate(hwnd, t, wParam, lParam);
    case TTM_TRACKPOSITION:
      // With or without TTF_ABSOLUTE the tip's top-left corner goes to the point, moved only
      // as far as needed to stay inside the work area.
      t->hasTrackPoint = true;
      t->trackPoint = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (t->tracking) Refresh(hwnd, t);
      return 0;
    case TTM_ACTIVATE:
      t->active = wParam != FALSE;
      Refresh(hwnd, t);
      return 0;
    case TTM_POP:
      t->tracking = false;
      Hide(hwnd);
      return 0;
    case TTM_UPDATE: Refresh(hwnd, t); return 0;
    default: return std::nullopt;
  }
}

std::optional<LRESULT> LookMessage(HWND hwnd, Tooltip* t, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case TTM_GETDELAYTIME: return DelayTime(*t, wParam);
    case TTM_SETDELAYTIME: SetDelayTime(t, wParam, lParam); return 0;
    case TTM_SETMAXTIPWIDTH: {
      int old = t->maxWidth;
      t->maxWidth = static_cast<int>(lParam) < 0 ? -1 : static_cast<int>(lParam);
      Refresh(hwnd, t);
      return old;
    }
    case TTM_GETMAXTIPWIDTH: return t->maxWidth;
    case TTM_SETMARGIN: return SetMargin(hwnd, t, lParam);
    case TTM_GETMARGIN:
      if (lParam != 0) *reinterpret_cast<RECT*>(lParam) = t->margin;
      return 0;
    case TTM_SETTIPBKCOLOR:
      t->background = static_cast<COLORREF>(wParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case TTM_SETTIPTEXTCOLOR:
      t->textColor = static_cast<COLORREF>(wParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case TTM_GETTIPBKCOLOR: return t->background;
    case TTM_GETTIPTEXTCOLOR: return t->textColor;
    case WM_SETFONT:
      t->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam) != 0) Refresh(hwnd, t);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(t->font);
    default: return std::nullopt;
  }
}

bool IsTooltipMessage(UINT msg) {
  return (msg >= WM_USER && msg <= TTM_UPDATETIPTEXTW) || msg == WM_SETFONT || msg == WM_GETFONT;
}

LRESULT CALLBACK TooltipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) Create(hwnd);
  Tooltip* t = StateOf(hwnd);
  if (t == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCDESTROY: Destroy(hwnd); return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(hwnd, *t); return 0;
    default: break;
  }
  if (!IsTooltipMessage(msg)) return DefWindowProcW(hwnd, msg, wParam, lParam);
  for (auto handler : {ToolMessage, DisplayMessage, LookMessage}) {
    if (auto r = handler(hwnd, t, msg, wParam, lParam)) return *r;
  }
  return 0;
}

}  // namespace

void RegisterTooltipClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS | CS_SAVEBITS;
  wc.lpfnWndProc = TooltipProc;
  wc.cbWndExtra = sizeof(Tooltip*);
  wc.lpszClassName = TOOLTIPS_CLASSW;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterSystemClass(wc);
}

}  // namespace Platform
