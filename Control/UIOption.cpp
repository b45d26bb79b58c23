// COptionUI and CCheckBoxUI.
#include "Control/UIOption.h"

#include "Core/UIAttrValue.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

COptionUI::COptionUI() = default;

COptionUI::~COptionUI() {
  if (!m_sGroupName.IsEmpty() && m_pManager != nullptr) m_pManager->LeaveGroup(m_sGroupName, this);
}

LPCWSTR COptionUI::GetClassName() const { return TEXT("OptionUI"); }

LPVOID COptionUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("Option")) == 0) return static_cast<COptionUI*>(this);
  return CButtonUI::GetInterfaceByName(pstrName);
}

void COptionUI::AttachManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
  CButtonUI::AttachManager(pManager, pParent, bInit);
  if (bInit && !m_sGroupName.IsEmpty() && m_pManager != nullptr)
    m_pManager->JoinGroup(m_sGroupName, this);
}

void COptionUI::SetGroupName(LPCWSTR pStrGroupName) {
  const CUIString sNew(pStrGroupName != nullptr ? pStrGroupName : TEXT(""));
  if (m_sGroupName == sNew) return;
  if (m_pManager != nullptr && !m_sGroupName.IsEmpty()) m_pManager->LeaveGroup(m_sGroupName, this);
  m_sGroupName = sNew;
  if (m_pManager != nullptr && !m_sGroupName.IsEmpty()) m_pManager->JoinGroup(m_sGroupName, this);
}

void COptionUI::SetSelected(bool bSelected) {
  if (m_bSelected == bSelected) return;
  m_bSelected = bSelected;
  if (m_bSelected)
    m_uButtonState |= UISTATE_SELECTED;
  else
    m_uButtonState &= ~UISTATE_SELECTED;
  if (m_pManager != nullptr) {
    if (m_sGroupName.IsEmpty()) {
      m_pManager->SendNotification(this, TEXT("selectchanged"));
    } else if (m_bSelected) {
      if (CPtrArrayUI* pGroup = m_pManager->GetGroup(m_sGroupName)) {
        // A copy: a member's reaction could change the group while we walk it.
        const CPtrArrayUI members(*pGroup);
        for (int i = 0; i < members.GetSize(); ++i) {
          auto* pOther = static_cast<CControlUI*>(members.GetAt(i));
          if (pOther == this) continue;
          if (auto* pOption = static_cast<COptionUI*>(pOther->GetInterfaceByName(TEXT("Option"))))
            pOption->SetSelected(false);
        }
      }
      m_pManager->SendNotification(this, TEXT("selectchanged"));
    }
  }
  Repaint();
}

bool COptionUI::Activate() {
  if (!CButtonUI::Activate()) return false;
  if (!m_sGroupName.IsEmpty())
    SetSelected(true);
  else
    SetSelected(!m_bSelected);
  return true;
}

void COptionUI::SetEnabled(bool bEnable) {
  CButtonUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_uButtonState = m_bSelected ? UISTATE_SELECTED : 0;
}

void COptionUI::SetSelectedImage(LPCWSTR pStrImage) { SetImage(m_sSelectedImage, pStrImage); }
void COptionUI::SetSelectedHotImage(LPCWSTR pStrImage) { SetImage(m_sSelectedHotImage, pStrImage); }
void COptionUI::SetOptionForeImage(LPCWSTR pStrImage) { SetImage(m_sOptionForeImage, pStrImage); }

void COptionUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  const CUIString sName(pstrName);
  if (sName == TEXT("group"))
    SetGroupName(pstrValue);
  else if (sName == TEXT("selected"))
    SetSelected(UIParseBool(pstrValue));
  else if (sName == TEXT("selectedimage"))
    SetSelectedImage(pstrValue);
  else if (sName == TEXT("selectedhotimage"))
    SetSelectedHotImage(pstrValue);
  else if (sName == TEXT("foreimage"))
    SetOptionForeImage(pstrValue);
  else if (sName == TEXT("selectedbkcolor"))
    SetSelectedBkColor(UIParseColor(pstrValue));
  else if (sName == TEXT("selectedtextcolor"))
    SetSelectedTextColor(UIParseColor(pstrValue));
  else
    CButtonUI::ApplyAttribute(pstrName, pstrValue);
}

// An option never looks pushed. Selected, it shows its selected (hot) image, or its selected
// background colour, instead of the button's images.
void COptionUI::PaintStatusImage(HDC hDC) {
  m_uButtonState &= ~UISTATE_PUSHED;
  if ((m_uButtonState & UISTATE_HOT) && m_bSelected && !m_sSelectedHotImage.IsEmpty()) {
    if (!DrawStateImage(hDC, m_sSelectedHotImage)) CButtonUI::PaintStatusImage(hDC);
  } else if (m_bSelected) {
    if (!m_sSelectedImage.IsEmpty()) {
      if (!DrawStateImage(hDC, m_sSelectedImage)) CButtonUI::PaintStatusImage(hDC);
    } else if (m_dwSelectedBkColor != 0) {
      CDrawEngine::FillColor(hDC, m_rcPaint, AdjustedColor(m_dwSelectedBkColor));
      return;
    } else {
      CButtonUI::PaintStatusImage(hDC);
    }
  } else {
    CButtonUI::PaintStatusImage(hDC);
  }
  if (!m_sOptionForeImage.IsEmpty()) DrawStateImage(hDC, m_sOptionForeImage);
}

void COptionUI::PaintText(HDC hDC) {
  if (!m_bSelected) {
    CButtonUI::PaintText(hDC);
    return;
  }
  const DWORD dwOldTextColor = m_dwTextColor;
  if (m_dwSelectedTextColor != 0) m_dwTextColor = m_dwSelectedTextColor;
  DefaultTextColors();
  if (!m_sText.IsEmpty())
    DrawLabelText(hDC, TextRect(), IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor,
                  m_uTextStyle);
  m_dwTextColor = dwOldTextColor;
}

LPCWSTR CCheckBoxUI::GetClassName() const { return TEXT("CheckBoxUI"); }

}  // namespace SkinUI
