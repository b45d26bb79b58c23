// The column header of a list: CListHeaderUI, a row of CListHeaderItemUI that the user can
// click and drag to resize.
#include <algorithm>

#include "Control/UIList.h"
#include "Core/UIAttributeTable.h"
#include "Core/UIGeometry.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

CListHeaderUI::CListHeaderUI() = default;

LPCWSTR CListHeaderUI::GetClassName() const { return TEXT("ListHeaderUI"); }

LPVOID CListHeaderUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("ListHeader"))) return this;
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
  if (UIStrEqual(pstrName, TEXT("ListHeaderItem"))) return this;
  return CControlUI::GetInterfaceByName(pstrName);
}

UINT CListHeaderItemUI::GetInputFlags() const {
  return (IsEnabled() && m_iSepWidth != 0) ? UIFLAG_SETCURSOR : 0;
}

void CListHeaderItemUI::SetEnabled(bool bEnable) {
  CControlUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_images.Reset();
}

void CListHeaderItemUI::SetDragable(bool bDragable) {
  m_bDragable = bDragable;
  if (!m_bDragable) m_images.Set(UISTATE_CAPTURED, false);
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
  if (PassOnMouseWhenDisabled(event)) return;
  const RECT rcSep = SepHitRect();
  switch (event.Type) {
    case EventSetFocus:
    case EventKillFocus: Repaint(); return;
    case EventButtonDown:
    case EventDoubleClick:
      if (!IsEnabled()) return;
      if (m_bDragable && ::PtInRect(&rcSep, event.ptMouse)) {
        m_images.Set(UISTATE_CAPTURED);
        m_ptLastMouse = event.ptMouse;
      } else {
        m_images.Set(UISTATE_PUSHED);
        if (m_pManager) m_pManager->SendNotification(this, TEXT("headerclick"));
        Repaint();
      }
      return;
    case EventButtonUp:
      if (m_images.Is(UISTATE_CAPTURED)) {
        m_images.Set(UISTATE_CAPTURED, false);
        RelayoutList();
      } else if (m_images.Is(UISTATE_PUSHED)) {
        m_images.Set(UISTATE_PUSHED, false);
        Repaint();
      }
      return;
    case EventMouseMove:
      if (m_images.Is(UISTATE_CAPTURED)) DragTo(event.ptMouse);
      return;
    case EventSetCursor:
      if (IsEnabled() && m_bDragable && ::PtInRect(&rcSep, event.ptMouse)) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
        return;
      }
      break;
    case EventMouseEnter:
    case EventMouseLeave:
      if (IsEnabled()) {
        m_images.Set(UISTATE_HOT, event.Type == EventMouseEnter);
        Repaint();
      }
      return;
    default: break;
  }
  CControlUI::HandleEvent(event);
}

void CListHeaderItemUI::SetTextPadding(RECT rc) { SetAndRepaint(m_rcTextPadding, rc); }

void CListHeaderItemUI::SetImage(CStateImagesUI::Image which, LPCWSTR pStrImage) {
  m_images.SetImage(*this, which, pStrImage);
}

void CListHeaderItemUI::SetSepImage(LPCWSTR pStrImage) { SetAndRepaint(m_sSepImage, pStrImage); }

namespace {

void ApplyAlign(CListHeaderItemUI& item, LPCWSTR pstrValue) {
  item.SetTextStyle(UIApplyAlign(item.GetTextStyle(), pstrValue, false));
}

void ApplyEndEllipsis(CListHeaderItemUI& item, LPCWSTR pstrValue) {
  item.SetTextStyle(UIApplyEndEllipsis(item.GetTextStyle(), pstrValue));
}

template <CStateImagesUI::Image which>
void ApplyImage(CListHeaderItemUI& item, LPCWSTR pstrValue) {
  item.SetImage(which, pstrValue);
}

const TAttributeUI<CListHeaderItemUI> kHeaderItemAttributes[] = {
    {TEXT("dragable"), Parsed<&CListHeaderItemUI::SetDragable, UIParseBool>},
    {TEXT("sepwidth"), Parsed<&CListHeaderItemUI::SetSepWidth, UIStrToInt>},
    {TEXT("align"), ApplyAlign},
    {TEXT("endellipsis"), ApplyEndEllipsis},
    {TEXT("font"), Parsed<&CListHeaderItemUI::SetFont, UIStrToInt>},
    {TEXT("textcolor"), Parsed<&CListHeaderItemUI::SetTextColor, UIParseColor>},
    {TEXT("textpadding"), Parsed<&CListHeaderItemUI::SetTextPadding, UIParseRect>},
    {TEXT("showhtml"), Parsed<&CListHeaderItemUI::SetShowHtml, UIParseBool>},
    {TEXT("normalimage"), ApplyImage<CStateImagesUI::Normal>},
    {TEXT("hotimage"), ApplyImage<CStateImagesUI::Hot>},
    {TEXT("pushedimage"), ApplyImage<CStateImagesUI::Pushed>},
    {TEXT("focusedimage"), ApplyImage<CStateImagesUI::Focused>},
    {TEXT("sepimage"), Verbatim<&CListHeaderItemUI::SetSepImage>},
};

}  // namespace

void CListHeaderItemUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CControlUI>(kHeaderItemAttributes, *this, pstrName, pstrValue);
}

SIZE CListHeaderItemUI::MeasureSize(SIZE /*szAvailable*/) {
  if (m_cxyFixed.cy != 0) return m_cxyFixed;
  const LONG cyFont = m_pManager ? m_pManager->DefaultFont().tm.tmHeight : 0;
  return {m_cxyFixed.cx, cyFont + 14};
}

void CListHeaderItemUI::PaintStatusImage(HDC hDC) {
  using Image = CStateImagesUI;
  m_images.Set(UISTATE_FOCUSED, IsFocused());
  m_images.DrawCurrent(*this, hDC, {Image::Pushed, Image::Hot, Image::Focused});
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
  RECT rc = Inset(m_rcItem, m_rcTextPadding);
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
