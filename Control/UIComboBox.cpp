#include "Control/UIComboBox.h"

#include "Core/UIAttributeTable.h"
#include "Core/UIRender.h"

namespace SkinUI {

LPCWSTR CComboBoxUI::GetClassName() const { return TEXT("ComboBoxUI"); }

namespace {

const TAttributeUI<CComboBoxUI> kComboBoxAttributes[] = {
    {TEXT("arrowimage"), Verbatim<&CComboBoxUI::SetArrowImage>},
};

}  // namespace

void CComboBoxUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CComboUI>(kComboBoxAttributes, *this, pstrName, pstrValue);
}

void CComboBoxUI::SetArrowImage(LPCWSTR pstrImage) { SetAndRepaint(m_sArrowImage, pstrImage); }

RECT CComboBoxUI::TextRect() const {
  RECT rc = CComboUI::TextRect();
  rc.right -= m_nArrowWidth;
  return rc;
}

// A string with a "source" item has that item (up to its closing apostrophe) replaced; a bare
// image name has no source to read, so the whole image is the source and both items are added.
CUIString CComboBoxUI::ArrowForState(int iState) {
  const int iSource = m_sArrowImage.Find(TEXT("source"));
  RECT rcSource = {0, 0, 0, 0};
  int iEnd = -1;
  if (iSource >= 0) {
    const int iValue = m_sArrowImage.Find(TEXT("'"), iSource);
    if (iValue < 0) return CUIString();
    iEnd = m_sArrowImage.Find(TEXT("'"), iValue + 1);
    if (iEnd < 0) return CUIString();
    rcSource = UIParseRect(m_sArrowImage.Mid(iValue + 1, iEnd - iValue - 1));
  } else {
    const TImageEntry* pEntry = m_pManager ? m_pManager->ImageFor(m_sArrowImage) : nullptr;
    if (pEntry == nullptr) return CUIString();
    rcSource = {0, 0, pEntry->nWidth, pEntry->nHeight};
  }
  m_nArrowWidth = (rcSource.right - rcSource.left) / 5;
  rcSource.left += iState * m_nArrowWidth;
  rcSource.right = rcSource.left + m_nArrowWidth;
  RECT rcDest = {m_nBorderSize, m_nBorderSize, m_rcItem.right - m_rcItem.left - m_nBorderSize,
                 m_rcItem.bottom - m_rcItem.top - m_nBorderSize};
  rcDest.left = rcDest.right - m_nArrowWidth;
  CUIString sItems;
  sItems.Format(TEXT("source='%d,%d,%d,%d' dest='%d,%d,%d,%d'"), static_cast<int>(rcSource.left),
                static_cast<int>(rcSource.top), static_cast<int>(rcSource.right),
                static_cast<int>(rcSource.bottom), static_cast<int>(rcDest.left),
                static_cast<int>(rcDest.top), static_cast<int>(rcDest.right),
                static_cast<int>(rcDest.bottom));
  if (iSource >= 0) {
    return m_sArrowImage.Left(iSource) + sItems + m_sArrowImage.Mid(iEnd + 1);
  }
  return CUIString(TEXT("file='")) + m_sArrowImage + TEXT("' ") + sItems;
}

void CComboBoxUI::PaintStatusImage(HDC hDC) {
  if (m_sArrowImage.IsEmpty()) {
    CComboUI::PaintStatusImage(hDC);
    return;
  }
  m_images.Follow(*this);
  // The arrow image holds five parts side by side: normal, hot, pushed, focused, disabled.
  const struct {
    UINT uState;
    int iPart;
  } kParts[] = {{UISTATE_DISABLED, 4}, {UISTATE_PUSHED, 2}, {UISTATE_HOT, 1}, {UISTATE_FOCUSED, 3}};
  int iState = 0;
  for (const auto& part : kParts) {
    if (!m_images.Is(part.uState)) continue;
    iState = part.iPart;
    break;
  }
  const CUIString sArrow = ArrowForState(iState);
  if (sArrow.IsEmpty() || !DrawImageAttr(hDC, sArrow)) m_sArrowImage.Empty();
}

}  // namespace SkinUI
