#include "Layout/UILinearLayout.h"

#include "Core/UIAttributeTable.h"
#include "Core/UIScrollBar.h"
#include "Layout/UILayoutLimits.h"

namespace SkinUI {

namespace {

LONGLONG AtLeastZero(LONGLONG value) { return value < 0 ? 0 : value; }

// Reads sizes, paddings and rectangles along the layout's main axis (the direction children
// follow one another) or across it.
struct Axis {
  bool vertical;

  LONG Main(const SIZE& s) const { return vertical ? s.cy : s.cx; }
  LONG Cross(SIZE s) const { return vertical ? s.cx : s.cy; }
  LONG& MainOf(SIZE& s) const { return vertical ? s.cy : s.cx; }
  // The padding before and after a child along the main axis, and across it.
  LONG Lead(const RECT& r) const { return vertical ? r.top : r.left; }
  LONG Trail(const RECT& r) const { return vertical ? r.bottom : r.right; }
  LONG CrossLead(const RECT& r) const { return vertical ? r.left : r.top; }
  LONG CrossTrail(const RECT& r) const { return vertical ? r.right : r.bottom; }

  LONG ClampMain(const CControlUI* c, LONGLONG v) const {
    return vertical ? ClampHeight(c, Saturated(v)) : ClampWidth(c, Saturated(v));
  }
  LONG ClampCross(const CControlUI* c, LONGLONG v) const {
    return vertical ? ClampWidth(c, Saturated(v)) : ClampHeight(c, Saturated(v));
  }
  LONG FixedCross(const CControlUI* c) const {
    return vertical ? c->GetFixedWidth() : c->GetFixedHeight();
  }
  SIZE Size(LONGLONG main, LONGLONG cross) const {
    return vertical ? SIZE{Saturated(cross), Saturated(main)}
                    : SIZE{Saturated(main), Saturated(cross)};
  }
  RECT Rect(LONGLONG main0, LONGLONG cross0, LONGLONG main1, LONGLONG cross1) const {
    if (vertical)
      return RECT{Saturated(cross0), Saturated(main0), Saturated(cross1), Saturated(main1)};
    return RECT{Saturated(main0), Saturated(cross0), Saturated(main1), Saturated(cross1)};
  }
};

}  // namespace

CLinearLayoutUI::CLinearLayoutUI(bool bVertical) : m_separator(bVertical) {}

UINT CLinearLayoutUI::GetInputFlags() const {
  return (IsEnabled() && m_separator.GetSize() != 0) ? UIFLAG_SETCURSOR : 0;
}

void CLinearLayoutUI::SetSepImmediate(bool bImmediate) {
  m_separator.SetImmediate(this, bImmediate);
}
bool CLinearLayoutUI::IsSepImmediate() const { return m_separator.IsImmediate(); }

RECT CLinearLayoutUI::GetSeparatorRect(bool bUseNew) const {
  return m_separator.GetRect(m_rcItem, bUseNew);
}

void CLinearLayoutUI::SetPos(RECT rc) {
  CControlUI::SetPos(rc);
  const Axis axis{IsVertical()};
  RECT area = m_rcItem;
  area.left += m_rcInset.left;
  area.top += m_rcInset.top;
  area.right -= m_rcInset.right;
  area.bottom -= m_rcInset.bottom;
  const bool bVBar = IsBarShown(m_pVerticalScrollBar);
  const bool bHBar = IsBarShown(m_pHorizontalScrollBar);
  // An empty horizontal layout reports its area before the bars take their room.
  if (m_items.GetSize() == 0 && !axis.vertical) {
    UpdateScrollBars(area, 0, 0);
    return;
  }
  if (bVBar) area.right -= m_pVerticalScrollBar->GetFixedWidth();
  if (bHBar) area.bottom -= m_pHorizontalScrollBar->GetFixedHeight();
  if (m_items.GetSize() == 0) {
    UpdateScrollBars(area, 0, 0);
    return;
  }

  SIZE available = {area.right - area.left, area.bottom - area.top};
  if (bHBar)
    available.cx = Saturated(LONGLONG{available.cx} + m_pHorizontalScrollBar->GetScrollRange());
  const LONGLONG crossAvailable = axis.vertical ? available.cx : area.bottom - area.top;
  const LONGLONG needed = StackChildren(area, available, crossAvailable);
  UpdateScrollBars(area, 0, axis.vertical ? Saturated(needed) : 0);
}

LONGLONG CLinearLayoutUI::CrossLength(const CControlUI* child, const RECT& pad,
                                      LONGLONG crossAvailable) const {
  const Axis axis{IsVertical()};
  const LONGLONG cross = axis.FixedCross(child);
  return cross != 0 ? cross : crossAvailable - axis.CrossLead(pad) - axis.CrossTrail(pad);
}

LONGLONG CLinearLayoutUI::StackChildren(const RECT& area, SIZE available, LONGLONG crossAvailable) {
  const Axis axis{IsVertical()};
  const LONGLONG childPadding = m_iChildPadding;

  // First pass: the lengths that are fixed, and how many children stretch.
  int stretchCount = 0;
  int measured = 0;
  LONGLONG fixedTotal = 0;
  for (int i = 0; i < m_items.GetSize(); i++) {
    CControlUI* child = static_cast<CControlUI*>(m_items[i]);
    if (!child->IsVisible() || child->IsFloat()) continue;
    const LONG length = axis.Main(child->MeasureSize(available));
    if (length == 0) stretchCount++;
    const RECT pad = child->GetPadding();
    fixedTotal += LONGLONG{length == 0 ? 0 : axis.ClampMain(child, length)} + axis.Lead(pad) +
                  axis.Trail(pad);
    measured++;
  }
  if (measured > 0) fixedTotal += (measured - 1) * childPadding;
  const LONGLONG stretchLength =
      stretchCount > 0 ? AtLeastZero((axis.Main(available) - fixedTotal) / stretchCount) : 0;

  // Second pass: place them one after another.
  const LONG vScroll = IsBarShown(m_pVerticalScrollBar) ? m_pVerticalScrollBar->GetScrollPos() : 0;
  const LONG hScroll =
      IsBarShown(m_pHorizontalScrollBar) ? m_pHorizontalScrollBar->GetScrollPos() : 0;
  // A horizontal layout never scrolls across: its children are never taller than the area.
  LONGLONG pos = axis.vertical ? LONGLONG{area.top} - vScroll : LONGLONG{area.left} - hScroll;
  const LONGLONG crossStart = axis.vertical ? LONGLONG{area.left} - hScroll : area.top;
  LONGLONG remaining = axis.Main(available);
  // What the children after the current one need: their fixed lengths, their paddings and the
  // child padding between them.
  LONGLONG fixedLeft = fixedTotal;
  LONGLONG needed = 0;
  int stretchSeen = 0;
  for (int i = 0; i < m_items.GetSize(); i++) {
    CControlUI* child = static_cast<CControlUI*>(m_items[i]);
    if (!child->IsVisible()) continue;
    if (child->IsFloat()) {
      PlaceFloatChild(i);
      continue;
    }
    const RECT pad = child->GetPadding();
    remaining -= axis.Lead(pad);
    fixedLeft -= LONGLONG{axis.Lead(pad)} + axis.Trail(pad);
    SIZE offered = available;
    axis.MainOf(offered) = Saturated(remaining);
    LONGLONG length = axis.Main(child->MeasureSize(offered));
    if (length == 0) {
      stretchSeen++;
      length = stretchLength;
      if (stretchSeen == stretchCount)
        length = AtLeastZero(remaining - axis.Trail(pad) - fixedLeft);
      length = axis.ClampMain(child, length);
    } else {
      length = axis.ClampMain(child, length);
      fixedLeft -= length;
    }
    fixedLeft -= childPadding;
    const LONGLONG cross =
        axis.ClampCross(child, AtLeastZero(CrossLength(child, pad, crossAvailable)));

    const LONGLONG lead = pos + axis.Lead(pad);
    const LONGLONG crossLead = crossStart + axis.CrossLead(pad);
    child->SetPos(axis.Rect(lead, crossLead, lead + length + axis.Trail(pad), crossLead + cross));
    pos += length + childPadding + axis.Lead(pad) + axis.Trail(pad);
    needed += length + axis.Lead(pad) + axis.Trail(pad);
    remaining -= length + childPadding + axis.Trail(pad);
  }
  if (measured > 0) needed += (measured - 1) * childPadding;
  return needed;
}

void CLinearLayoutUI::HandleEvent(TUIEvent& event) {
  LONG& fixed = IsVertical() ? m_cxyFixed.cy : m_cxyFixed.cx;
  if (m_separator.HandleEvent(this, m_rcItem, fixed, event)) return;
  CContainerUI::HandleEvent(event);
}

namespace {

const TAttributeUI<CLinearLayoutUI> kLinearAttributes[] = {
    {TEXT("sepimm"), Parsed<&CLinearLayoutUI::SetSepImmediate, UIParseBool>},
};

}  // namespace

// The separator's size is "sepheight" for a vertical layout and "sepwidth" for a horizontal one.
void CLinearLayoutUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  if (UIStrEqual(pstrName, IsVertical() ? TEXT("sepheight") : TEXT("sepwidth")))
    SetSepSize(UIStrToInt(pstrValue));
  else if (!ApplyFromTable(kLinearAttributes, *this, pstrName, pstrValue))
    CContainerUI::ApplyAttribute(pstrName, pstrValue);
}

void CLinearLayoutUI::PaintOverlay(HDC hDC, const RECT& /*rcPaint*/) {
  m_separator.PaintOverlay(hDC);
}

}  // namespace SkinUI
