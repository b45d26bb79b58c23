// The column header of a list: CListHeaderUI, a row of CListHeaderItemUI that the user can
// click and drag to resize.
#include <algorithm>

#include "Control/UIList.h"
#include "Core/UIAttrValue.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

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

// --- CListHeaderItemUI -----------------------------------------------------------------------

CListHeaderItemUI::CListHeaderItemUI() { SetMinWidth(16); }

LPCWSTR CListHeaderItemUI::GetClassName() const { return TEXT("ListHeaderItemUI"); }

LPVOID CListHeaderItemUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("ListHeaderItem")) == 0) return this;
  return CControlUI::GetInterfaceByName(pstrName);
}

UINT CListHeaderItemUI::GetInputFlags() const {
  return (IsEnabled() && m_iSepWidth != 0) ? UIFLAG_SETCURSOR : 0;
}

void CListHeaderItemUI::SetEnabled(bool bEnable) {
  CControlUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_uButtonState = 0;
}

void CListHeaderItemUI::SetDragable(bool bDragable) {
  m_bDragable = bDragable;
  if (!m_bDragable) m_uButtonState &= ~UISTATE_CAPTURED;
}

RECT CListHeaderItemUI::GetSepRect() const {
  if (m_iSepWidth < 0)
    return {m_rcItem.left, m_rcItem.top, m_rcItem.left - m_iSepWidth, m_rcItem.bottom};
  return {m_rcItem.right - m_iSepWidth, m_rcItem.top, m_rcItem.right, m_rcItem.bottom};
}

RECT CListHeaderItemUI::SepHitRect() const {
  RECT rc = GetSepRect();
  if (m_iSepWidth < 0)
    rc.right += 4;
  else
    rc.left -= 4;
  return rc;
}

// The whole list lays out again: the columns and the rows' width follow the header.
void CListHeaderItemUI::RelayoutList() {
  RequestParentLayout();
  if (m_pParent != nullptr) m_pParent->RequestParentLayout();
}

// Moves the separator edge to the mouse; a width at or under the minimum is refused.
void CListHeaderItemUI::DragTo(POINT pt) {
  RECT rc = m_rcItem;
  if (m_iSepWidth >= 0)
    rc.right += pt.x - m_ptLastMouse.x;
  else
    rc.left += pt.x - m_ptLastMouse.x;
  const int cx = rc.right - rc.left;
  if (cx <= GetMinWidth()) return;
  m_ptLastMouse = pt;
  SetFixedWidth(cx);
  RelayoutList();
}

void CListHeaderItemUI::HandleEvent(TUIEvent& event) {
  if (!IsMouseEnabled() && event.Type > MouseEventsBegin && event.Type < MouseEventsEnd) {
    if (m_pParent)
      m_pParent->HandleEvent(event);
    else
      CControlUI::HandleEvent(event);
    return;
  }
  const RECT rcSep = SepHitRect();
  switch (event.Type) {
    case EventSetFocus:
    case EventKillFocus: Repaint(); return;
    case EventButtonDown:
    case EventDoubleClick:
      if (!IsEnabled()) return;
      if (m_bDragable && ::PtInRect(&rcSep, event.ptMouse)) {
        m_uButtonState |= UISTATE_CAPTURED;
        m_ptLastMouse = event.ptMouse;
      } else {
        m_uButtonState |= UISTATE_PUSHED;
        if (m_pManager) m_pManager->SendNotification(this, TEXT("headerclick"));
        Repaint();
      }
      return;
    case EventButtonUp:
      if (m_uButtonState & UISTATE_CAPTURED) {
        m_uButtonState &= ~UISTATE_CAPTURED;
        RelayoutList();
      } else if (m_uButtonState & UISTATE_PUSHED) {
        m_uButtonState &= ~UISTATE_PUSHED;
        Repaint();
      }
      return;
    case EventMouseMove:
      if (m_uButtonState & UISTATE_CAPTURED) DragTo(event.ptMouse);
      return;
    case EventSetCursor:
      if (IsEnabled() && m_bDragable && ::PtInRect(&rcSep, event.ptMouse)) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
        return;
      }
      break;
    case EventMouseEnter:
      if (IsEnabled()) {
        m_uButtonState |= UISTATE_HOT;
        Repaint();
      }
      return;
    case EventMouseLeave:
      if (IsEnabled()) {
        m_uButtonState &= ~UISTATE_HOT;
        Repaint();
      }
      return;
    default: break;
  }
  CControlUI::HandleEvent(event);
}

void CListHeaderItemUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  const CUIString sName(pstrName);
  if (sName == TEXT("dragable")) {
    SetDragable(UIParseBool(pstrValue));
  } else if (sName == TEXT("sepwidth")) {
    SetSepWidth(UIStrToInt(pstrValue));
  } else if (sName == TEXT("align")) {
    const CUIString sValue(pstrValue);
    if (sValue.Find(TEXT("left")) >= 0) m_uTextStyle &= ~(DT_CENTER | DT_RIGHT);
    if (sValue.Find(TEXT("center")) >= 0) m_uTextStyle = (m_uTextStyle & ~DT_RIGHT) | DT_CENTER;
    if (sValue.Find(TEXT("right")) >= 0) m_uTextStyle = (m_uTextStyle & ~DT_CENTER) | DT_RIGHT;
  } else if (sName == TEXT("endellipsis")) {
    if (UIParseBool(pstrValue))
      m_uTextStyle |= DT_END_ELLIPSIS;
    else
      m_uTextStyle &= ~DT_END_ELLIPSIS;
  } else if (sName == TEXT("font")) {
    m_iFont = UIStrToInt(pstrValue);
  } else if (sName == TEXT("textcolor")) {
    m_dwTextColor = UIParseColor(pstrValue);
  } else if (sName == TEXT("textpadding")) {
    m_rcTextPadding = UIParseRect(pstrValue);
    Repaint();
  } else if (sName == TEXT("showhtml")) {
    m_bShowHtml = UIParseBool(pstrValue);
  } else {
    CUIString* pImage = nullptr;
    if (sName == TEXT("normalimage"))
      pImage = &m_sNormalImage;
    else if (sName == TEXT("hotimage"))
      pImage = &m_sHotImage;
    else if (sName == TEXT("pushedimage"))
      pImage = &m_sPushedImage;
    else if (sName == TEXT("focusedimage"))
      pImage = &m_sFocusedImage;
    else if (sName == TEXT("sepimage"))
      pImage = &m_sSepImage;
    if (pImage == nullptr) {
      CControlUI::ApplyAttribute(pstrName, pstrValue);
      return;
    }
    *pImage = pstrValue;
    Repaint();
  }
}

SIZE CListHeaderItemUI::MeasureSize(SIZE /*szAvailable*/) {
  if (m_cxyFixed.cy != 0) return m_cxyFixed;
  const LONG cyFont = m_pManager ? m_pManager->DefaultFont().tm.tmHeight : 0;
  return {m_cxyFixed.cx, cyFont + 14};
}

void CListHeaderItemUI::PaintStatusImage(HDC hDC) {
  if (IsFocused())
    m_uButtonState |= UISTATE_FOCUSED;
  else
    m_uButtonState &= ~UISTATE_FOCUSED;
  const CUIString* pState = &m_sNormalImage;
  if (m_uButtonState & UISTATE_PUSHED)
    pState = &m_sPushedImage;
  else if (m_uButtonState & UISTATE_HOT)
    pState = &m_sHotImage;
  else if (m_uButtonState & UISTATE_FOCUSED)
    pState = &m_sFocusedImage;
  if (pState->IsEmpty()) pState = &m_sNormalImage;
  if (!pState->IsEmpty()) DrawImageAttr(hDC, *pState);
  if (m_sSepImage.IsEmpty()) return;
  RECT rc = GetSepRect();
  OffsetRect(&rc, -m_rcItem.left, -m_rcItem.top);
  m_sSepImageModify.SmallFormat(TEXT("dest='%d,%d,%d,%d'"), static_cast<int>(rc.left),
                                static_cast<int>(rc.top), static_cast<int>(rc.right),
                                static_cast<int>(rc.bottom));
  DrawImageAttr(hDC, m_sSepImage, m_sSepImageModify);
}

void CListHeaderItemUI::PaintText(HDC hDC) {
  if (m_sText.IsEmpty() || m_pManager == nullptr) return;
  const DWORD dwColor = m_dwTextColor != 0 ? m_dwTextColor : m_pManager->TextColor();
  RECT rc = {m_rcItem.left + m_rcTextPadding.left, m_rcItem.top + m_rcTextPadding.top,
             m_rcItem.right - m_rcTextPadding.right, m_rcItem.bottom - m_rcTextPadding.bottom};
  if (m_bShowHtml) {
    int nLinks = 0;
    CDrawEngine::DrawMarkupText(hDC, m_pManager, rc, m_sText, dwColor, nullptr, nullptr, nLinks,
                                DT_SINGLELINE | m_uTextStyle);
  } else {
    CDrawEngine::DrawPlainText(hDC, m_pManager, rc, m_sText, dwColor, m_iFont,
                               DT_SINGLELINE | m_uTextStyle);
  }
}

}  // namespace SkinUI
