// The list's items: CListElementUI and its label and text kinds, and CListContainerElementUI.
#include "Control/UIList.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

// --- CListItemBaseUI: what both element kinds share ------------------------------------------

template <class Base>
LPVOID CListItemBaseUI<Base>::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("ListItem"))) return static_cast<IListItemUI*>(this);
  return Base::GetInterfaceByName(pstrName);
}

template <class Base>
void CListItemBaseUI<Base>::SetListOwner(CControlUI* pOwner) {
  m_pOwner = pOwner != nullptr
                 ? static_cast<IListOwnerUI*>(pOwner->GetInterfaceByName(TEXT("IListOwner")))
                 : nullptr;
}

// The list hears of a new selection.
template <class Base>
bool CListItemBaseUI<Base>::SelectListItem(bool bSelect) {
  if (!this->IsEnabled()) return false;
  if (bSelect == m_bSelected) return true;
  m_bSelected = bSelect;
  if (bSelect && m_pOwner != nullptr) m_pOwner->SelectItem(m_iIndex);
  this->Repaint();
  return true;
}

template <class Base>
void CListItemBaseUI<Base>::SetVisible(bool bVisible) {
  Base::SetVisible(bVisible);
  if (this->IsVisible() || !m_bSelected) return;
  m_bSelected = false;
  if (m_pOwner != nullptr) m_pOwner->SelectItem(-1);
}

template <class Base>
bool CListItemBaseUI<Base>::Activate() {
  if (!Base::Activate()) return false;
  if (CPaintManagerUI* pManager = this->GetManager())
    pManager->SendNotification(this, TEXT("itemactivate"));
  return true;
}

template <class Base>
UINT CListItemBaseUI<Base>::ItemState() const {
  UINT uState = m_state.GetState() & UISTATE_HOT;
  if (m_bSelected) uState |= UISTATE_SELECTED;
  if (!this->IsEnabled()) uState |= UISTATE_DISABLED;
  return uState;
}

template <class Base>
void CListItemBaseUI<Base>::PaintItemBackground(HDC hDC) {
  if (m_pOwner == nullptr) return;
  ListItems::PaintBackground(hDC, this, *m_pOwner->GetListInfo(), m_iIndex, ItemState());
}

template <class Base>
void CListItemBaseUI<Base>::HandleEvent(TUIEvent& event) {
  if (this->IsMouseEnabled() || !IsMouseEvent(event.Type)) {
    const bool bActivate = (event.Type == EventDoubleClick) ||
                           (event.Type == EventKeyDown && event.chKey == VK_RETURN);
    if (bActivate && this->IsEnabled()) {
      Activate();
      this->Repaint();
      return;
    }
    if (HandleItemMouse(event)) return;
  }
  if (m_pOwner != nullptr)
    m_pOwner->OwnerHandleEvent(event);
  else
    Base::HandleEvent(event);
}

// "selected" selects the item whatever its value.
template <class Base>
void CListItemBaseUI<Base>::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  if (UIStrEqual(pstrName, TEXT("selected")))
    SelectListItem(true);
  else
    Base::ApplyAttribute(pstrName, pstrValue);
}

template class CListItemBaseUI<CControlUI>;
template class CListItemBaseUI<CContainerUI>;

// --- CListElementUI --------------------------------------------------------------------------

LPCWSTR CListElementUI::GetClassName() const { return TEXT("ListElementUI"); }

LPVOID CListElementUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("ListElement"))) return this;
  return CListItemBaseUI::GetInterfaceByName(pstrName);
}

// --- CListLabelElementUI ---------------------------------------------------------------------

LPCWSTR CListLabelElementUI::GetClassName() const { return TEXT("ListLabelElementUI"); }

LPVOID CListLabelElementUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("ListLabelElement"))) return this;
  return CListElementUI::GetInterfaceByName(pstrName);
}

bool CListLabelElementUI::HandleItemMouse(TUIEvent& event) {
  return ListItems::HandleMouse(this, this, m_state, event);
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
  PaintItemBackground(hDC);
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
  if (UIStrEqual(pstrName, TEXT("ListTextElement"))) return this;
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
  if (UIStrEqual(pstrName, TEXT("ListContainerElement"))) return this;
  return CListItemBaseUI::GetInterfaceByName(pstrName);
}

bool CListContainerElementUI::HandleItemMouse(TUIEvent& event) {
  return ListItems::HandleMouse(this, this, m_state, event);
}

void CListContainerElementUI::Paint(HDC hDC, const RECT& rcPaint) {
  if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
  PaintItemBackground(hDC);
  CContainerUI::Paint(hDC, rcPaint);
}

}  // namespace SkinUI
