// What every item of a list shares: the numbering and selection bookkeeping, the row background
// and text colour from the list's settings, the common mouse handling, and the "item..."
// attributes that change those settings.

#include <algorithm>

#include "Control/UIList.h"
#include "Core/UIAttrValue.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

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

bool HandleMouse(CControlUI* pItem, IListItemUI* pListItem, UINT& uState, TUIEvent& event) {
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
        uState |= UISTATE_HOT;
        pItem->Repaint();
      }
      return true;
    case EventMouseLeave:
      if (uState & UISTATE_HOT) {
        uState &= ~UISTATE_HOT;
        pItem->Repaint();
      }
      return true;
    default: return false;
  }
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
    if (UIParseBool(pstrValue))
      info.uTextStyle |= DT_END_ELLIPSIS;
    else
      info.uTextStyle &= ~DT_END_ELLIPSIS;
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
