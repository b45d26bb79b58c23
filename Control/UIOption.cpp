// COptionUI and CCheckBoxUI.
#include "Control/UIOption.h"

#include "Core/UIAttributeTable.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

COptionUI::COptionUI() = default;

COptionUI::~COptionUI() {
  if (!m_sGroupName.IsEmpty() && m_pManager != nullptr) m_pManager->LeaveGroup(m_sGroupName, this);
}

LPCWSTR COptionUI::GetClassName() const { return TEXT("OptionUI"); }

LPVOID COptionUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("Option"))) return static_cast<COptionUI*>(this);
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
  m_images.Set(UISTATE_SELECTED, m_bSelected);
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
  if (!IsEnabled()) m_images.Set(UISTATE_SELECTED, m_bSelected);
}

namespace {

const TAttributeUI<COptionUI> kOptionAttributes[] = {
    {TEXT("group"), Verbatim<&COptionUI::SetGroupName>},
    {TEXT("selected"), Parsed<&COptionUI::SetSelected, UIParseBool>},
    {TEXT("selectedbkcolor"), Parsed<&COptionUI::SetSelectedBkColor, UIParseColor>},
    {TEXT("selectedtextcolor"), Parsed<&COptionUI::SetSelectedTextColor, UIParseColor>},
};

}  // namespace

void COptionUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CButtonUI>(kOptionAttributes, *this, pstrName, pstrValue);
}

// An option never looks pushed. Selected, it shows its selected (hot) image, or its selected
// background colour, instead of the button's images; the fore image goes on top.
void COptionUI::PaintStatusImage(HDC hDC) {
  using Image = CStateImagesUI;
  m_images.Set(UISTATE_PUSHED, false);
  if (m_bSelected) {
    const bool bHot = m_images.Is(UISTATE_HOT) && m_images.HasImage(Image::SelectedHot);
    if (bHot || m_images.HasImage(Image::Selected)) {
      if (m_images.Draw(*this, hDC, bHot ? Image::SelectedHot : Image::Selected)) {
        m_images.Draw(*this, hDC, Image::Fore);
        return;
      }
    } else if (m_dwSelectedBkColor != 0) {
      CDrawEngine::FillColor(hDC, m_rcPaint, AdjustedColor(m_dwSelectedBkColor));
      return;
    }
  }
  CButtonUI::PaintStatusImage(hDC);
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
