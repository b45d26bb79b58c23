// The paint manager's input side: mouse and keyboard messages become events for single controls
// (hover, capture, click and key controls), the tooltip, timers, keyboard focus with Tab and Alt
// navigation, pre-translation of queued messages and the message loop.

#include "Core/UIControl.h"
#include "Core/UIManager.h"

namespace SkinUI {

namespace {

// Until a tooltip window exists the hover time is fixed; afterwards it follows the tooltip.
constexpr DWORD kDefaultHoverTime = 400;
// The tool record is given in its 44-byte form (up to lParam, as a 32-bit program lays it out).
constexpr UINT kToolRecordSize = 44;

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

POINT ClientPointOf(HWND hWnd, LPARAM lParam) {
  POINT pt = PointOf(lParam);
  ScreenToClient(hWnd, &pt);
  return pt;
}

// The event key state read from the keyboard now (mouse-message values plus Alt).
WORD KeyStateNow() {
  WORD wState = 0;
  if (GetKeyState(VK_CONTROL) < 0) wState |= UIKEY_CONTROL;
  if (GetKeyState(VK_RBUTTON) < 0) wState |= UIKEY_RBUTTON;
  if (GetKeyState(VK_LBUTTON) < 0) wState |= UIKEY_LBUTTON;
  if (GetKeyState(VK_SHIFT) < 0) wState |= UIKEY_SHIFT;
  if (GetKeyState(VK_MENU) < 0) wState |= UIKEY_ALT;
  return wState;
}

WCHAR UpperAscii(WCHAR ch) { return ch >= 'a' && ch <= 'z' ? static_cast<WCHAR>(ch - 32) : ch; }

bool ClassNameHas(const CControlUI* pControl, LPCWSTR pstrPart) {
  return CUIString(pControl->GetClassName()).Find(pstrPart) >= 0;
}

TUIEvent MakeEvent(int type, CControlUI* pSender, POINT pt) {
  TUIEvent event;
  event.Type = type;
  event.pSender = pSender;
  event.ptMouse = pt;
  event.dwTimestamp = GetTickCount();
  return event;
}

// Tab navigation: visits controls in document order and picks the tab stop after (forward) or
// before (backward) the reference control. The last tab stop seen serves backward wrap-around.
struct TabSearch {
  CControlUI* pReference;
  CControlUI* pLast;
  bool bForward;
  bool bNextIsIt;
};

CControlUI* CALLBACK FindTabStop(CControlUI* pControl, LPVOID pData) {
  TabSearch* pSearch = static_cast<TabSearch*>(pData);
  if (pControl == pSearch->pReference) {
    if (pSearch->bForward) {
      pSearch->bNextIsIt = true;
      return nullptr;
    }
    return pSearch->pLast;
  }
  if ((pControl->GetInputFlags() & UIFLAG_TABSTOP) == 0) return nullptr;
  pSearch->pLast = pControl;
  if (pSearch->bNextIsIt || pSearch->pReference == nullptr) return pControl;
  return nullptr;
}

constexpr UINT kTabFindFlags = UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_ME_FIRST;

// Alt shortcuts: a label's shortcut passes to the next control the search visits.
struct ShortcutSearch {
  WCHAR ch;
  bool bPickNext;
};

CControlUI* CALLBACK FindShortcut(CControlUI* pControl, LPVOID pData) {
  ShortcutSearch* pSearch = static_cast<ShortcutSearch*>(pData);
  if (!pControl->IsVisible()) return nullptr;
  if (UpperAscii(pControl->GetShortcut()) == pSearch->ch) pSearch->bPickNext = true;
  if (ClassNameHas(pControl, TEXT("LabelUI"))) return nullptr;
  return pSearch->bPickNext ? pControl : nullptr;
}

}  // namespace

// Each handler answers as RouteMessage does for its message.
struct CPaintManagerUI::InputRouting {
  static void MouseMove(CPaintManagerUI& m, LPARAM lParam);
  static bool MouseHover(CPaintManagerUI& m, LPARAM lParam);
  static void MouseLeave(CPaintManagerUI& m);
  static void ShowToolTip(CPaintManagerUI& m, CControlUI* pControl, const CUIString& sTip);
  static void ButtonDown(CPaintManagerUI& m, UINT uMsg, WPARAM wParam, LPARAM lParam);
  static void ButtonUp(CPaintManagerUI& m, WPARAM wParam, LPARAM lParam);
  static void ContextMenu(CPaintManagerUI& m, WPARAM wParam, LPARAM lParam);
  static void Wheel(CPaintManagerUI& m, WPARAM wParam, LPARAM lParam);
  static bool SetCursor(CPaintManagerUI& m, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
  static void Key(CPaintManagerUI& m, UINT uMsg, WPARAM wParam);
  static void Timer(CPaintManagerUI& m, WPARAM wParam);
  // The control under the point when it is this manager's; null otherwise.
  static CControlUI* OwnControlAt(const CPaintManagerUI& m, POINT pt);
};

CControlUI* CPaintManagerUI::InputRouting::OwnControlAt(const CPaintManagerUI& m, POINT pt) {
  CControlUI* pControl = m.FindControlAt(pt);
  if (pControl && pControl->GetManager() != &m) return nullptr;
  return pControl;
}

bool CPaintManagerUI::RouteInput(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
  switch (uMsg) {
    case WM_MOUSEMOVE: InputRouting::MouseMove(*this, lParam); return false;
    case WM_MOUSEHOVER: lRes = 0; return InputRouting::MouseHover(*this, lParam);
    case WM_MOUSELEAVE: InputRouting::MouseLeave(*this); return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: InputRouting::ButtonDown(*this, uMsg, wParam, lParam); return false;
    case WM_LBUTTONUP: InputRouting::ButtonUp(*this, wParam, lParam); return false;
    case WM_CONTEXTMENU: InputRouting::ContextMenu(*this, wParam, lParam); return false;
    case WM_MOUSEWHEEL: InputRouting::Wheel(*this, wParam, lParam); return false;
    case WM_SETCURSOR: return InputRouting::SetCursor(*this, wParam, lParam, lRes);
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: InputRouting::Key(*this, uMsg, wParam); return false;
    case WM_TIMER: InputRouting::Timer(*this, wParam); return false;
    default: return false;
  }
}

// --- Pointer ------------------------------------------------------------------------------------

void CPaintManagerUI::InputRouting::MouseMove(CPaintManagerUI& m, LPARAM lParam) {
  if (!m.m_bMouseTracking) {
    TRACKMOUSEEVENT tme = {};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_HOVER | TME_LEAVE;
    tme.hwndTrack = m.m_hWndPaint;
    tme.dwHoverTime =
        m.m_hwndTooltip
            ? static_cast<DWORD>(SendMessageW(m.m_hwndTooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0))
            : kDefaultHoverTime;
    TrackMouseEvent(&tme);
    m.m_bMouseTracking = true;
  }
  const POINT pt = PointOf(lParam);
  m.m_ptLastMousePos = pt;
  CControlUI* pNew = m.FindControlAt(pt);
  if (pNew && pNew->GetManager() != &m) return;
  if (pNew != m.m_pEventHover && m.m_pEventHover) {
    TUIEvent event = MakeEvent(EventMouseLeave, m.m_pEventHover, pt);
    CControlUI* pOld = m.m_pEventHover;
    m.m_pEventHover = nullptr;
    pOld->DispatchEvent(event);
    if (m.m_hwndTooltip) {
      SendMessageW(m.m_hwndTooltip, TTM_TRACKACTIVATE, FALSE,
                   reinterpret_cast<LPARAM>(&m.m_ToolTip));
    }
  }
  if (pNew != m.m_pEventHover && pNew) {
    TUIEvent event = MakeEvent(EventMouseEnter, pNew, pt);
    m.m_pEventHover = pNew;
    pNew->DispatchEvent(event);
  }
  // While a button is held, moves go to the control that got the button down.
  CControlUI* pTarget = m.m_pEventClick ? m.m_pEventClick : pNew;
  if (pTarget) {
    TUIEvent event = MakeEvent(EventMouseMove, pTarget, pt);
    pTarget->DispatchEvent(event);
  }
}

bool CPaintManagerUI::InputRouting::MouseHover(CPaintManagerUI& m, LPARAM lParam) {
  m.m_bMouseTracking = false;
  const POINT pt = PointOf(lParam);
  CControlUI* pControl = m.FindControlAt(pt);
  if (!pControl) return false;
  if (m.m_pEventHover) {
    TUIEvent event = MakeEvent(EventMouseHover, m.m_pEventHover, pt);
    m.m_pEventHover->DispatchEvent(event);
  }
  // The hover handler may have changed what lies under the point.
  pControl = m.FindControlAt(pt);
  if (!pControl) return true;
  const CUIString sTip = pControl->GetToolTip();
  if (sTip.IsEmpty()) return true;
  ShowToolTip(m, pControl, sTip);
  return true;
}

void CPaintManagerUI::InputRouting::ShowToolTip(CPaintManagerUI& m, CControlUI* pControl,
                                                const CUIString& sTip) {
  m.m_ToolTip = TOOLINFOW{};
  m.m_ToolTip.cbSize = kToolRecordSize;
  m.m_ToolTip.uFlags = TTF_IDISHWND;
  m.m_ToolTip.hwnd = m.m_hWndPaint;
  m.m_ToolTip.uId = reinterpret_cast<UINT_PTR>(m.m_hWndPaint);
  m.m_ToolTip.hinst = Instance();
  // The tooltip keeps its own copy of the text; the record must not keep a dangling pointer.
  m.m_ToolTip.lpszText = const_cast<LPWSTR>(sTip.GetData());
  m.m_ToolTip.rect = pControl->GetPos();
  if (!m.m_hwndTooltip) {
    m.m_hwndTooltip = CreateWindowExW(
        0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m.m_hWndPaint, nullptr, Instance(), nullptr);
    if (m.m_hwndTooltip) {
      SendMessageW(m.m_hwndTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&m.m_ToolTip));
    }
  }
  if (m.m_hwndTooltip) {
    SendMessageW(m.m_hwndTooltip, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&m.m_ToolTip));
    SendMessageW(m.m_hwndTooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&m.m_ToolTip));
  }
  m.m_ToolTip.lpszText = nullptr;
}

// Leaving the window is a move to (-1, -1): it ends any hover.
void CPaintManagerUI::InputRouting::MouseLeave(CPaintManagerUI& m) {
  if (m.m_hwndTooltip) {
    SendMessageW(m.m_hwndTooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&m.m_ToolTip));
  }
  if (m.m_bMouseTracking) SendMessageW(m.m_hWndPaint, WM_MOUSEMOVE, 0, static_cast<LPARAM>(-1));
  m.m_bMouseTracking = false;
}

// Left button down makes the control the click control before it sees the event; a double
// click and a right button down do so after.
void CPaintManagerUI::InputRouting::ButtonDown(CPaintManagerUI& m, UINT uMsg, WPARAM wParam,
                                               LPARAM lParam) {
  ::SetFocus(m.m_hWndPaint);
  const POINT pt = PointOf(lParam);
  m.m_ptLastMousePos = pt;
  CControlUI* pControl = OwnControlAt(m, pt);
  if (!pControl) return;
  TUIEvent event = MakeEvent(EventButtonDown, pControl, pt);
  event.wKeyState = LOWORD(wParam);
  if (uMsg == WM_LBUTTONDBLCLK) {
    event.Type = EventDoubleClick;
    m.CaptureMouse();
    pControl->DispatchEvent(event);
    m.m_pEventClick = pControl;
    return;
  }
  event.wParam = wParam;
  event.lParam = lParam;
  if (uMsg == WM_LBUTTONDOWN) {
    m.m_pEventClick = pControl;
    pControl->SetFocus();
    m.CaptureMouse();
    pControl->DispatchEvent(event);
    return;
  }
  event.Type = EventRightButtonDown;
  pControl->SetFocus();
  m.CaptureMouse();
  pControl->DispatchEvent(event);
  m.m_pEventClick = pControl;
}

void CPaintManagerUI::InputRouting::ButtonUp(CPaintManagerUI& m, WPARAM wParam, LPARAM lParam) {
  const POINT pt = PointOf(lParam);
  m.m_ptLastMousePos = pt;
  CControlUI* pClick = m.m_pEventClick;
  if (!pClick) return;
  m.ReleaseMouse();
  TUIEvent event = MakeEvent(EventButtonUp, pClick, pt);
  event.wKeyState = LOWORD(wParam);
  event.wParam = wParam;
  event.lParam = lParam;
  pClick->DispatchEvent(event);
  m.m_pEventClick = nullptr;
}

// The context menu, not the right button's release, ends the pressed state a right press began.
void CPaintManagerUI::InputRouting::ContextMenu(CPaintManagerUI& m, WPARAM wParam, LPARAM lParam) {
  const POINT pt = ClientPointOf(m.m_hWndPaint, lParam);
  m.m_ptLastMousePos = pt;
  CControlUI* pClick = m.m_pEventClick;
  if (!pClick) return;
  m.ReleaseMouse();
  TUIEvent event = MakeEvent(EventContextMenu, pClick, pt);
  event.wKeyState = LOWORD(wParam);
  event.lParam = reinterpret_cast<LPARAM>(pClick);
  pClick->DispatchEvent(event);
  m.m_pEventClick = nullptr;
}

// The event's first parameter is the direction: 0 up (away from the user), 1 down.
void CPaintManagerUI::InputRouting::Wheel(CPaintManagerUI& m, WPARAM wParam, LPARAM lParam) {
  const POINT pt = ClientPointOf(m.m_hWndPaint, lParam);
  m.m_ptLastMousePos = pt;
  CControlUI* pControl = OwnControlAt(m, pt);
  if (!pControl) return;
  TUIEvent event = MakeEvent(EventScrollWheel, pControl, POINT{0, 0});
  event.wParam = GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? 1 : 0;
  event.lParam = lParam;
  event.wKeyState = KeyStateNow();
  pControl->DispatchEvent(event);
  // Hover states follow the content that scrolled under the pointer.
  SendMessageW(m.m_hWndPaint, WM_MOUSEMOVE, 0,
               MAKELPARAM(m.m_ptLastMousePos.x, m.m_ptLastMousePos.y));
}

bool CPaintManagerUI::InputRouting::SetCursor(CPaintManagerUI& m, WPARAM wParam, LPARAM lParam,
                                              LRESULT& lRes) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  lRes = TRUE;
  if (m.m_bMouseCapture) return true;
  POINT pt = {0, 0};
  GetCursorPos(&pt);
  ScreenToClient(m.m_hWndPaint, &pt);
  CControlUI* pControl = m.FindControlAt(pt);
  if (!pControl || (pControl->GetInputFlags() & UIFLAG_SETCURSOR) == 0) {
    lRes = 0;
    return false;
  }
  TUIEvent event = MakeEvent(EventSetCursor, nullptr, pt);
  event.wParam = wParam;
  event.lParam = lParam;
  event.wKeyState = KeyStateNow();
  pControl->DispatchEvent(event);
  return true;
}

// --- Keyboard and timers ------------------------------------------------------------------------

void CPaintManagerUI::InputRouting::Key(CPaintManagerUI& m, UINT uMsg, WPARAM wParam) {
  CControlUI* pTarget = uMsg == WM_KEYUP ? m.m_pEventKey : m.m_pFocus;
  if (!pTarget) return;
  TUIEvent event = MakeEvent(EventKeyDown, nullptr, m.m_ptLastMousePos);
  event.chKey = static_cast<WCHAR>(wParam);
  event.wKeyState = KeyStateNow();
  if (uMsg == WM_KEYDOWN) {
    m.m_pEventKey = pTarget;  // set first: ForgetControl clears it if the control goes away
  } else if (uMsg == WM_KEYUP) {
    event.Type = EventKeyUp;
    m.m_pEventKey = nullptr;
  } else {
    event.Type = EventChar;
  }
  pTarget->DispatchEvent(event);
}

void CPaintManagerUI::InputRouting::Timer(CPaintManagerUI& m, WPARAM wParam) {
  for (int i = 0; i < m.m_aTimers.GetSize(); i++) {
    const TimerRecord* pTimer = static_cast<const TimerRecord*>(m.m_aTimers[i]);
    if (pTimer->hWnd != m.m_hWndPaint || pTimer->uWinTimer != LOWORD(wParam) || pTimer->bKilled) {
      continue;
    }
    TUIEvent event = MakeEvent(EventTimer, pTimer->pSender, POINT{0, 0});
    event.wParam = pTimer->nLocalID;
    pTimer->pSender->DispatchEvent(event);
    return;
  }
}

// --- Focus --------------------------------------------------------------------------------------

void CPaintManagerUI::SetFocusControl(CControlUI* pControl) {
  if (GetFocus() != m_hWndPaint && pControl != m_pFocus) ::SetFocus(m_hWndPaint);
  if (pControl == m_pFocus) return;
  if (m_pFocus) {
    CControlUI* pOld = m_pFocus;
    TUIEvent event = MakeEvent(EventKillFocus, pControl, POINT{0, 0});
    pOld->DispatchEvent(event);
    SendNotification(pOld, TEXT("killfocus"));
    m_pFocus = nullptr;
  }
  if (pControl && pControl->GetManager() == this && pControl->IsVisible() &&
      pControl->IsEnabled()) {
    m_pFocus = pControl;
    TUIEvent event = MakeEvent(EventSetFocus, pControl, POINT{0, 0});
    pControl->DispatchEvent(event);
    SendNotification(pControl, TEXT("setfocus"));
  }
}

void CPaintManagerUI::SetInitialFocus(CControlUI* pControl) {
  ::SetFocus(m_hWndPaint);
  if (!pControl) {
    m_bFocusNeeded = false;
    return;
  }
  if (m_pFocus) {
    CControlUI* pOld = m_pFocus;
    TUIEvent event = MakeEvent(EventKillFocus, pControl, POINT{0, 0});
    pOld->DispatchEvent(event);
    SendNotification(pOld, TEXT("killfocus"));
    m_pFocus = nullptr;
  }
  // The tab stop before the control takes focus silently; the paint after the layout pass moves
  // focus forward onto the control itself.
  TabSearch search = {pControl, nullptr, false, false};
  m_pFocus = m_pRoot ? m_pRoot->FindControl(FindTabStop, &search, kTabFindFlags) : nullptr;
  m_bFocusNeeded = true;
  if (m_pRoot) m_pRoot->RequestLayout();
}

bool CPaintManagerUI::MoveFocus(bool bForward) {
  if (m_bLayoutPending && bForward) {
    m_bFocusNeeded = true;
    InvalidateRect(m_hWndPaint, nullptr, FALSE);
    return true;
  }
  CControlUI* pControl = nullptr;
  if (m_pRoot) {
    TabSearch search = {m_pFocus, nullptr, bForward, false};
    pControl = m_pRoot->FindControl(FindTabStop, &search, kTabFindFlags);
    if (!pControl && bForward) {
      TabSearch first = {nullptr, nullptr, true, false};
      pControl = m_pRoot->FindControl(FindTabStop, &first, kTabFindFlags);
    } else if (!pControl) {
      pControl = search.pLast;
    }
  }
  if (pControl) SetFocusControl(pControl);
  m_bFocusNeeded = false;
  return true;
}

// --- Pre-translation and the message loop -------------------------------------------------------

bool CPaintManagerUI::PreRoute(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& /*lRes*/) {
  for (int i = 0; i < m_aPreMessageFilters.GetSize(); i++) {
    bool bHandled = false;
    static_cast<IMessageFilterUI*>(m_aPreMessageFilters[i])
        ->FilterMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled) return true;
  }
  switch (uMsg) {
    case WM_KEYDOWN: {
      if (wParam != VK_TAB) return false;
      MoveFocus(GetKeyState(VK_SHIFT) >= 0);
      return true;
    }
    case WM_SYSKEYDOWN: {
      if (!m_pFocus) return false;
      TUIEvent event = MakeEvent(EventSysKey, nullptr, m_ptLastMousePos);
      event.chKey = static_cast<WCHAR>(wParam);
      event.wKeyState = KeyStateNow();
      m_pFocus->DispatchEvent(event);
      return false;
    }
    case WM_SYSCHAR: {
      if (!m_pRoot) return false;
      ShortcutSearch search = {UpperAscii(static_cast<WCHAR>(wParam)), false};
      CControlUI* pControl = m_pRoot->FindControl(
          FindShortcut, &search, UIFIND_ENABLED | UIFIND_ME_FIRST | UIFIND_TOP_FIRST);
      if (!pControl) return false;
      pControl->SetFocus();
      pControl->Activate();
      return true;
    }
    default: return false;
  }
}

bool CPaintManagerUI::RunAccelerators(LPMSG pMsg) {
  for (int i = 0; i < m_aTranslateAccelerator.GetSize(); i++) {
    auto* pTranslator = static_cast<ITranslateAccelerator*>(m_aTranslateAccelerator[i]);
    if (pTranslator->TranslateKey(pMsg) == 0) return true;
  }
  return false;
}

bool CPaintManagerUI::PreTranslate(LPMSG pMsg) {
  auto offer = [pMsg](CPaintManagerUI* pManager) {
    if (pManager->RunAccelerators(pMsg)) return true;
    LRESULT lRes = 0;
    return pManager->PreRoute(pMsg->message, pMsg->wParam, pMsg->lParam, lRes);
  };
  const CPtrArrayUI& managers = Managers();
  const LONG style = GetWindowLongW(pMsg->hwnd, GWL_STYLE);
  if ((style & WS_CHILD) != 0) {
    // A child window's keys belong to the manager of the window it lives in.
    for (int i = 0; i < managers.GetSize(); i++) {
      CPaintManagerUI* pManager = static_cast<CPaintManagerUI*>(managers[i]);
      for (HWND hWndParent = GetParent(pMsg->hwnd); hWndParent;
           hWndParent = GetParent(hWndParent)) {
        if (pManager->m_hWndPaint == pMsg->hwnd || pManager->m_hWndPaint == hWndParent) {
          return offer(pManager);
        }
      }
    }
    return false;
  }
  for (int i = 0; i < managers.GetSize(); i++) {
    CPaintManagerUI* pManager = static_cast<CPaintManagerUI*>(managers[i]);
    if (pManager->m_hWndPaint == pMsg->hwnd) return offer(pManager);
  }
  return false;
}

// GetMessageW fails with -1 on a broken call; the loop ends then as it does on WM_QUIT.
void CPaintManagerUI::MessageLoop() {
  MSG msg = {};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslate(&msg)) continue;
    TranslateMessage(&msg);
    try {
      DispatchMessageW(&msg);
    } catch (...) {
      Trace(TEXT("EXCEPTION: %s(%d)\n"), TEXT("Core\\UIManager"), __LINE__);
      throw "CPaintManagerUI::MessageLoop";
    }
  }
}

void CPaintManagerUI::CaptureMouse() {
  SetCapture(m_hWndPaint);
  m_bMouseCapture = true;
}

void CPaintManagerUI::ReleaseMouse() {
  ReleaseCapture();
  m_bMouseCapture = false;
}

}  // namespace SkinUI
