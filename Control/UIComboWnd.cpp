#include <algorithm>

#include "Control/UICombo.h"
#include "Core/UIScrollBar.h"

namespace SkinUI {

LPCWSTR CComboWnd::WindowClassName() const { return TEXT("ComboWnd"); }

void CComboWnd::OpenDropDown(CComboUI* pOwner) {
  m_pOwner = pOwner;
  m_iOldSel = pOwner->GetCurSel();
  const SIZE szDrop = pOwner->GetDropBoxSize();
  const RECT rcOwner = pOwner->GetPos();
  RECT rc = {rcOwner.left, rcOwner.bottom, szDrop.cx > 0 ? rcOwner.left + szDrop.cx : rcOwner.right,
             rcOwner.bottom + szDrop.cy};
  const SIZE szAvailable = {rc.right - rc.left, rc.bottom - rc.top};
  LONG cyNeeded = 0;
  for (int i = 0; i < pOwner->GetCount(); i++) {
    CControlUI* pItem = pOwner->GetItemAt(i);
    if (pItem->IsVisible()) cyNeeded += pItem->MeasureSize(szAvailable).cy;
  }
  cyNeeded += 4;  // the layout's inset and border
  const LONG cy = std::min<LONG>(cyNeeded, szDrop.cy);
  rc.bottom = rc.top + cy;

  HWND hWndOwner = pOwner->GetManager()->GetPaintWindow();
  POINT ptOrigin = {0, 0};
  ::ClientToScreen(hWndOwner, &ptOrigin);
  OffsetRect(&rc, ptOrigin.x, ptOrigin.y);
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  ::GetMonitorInfoW(::MonitorFromWindow(hWndOwner, MONITOR_DEFAULTTOPRIMARY), &mi);
  if (rc.bottom > mi.rcWork.bottom) {
    rc.top = ptOrigin.y + rcOwner.top - cy;
    rc.bottom = ptOrigin.y + rcOwner.top;
  }
  Create(hWndOwner, nullptr, WS_POPUP, WS_EX_TOOLWINDOW, rc);
  ::ShowWindow(m_hWnd, SW_SHOW);
  ::SetFocus(m_hWnd);
  // Keeps the owner's caption active while the pop-up has the focus.
  HWND hWndRoot = ::GetAncestor(hWndOwner, GA_ROOTOWNER);
  if (hWndRoot == nullptr) hWndRoot = hWndOwner;
  ::SendMessageW(hWndRoot, WM_NCACTIVATE, TRUE, 0);
}

void CComboWnd::EnsureVisible(int iIndex) {
  if (m_pOwner == nullptr || m_pLayout == nullptr || m_pOwner->GetCurSel() < 0) return;
  CControlUI* pItem = m_pOwner->GetItemAt(iIndex);
  if (pItem == nullptr) return;
  ListItems::ScrollIntoView(*m_pLayout, pItem->GetPos());
}

void CComboWnd::Abandon() {
  m_pOwner = nullptr;
  if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
}

void CComboWnd::PostClose() { ::PostMessageW(m_hWnd, WM_KILLFOCUS, 0, 0); }

void CComboWnd::OnCreate() {
  m_pm.AttachWindow(m_hWnd);
  m_pLayout = new CVerticalLayoutUI;
  CPaintManagerUI* pOwnerManager = m_pOwner->GetManager();
  m_pm.SetParentResourceManager(pOwnerManager);
  m_pLayout->AttachManager(&m_pm, nullptr, true);
  LPCWSTR pDefault = pOwnerManager->DefaultAttributes(TEXT("VerticalLayout"));
  if (pDefault != nullptr && pDefault[0] != 0) m_pLayout->ApplyAttributes(pDefault);
  m_pLayout->SetInset(RECT{1, 1, 1, 1});
  m_pLayout->SetBkColor(0xFFFFFFFF);
  m_pLayout->SetBorderColor(0xFFC6C7D2);
  m_pLayout->SetBorderSize(1);
  // The items belong to the combo: the layout only borrows them.
  m_pLayout->SetAutoDelete(false);
  m_pLayout->EnableScrollBars(true, false);
  m_pLayout->ApplyAttributes(m_pOwner->GetDropBoxAttributeList());
  for (int i = 0; i < m_pOwner->GetCount(); i++) m_pLayout->Add(m_pOwner->GetItemAt(i));
  m_pm.AttachRoot(m_pLayout);
}

void CComboWnd::ReturnItems() {
  if (m_pOwner == nullptr || m_bItemsReturned) return;
  m_bItemsReturned = true;
  m_pOwner->AttachManager(m_pOwner->GetManager(), m_pOwner->GetParent(), false);
}

void CComboWnd::OnClose() {
  if (m_pOwner == nullptr) return;
  ReturnItems();
  m_pOwner->SetPos(m_pOwner->GetPos());
  m_pOwner->SetFocus();
}

LRESULT CComboWnd::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_CREATE: OnCreate(); break;
    case WM_CLOSE: {
      // The manager lets its controls see the pointer leave first, while the items still
      // belong to it; then they go home.
      LRESULT lRes = 0;
      m_pm.RouteMessage(uMsg, wParam, lParam, lRes);
      OnClose();
      return DefaultProcessing(uMsg, wParam, lParam);
    }
    case WM_LBUTTONUP: {
      const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      CControlUI* pControl = m_pm.FindControlAt(pt);
      if (pControl == nullptr || !UIStrEqual(pControl->GetClassName(), TEXT("ScrollBarUI"))) {
        PostClose();
      }
      break;
    }
    case WM_KEYDOWN:
      if (m_pOwner == nullptr) break;
      switch (wParam) {
        case VK_ESCAPE:
          m_pOwner->SelectItem(m_iOldSel, true);
          EnsureVisible(m_iOldSel);
          [[fallthrough]];
        case VK_RETURN: PostClose(); return 0;
        default: {
          TUIEvent event;
          event.Type = EventKeyDown;
          event.chKey = static_cast<WCHAR>(wParam);
          m_pOwner->HandleEvent(event);
          EnsureVisible(m_pOwner->GetCurSel());
          return 0;
        }
      }
    case WM_MOUSEWHEEL: {
      if (m_pOwner == nullptr) break;
      TUIEvent event;
      event.Type = EventScrollWheel;
      event.wParam = GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? 1 : 0;
      event.lParam = lParam;
      m_pOwner->HandleEvent(event);
      EnsureVisible(m_pOwner->GetCurSel());
      return 0;
    }
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wParam) != m_hWnd) ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
      break;
    default: break;
  }
  LRESULT lRes = 0;
  if (m_pm.RouteMessage(uMsg, wParam, lParam, lRes)) return lRes;
  return DefaultProcessing(uMsg, wParam, lParam);
}

void CComboWnd::OnWindowGone(HWND /*hWnd*/) {
  // Destroyed without a close (its owner window went first): the items must not keep this
  // window's manager, which goes away with this object.
  ReturnItems();
  if (m_pOwner != nullptr) {
    m_pOwner->m_pWindow = nullptr;
    m_pOwner->m_images.Set(UISTATE_PUSHED, false);
    m_pOwner->Repaint();
  }
  delete this;
}

}  // namespace SkinUI
