// What every item of a list shares: the numbering and selection bookkeeping, the row background
// and text colour from the list's settings, the common mouse handling, and the "item..."
// attributes that change those settings.

#include <algorithm>

#include "Control/UIList.h"
#include "Core/UIAttributeTable.h"
#include "Core/UIGeometry.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"
#include "Core/UIScrollBar.h"

namespace SkinUI {

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

void PaintBackground(HDC hDC, CControlUI* pItem, const TListInfoUI& info, int iIndex, UINT uState) {
  const RECT& rcItem = pItem->GetPos();
  const bool bEven = !info.bAlternateBk || iIndex % 2 == 0;
  DWORD dwColor = bEven ? info.dwBkColor : 0;
  if (uState & UISTATE_HOT) dwColor = info.dwHotBkColor;
  if (uState & UISTATE_SELECTED) dwColor = info.dwSelectedBkColor;
  if (uState & UISTATE_DISABLED) dwColor = info.dwDisabledBkColor;
  if (dwColor != 0) CDrawEngine::FillColor(hDC, rcItem, pItem->AdjustedColor(dwColor));

  auto draw = [&](const CUIString& sImage) {
    return !sImage.IsEmpty() && pItem->DrawImageAttr(hDC, sImage);
  };
  bool bDrawn = ((uState & UISTATE_DISABLED) && draw(info.sDisabledImage)) ||
                ((uState & UISTATE_SELECTED) && draw(info.sSelectedImage)) ||
                ((uState & UISTATE_HOT) && draw(info.sHotImage));
  if (!bDrawn) {
    LPCWSTR pOwnImage = pItem->GetBkImage();
    if (pOwnImage != nullptr && pOwnImage[0] != 0) {
      if (bEven) pItem->DrawImageAttr(hDC, pOwnImage);
    } else {
      draw(info.sBkImage);
    }
  }
  if (info.dwLineColor != 0) {
    const RECT rcLine = {rcItem.left, rcItem.bottom - 1, rcItem.right, rcItem.bottom - 1};
    CDrawEngine::DrawLine(hDC, rcLine, 1, pItem->AdjustedColor(info.dwLineColor));
  }
}

DWORD TextColor(const TListInfoUI& info, UINT uState) {
  DWORD dwColor = info.dwTextColor;
  if (uState & UISTATE_HOT) dwColor = info.dwHotTextColor;
  if (uState & UISTATE_SELECTED) dwColor = info.dwSelectedTextColor;
  if (uState & UISTATE_DISABLED) dwColor = info.dwDisabledTextColor;
  return dwColor;
}

bool HandleMouse(CControlUI* pItem, IListItemUI* pListItem, CStateImagesUI& state,
                 TUIEvent& event) {
  switch (event.Type) {
    case EventButtonDown:
    case EventRightButtonDown:
      if (pItem->IsEnabled()) {
        if (CPaintManagerUI* pManager = pItem->GetManager()) {
          pManager->SendNotification(pItem, TEXT("itemclick"));
        }
        pListItem->SelectListItem(true);
        pItem->Repaint();
      }
      return true;
    case EventMouseMove:
    case EventButtonUp: return true;
    case EventMouseEnter:
      if (pItem->IsEnabled()) {
        state.Set(UISTATE_HOT);
        pItem->Repaint();
      }
      return true;
    case EventMouseLeave: state.SetHot(*pItem, false); return true;
    default: return false;
  }
}

void ScrollIntoView(CContainerUI& layout, const RECT& rcItem) {
  RECT rcView = Inset(layout.GetPos(), layout.GetInset());
  const CScrollBarUI* pHBar = layout.GetHorizontalScrollBar();
  if (IsBarShown(pHBar)) rcView.bottom -= pHBar->GetFixedHeight();
  LONG dy = 0;
  if (rcItem.top < rcView.top) dy = rcItem.top - rcView.top;
  if (rcItem.bottom > rcView.bottom) dy = rcItem.bottom - rcView.bottom;
  if (dy == 0) return;
  const SIZE sz = layout.GetScrollPos();
  layout.SetScrollPos(SIZE{sz.cx, sz.cy + dy});
}

}  // namespace ListItems

namespace {

template <DWORD TListInfoUI::*field>
void Color(TListInfoUI& info, LPCWSTR pstrValue) {
  info.*field = UIParseColor(pstrValue);
}

template <CUIString TListInfoUI::*field>
void Image(TListInfoUI& info, LPCWSTR pstrValue) {
  info.*field = pstrValue;
}

template <bool TListInfoUI::*field>
void Flag(TListInfoUI& info, LPCWSTR pstrValue) {
  info.*field = UIParseBool(pstrValue);
}

void Align(TListInfoUI& info, LPCWSTR pstrValue) {
  info.uTextStyle = UIApplyAlign(info.uTextStyle, pstrValue, false);
}

void EndEllipsis(TListInfoUI& info, LPCWSTR pstrValue) {
  info.uTextStyle = UIApplyEndEllipsis(info.uTextStyle, pstrValue);
}

void Font(TListInfoUI& info, LPCWSTR pstrValue) { info.nFont = UIStrToInt(pstrValue); }

void TextPadding(TListInfoUI& info, LPCWSTR pstrValue) {
  info.rcTextPadding = UIParseRect(pstrValue);
}

// Settings that change only how the items look.
const TAttributeUI<TListInfoUI> kLookAttributes[] = {
    {TEXT("itemtextcolor"), Color<&TListInfoUI::dwTextColor>},
    {TEXT("itembkcolor"), Color<&TListInfoUI::dwBkColor>},
    {TEXT("itemselectedtextcolor"), Color<&TListInfoUI::dwSelectedTextColor>},
    {TEXT("itemselectedbkcolor"), Color<&TListInfoUI::dwSelectedBkColor>},
    {TEXT("itemhottextcolor"), Color<&TListInfoUI::dwHotTextColor>},
    {TEXT("itemhotbkcolor"), Color<&TListInfoUI::dwHotBkColor>},
    {TEXT("itemdisabledtextcolor"), Color<&TListInfoUI::dwDisabledTextColor>},
    {TEXT("itemdisabledbkcolor"), Color<&TListInfoUI::dwDisabledBkColor>},
    {TEXT("itemlinecolor"), Color<&TListInfoUI::dwLineColor>},
    {TEXT("itembkimage"), Image<&TListInfoUI::sBkImage>},
    {TEXT("itemselectedimage"), Image<&TListInfoUI::sSelectedImage>},
    {TEXT("itemhotimage"), Image<&TListInfoUI::sHotImage>},
    {TEXT("itemdisabledimage"), Image<&TListInfoUI::sDisabledImage>},
    {TEXT("itemalign"), Align},
    {TEXT("itemendellipsis"), EndEllipsis},
    {TEXT("itemaltbk"), Flag<&TListInfoUI::bAlternateBk>},
};

// Settings that change the items' sizes.
const TAttributeUI<TListInfoUI> kSizeAttributes[] = {
    {TEXT("itemfont"), Font},
    {TEXT("itemtextpadding"), TextPadding},
    {TEXT("itemshowhtml"), Flag<&TListInfoUI::bShowHtml>},
};

}  // namespace

bool ApplyListInfoAttribute(CControlUI& owner, TListInfoUI& info, LPCWSTR pstrName,
                            LPCWSTR pstrValue) {
  if (ApplyFromTable(kLookAttributes, info, pstrName, pstrValue)) {
    owner.Repaint();
    return true;
  }
  if (ApplyFromTable(kSizeAttributes, info, pstrName, pstrValue)) {
    owner.RequestLayout();
    return true;
  }
  return false;
}

}  // namespace SkinUI
