// CDateTimeUI and its native picker CDateTimeWnd.
#include "Control/UIDateTime.h"

#include "Control/UINativeHost.h"
#include "Core/UIManager.h"

namespace SkinUI {

// --- CDateTimeWnd -----------------------------------------------------------------------------

LPCWSTR CDateTimeWnd::WindowClassName() const { return TEXT("DateTimeWnd"); }
LPCWSTR CDateTimeWnd::SuperclassName() const { return DATETIMEPICK_CLASSW; }

bool CDateTimeWnd::OpenPicker(CDateTimeUI* pOwner) {
  m_pOwner = pOwner;
  pOwner->m_nUpdateState = CDateTimeUI::kNone;
  CPaintManagerUI* pManager = pOwner->GetManager();
  if (m_hWnd == nullptr) {
    const RECT rcPos = pOwner->GetPos();
    if (Create(pManager->GetPaintWindow(), nullptr, WS_CHILD, 0, rcPos) == nullptr) return false;
    const TFontEntry& font = pManager->FontInfoAt(pOwner->GetFont());
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font.hFont), TRUE);
  }
  if (pOwner->GetText().IsEmpty()) ::GetLocalTime(&pOwner->m_sysTime);
  Send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&pOwner->m_sysTime));
  ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
  ::SetFocus(m_hWnd);
  return true;
}

void CDateTimeWnd::Finish(int nUpdateState) {
  if (m_pOwner != nullptr) {
    m_pOwner->m_nUpdateState = nUpdateState;
    m_pOwner->RefreshDateText();
  }
  ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

LRESULT CDateTimeWnd::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_KILLFOCUS) {
    const LRESULT lRes = DefaultProcessing(uMsg, wParam, lParam);
    if (m_pOwner != nullptr && m_pOwner->m_nUpdateState == CDateTimeUI::kNone) {
      SYSTEMTIME st = {};
      if (Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
        m_pOwner->m_sysTime = st;
      m_pOwner->m_nUpdateState = CDateTimeUI::kFromDate;
      m_pOwner->RefreshDateText();
    }
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    return lRes;
  }
  if (uMsg == WM_KEYUP && (wParam == VK_DELETE || wParam == VK_BACK)) {
    const LRESULT lRes = DefaultProcessing(uMsg, wParam, lParam);
    Finish(CDateTimeUI::kClear);
    return lRes;
  }
  if (uMsg == WM_KEYUP && wParam == VK_ESCAPE) {
    const LRESULT lRes = DefaultProcessing(uMsg, wParam, lParam);
    Finish(CDateTimeUI::kKeep);
    return lRes;
  }
  return DefaultProcessing(uMsg, wParam, lParam);
}

void CDateTimeWnd::OnWindowGone(HWND) {
  if (m_pOwner != nullptr) {
    m_pOwner->m_pWindow = nullptr;
    m_pOwner->Repaint();
  }
  delete this;
}

// --- CDateTimeUI ------------------------------------------------------------------------------

CDateTimeUI::CDateTimeUI() {
  ::GetLocalTime(&m_sysTime);
  m_nUpdateState = kFromDate;
  RefreshDateText();
}

CDateTimeUI::~CDateTimeUI() { CloseForgettingOwner(m_pWindow); }

LPCWSTR CDateTimeUI::GetClassName() const { return TEXT("DateTimeUI"); }

LPVOID CDateTimeUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("DateTime"))) return static_cast<CDateTimeUI*>(this);
  return CLabelUI::GetInterfaceByName(pstrName);
}

UINT CDateTimeUI::GetInputFlags() const {
  return IsEnabled() ? UIFLAG_TABSTOP | UIFLAG_SETCURSOR : 0;
}

HWND CDateTimeUI::GetPickerWindow() const {
  return m_pWindow != nullptr ? m_pWindow->Handle() : nullptr;
}

void CDateTimeUI::SetTime(const SYSTEMTIME& st) {
  m_sysTime = st;
  m_nUpdateState = kFromDate;
  RefreshDateText();
}

void CDateTimeUI::RefreshDateText() {
  if (m_nUpdateState == kFromDate) {
    CUIString sText;
    sText.Format(TEXT("%4d-%02d-%02d"), m_sysTime.wYear, m_sysTime.wMonth, m_sysTime.wDay);
    SetText(sText);
  } else if (m_nUpdateState == kClear) {
    SetText(TEXT(""));
  }
}

bool CDateTimeUI::OpenPicker() {
  if (m_pManager == nullptr) return false;
  const bool bNew = m_pWindow == nullptr;
  if (bNew) m_pWindow = new CDateTimeWnd();
  CDateTimeWnd* pWindow = m_pWindow;
  if (!pWindow->OpenPicker(this)) {
    // No window was made, so nothing will delete the object but us.
    if (bNew) {
      m_pWindow = nullptr;
      delete pWindow;
    }
    return false;
  }
  return true;
}

void CDateTimeUI::HandleEvent(TUIEvent& event) {
  if (PassOnMouseWhenDisabled(event)) return;
  if (HandleNativeHostEvent(*this, m_pWindow != nullptr, event)) return;
  const bool bEnabled = IsEnabled();
  switch (event.Type) {
    case EventSetFocus:
      if (!bEnabled) break;
      OpenPicker();
      Repaint();
      break;
    case EventButtonDown:
    case EventDoubleClick:
    case EventRightButtonDown:
      if (!bEnabled) return;
      if (m_pManager != nullptr) m_pManager->ReleaseMouse();
      if (m_pWindow != nullptr || IsFocused()) OpenPicker();
      return;
    case EventMouseEnter:
    case EventMouseLeave: return;
    default: break;
  }
  CLabelUI::HandleEvent(event);
}

}  // namespace SkinUI
