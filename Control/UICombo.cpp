#include "Control/UICombo.h"

#include "Core/UIAttributeTable.h"
#include "Core/UIGeometry.h"
#include "Core/UIRender.h"

namespace SkinUI {

CComboUI::CComboUI() = default;

CComboUI::~CComboUI() {
  if (m_pWindow == nullptr) return;
  // The items are still attached to the drop-down's manager: give them back before that
  // manager goes away with its window.
  CContainerUI::AttachManager(m_pManager, m_pParent, false);
  CComboWnd* pWindow = m_pWindow;
  m_pWindow = nullptr;
  pWindow->Abandon();
}

LPCWSTR CComboUI::GetClassName() const { return TEXT("ComboUI"); }

LPVOID CComboUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("Combo"))) return this;
  if (UIStrEqual(pstrName, TEXT("IListOwner"))) return static_cast<IListOwnerUI*>(this);
  return CContainerUI::GetInterfaceByName(pstrName);
}

UINT CComboUI::GetInputFlags() const { return UIFLAG_TABSTOP; }

CUIString CComboUI::GetText() const {
  if (m_iCurSel < 0) return CUIString();
  CControlUI* pControl = GetItemAt(m_iCurSel);
  return pControl ? pControl->GetText() : CUIString();
}

void CComboUI::SetEnabled(bool bEnable) {
  CContainerUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_images.Reset();
}

bool CComboUI::SelectItem(int iIndex, bool bTakeFocus) {
  const bool bDropped = m_pWindow != nullptr;
  if (bDropped) ::PostMessageW(m_pWindow->Handle(), WM_CLOSE, 0, 0);
  if (iIndex == m_iCurSel) return true;
  const int iOldSel = m_iCurSel;
  if (m_iCurSel >= 0) {
    IListItemUI* pOld = ListItems::AsItem(GetItemAt(m_iCurSel));
    if (pOld == nullptr) return false;
    m_iCurSel = -1;
    pOld->SelectListItem(false);
  }
  if (iIndex < 0 || m_items.GetSize() == 0) return false;
  if (iIndex >= m_items.GetSize()) iIndex = m_items.GetSize() - 1;
  CControlUI* pControl = GetItemAt(iIndex);
  IListItemUI* pItem = ListItems::AsItem(pControl);
  if (pItem == nullptr || !pControl->IsVisible() || !pControl->IsEnabled()) return false;
  m_iCurSel = iIndex;
  if (bDropped || bTakeFocus) pControl->SetFocus();
  pItem->SelectListItem(true);
  if (m_pManager) m_pManager->SendNotification(this, TEXT("itemselect"), m_iCurSel, iOldSel);
  Repaint();
  return true;
}

bool CComboUI::SetItemIndex(CControlUI* pControl, int iIndex) {
  const int iOld = GetItemIndex(pControl);
  if (iOld < 0 || iOld == iIndex) return iOld >= 0;
  if (!CContainerUI::SetItemIndex(pControl, iIndex)) return false;
  ListItems::Renumber(this, iOld < iIndex ? iOld : iIndex);
  m_iCurSel = ListItems::FollowSelection(m_iCurSel, iOld, iIndex);
  return true;
}

bool CComboUI::Add(CControlUI* pControl) { return AddAt(pControl, GetCount()); }

bool CComboUI::AddAt(CControlUI* pControl, int iIndex) {
  if (iIndex < 0 || iIndex > GetCount()) return false;
  if (!CContainerUI::AddAt(pControl, iIndex)) return false;
  if (IListItemUI* pItem = ListItems::AsItem(pControl)) pItem->SetListOwner(this);
  ListItems::Renumber(this, iIndex);
  m_iCurSel = ListItems::FollowSelection(m_iCurSel, -1, iIndex);
  return true;
}

bool CComboUI::Remove(CControlUI* pControl) {
  const int iIndex = GetItemIndex(pControl);
  return iIndex >= 0 && RemoveAt(iIndex);
}

bool CComboUI::RemoveAt(int iIndex) {
  // The base RemoveAt would come back here through Remove.
  if (!CContainerUI::Remove(GetItemAt(iIndex))) return false;
  ItemRemoved(iIndex);
  return true;
}

void CComboUI::ItemRemoved(int iIndex) {
  ListItems::Renumber(this, iIndex);
  const bool bWasSelected = (m_iCurSel == iIndex);
  m_iCurSel = ListItems::FollowSelection(m_iCurSel, iIndex, -1);
  if (bWasSelected) {
    const int iNext = FindSelectableItem(iIndex, false);
    if (iNext >= 0) SelectItem(iNext);
  }
}

void CComboUI::RemoveAll() {
  m_iCurSel = -1;
  CContainerUI::RemoveAll();
}

bool CComboUI::Activate() {
  if (!CContainerUI::Activate()) return false;
  if (m_pWindow != nullptr) return true;
  m_pWindow = new CComboWnd;
  m_pWindow->OpenDropDown(this);
  if (m_pManager) m_pManager->SendNotification(this, TEXT("dropdown"));
  return true;
}

// The items are shown only in the drop-down: inside the combo they take no room.
void CComboUI::SetPos(RECT rc) {
  if (m_pWindow == nullptr) {
    for (int i = 0; i < m_items.GetSize(); i++) {
      static_cast<CControlUI*>(m_items[i])->SetPos(RECT{0, 0, 0, 0});
    }
  }
  CControlUI::SetPos(rc);
}

void CComboUI::HandleEvent(TUIEvent& event) {
  if (PassOnMouseWhenDisabled(event)) return;
  auto select = [this](int iIndex) {
    if (iIndex >= 0) SelectItem(iIndex);
  };
  switch (event.Type) {
    case EventSetFocus:
    case EventKillFocus: Repaint(); break;
    case EventButtonDown:
      if (IsEnabled()) {
        Activate();
        m_images.Set(UISTATE_PUSHED | UISTATE_CAPTURED);
      }
      return;
    case EventButtonUp:
      if (m_images.Is(UISTATE_CAPTURED)) {
        m_images.Set(UISTATE_CAPTURED, false);
        Repaint();
      }
      return;
    case EventMouseMove:
    case EventContextMenu: return;
    case EventKeyDown:
      switch (event.chKey) {
        case VK_PRIOR:
        case VK_UP: select(FindSelectableItem(m_iCurSel - 1, false)); return;
        case VK_NEXT:
        case VK_DOWN: select(FindSelectableItem(m_iCurSel + 1, true)); return;
        case VK_END: select(FindSelectableItem(GetCount() - 1, true)); return;
        case VK_HOME: select(FindSelectableItem(0, false)); return;
        case VK_F4: Activate(); return;
        default: break;
      }
      break;
    case EventScrollWheel:
      if (LOWORD(event.wParam) == 1)
        select(FindSelectableItem(m_iCurSel + 1, true));
      else
        select(FindSelectableItem(m_iCurSel - 1, false));
      return;
    case EventMouseEnter:
      if (::PtInRect(&m_rcItem, event.ptMouse)) {
        m_images.Set(UISTATE_HOT);
        Repaint();
      }
      return;
    case EventMouseLeave: m_images.SetHot(*this, false); return;
    default: break;
  }
  CControlUI::HandleEvent(event);
}

namespace {

void ApplyTextPadding(CComboUI& combo, LPCWSTR pstrValue) {
  combo.SetTextPadding(UIParseRect(pstrValue));
}

const TAttributeUI<CComboUI> kComboAttributes[] = {
    {TEXT("normalimage"), Verbatim<&CComboUI::SetNormalImage>},
    {TEXT("hotimage"), Verbatim<&CComboUI::SetHotImage>},
    {TEXT("pushedimage"), Verbatim<&CComboUI::SetPushedImage>},
    {TEXT("focusedimage"), Verbatim<&CComboUI::SetFocusedImage>},
    {TEXT("disabledimage"), Verbatim<&CComboUI::SetDisabledImage>},
    {TEXT("textpadding"), ApplyTextPadding},
    {TEXT("dropbox"), Verbatim<&CComboUI::SetDropBoxAttributes>},
    {TEXT("dropboxsize"), Parsed<&CComboUI::SetDropBoxSize, UIParseSize>},
};

}  // namespace

void CComboUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  if (ApplyFromTable(kComboAttributes, *this, pstrName, pstrValue)) return;
  if (!ApplyListInfoAttribute(*this, m_ListInfo, pstrName, pstrValue))
    CContainerUI::ApplyAttribute(pstrName, pstrValue);
}

SIZE CComboUI::MeasureSize(SIZE /*szAvailable*/) {
  if (m_cxyFixed.cy != 0) return m_cxyFixed;
  const LONG cyFont = m_pManager ? m_pManager->DefaultFont().tm.tmHeight : 0;
  return {m_cxyFixed.cx, cyFont + 12};
}

// Only the combo's own look: its items are painted by the drop-down.
void CComboUI::Paint(HDC hDC, const RECT& rcPaint) { CControlUI::Paint(hDC, rcPaint); }

void CComboUI::SetTextPadding(RECT rc) { SetAndRepaint(m_rcTextPadding, rc); }

void CComboUI::SetImage(CStateImagesUI::Image which, LPCWSTR pStrImage) {
  m_images.SetImage(*this, which, pStrImage);
}

void CComboUI::PaintStatusImage(HDC hDC) {
  using Image = CStateImagesUI;
  m_images.Follow(*this);
  m_images.DrawCurrent(*this, hDC, {Image::Disabled, Image::Pushed, Image::Hot, Image::Focused});
}

RECT CComboUI::TextRect() const { return Inset(m_rcItem, m_rcTextPadding); }

void CComboUI::PaintText(HDC hDC) {
  if (m_iCurSel < 0) return;
  CControlUI* pControl = GetItemAt(m_iCurSel);
  if (pControl == nullptr) return;
  const RECT rcText = TextRect();
  if (IListItemUI* pItem = ListItems::AsItem(pControl)) {
    pItem->DrawItemText(hDC, rcText);
    return;
  }
  const RECT rcOld = pControl->GetPos();
  pControl->SetPos(rcText);
  pControl->Paint(hDC, rcText);
  pControl->SetPos(rcOld);
}

}  // namespace SkinUI
