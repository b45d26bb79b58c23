// The list's items: CListElementUI and its label and text kinds, and CListContainerElementUI.
#include "Control/UIList.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

namespace {

IListOwnerUI* OwnerOf(CControlUI* pOwner) {
  if (pOwner == nullptr) return nullptr;
  return static_cast<IListOwnerUI*>(pOwner->GetInterfaceByName(TEXT("IListOwner")));
}

// Both element kinds select alike: the list hears of a new selection, and a hidden item lets go.
bool SelectItem(CControlUI* pItem, IListOwnerUI* pOwner, int iIndex, bool& bSelected,
                bool bSelect) {
  if (!pItem->IsEnabled()) return false;
  if (bSelect == bSelected) return true;
  bSelected = bSelect;
  if (bSelect && pOwner != nullptr) pOwner->SelectItem(iIndex);
  pItem->Repaint();
  return true;
}

void ReleaseSelectionWhenHidden(CControlUI* pItem, IListOwnerUI* pOwner, bool& bSelected) {
  if (pItem->IsVisible() || !bSelected) return;
  bSelected = false;
  if (pOwner != nullptr) pOwner->SelectItem(-1);
}

}  // namespace

// --- CListElementUI --------------------------------------------------------------------------

CListElementUI::CListElementUI() = default;

LPCWSTR CListElementUI::GetClassName() const { return TEXT("ListElementUI"); }

LPVOID CListElementUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("ListItem")) == 0) return static_cast<IListItemUI*>(this);
  if (lstrcmpW(pstrName, TEXT("ListElement")) == 0) return this;
  return CControlUI::GetInterfaceByName(pstrName);
}

UINT CListElementUI::GetInputFlags() const { return kListItemWantsReturn; }

void CListElementUI::SetListOwner(CControlUI* pOwner) { m_pOwner = OwnerOf(pOwner); }

bool CListElementUI::SelectListItem(bool bSelect) {
  return SelectItem(this, m_pOwner, m_iIndex, m_bSelected, bSelect);
}

void CListElementUI::SetVisible(bool bVisible) {
  CControlUI::SetVisible(bVisible);
  ReleaseSelectionWhenHidden(this, m_pOwner, m_bSelected);
}

bool CListElementUI::Activate() {
  if (!CControlUI::Activate()) return false;
  if (m_pManager) m_pManager->SendNotification(this, TEXT("itemactivate"));
  return true;
}

UINT CListElementUI::ItemState() const {
  UINT uState = m_uButtonState & UISTATE_HOT;
  if (m_bSelected) uState |= UISTATE_SELECTED;
  if (!IsEnabled()) uState |= UISTATE_DISABLED;
  return uState;
}

void CListElementUI::HandleEvent(TUIEvent& event) {
  if (!IsMouseEnabled() && IsMouseEvent(event.Type)) {
    if (m_pOwner != nullptr)
      m_pOwner->OwnerHandleEvent(event);
    else
      CControlUI::HandleEvent(event);
    return;
  }
  const bool bActivate =
      (event.Type == EventDoubleClick) || (event.Type == EventKeyDown && event.chKey == VK_RETURN);
  if (bActivate && IsEnabled()) {
    Activate();
    Repaint();
    return;
  }
  if (m_pOwner != nullptr)
    m_pOwner->OwnerHandleEvent(event);
  else
    CControlUI::HandleEvent(event);
}

void CListElementUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  if (lstrcmpW(pstrName, TEXT("selected")) == 0)
    SelectListItem(true);
  else
    CControlUI::ApplyAttribute(pstrName, pstrValue);
}

// --- CListLabelElementUI ---------------------------------------------------------------------

LPCWSTR CListLabelElementUI::GetClassName() const { return TEXT("ListLabelElementUI"); }

LPVOID CListLabelElementUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("ListLabelElement")) == 0) return this;
  return CListElementUI::GetInterfaceByName(pstrName);
}

void CListLabelElementUI::HandleEvent(TUIEvent& event) {
  if (IsMouseEnabled() || !IsMouseEvent(event.Type)) {
    if (ListItems::HandleMouse(this, this, m_uButtonState, event)) return;
  }
  CListElementUI::HandleEvent(event);
}

SIZE CListLabelElementUI::MeasureSize(SIZE /*szAvailable*/) {
  if (m_pOwner == nullptr || m_pManager == nullptr) return {0, 0};
  const TListInfoUI* pInfo = m_pOwner->GetListInfo();
  SIZE sz = m_cxyFixed;
  if (sz.cy == 0) {
    sz.cy = m_pManager->FontInfoAt(pInfo->nFont).tm.tmHeight + 8 + pInfo->rcTextPadding.top +
            pInfo->rcTextPadding.bottom;
  }
  if (sz.cx == 0) {
    RECT rc = {0, 0, 9999, sz.cy};
    const UINT uStyle = DT_SINGLELINE | DT_CALCRECT | (pInfo->uTextStyle & ~DT_END_ELLIPSIS);
    if (pInfo->bShowHtml) {
      int nLinks = 0;
      CDrawEngine::DrawMarkupText(m_pManager->GetPaintDC(), m_pManager, rc, m_sText, 0, nullptr,
                                  nullptr, nLinks, uStyle);
    } else {
      CDrawEngine::DrawPlainText(m_pManager->GetPaintDC(), m_pManager, rc, m_sText, 0, pInfo->nFont,
                                 uStyle);
    }
    sz.cx = rc.right - rc.left + pInfo->rcTextPadding.left + pInfo->rcTextPadding.right;
  }
  return sz;
}

void CListLabelElementUI::Paint(HDC hDC, const RECT& rcPaint) {
  if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
  if (m_pOwner != nullptr) {
    ListItems::PaintBackground(hDC, this, *m_pOwner->GetListInfo(), m_iIndex, ItemState());
  }
  DrawItemText(hDC, m_rcItem);
  PaintBorder(hDC);
}

void CListLabelElementUI::DrawItemText(HDC hDC, const RECT& rcItem) {
  if (m_sText.IsEmpty() || m_pOwner == nullptr || m_pManager == nullptr) return;
  const TListInfoUI* pInfo = m_pOwner->GetListInfo();
  const DWORD dwColor = ListItems::TextColor(*pInfo, ItemState());
  RECT rc = {rcItem.left + pInfo->rcTextPadding.left, rcItem.top + pInfo->rcTextPadding.top,
             rcItem.right - pInfo->rcTextPadding.right,
             rcItem.bottom - pInfo->rcTextPadding.bottom};
  const UINT uStyle = DT_SINGLELINE | pInfo->uTextStyle;
  if (pInfo->bShowHtml) {
    int nLinks = 0;
    CDrawEngine::DrawMarkupText(hDC, m_pManager, rc, m_sText, dwColor, nullptr, nullptr, nLinks,
                                uStyle);
  } else {
    CDrawEngine::DrawPlainText(hDC, m_pManager, rc, m_sText, dwColor, pInfo->nFont, uStyle);
  }
}

// --- CListTextElementUI ----------------------------------------------------------------------

CListTextElementUI::~CListTextElementUI() {
  for (int i = 0; i < m_aTexts.GetSize(); i++) delete static_cast<CUIString*>(m_aTexts[i]);
}

LPCWSTR CListTextElementUI::GetClassName() const { return TEXT("ListTextElementUI"); }

LPVOID CListTextElementUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("ListTextElement")) == 0) return this;
  return CListLabelElementUI::GetInterfaceByName(pstrName);
}

UINT CListTextElementUI::GetInputFlags() const {
  return kListItemWantsReturn | ((IsEnabled() && m_nLinks > 0) ? UIFLAG_SETCURSOR : 0);
}

void CListTextElementUI::SetListOwner(CControlUI* pOwner) {
  CListLabelElementUI::SetListOwner(pOwner);
  m_pListOwner =
      pOwner ? static_cast<IListUI*>(pOwner->GetInterfaceByName(TEXT("IList"))) : nullptr;
}

LPCWSTR CListTextElementUI::GetText(int iIndex) const {
  if (iIndex < 0 || iIndex >= m_aTexts.GetSize()) return TEXT("");
  return *static_cast<CUIString*>(m_aTexts[iIndex]);
}

void CListTextElementUI::SetText(int iIndex, LPCWSTR pstrText) {
  if (iIndex < 0 || pstrText == nullptr) return;
  while (m_aTexts.GetSize() <= iIndex) m_aTexts.Add(new CUIString);
  *static_cast<CUIString*>(m_aTexts[iIndex]) = pstrText;
  Repaint();
}

int CListTextElementUI::LinkAt(POINT pt) const {
  for (int i = 0; i < m_nLinks; i++) {
    if (::PtInRect(&m_rcLinks[i], pt)) return i;
  }
  return -1;
}

void CListTextElementUI::HandleEvent(TUIEvent& event) {
  if (IsMouseEnabled() && IsEnabled() && m_nLinks > 0) {
    const int iLink = LinkAt(event.ptMouse);
    switch (event.Type) {
      case EventSetCursor:
        if (iLink >= 0) {
          ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
          return;
        }
        break;
      case EventButtonUp:
        if (iLink >= 0 && m_pManager) {
          m_pManager->SendNotification(this, TEXT("link"), iLink);
          return;
        }
        break;
      case EventMouseMove:
        if (iLink != m_nHoverLink) {
          m_nHoverLink = iLink;
          Repaint();
        }
        break;
      case EventMouseLeave:
        if (m_nHoverLink >= 0) {
          m_nHoverLink = -1;
          Repaint();
        }
        break;
      default: break;
    }
  }
  CListLabelElementUI::HandleEvent(event);
}

SIZE CListTextElementUI::MeasureSize(SIZE /*szAvailable*/) {
  if (m_pOwner == nullptr || m_pManager == nullptr) return {0, 0};
  const TListInfoUI* pInfo = m_pOwner->GetListInfo();
  if (m_cxyFixed.cy != 0) return m_cxyFixed;
  return {m_cxyFixed.cx, m_pManager->FontInfoAt(pInfo->nFont).tm.tmHeight + 8 +
                             pInfo->rcTextPadding.top + pInfo->rcTextPadding.bottom};
}

void CListTextElementUI::DrawItemText(HDC hDC, const RECT& rcItem) {
  if (m_pOwner == nullptr || m_pManager == nullptr) return;
  const TListInfoUI* pInfo = m_pOwner->GetListInfo();
  const DWORD dwColor = ListItems::TextColor(*pInfo, ItemState());
  IListTextProviderUI* pProvider = m_pListOwner ? m_pListOwner->GetTextProvider() : nullptr;
  const UINT uStyle = DT_SINGLELINE | pInfo->uTextStyle;
  m_nLinks = 0;
  for (int i = 0; i < pInfo->nColumns; i++) {
    RECT rc = {pInfo->rcColumn[i].left + pInfo->rcTextPadding.left,
               rcItem.top + pInfo->rcTextPadding.top,
               pInfo->rcColumn[i].right - pInfo->rcTextPadding.right,
               rcItem.bottom - pInfo->rcTextPadding.bottom};
    LPCWSTR pstrText = pProvider ? pProvider->GetItemText(this, m_iIndex, i) : GetText(i);
    if (pstrText == nullptr || pstrText[0] == 0) continue;
    // A column never draws outside its own rectangle, whatever the text's length.
    ClipScope clip;
    ClipScope::ClipToRect(hDC, rc, clip);
    if (pInfo->bShowHtml) {
      int nLinks = kMaxListItemLinks - m_nLinks;
      CDrawEngine::DrawMarkupText(hDC, m_pManager, rc, pstrText, dwColor, &m_rcLinks[m_nLinks],
                                  &m_sLinks[m_nLinks], nLinks, uStyle);
      m_nLinks += nLinks;
    } else {
      CDrawEngine::DrawPlainText(hDC, m_pManager, rc, pstrText, dwColor, pInfo->nFont, uStyle);
    }
  }
  for (int i = m_nLinks; i < kMaxListItemLinks; i++) {
    m_rcLinks[i] = RECT{0, 0, 0, 0};
    m_sLinks[i].Empty();
  }
}

// --- CListContainerElementUI -----------------------------------------------------------------

LPCWSTR CListContainerElementUI::GetClassName() const { return TEXT("ListContainerElementUI"); }

LPVOID CListContainerElementUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("ListItem")) == 0) return static_cast<IListItemUI*>(this);
  if (lstrcmpW(pstrName, TEXT("ListContainerElement")) == 0) return this;
  return CContainerUI::GetInterfaceByName(pstrName);
}

UINT CListContainerElementUI::GetInputFlags() const { return kListItemWantsReturn; }

void CListContainerElementUI::SetListOwner(CControlUI* pOwner) { m_pOwner = OwnerOf(pOwner); }

bool CListContainerElementUI::SelectListItem(bool bSelect) {
  return SelectItem(this, m_pOwner, m_iIndex, m_bSelected, bSelect);
}

void CListContainerElementUI::SetVisible(bool bVisible) {
  CContainerUI::SetVisible(bVisible);
  ReleaseSelectionWhenHidden(this, m_pOwner, m_bSelected);
}

bool CListContainerElementUI::Activate() {
  if (!CContainerUI::Activate()) return false;
  if (m_pManager) m_pManager->SendNotification(this, TEXT("itemactivate"));
  return true;
}

void CListContainerElementUI::HandleEvent(TUIEvent& event) {
  if (!IsMouseEnabled() && IsMouseEvent(event.Type)) {
    if (m_pOwner != nullptr)
      m_pOwner->OwnerHandleEvent(event);
    else
      CContainerUI::HandleEvent(event);
    return;
  }
  const bool bActivate =
      (event.Type == EventDoubleClick) || (event.Type == EventKeyDown && event.chKey == VK_RETURN);
  if (bActivate && IsEnabled()) {
    Activate();
    Repaint();
    return;
  }
  if (ListItems::HandleMouse(this, this, m_uButtonState, event)) return;
  if (m_pOwner != nullptr)
    m_pOwner->OwnerHandleEvent(event);
  else
    CContainerUI::HandleEvent(event);
}

void CListContainerElementUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  if (lstrcmpW(pstrName, TEXT("selected")) == 0)
    SelectListItem(true);
  else
    CContainerUI::ApplyAttribute(pstrName, pstrValue);
}

void CListContainerElementUI::Paint(HDC hDC, const RECT& rcPaint) {
  if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
  if (m_pOwner != nullptr) {
    UINT uState = m_uButtonState & UISTATE_HOT;
    if (m_bSelected) uState |= UISTATE_SELECTED;
    if (!IsEnabled()) uState |= UISTATE_DISABLED;
    ListItems::PaintBackground(hDC, this, *m_pOwner->GetListInfo(), m_iIndex, uState);
  }
  CContainerUI::Paint(hDC, rcPaint);
}

}  // namespace SkinUI
