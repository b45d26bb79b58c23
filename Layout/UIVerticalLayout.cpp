#include "Layout/UIVerticalLayout.h"

#include "Core/UIAttrValue.h"
#include "Core/UIScrollBar.h"
#include "Layout/UILayoutLimits.h"

namespace SkinUI {

namespace {

bool IsBarVisible(const CScrollBarUI* pBar) { return pBar && pBar->IsVisible(); }

}  // namespace

CVerticalLayoutUI::CVerticalLayoutUI() = default;

LPCWSTR CVerticalLayoutUI::GetClassName() const { return TEXT("VerticalLayoutUI"); }

LPVOID CVerticalLayoutUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("VerticalLayout")) == 0) return this;
  return CContainerUI::GetInterfaceByName(pstrName);
}

UINT CVerticalLayoutUI::GetInputFlags() const {
  return (IsEnabled() && m_separator.GetSize() != 0) ? UIFLAG_SETCURSOR : 0;
}

void CVerticalLayoutUI::SetSepHeight(int iHeight) { m_separator.SetSize(iHeight); }
int CVerticalLayoutUI::GetSepHeight() const { return m_separator.GetSize(); }
void CVerticalLayoutUI::SetSepImmediate(bool bImmediate) {
  m_separator.SetImmediate(this, bImmediate);
}
bool CVerticalLayoutUI::IsSepImmediate() const { return m_separator.IsImmediate(); }

RECT CVerticalLayoutUI::GetSeparatorRect(bool bUseNew) const {
  return m_separator.GetRect(m_rcItem, bUseNew);
}

void CVerticalLayoutUI::SetPos(RECT rc) {
  CControlUI::SetPos(rc);
  RECT area = m_rcItem;
  area.left += m_rcInset.left;
  area.top += m_rcInset.top;
  area.right -= m_rcInset.right;
  area.bottom -= m_rcInset.bottom;
  const bool bVBar = IsBarVisible(m_pVerticalScrollBar);
  const bool bHBar = IsBarVisible(m_pHorizontalScrollBar);
  if (bVBar) area.right -= m_pVerticalScrollBar->GetFixedWidth();
  if (bHBar) area.bottom -= m_pHorizontalScrollBar->GetFixedHeight();
  if (m_items.GetSize() == 0) {
    UpdateScrollBars(area, 0, 0);
    return;
  }

  SIZE available = {area.right - area.left, area.bottom - area.top};
  if (bHBar) available.cx += m_pHorizontalScrollBar->GetScrollRange();

  // First pass: the heights that are fixed, and how many children stretch.
  int stretchCount = 0;
  int measured = 0;
  LONG fixedTotal = 0;
  for (int i = 0; i < m_items.GetSize(); i++) {
    CControlUI* child = static_cast<CControlUI*>(m_items[i]);
    if (!child->IsVisible() || child->IsFloat()) continue;
    SIZE sz = child->MeasureSize(available);
    if (sz.cy == 0) {
      stretchCount++;
    } else {
      sz.cy = ClampHeight(child, sz.cy);
    }
    const RECT pad = child->GetPadding();
    fixedTotal += sz.cy + pad.top + pad.bottom;
    measured++;
  }
  fixedTotal += (measured - 1) * m_iChildPadding;
  const LONG stretchHeight =
      stretchCount > 0 ? NotNegative((available.cy - fixedTotal) / stretchCount) : 0;

  // Second pass: place them top to bottom.
  SIZE remaining = available;
  LONG y = area.top - (bVBar ? m_pVerticalScrollBar->GetScrollPos() : 0);
  const LONG x = area.left - (bHBar ? m_pHorizontalScrollBar->GetScrollPos() : 0);
  LONG fixedLeft = fixedTotal;
  LONG needed = 0;
  int stretchSeen = 0;
  for (int i = 0; i < m_items.GetSize(); i++) {
    CControlUI* child = static_cast<CControlUI*>(m_items[i]);
    if (!child->IsVisible()) continue;
    if (child->IsFloat()) {
      PlaceFloatChild(i);
      continue;
    }
    const RECT pad = child->GetPadding();
    remaining.cy -= pad.top;
    // fixedLeft keeps what the children after this one need: their fixed heights, their
    // paddings and the child padding between them.
    fixedLeft -= pad.top + pad.bottom;
    SIZE sz = child->MeasureSize(remaining);
    if (sz.cy == 0) {
      stretchSeen++;
      sz.cy = stretchHeight;
      if (stretchSeen == stretchCount) {
        sz.cy = NotNegative(remaining.cy - pad.bottom - fixedLeft);
      }
      sz.cy = ClampHeight(child, sz.cy);
    } else {
      sz.cy = ClampHeight(child, sz.cy);
      fixedLeft -= sz.cy;
    }
    fixedLeft -= m_iChildPadding;
    sz.cx = child->GetFixedWidth();
    if (sz.cx == 0) sz.cx = available.cx - pad.left - pad.right;
    sz.cx = ClampWidth(child, NotNegative(sz.cx));

    const RECT rcChild = {x + pad.left, y + pad.top, x + pad.left + sz.cx,
                          y + sz.cy + pad.top + pad.bottom};
    child->SetPos(rcChild);
    y += sz.cy + m_iChildPadding + pad.top + pad.bottom;
    needed += sz.cy + pad.top + pad.bottom;
    remaining.cy -= sz.cy + m_iChildPadding + pad.bottom;
  }
  needed += (measured - 1) * m_iChildPadding;
  UpdateScrollBars(area, 0, needed);
}

void CVerticalLayoutUI::HandleEvent(TUIEvent& event) {
  if (m_separator.HandleEvent(this, m_rcItem, m_cxyFixed.cy, event)) return;
  CContainerUI::HandleEvent(event);
}

void CVerticalLayoutUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  if (lstrcmpW(pstrName, TEXT("sepheight")) == 0) {
    SetSepHeight(UIStrToInt(pstrValue));
  } else if (lstrcmpW(pstrName, TEXT("sepimm")) == 0) {
    SetSepImmediate(UIParseBool(pstrValue));
  } else {
    CContainerUI::ApplyAttribute(pstrName, pstrValue);
  }
}

void CVerticalLayoutUI::PaintOverlay(HDC hDC, const RECT& /*rcPaint*/) {
  m_separator.PaintOverlay(hDC);
}

}  // namespace SkinUI
