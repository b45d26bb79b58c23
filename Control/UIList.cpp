#include "Control/UIList.h"

#include <algorithm>

#include "Core/UIAttributeTable.h"
#include "Core/UIManager.h"
#include "Core/UIScrollBar.h"

namespace SkinUI {

namespace {}  // namespace

// --- CListUI ----------------------------------------------------------------------------------

CListUI::CListUI() {
  m_pList = new CListBodyUI(this);
  m_pHeader = new CListHeaderUI;
  CVerticalLayoutUI::Add(m_pHeader);
  CVerticalLayoutUI::Add(m_pList);
}

LPCWSTR CListUI::GetClassName() const { return TEXT("ListUI"); }

LPVOID CListUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("List"))) return this;
  if (UIStrEqual(pstrName, TEXT("IList"))) return static_cast<IListUI*>(this);
  if (UIStrEqual(pstrName, TEXT("IListOwner"))) return static_cast<IListOwnerUI*>(this);
  return CVerticalLayoutUI::GetInterfaceByName(pstrName);
}

UINT CListUI::GetInputFlags() const { return UIFLAG_TABSTOP; }

CContainerUI* CListUI::GetBody() const { return m_pList; }

void CListUI::SetTextProvider(IListTextProviderUI* pProvider) {
  SetAndRepaint(m_pTextProvider, pProvider);
}

CControlUI* CListUI::GetItemAt(int iIndex) const { return m_pList->GetItemAt(iIndex); }
int CListUI::GetItemIndex(CControlUI* pControl) const { return m_pList->GetItemIndex(pControl); }
int CListUI::GetCount() const { return m_pList->GetCount(); }

bool CListUI::SetItemIndex(CControlUI* pControl, int iIndex) {
  const int iOld = m_pList->GetItemIndex(pControl);
  if (iOld < 0 || iOld == iIndex) return iOld >= 0;
  if (!m_pList->SetItemIndex(pControl, iIndex)) return false;
  ListItems::Renumber(m_pList, iOld < iIndex ? iOld : iIndex);
  m_iCurSel = ListItems::FollowSelection(m_iCurSel, iOld, iIndex);
  return true;
}

bool CListUI::AddHeader(CControlUI* pControl) {
  if (pControl->GetInterfaceByName(TEXT("ListHeader")) != nullptr) {
    if (m_pHeader != pControl && m_pHeader->GetCount() == 0) {
      CVerticalLayoutUI::Remove(m_pHeader);
      m_pHeader = static_cast<CListHeaderUI*>(pControl);
    }
    m_ListInfo.nColumns = std::min(m_pHeader->GetCount(), kMaxListColumns);
    return CVerticalLayoutUI::AddAt(pControl, 0);
  }
  if (CUIString(pControl->GetClassName()).Find(TEXT("ListHeaderItemUI")) >= 0) {
    const bool bAdded = m_pHeader->Add(pControl);
    m_ListInfo.nColumns = std::min(m_pHeader->GetCount(), kMaxListColumns);
    RequestLayout();  // the columns are copied from the header when the list is placed
    return bAdded;
  }
  return false;
}

bool CListUI::Add(CControlUI* pControl) { return AddAt(pControl, GetCount()); }

bool CListUI::AddAt(CControlUI* pControl, int iIndex) {
  if (pControl == nullptr) return false;
  if (pControl->GetInterfaceByName(TEXT("ListHeader")) != nullptr ||
      CUIString(pControl->GetClassName()).Find(TEXT("ListHeaderItemUI")) >= 0) {
    return AddHeader(pControl);
  }
  return AddItemAt(pControl, iIndex);
}

bool CListUI::AddItemAt(CControlUI* pControl, int iIndex) {
  if (iIndex < 0 || iIndex > GetCount()) return false;
  if (!m_pList->AddAt(pControl, iIndex)) return false;
  if (IListItemUI* pItem = ListItems::AsItem(pControl)) pItem->SetListOwner(this);
  ListItems::Renumber(m_pList, iIndex);
  m_iCurSel = ListItems::FollowSelection(m_iCurSel, -1, iIndex);
  return true;
}

bool CListUI::Remove(CControlUI* pControl) {
  if (pControl == nullptr) return false;
  if (CUIString(pControl->GetClassName()).Find(TEXT("ListHeaderItemUI")) >= 0 &&
      m_pHeader->GetItemIndex(pControl) >= 0) {
    const bool bRemoved = m_pHeader->Remove(pControl);
    m_ListInfo.nColumns = std::min(m_pHeader->GetCount(), kMaxListColumns);
    return bRemoved;
  }
  const int iIndex = m_pList->GetItemIndex(pControl);
  if (iIndex < 0) return false;
  return RemoveAt(iIndex);
}

bool CListUI::RemoveAt(int iIndex) {
  if (!m_pList->RemoveAt(iIndex)) return false;
  ItemRemoved(iIndex);
  return true;
}

// Keeps indexes and the selection right after the item at iIndex left the body. A removed
// selection moves to the item that took its place (or the last one), so a selection stays
// valid and visible.
void CListUI::ItemRemoved(int iIndex) {
  ListItems::Renumber(m_pList, iIndex);
  if (m_iExpandedItem == iIndex)
    m_iExpandedItem = -1;
  else if (m_iExpandedItem > iIndex)
    m_iExpandedItem--;
  const bool bWasSelected = (m_iCurSel == iIndex);
  m_iCurSel = ListItems::FollowSelection(m_iCurSel, iIndex, -1);
  if (bWasSelected) {
    const int iNext = FindSelectableItem(iIndex, false);
    if (iNext >= 0) SelectItem(iNext);
  }
}

void CListUI::RemoveAll() {
  m_iCurSel = -1;
  m_iExpandedItem = -1;
  m_pList->RemoveAll();
}

// A negative index clears the selection; an index that names no selectable item is refused
// and leaves the selection as it was.
bool CListUI::SelectItem(int iIndex, bool bTakeFocus) {
  if (iIndex == m_iCurSel) return true;
  CControlUI* pControl = iIndex >= 0 ? GetItemAt(iIndex) : nullptr;
  IListItemUI* pItem = ListItems::AsItem(pControl);
  if (iIndex >= 0 && (pItem == nullptr || !pControl->IsVisible() || !pControl->IsEnabled())) {
    return false;
  }
  const int iOldSel = m_iCurSel;
  if (m_iCurSel >= 0) {
    m_iCurSel = -1;
    if (IListItemUI* pOld = ListItems::AsItem(GetItemAt(iOldSel))) pOld->SelectListItem(false);
  }
  if (pItem == nullptr) return false;
  m_iCurSel = iIndex;
  if (!pItem->SelectListItem(true)) {
    m_iCurSel = -1;
    return false;
  }
  EnsureVisible(m_iCurSel);
  if (bTakeFocus) pControl->SetFocus();
  if (m_pManager) m_pManager->SendNotification(this, TEXT("itemselect"), iIndex, iOldSel);
  return true;
}

bool CListUI::ExpandItem(int iIndex, bool bExpand) {
  if (m_iExpandedItem >= 0 && !m_ListInfo.bMultiExpandable) {
    if (IListItemUI* pOld = ListItems::AsItem(GetItemAt(m_iExpandedItem))) pOld->Expand(false);
    m_iExpandedItem = -1;
  }
  if (bExpand) {
    CControlUI* pControl = GetItemAt(iIndex);
    if (pControl == nullptr || !pControl->IsVisible()) return false;
    IListItemUI* pItem = ListItems::AsItem(pControl);
    if (pItem == nullptr) return false;
    m_iExpandedItem = iIndex;
    if (!pItem->Expand(true)) m_iExpandedItem = -1;
  }
  RequestLayout();
  return true;
}

void CListUI::EnsureVisible(int iIndex) {
  if (m_iCurSel < 0) return;
  CControlUI* pControl = GetItemAt(iIndex);
  if (pControl == nullptr) return;
  ListItems::ScrollIntoView(*m_pList, pControl->GetPos());
}

void CListUI::ScrollBy(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  SIZE sz = m_pList->GetScrollPos();
  m_pList->SetScrollPos(SIZE{sz.cx + dx, sz.cy + dy});
}

void CListUI::UpdateColumns() {
  m_ListInfo.nColumns = std::min(m_pHeader->GetCount(), kMaxListColumns);
  for (int i = 0; i < m_ListInfo.nColumns; i++) {
    CControlUI* pItem = m_pHeader->GetItemAt(i);
    if (!pItem->IsVisible() || pItem->IsFloat()) continue;
    m_ListInfo.rcColumn[i] = pItem->GetPos();
  }
}

void CListUI::SetPos(RECT rc) {
  CVerticalLayoutUI::SetPos(rc);
  if (m_pHeader == nullptr) return;
  const bool bHidden = !m_pHeader->IsVisible();
  const int nItems = m_pHeader->GetCount();
  // A hidden header still gives the columns their widths.
  if (bHidden) {
    for (int i = 0; i < nItems; i++) m_pHeader->GetItemAt(i)->SetParentVisible(true);
    m_pHeader->SetPos(RECT{rc.left, 0, rc.right, 0});
  }
  const int cxScroll = m_pList->GetScrollPos().cx;
  for (int i = 0; i < nItems; i++) {
    CControlUI* pItem = m_pHeader->GetItemAt(i);
    if (!pItem->IsVisible() || pItem->IsFloat()) continue;
    if (cxScroll > 0) {
      RECT rcItem = pItem->GetPos();
      OffsetRect(&rcItem, -cxScroll, 0);
      pItem->SetPos(rcItem);
    }
  }
  UpdateColumns();
  if (bHidden) {
    for (int i = 0; i < nItems; i++) m_pHeader->GetItemAt(i)->SetParentVisible(false);
  }
}

void CListUI::HandleEvent(TUIEvent& event) {
  if (PassOnMouseWhenDisabled(event)) return;
  switch (event.Type) {
    case EventSetFocus: m_bFocused = true; return;
    case EventKillFocus: m_bFocused = false; return;
    case EventKeyDown: {
      int iTarget = -2;
      switch (event.chKey) {
        case VK_RETURN:
          if (m_iCurSel >= 0) GetItemAt(m_iCurSel)->Activate();
          return;
        case VK_PRIOR: PageUp(); return;
        case VK_NEXT: PageDown(); return;
        case VK_HOME: iTarget = FindSelectableItem(0, false); break;
        case VK_END: iTarget = FindSelectableItem(GetCount() - 1, true); break;
        case VK_UP: iTarget = FindSelectableItem(m_iCurSel - 1, false); break;
        case VK_DOWN: iTarget = FindSelectableItem(m_iCurSel + 1, true); break;
        default: break;
      }
      if (iTarget == -2) break;
      // Past either end there is nothing selectable: the selection stays where it is.
      if (iTarget >= 0) SelectItem(iTarget, true);
      return;
    }
    case EventScrollWheel: {
      const bool bDown = LOWORD(event.wParam) == 1;
      if (m_bScrollSelect) {
        const int iTarget = bDown ? FindSelectableItem(m_iCurSel + 1, true)
                                  : FindSelectableItem(m_iCurSel - 1, false);
        if (iTarget >= 0) SelectItem(iTarget, true);
      } else if (bDown) {
        LineDown();
      } else {
        LineUp();
      }
      return;
    }
    default: break;
  }
  CVerticalLayoutUI::HandleEvent(event);
}

namespace {

void ApplyHeader(CListUI& list, LPCWSTR pstrValue) {
  list.GetHeader()->SetVisible(!UIStrEqual(pstrValue, TEXT("hidden")));
}

void ApplyHeaderBkImage(CListUI& list, LPCWSTR pstrValue) {
  list.GetHeader()->SetBkImage(pstrValue);
}

void ApplyVerticalBar(CListUI& list, LPCWSTR pstrValue) {
  list.EnableScrollBars(UIParseBool(pstrValue), list.GetHorizontalScrollBar() != nullptr);
}

void ApplyHorizontalBar(CListUI& list, LPCWSTR pstrValue) {
  list.EnableScrollBars(list.GetVerticalScrollBar() != nullptr, UIParseBool(pstrValue));
}

void ApplyMultiExpanding(CListUI& list, LPCWSTR pstrValue) {
  list.GetListInfo()->bMultiExpandable = UIParseBool(pstrValue);
}

const TAttributeUI<CListUI> kListAttributes[] = {
    {TEXT("header"), ApplyHeader},
    {TEXT("headerbkimage"), ApplyHeaderBkImage},
    {TEXT("scrollselect"), Parsed<&CListUI::SetScrollSelect, UIParseBool>},
    {TEXT("vscrollbar"), ApplyVerticalBar},
    {TEXT("hscrollbar"), ApplyHorizontalBar},
    {TEXT("multiexpanding"), ApplyMultiExpanding},
};

}  // namespace

void CListUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  if (ApplyFromTable(kListAttributes, *this, pstrName, pstrValue)) return;
  if (!ApplyListInfoAttribute(*this, m_ListInfo, pstrName, pstrValue))
    CVerticalLayoutUI::ApplyAttribute(pstrName, pstrValue);
}

int CListUI::GetChildPadding() const { return m_pList->GetChildPadding(); }
void CListUI::SetChildPadding(int iPadding) { m_pList->SetChildPadding(iPadding); }
SIZE CListUI::GetScrollPos() const { return m_pList->GetScrollPos(); }
SIZE CListUI::GetScrollRange() const { return m_pList->GetScrollRange(); }
void CListUI::SetScrollPos(SIZE szPos) { m_pList->SetScrollPos(szPos); }
void CListUI::LineUp() { m_pList->LineUp(); }
void CListUI::LineDown() { m_pList->LineDown(); }
void CListUI::PageUp() { m_pList->PageUp(); }
void CListUI::PageDown() { m_pList->PageDown(); }
void CListUI::ScrollToTop() { m_pList->ScrollToTop(); }
void CListUI::ScrollToBottom() { m_pList->ScrollToBottom(); }
void CListUI::LineLeft() { m_pList->LineLeft(); }
void CListUI::LineRight() { m_pList->LineRight(); }
void CListUI::PageLeft() { m_pList->PageLeft(); }
void CListUI::PageRight() { m_pList->PageRight(); }
void CListUI::ScrollToLeftEnd() { m_pList->ScrollToLeftEnd(); }
void CListUI::ScrollToRightEnd() { m_pList->ScrollToRightEnd(); }
void CListUI::EnableScrollBars(bool bEnableVertical, bool bEnableHorizontal) {
  m_pList->EnableScrollBars(bEnableVertical, bEnableHorizontal);
}
CScrollBarUI* CListUI::GetVerticalScrollBar() const { return m_pList->GetVerticalScrollBar(); }
CScrollBarUI* CListUI::GetHorizontalScrollBar() const { return m_pList->GetHorizontalScrollBar(); }

}  // namespace SkinUI
