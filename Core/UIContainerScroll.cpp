// The scrolling side of CContainerUI: its scroll bars, the scroll position and the steps that
// change it, the bars' placement after a layout pass, and the search for selectable list items.
// Scrolling moves the children's rectangles by the change instead of laying them out again.

#include "Core/UIContainer.h"
#include "Core/UIManager.h"
#include "Core/UIScrollBar.h"

namespace SkinUI {

namespace {

// Horizontal line steps are fixed; vertical ones follow the default font.
constexpr int kLineStep = 8;

}  // namespace

SIZE CContainerUI::GetScrollPos() const {
  SIZE sz = {0, 0};
  if (IsBarShown(m_pHorizontalScrollBar)) sz.cx = m_pHorizontalScrollBar->GetScrollPos();
  if (IsBarShown(m_pVerticalScrollBar)) sz.cy = m_pVerticalScrollBar->GetScrollPos();
  return sz;
}

SIZE CContainerUI::GetScrollRange() const {
  SIZE sz = {0, 0};
  if (IsBarShown(m_pHorizontalScrollBar)) sz.cx = m_pHorizontalScrollBar->GetScrollRange();
  if (IsBarShown(m_pVerticalScrollBar)) sz.cy = m_pVerticalScrollBar->GetScrollRange();
  return sz;
}

void CContainerUI::SetScrollPos(SIZE szPos) {
  int cx = 0;
  int cy = 0;
  if (IsBarShown(m_pVerticalScrollBar)) {
    const int old = m_pVerticalScrollBar->GetScrollPos();
    m_pVerticalScrollBar->SetScrollPos(szPos.cy);
    cy = m_pVerticalScrollBar->GetScrollPos() - old;
  }
  if (IsBarShown(m_pHorizontalScrollBar)) {
    const int old = m_pHorizontalScrollBar->GetScrollPos();
    m_pHorizontalScrollBar->SetScrollPos(szPos.cx);
    cx = m_pHorizontalScrollBar->GetScrollPos() - old;
  }
  if (cx == 0 && cy == 0) return;
  for (int i = 0; i < GetCount(); i++) {
    CControlUI* pControl = GetItemAt(i);
    if (!pControl->IsVisible() || pControl->IsFloat()) continue;
    RECT rc = pControl->GetPos();
    OffsetRect(&rc, -cx, -cy);
    pControl->SetPos(rc);
  }
  Repaint();
}

namespace {

int VerticalLineStep(CPaintManagerUI* pManager) {
  if (!pManager) return kLineStep;
  return pManager->DefaultFont().tm.tmHeight + kLineStep;
}

}  // namespace

void CContainerUI::LineUp() {
  SIZE sz = GetScrollPos();
  sz.cy -= VerticalLineStep(m_pManager);
  SetScrollPos(sz);
}

void CContainerUI::LineDown() {
  SIZE sz = GetScrollPos();
  sz.cy += VerticalLineStep(m_pManager);
  SetScrollPos(sz);
}

// A page is the inner height, less the horizontal bar when it shows.
void CContainerUI::PageUp() {
  SIZE sz = GetScrollPos();
  int page = m_rcItem.bottom - m_rcItem.top - m_rcInset.top - m_rcInset.bottom;
  if (IsBarShown(m_pHorizontalScrollBar)) page -= m_pHorizontalScrollBar->GetFixedHeight();
  sz.cy -= page;
  SetScrollPos(sz);
}

void CContainerUI::PageDown() {
  SIZE sz = GetScrollPos();
  int page = m_rcItem.bottom - m_rcItem.top - m_rcInset.top - m_rcInset.bottom;
  if (IsBarShown(m_pHorizontalScrollBar)) page -= m_pHorizontalScrollBar->GetFixedHeight();
  sz.cy += page;
  SetScrollPos(sz);
}

void CContainerUI::ScrollToTop() {
  SIZE sz = GetScrollPos();
  sz.cy = 0;
  SetScrollPos(sz);
}

void CContainerUI::ScrollToBottom() {
  SIZE sz = GetScrollPos();
  sz.cy = GetScrollRange().cy;
  SetScrollPos(sz);
}

void CContainerUI::LineLeft() {
  SIZE sz = GetScrollPos();
  sz.cx -= kLineStep;
  SetScrollPos(sz);
}

void CContainerUI::LineRight() {
  SIZE sz = GetScrollPos();
  sz.cx += kLineStep;
  SetScrollPos(sz);
}

// A page is the inner width, less the vertical bar when it shows.
void CContainerUI::PageLeft() {
  SIZE sz = GetScrollPos();
  int page = m_rcItem.right - m_rcItem.left - m_rcInset.left - m_rcInset.right;
  if (IsBarShown(m_pVerticalScrollBar)) page -= m_pVerticalScrollBar->GetFixedWidth();
  sz.cx -= page;
  SetScrollPos(sz);
}

void CContainerUI::PageRight() {
  SIZE sz = GetScrollPos();
  int page = m_rcItem.right - m_rcItem.left - m_rcInset.left - m_rcInset.right;
  if (IsBarShown(m_pVerticalScrollBar)) page -= m_pVerticalScrollBar->GetFixedWidth();
  sz.cx += page;
  SetScrollPos(sz);
}

void CContainerUI::ScrollToLeftEnd() {
  SIZE sz = GetScrollPos();
  sz.cx = 0;
  SetScrollPos(sz);
}

void CContainerUI::ScrollToRightEnd() {
  SIZE sz = GetScrollPos();
  sz.cx = GetScrollRange().cx;
  SetScrollPos(sz);
}

namespace {

// A new bar owned by the container, with the skin's default attributes for its kind.
CScrollBarUI* MakeBar(CContainerUI* pOwner, CPaintManagerUI* pManager, bool bHorizontal) {
  CScrollBarUI* pBar = new CScrollBarUI;
  if (bHorizontal) pBar->SetHorizontal(true);
  pBar->SetOwner(pOwner);
  pBar->AttachManager(pManager, nullptr, false);
  if (pManager) {
    LPCWSTR pDefault =
        pManager->DefaultAttributes(bHorizontal ? TEXT("HScrollBar") : TEXT("VScrollBar"));
    if (pDefault && pDefault[0] != 0) pBar->ApplyAttributes(pDefault);
  }
  return pBar;
}

}  // namespace

void CContainerUI::EnableScrollBars(bool bEnableVertical, bool bEnableHorizontal) {
  if (bEnableVertical && !m_pVerticalScrollBar) {
    m_pVerticalScrollBar = MakeBar(this, m_pManager, false);
  } else if (!bEnableVertical && m_pVerticalScrollBar) {
    delete m_pVerticalScrollBar;
    m_pVerticalScrollBar = nullptr;
  }
  if (bEnableHorizontal && !m_pHorizontalScrollBar) {
    m_pHorizontalScrollBar = MakeBar(this, m_pManager, true);
  } else if (!bEnableHorizontal && m_pHorizontalScrollBar) {
    delete m_pHorizontalScrollBar;
    m_pHorizontalScrollBar = nullptr;
  }
  RequestLayout();
}

CScrollBarUI* CContainerUI::GetVerticalScrollBar() const { return m_pVerticalScrollBar; }

CScrollBarUI* CContainerUI::GetHorizontalScrollBar() const { return m_pHorizontalScrollBar; }

// Shows, hides and places the bars for the children's area rc and the height they need. Laying
// out again after a bar appears or disappears changes the area; m_bScrollProcess keeps the bar
// that has just appeared from being hidden again by that nested pass.
void CContainerUI::UpdateScrollBars(const RECT& rc, int /*cxRequired*/, int cyRequired) {
  if (IsBarShown(m_pHorizontalScrollBar)) {
    m_pHorizontalScrollBar->SetPos(
        RECT{rc.left, rc.bottom, rc.right, rc.bottom + m_pHorizontalScrollBar->GetFixedHeight()});
  }
  CScrollBarUI* pBar = m_pVerticalScrollBar;
  if (!pBar) return;
  const int height = rc.bottom - rc.top;
  if (cyRequired > height && !pBar->IsVisible()) {
    pBar->SetVisible(true);
    pBar->SetScrollRange(cyRequired - height);
    pBar->SetScrollPos(0);
    m_bScrollProcess = true;
    SetPos(m_rcItem);
    m_bScrollProcess = false;
    return;
  }
  if (!pBar->IsVisible()) return;
  const int cyScroll = cyRequired - height;
  if (cyScroll <= 0 && !m_bScrollProcess) {
    pBar->SetVisible(false);
    pBar->SetScrollPos(0);
    pBar->SetScrollRange(0);
    SetPos(m_rcItem);
    return;
  }
  pBar->SetPos(RECT{rc.right, rc.top, rc.right + pBar->GetFixedWidth(), rc.bottom});
  if (pBar->GetScrollRange() == cyScroll) return;
  const int oldPos = pBar->GetScrollPos();
  pBar->SetScrollRange(cyScroll < 0 ? -cyScroll : cyScroll);
  if (pBar->GetScrollRange() == 0) {
    pBar->SetVisible(false);
    pBar->SetScrollPos(0);
  }
  if (oldPos > pBar->GetScrollPos()) SetPos(m_rcItem);
}

int CContainerUI::FindSelectableItem(int iIndex, bool bForward) const {
  const int count = GetCount();
  if (count == 0) return -1;
  if (iIndex < 0) iIndex = 0;
  if (iIndex >= count) iIndex = count - 1;
  auto selectable = [this](int i) {
    CControlUI* pControl = GetItemAt(i);
    return pControl && pControl->GetInterfaceByName(TEXT("ListItem")) != nullptr &&
           pControl->IsVisible() && pControl->IsEnabled();
  };
  if (bForward) {
    for (int i = iIndex; i < count; i++) {
      if (selectable(i)) return i;
    }
    return -1;
  }
  for (int i = iIndex; i >= 0; i--) {
    if (selectable(i)) return i;
  }
  return FindSelectableItem(0, true);
}

}  // namespace SkinUI
