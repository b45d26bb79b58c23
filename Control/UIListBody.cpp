#include "Control/UIList.h"

#include <algorithm>

#include "Core/UIAttrValue.h"
#include "Core/UIManager.h"
#include "Core/UIScrollBar.h"
#include "Layout/UILayoutLimits.h"

namespace SkinUI {

namespace {

bool IsShown(const CScrollBarUI* pBar) { return pBar && pBar->IsVisible(); }

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
  if (IsShown(m_pVerticalScrollBar)) area.right -= m_pVerticalScrollBar->GetFixedWidth();
  if (IsShown(m_pHorizontalScrollBar)) area.bottom -= m_pHorizontalScrollBar->GetFixedHeight();
  const SIZE available = {area.right - area.left, area.bottom - area.top};
  const LONG cxNeeded = NeededWidth(available);

  // Fixed heights first, then the stretching rows share what is left.
  int stretchCount = 0;
  int measured = 0;
  LONG fixedTotal = 0;
  for (int i = 0; i < m_items.GetSize(); i++) {
    CControlUI* child = static_cast<CControlUI*>(m_items[i]);
    if (!child->IsVisible() || child->IsFloat()) continue;
    const LONG cy = child->MeasureSize(available).cy;
    if (cy == 0) stretchCount++;
    const RECT pad = child->GetPadding();
    fixedTotal += (cy == 0 ? 0 : ClampHeight(child, cy)) + pad.top + pad.bottom;
    measured++;
  }
  if (measured > 0) fixedTotal += (measured - 1) * m_iChildPadding;
  const LONG stretchHeight =
      stretchCount > 0 ? NotNegative((available.cy - fixedTotal) / stretchCount) : 0;

  LONG y = area.top - (IsShown(m_pVerticalScrollBar) ? m_pVerticalScrollBar->GetScrollPos() : 0);
  const LONG x =
      area.left - (IsShown(m_pHorizontalScrollBar) ? m_pHorizontalScrollBar->GetScrollPos() : 0);
  LONG cyNeeded = 0;
  for (int i = 0; i < m_items.GetSize(); i++) {
    CControlUI* child = static_cast<CControlUI*>(m_items[i]);
    if (!child->IsVisible()) continue;
    if (child->IsFloat()) {
      PlaceFloatChild(i);
      continue;
    }
    const RECT pad = child->GetPadding();
    LONG cy = child->MeasureSize(available).cy;
    cy = ClampHeight(child, cy == 0 ? stretchHeight : cy);
    const LONG cx =
        ClampWidth(child, std::max(cxNeeded, available.cx - pad.left - pad.right));
    child->SetPos(RECT{x + pad.left, y + pad.top, x + pad.left + cx, y + pad.top + cy});
    y += cy + pad.top + pad.bottom + m_iChildPadding;
    cyNeeded += cy + pad.top + pad.bottom;
  }
  if (measured > 0) cyNeeded += (measured - 1) * m_iChildPadding;
  area.bottom = UpdateHorizontalBar(area, cxNeeded);
  UpdateScrollBars(area, cxNeeded, cyNeeded);
}

void CListBodyUI::HandleEvent(TUIEvent& event) {
  if (m_pOwner != nullptr) m_pOwner->HandleEvent(event);
  else CVerticalLayoutUI::HandleEvent(event);
}

// --- CListHeaderUI ---------------------------------------------------------------------------

CListHeaderUI::CListHeaderUI() = default;

LPCWSTR CListHeaderUI::GetClassName() const { return TEXT("ListHeaderUI"); }

LPVOID CListHeaderUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("ListHeader")) == 0) return this;
  return CHorizontalLayoutUI::GetInterfaceByName(pstrName);
}

SIZE CListHeaderUI::MeasureSize(SIZE szAvailable) {
  SIZE sz = {0, m_cxyFixed.cy};
  LONG cyTallest = 0;
  for (int i = 0; i < m_items.GetSize(); i++) {
    const SIZE szItem = static_cast<CControlUI*>(m_items[i])->MeasureSize(szAvailable);
    sz.cx += szItem.cx;
    cyTallest = std::max(cyTallest, szItem.cy);
  }
  if (sz.cy == 0) {
    const LONG cyFont = m_pManager ? m_pManager->DefaultFont().tm.tmHeight + 6 : 0;
    sz.cy = std::max(cyTallest, cyFont);
  }
  return sz;
}

// --- Shared item bookkeeping and settings ----------------------------------------------------

namespace ListItems {

IListItemUI* AsItem(CControlUI* pControl) {
  if (pControl == nullptr) return nullptr;
  return static_cast<IListItemUI*>(pControl->GetInterfaceByName(TEXT("ListItem")));
}

void Renumber(IContainerUI* pItems, int iFrom) {
  for (int i = std::max(iFrom, 0); i < pItems->GetCount(); i++) {
    if (IListItemUI* pItem = AsItem(pItems->GetItemAt(i))) pItem->SetIndex(i);
  }
}

int FollowSelection(int iCurSel, int iOld, int iNew) {
  if (iCurSel < 0) return iCurSel;
  if (iOld < 0) return iCurSel >= iNew ? iCurSel + 1 : iCurSel;
  if (iNew < 0) {
    if (iCurSel == iOld) return -1;
    return iCurSel > iOld ? iCurSel - 1 : iCurSel;
  }
  if (iCurSel == iOld) return iNew;
  if (iOld < iCurSel && iCurSel <= iNew) return iCurSel - 1;
  if (iNew <= iCurSel && iCurSel < iOld) return iCurSel + 1;
  return iCurSel;
}

}  // namespace ListItems

namespace {

void SetAlign(UINT& uStyle, LPCWSTR pstrValue) {
  const CUIString sValue(pstrValue);
  if (sValue.Find(TEXT("left")) >= 0) uStyle &= ~(DT_CENTER | DT_RIGHT);
  if (sValue.Find(TEXT("center")) >= 0) {
    uStyle &= ~DT_RIGHT;
    uStyle |= DT_CENTER;
  }
  if (sValue.Find(TEXT("right")) >= 0) {
    uStyle &= ~DT_CENTER;
    uStyle |= DT_RIGHT;
  }
}

struct ColorSlot {
  LPCWSTR name;
  DWORD TListInfoUI::*field;
};
struct ImageSlot {
  LPCWSTR name;
  CUIString TListInfoUI::*field;
};

const ColorSlot kColors[] = {
    {TEXT("itemtextcolor"), &TListInfoUI::dwTextColor},
    {TEXT("itembkcolor"), &TListInfoUI::dwBkColor},
    {TEXT("itemselectedtextcolor"), &TListInfoUI::dwSelectedTextColor},
    {TEXT("itemselectedbkcolor"), &TListInfoUI::dwSelectedBkColor},
    {TEXT("itemhottextcolor"), &TListInfoUI::dwHotTextColor},
    {TEXT("itemhotbkcolor"), &TListInfoUI::dwHotBkColor},
    {TEXT("itemdisabledtextcolor"), &TListInfoUI::dwDisabledTextColor},
    {TEXT("itemdisabledbkcolor"), &TListInfoUI::dwDisabledBkColor},
    {TEXT("itemlinecolor"), &TListInfoUI::dwLineColor},
};
const ImageSlot kImages[] = {
    {TEXT("itembkimage"), &TListInfoUI::sBkImage},
    {TEXT("itemselectedimage"), &TListInfoUI::sSelectedImage},
    {TEXT("itemhotimage"), &TListInfoUI::sHotImage},
    {TEXT("itemdisabledimage"), &TListInfoUI::sDisabledImage},
};

}  // namespace

ListInfoChange ApplyListInfoAttribute(TListInfoUI& info, LPCWSTR pstrName, LPCWSTR pstrValue) {
  for (const ColorSlot& slot : kColors) {
    if (lstrcmpW(pstrName, slot.name) != 0) continue;
    info.*slot.field = UIParseColor(pstrValue);
    return ListInfoChange::Repaint;
  }
  for (const ImageSlot& slot : kImages) {
    if (lstrcmpW(pstrName, slot.name) != 0) continue;
    info.*slot.field = pstrValue;
    return ListInfoChange::Repaint;
  }
  const CUIString sName(pstrName);
  if (sName == TEXT("itemfont")) {
    info.nFont = UIStrToInt(pstrValue);
    return ListInfoChange::Layout;
  }
  if (sName == TEXT("itemalign")) {
    SetAlign(info.uTextStyle, pstrValue);
    return ListInfoChange::Repaint;
  }
  if (sName == TEXT("itemendellipsis")) {
    if (UIParseBool(pstrValue)) info.uTextStyle |= DT_END_ELLIPSIS;
    else info.uTextStyle &= ~DT_END_ELLIPSIS;
    return ListInfoChange::Repaint;
  }
  if (sName == TEXT("itemtextpadding")) {
    info.rcTextPadding = UIParseRect(pstrValue);
    return ListInfoChange::Layout;
  }
  if (sName == TEXT("itemaltbk")) {
    info.bAlternateBk = UIParseBool(pstrValue);
    return ListInfoChange::Repaint;
  }
  if (sName == TEXT("itemshowhtml")) {
    const bool bShowHtml = UIParseBool(pstrValue);
    if (bShowHtml == info.bShowHtml) return ListInfoChange::Handled;
    info.bShowHtml = bShowHtml;
    return ListInfoChange::Layout;
  }
  return ListInfoChange::Unknown;
}

}  // namespace SkinUI
