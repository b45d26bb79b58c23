#include "Layout/UIHorizontalLayout.h"

#include "Core/UIAttrValue.h"
#include "Core/UIScrollBar.h"
#include "Layout/UILayoutLimits.h"

namespace SkinUI {

namespace {

bool IsBarVisible(const CScrollBarUI* pBar) { return pBar && pBar->IsVisible(); }

}  // namespace

CHorizontalLayoutUI::CHorizontalLayoutUI() = default;

LPCWSTR CHorizontalLayoutUI::GetClassName() const { return TEXT("HorizontalLayoutUI"); }

LPVOID CHorizontalLayoutUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("HorizontalLayout")) == 0) return this;
  return CContainerUI::GetInterfaceByName(pstrName);
}

UINT CHorizontalLayoutUI::GetInputFlags() const {
  return (IsEnabled() && m_separator.GetSize() != 0) ? UIFLAG_SETCURSOR : 0;
}

void CHorizontalLayoutUI::SetSepWidth(int iWidth) { m_separator.SetSize(iWidth); }
int CHorizontalLayoutUI::GetSepWidth() const { return m_separator.GetSize(); }
void CHorizontalLayoutUI::SetSepImmediate(bool bImmediate) {
  m_separator.SetImmediate(this, bImmediate);
}
bool CHorizontalLayoutUI::IsSepImmediate() const { return m_separator.IsImmediate(); }

RECT CHorizontalLayoutUI::GetSeparatorRect(bool bUseNew) const {
  return m_separator.GetRect(m_rcItem, bUseNew);
}

void CHorizontalLayoutUI::SetPos(RECT rc) {
  CControlUI::SetPos(rc);
  RECT area = m_rcItem;
  area.left += m_rcInset.left;
  area.top += m_rcInset.top;
  area.right -= m_rcInset.right;
  area.bottom -= m_rcInset.bottom;
  if (m_items.GetSize() == 0) {
    UpdateScrollBars(area, 0, 0);
    return;
  }
  const bool bVBar = IsBarVisible(m_pVerticalScrollBar);
  const bool bHBar = IsBarVisible(m_pHorizontalScrollBar);
  if (bVBar) area.right -= m_pVerticalScrollBar->GetFixedWidth();
  if (bHBar) area.bottom -= m_pHorizontalScrollBar->GetFixedHeight();

  SIZE available = {area.right - area.left, area.bottom - area.top};
  if (bHBar) available.cx += m_pHorizontalScrollBar->GetScrollRange();

  // First pass: the widths that are fixed, and how many children stretch.
  int stretchCount = 0;
  int measured = 0;
  LONG fixedTotal = 0;
  for (int i = 0; i < m_items.GetSize(); i++) {
    CControlUI* child = static_cast<CControlUI*>(m_items[i]);
    if (!child->IsVisible() || child->IsFloat()) continue;
    SIZE sz = child->MeasureSize(available);
    if (sz.cx == 0) {
      stretchCount++;
    } else {
      sz.cx = ClampWidth(child, sz.cx);
    }
    const RECT pad = child->GetPadding();
    fixedTotal += sz.cx + pad.left + pad.right;
    measured++;
  }
  fixedTotal += (measured - 1) * m_iChildPadding;
  const LONG stretchWidth =
      stretchCount > 0 ? NotNegative((available.cx - fixedTotal) / stretchCount) : 0;

  // Second pass: place them left to right.
  SIZE remaining = available;
  LONG x = area.left - (bHBar ? m_pHorizontalScrollBar->GetScrollPos() : 0);
  LONG fixedLeft = fixedTotal;
  int stretchSeen = 0;
  for (int i = 0; i < m_items.GetSize(); i++) {
    CControlUI* child = static_cast<CControlUI*>(m_items[i]);
    if (!child->IsVisible()) continue;
    if (child->IsFloat()) {
      PlaceFloatChild(i);
      continue;
    }
    const RECT pad = child->GetPadding();
    remaining.cx -= pad.left;
    // fixedLeft keeps what the children after this one need: their fixed widths, their
    // paddings and the child padding between them.
    fixedLeft -= pad.left + pad.right;
    SIZE sz = child->MeasureSize(remaining);
    if (sz.cx == 0) {
      stretchSeen++;
      sz.cx = stretchWidth;
      if (stretchSeen == stretchCount) {
        sz.cx = NotNegative(remaining.cx - pad.right - fixedLeft);
      }
      sz.cx = ClampWidth(child, sz.cx);
    } else {
      sz.cx = ClampWidth(child, sz.cx);
      fixedLeft -= sz.cx;
    }
    fixedLeft -= m_iChildPadding;
    sz.cy = child->GetFixedHeight();
    if (sz.cy == 0) sz.cy = area.bottom - area.top - pad.top - pad.bottom;
    sz.cy = ClampHeight(child, NotNegative(sz.cy));

    const RECT rcChild = {x + pad.left, area.top + pad.top, x + sz.cx + pad.left + pad.right,
                          area.top + pad.top + sz.cy};
    child->SetPos(rcChild);
    x += sz.cx + m_iChildPadding + pad.left + pad.right;
    remaining.cx -= sz.cx + m_iChildPadding + pad.right;
  }
  // Children are never taller than the area, so a vertical bar has nothing to scroll.
  UpdateScrollBars(area, 0, 0);
}

void CHorizontalLayoutUI::HandleEvent(TUIEvent& event) {
  if (m_separator.HandleEvent(this, m_rcItem, m_cxyFixed.cx, event)) return;
  CContainerUI::HandleEvent(event);
}

void CHorizontalLayoutUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  if (lstrcmpW(pstrName, TEXT("sepwidth")) == 0) {
    SetSepWidth(UIStrToInt(pstrValue));
  } else if (lstrcmpW(pstrName, TEXT("sepimm")) == 0) {
    SetSepImmediate(UIParseBool(pstrValue));
  } else {
    CContainerUI::ApplyAttribute(pstrName, pstrValue);
  }
}

void CHorizontalLayoutUI::PaintOverlay(HDC hDC, const RECT& /*rcPaint*/) {
  m_separator.PaintOverlay(hDC);
}

}  // namespace SkinUI
