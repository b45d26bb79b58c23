// Separator drags of the vertical and horizontal layouts. One implementation serves both axes:
// "low" and "high" are top and bottom for a vertical layout, left and right for a horizontal one.

#include "Layout/UILayoutSeparator.h"

#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

namespace {

constexpr DWORD kOverlayColor = 0xAA000000;

LONG& Low(RECT& rc, bool bVertical) { return bVertical ? rc.top : rc.left; }
LONG& High(RECT& rc, bool bVertical) { return bVertical ? rc.bottom : rc.right; }
LONG Extent(const RECT& rc, bool bVertical) {
  return bVertical ? rc.bottom - rc.top : rc.right - rc.left;
}

// Moves one edge of rc by delta and keeps the extent within [minimum, maximum]. The moved
// edge is the high one when bHigh. False when the move is to be ignored because the dragged
// rectangle already sits at the limit.
bool MoveEdge(RECT& rc, const RECT& rcNow, bool bVertical, bool bHigh, LONG delta, LONG minimum,
              LONG maximum) {
  LONG& lo = Low(rc, bVertical);
  LONG& hi = High(rc, bVertical);
  (bHigh ? hi : lo) += delta;
  const LONG now = Extent(rcNow, bVertical);
  if (hi - lo <= minimum) {
    if (now <= minimum) return false;
    if (bHigh)
      hi = lo + minimum;
    else
      lo = hi - minimum;
  }
  if (hi - lo >= maximum) {
    if (now >= maximum) return false;
    if (bHigh)
      hi = lo + maximum;
    else
      lo = hi - maximum;
  }
  return true;
}

}  // namespace

void CLayoutSeparator::SetImmediate(CControlUI* pOwner, bool bImmediate) {
  if (bImmediate == m_bImmediate) return;
  if (m_bDragging && !m_bImmediate && pOwner->GetManager()) {
    pOwner->GetManager()->RemoveOverlayControl(pOwner);
  }
  m_bImmediate = bImmediate;
}

RECT CLayoutSeparator::GetRect(const RECT& rcItem, bool bUseNew) const {
  const RECT base = (m_bDragging && bUseNew) ? m_rcNewPos : rcItem;
  const LONG s = m_iSize;
  RECT rc = base;
  if (m_bVertical) {
    if (s < 0) {
      rc.bottom = base.top - s < base.bottom ? base.top - s : base.bottom;
    } else {
      rc.top = base.bottom - s > base.top ? base.bottom - s : base.top;
    }
  } else if (s < 0) {
    rc.right = base.left - s;
  } else {
    rc.left = base.right - s;
  }
  return rc;
}

bool CLayoutSeparator::HandleEvent(CControlUI* pOwner, RECT& rcItem, LONG& fixedSize,
                                   const TUIEvent& event) {
  if (m_iSize == 0) return false;
  CPaintManagerUI* pManager = pOwner->GetManager();
  switch (event.Type) {
    case EventButtonDown: {
      const RECT rcSep = GetRect(rcItem, false);
      if (!pOwner->IsEnabled() || !PtInRect(&rcSep, event.ptMouse)) return false;
      m_bDragging = true;
      m_ptLastMouse = event.ptMouse;
      m_rcNewPos = rcItem;
      if (!m_bImmediate && pManager) pManager->AddOverlayControl(pOwner);
      return true;
    }
    case EventButtonUp:
      if (!m_bDragging) return false;
      m_bDragging = false;
      rcItem = m_rcNewPos;
      if (!m_bImmediate && pManager) pManager->RemoveOverlayControl(pOwner);
      pOwner->RequestParentLayout();
      return true;
    case EventMouseMove:
      if (!m_bDragging) return false;
      OnMouseMove(pOwner, rcItem, fixedSize, event.ptMouse);
      return true;
    case EventSetCursor: {
      const RECT rcSep = GetRect(rcItem, false);
      if (!pOwner->IsEnabled() || !PtInRect(&rcSep, event.ptMouse)) return false;
      SetCursor(LoadCursorW(nullptr, m_bVertical ? IDC_SIZENS : IDC_SIZEWE));
      return true;
    }
    default: return false;
  }
}

void CLayoutSeparator::OnMouseMove(CControlUI* pOwner, RECT& rcItem, LONG& fixedSize, POINT pt) {
  const LONG delta = m_bVertical ? pt.y - m_ptLastMouse.y : pt.x - m_ptLastMouse.x;
  const LONG p = m_bVertical ? pt.y : pt.x;
  m_ptLastMouse = pt;
  RECT rc = m_rcNewPos;
  const LONG lo = Low(m_rcNewPos, m_bVertical);
  const LONG hi = High(m_rcNewPos, m_bVertical);
  // A vertical layout lets the pointer run the separator's thickness beyond the edge before a
  // move toward the separator's side counts; a horizontal one counts it from the strip's start.
  const LONG slack = m_bVertical ? -m_iSize : m_iSize;
  const bool bHigh = m_iSize >= 0;
  if (bHigh) {
    if ((delta > 0 && p < hi - slack) || (delta < 0 && p > hi)) return;
  } else if ((delta > 0 && p < lo) || (delta < 0 && p > lo - slack)) {
    return;
  }
  const LONG minimum = m_bVertical ? pOwner->GetMinHeight() : pOwner->GetMinWidth();
  const LONG maximum = m_bVertical ? pOwner->GetMaxHeight() : pOwner->GetMaxWidth();
  if (!MoveEdge(rc, m_rcNewPos, m_bVertical, bHigh, delta, minimum, maximum)) return;

  RECT rcInvalid = GetRect(rcItem, true);
  m_rcNewPos = rc;
  fixedSize = Extent(rc, m_bVertical);
  if (m_bImmediate) {
    rcItem = m_rcNewPos;
    pOwner->RequestParentLayout();
    return;
  }
  const RECT rcNew = GetRect(rcItem, true);
  const RECT rcOld = GetRect(rcItem, false);
  UnionRect(&rcInvalid, &rcInvalid, &rcNew);
  UnionRect(&rcInvalid, &rcInvalid, &rcOld);
  if (pOwner->GetManager()) pOwner->GetManager()->InvalidateArea(rcInvalid);
}

void CLayoutSeparator::PaintOverlay(HDC hDC) const {
  if (!m_bDragging || m_bImmediate) return;
  CDrawEngine::FillColor(hDC, GetRect(m_rcNewPos, true), kOverlayColor);
}

}  // namespace SkinUI
