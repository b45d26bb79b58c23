// CListBodyUI: the scrolling part of a list that holds the items; it moves the header with its
// horizontal scroll position.
#include <algorithm>

#include "Control/UIList.h"
#include "Core/UIAttrValue.h"
#include "Core/UIManager.h"
#include "Core/UIScrollBar.h"
#include "Layout/UILayoutLimits.h"

namespace SkinUI {

namespace {

// Moves every visible, non-floating header item by dx (a hidden header's items count too).
void ShiftHeader(CListHeaderUI* pHeader, int dx) {
  const bool bHidden = !pHeader->IsVisible();
  for (int i = 0; i < pHeader->GetCount(); i++) {
    CControlUI* pItem = pHeader->GetItemAt(i);
    if (bHidden) pItem->SetParentVisible(true);
    if (pItem->IsVisible() && !pItem->IsFloat()) {
      RECT rc = pItem->GetPos();
      OffsetRect(&rc, dx, 0);
      pItem->SetPos(rc);
    }
    if (bHidden) pItem->SetParentVisible(false);
  }
}

}  // namespace

CListBodyUI::CListBodyUI(CListUI* pOwner) : m_pOwner(pOwner) {}

void CListBodyUI::SetScrollPos(SIZE szPos) {
  const int cxOld = GetScrollPos().cx;
  CVerticalLayoutUI::SetScrollPos(szPos);
  const int dx = GetScrollPos().cx - cxOld;
  if (dx == 0 || m_pOwner == nullptr || m_pOwner->GetHeader() == nullptr) return;
  ShiftHeader(m_pOwner->GetHeader(), -dx);
  m_pOwner->UpdateColumns();
}

LONG CListBodyUI::NeededWidth(SIZE available) const {
  LONG cxNeeded = 0;
  for (int i = 0; i < m_items.GetSize(); i++) {
    CControlUI* child = static_cast<CControlUI*>(m_items[i]);
    if (!child->IsVisible() || child->IsFloat()) continue;
    cxNeeded = std::max(cxNeeded, ClampWidth(child, child->MeasureSize(available).cx));
  }
  CListHeaderUI* pHeader = m_pOwner ? m_pOwner->GetHeader() : nullptr;
  if (pHeader != nullptr && pHeader->GetCount() > 0) {
    cxNeeded = NotNegative(pHeader->MeasureSize(available).cx);
  }
  return cxNeeded;
}

LONG CListBodyUI::UpdateHorizontalBar(const RECT& area, LONG cxNeeded) {
  CScrollBarUI* pBar = m_pHorizontalScrollBar;
  if (pBar == nullptr) return area.bottom;
  const LONG cxArea = area.right - area.left;
  if (cxArea < cxNeeded) {
    LONG bottom = area.bottom;
    if (!pBar->IsVisible()) {
      pBar->SetVisible(true);
      pBar->SetScrollPos(0);
      bottom -= pBar->GetFixedHeight();
    }
    pBar->SetScrollRange(cxNeeded - cxArea);
    return bottom;
  }
  if (pBar->IsVisible()) {
    pBar->SetVisible(false);
    pBar->SetScrollRange(0);
    pBar->SetScrollPos(0);
    return area.bottom + pBar->GetFixedHeight();
  }
  return area.bottom;
}

void CListBodyUI::SetPos(RECT rc) {
  CControlUI::SetPos(rc);
  RECT area = {m_rcItem.left + m_rcInset.left, m_rcItem.top + m_rcInset.top,
               m_rcItem.right - m_rcInset.right, m_rcItem.bottom - m_rcInset.bottom};
  if (IsBarShown(m_pVerticalScrollBar)) area.right -= m_pVerticalScrollBar->GetFixedWidth();
  if (IsBarShown(m_pHorizontalScrollBar)) area.bottom -= m_pHorizontalScrollBar->GetFixedHeight();
  const SIZE available = {area.right - area.left, area.bottom - area.top};
  m_cxRow = NeededWidth(available);
  const LONG cyNeeded = Saturated(StackChildren(area, available, available.cx));
  area.bottom = UpdateHorizontalBar(area, m_cxRow);
  UpdateScrollBars(area, m_cxRow, cyNeeded);
}

// Every row is as wide as the widest one (or the header), at least as wide as the area.
LONGLONG CListBodyUI::CrossLength(const CControlUI* /*child*/, const RECT& pad,
                                  LONGLONG crossAvailable) const {
  return std::max<LONGLONG>(m_cxRow, crossAvailable - pad.left - pad.right);
}

void CListBodyUI::HandleEvent(TUIEvent& event) {
  if (m_pOwner != nullptr)
    m_pOwner->HandleEvent(event);
  else
    CVerticalLayoutUI::HandleEvent(event);
}

}  // namespace SkinUI
