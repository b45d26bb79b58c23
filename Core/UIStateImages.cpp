#include "Core/UIStateImages.h"

#include "Core/UIControl.h"

namespace SkinUI {

namespace {

// The state bits an image stands for; 0 for the images shown whatever the state.
UINT BitsOf(CStateImagesUI::Image which) {
  switch (which) {
    case CStateImagesUI::Hot: return UISTATE_HOT;
    case CStateImagesUI::Pushed: return UISTATE_PUSHED;
    case CStateImagesUI::Focused: return UISTATE_FOCUSED;
    case CStateImagesUI::Disabled: return UISTATE_DISABLED;
    case CStateImagesUI::Selected: return UISTATE_SELECTED;
    case CStateImagesUI::SelectedHot: return UISTATE_SELECTED | UISTATE_HOT;
    default: return 0;
  }
}

const LPCWSTR kAttributeNames[CStateImagesUI::ImageCount] = {
    TEXT("normalimage"),      TEXT("hotimage"),      TEXT("pushedimage"),
    TEXT("focusedimage"),     TEXT("disabledimage"), TEXT("selectedimage"),
    TEXT("selectedhotimage"), TEXT("foreimage"),     TEXT("hotforeimage"),
};

}  // namespace

void CStateImagesUI::Follow(const CControlUI& control) {
  Set(UISTATE_FOCUSED, control.IsFocused());
  Set(UISTATE_DISABLED, !control.IsEnabled());
}

void CStateImagesUI::SetHot(CControlUI& control, bool bHot) {
  if (Is(UISTATE_HOT) == bHot) return;
  Set(UISTATE_HOT, bHot);
  control.Repaint();
}

LPCWSTR CStateImagesUI::GetImage(Image which) const {
  if (which >= static_cast<int>(m_aImages.size())) return TEXT("");
  return m_aImages[which];
}

void CStateImagesUI::SetImage(Image which, LPCWSTR pStrImage) {
  if (which < 0 || which >= ImageCount) return;
  if (m_aImages.empty()) m_aImages.resize(ImageCount);
  m_aImages[which] = pStrImage != nullptr ? pStrImage : TEXT("");
}

void CStateImagesUI::SetImage(CControlUI& control, Image which, LPCWSTR pStrImage) {
  SetImage(which, pStrImage);
  control.Repaint();
}

bool CStateImagesUI::HasImage(Image which) const {
  return which < static_cast<int>(m_aImages.size()) && !m_aImages[which].IsEmpty();
}

bool CStateImagesUI::Draw(CControlUI& control, HDC hDC, Image which, LPCWSTR pStrModify) {
  if (!HasImage(which)) return false;
  if (control.DrawImageAttr(hDC, m_aImages[which], pStrModify)) return true;
  m_aImages[which].Empty();
  return false;
}

CStateImagesUI::Image CStateImagesUI::Current(std::initializer_list<Image> order) const {
  for (Image which : order) {
    const UINT uBits = BitsOf(which);
    if ((m_uState & uBits) == uBits) return HasImage(which) ? which : Normal;
  }
  return Normal;
}

void CStateImagesUI::DrawCurrent(CControlUI& control, HDC hDC, std::initializer_list<Image> order) {
  const Image which = Current(order);
  if (which != Normal && Draw(control, hDC, which)) return;
  Draw(control, hDC, Normal);
}

CStateImagesUI::Image CStateImagesUI::ImageForAttribute(LPCWSTR pstrName) {
  for (int i = 0; i < ImageCount; i++) {
    if (UIStrEqual(kAttributeNames[i], pstrName)) return static_cast<Image>(i);
  }
  return ImageCount;
}

}  // namespace SkinUI
