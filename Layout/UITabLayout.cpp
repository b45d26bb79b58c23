#include "Layout/UITabLayout.h"

#include "Core/UIAttrValue.h"
#include "Core/UIManager.h"
#include "Layout/UILayoutLimits.h"

namespace SkinUI {

CTabLayoutUI::CTabLayoutUI() = default;

LPCWSTR CTabLayoutUI::GetClassName() const { return TEXT("TabLayoutUI"); }

LPVOID CTabLayoutUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("TabLayout"))) return this;
  return CContainerUI::GetInterfaceByName(pstrName);
}

int CTabLayoutUI::GetCurSel() const { return m_iCurSel; }

bool CTabLayoutUI::Add(CControlUI* pControl) {
  if (!CContainerUI::Add(pControl)) return false;
  if (m_iCurSel == -1 && pControl->IsVisible()) {
    m_iCurSel = GetItemIndex(pControl);
  } else {
    pControl->SetVisible(false);
  }
  return true;
}

bool CTabLayoutUI::AddAt(CControlUI* pControl, int iIndex) {
  if (!CContainerUI::AddAt(pControl, iIndex)) return false;
  if (m_iCurSel == -1 && pControl->IsVisible()) {
    m_iCurSel = GetItemIndex(pControl);
  } else if (m_iCurSel != -1 && iIndex <= m_iCurSel) {
    m_iCurSel += 1;
  } else {
    pControl->SetVisible(false);
  }
  return true;
}

bool CTabLayoutUI::Remove(CControlUI* pControl) {
  if (!pControl) return false;
  const int index = GetItemIndex(pControl);
  // The container may delete the control; only its index is used from here on.
  if (!CContainerUI::Remove(pControl)) return false;
  if (index == m_iCurSel) {
    const int count = GetCount();
    m_iCurSel = count == 0 ? -1 : (m_iCurSel < count ? m_iCurSel : count - 1);
    if (m_iCurSel >= 0) GetItemAt(m_iCurSel)->SetVisible(true);
    RequestParentLayout();
  } else if (index < m_iCurSel) {
    m_iCurSel -= 1;
  }
  return true;
}

void CTabLayoutUI::RemoveAll() {
  m_iCurSel = -1;
  CContainerUI::RemoveAll();
  RequestParentLayout();
}

bool CTabLayoutUI::SelectTab(int iIndex) {
  if (iIndex < 0 || iIndex >= GetCount()) return false;
  if (iIndex == m_iCurSel) return true;
  const int iOldSel = m_iCurSel;
  m_iCurSel = iIndex;
  for (int i = 0; i < GetCount(); i++) {
    CControlUI* page = GetItemAt(i);
    if (i == iIndex) {
      page->SetVisible(true);
      page->SetFocus();
      SetPos(m_rcItem);
    } else {
      page->SetVisible(false);
    }
  }
  RequestParentLayout();
  if (m_pManager) {
    m_pManager->MoveFocus(true);
    m_pManager->SendNotification(this, TEXT("tabselect"), static_cast<WPARAM>(m_iCurSel),
                                 static_cast<LPARAM>(iOldSel));
  }
  return true;
}

void CTabLayoutUI::SetPos(RECT rc) {
  CControlUI::SetPos(rc);
  RECT inner = m_rcItem;
  inner.left += m_rcInset.left;
  inner.top += m_rcInset.top;
  inner.right -= m_rcInset.right;
  inner.bottom -= m_rcInset.bottom;
  for (int i = 0; i < GetCount(); i++) {
    CControlUI* page = GetItemAt(i);
    if (!page->IsVisible()) continue;
    if (page->IsFloat()) {
      PlaceFloatChild(i);
      continue;
    }
    if (i != m_iCurSel) continue;
    const RECT pad = page->GetPadding();
    RECT rcPage = {inner.left + pad.left, inner.top + pad.top, inner.right - pad.right,
                   inner.bottom - pad.bottom};
    const SIZE avail = {rcPage.right - rcPage.left, rcPage.bottom - rcPage.top};
    SIZE sz = page->MeasureSize(avail);
    if (sz.cx == 0) sz.cx = NotNegative(avail.cx);
    if (sz.cy == 0) sz.cy = NotNegative(avail.cy);
    sz.cx = ClampWidth(page, sz.cx);
    sz.cy = ClampHeight(page, sz.cy);
    page->SetPos(RECT{rcPage.left, rcPage.top, rcPage.left + sz.cx, rcPage.top + sz.cy});
  }
}

void CTabLayoutUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  if (UIStrEqual(pstrName, TEXT("selectedid"))) SelectTab(UIStrToInt(pstrValue));
  CContainerUI::ApplyAttribute(pstrName, pstrValue);
}

}  // namespace SkinUI
