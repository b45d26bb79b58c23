// CProgressUI.
#include <climits>

#include "Control/UIOption.h"
#include "Core/UIAttrValue.h"

namespace SkinUI {

CProgressUI::CProgressUI() {
  m_uTextStyle = DT_SINGLELINE | DT_CENTER;
  m_cxyFixed.cy = 12;
}

LPCWSTR CProgressUI::GetClassName() const { return TEXT("ProgressUI"); }

LPVOID CProgressUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("Progress")) == 0) return static_cast<CProgressUI*>(this);
  return CLabelUI::GetInterfaceByName(pstrName);
}

void CProgressUI::SetHorizontal(bool bHorizontal) {
  if (m_bHorizontal == bHorizontal) return;
  m_bHorizontal = bHorizontal;
  Repaint();
}

void CProgressUI::SetStretchForeImage(bool bStretch) {
  if (m_bStretchForeImage == bStretch) return;
  m_bStretchForeImage = bStretch;
  Repaint();
}

void CProgressUI::SetMinValue(int nMin) {
  m_nMin = nMin;
  Repaint();
}

void CProgressUI::SetMaxValue(int nMax) {
  m_nMax = nMax;
  Repaint();
}

void CProgressUI::SetValue(int nValue) {
  m_nValue = nValue;
  Repaint();
}

void CProgressUI::SetForeImage(LPCWSTR pStrImage) {
  if (m_sForeImage == pStrImage) return;
  m_sForeImage = pStrImage;
  Repaint();
}

void CProgressUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  const CUIString sName(pstrName);
  if (sName == TEXT("foreimage"))
    SetForeImage(pstrValue);
  else if (sName == TEXT("hor"))
    SetHorizontal(UIParseBool(pstrValue));
  else if (sName == TEXT("min"))
    SetMinValue(UIStrToInt(pstrValue));
  else if (sName == TEXT("max"))
    SetMaxValue(UIStrToInt(pstrValue));
  else if (sName == TEXT("value"))
    SetValue(UIStrToInt(pstrValue));
  else if (sName == TEXT("isstretchfore"))
    SetStretchForeImage(UIParseBool(pstrValue));
  else
    CLabelUI::ApplyAttribute(pstrName, pstrValue);
}

// 64-bit arithmetic: a wide range times the size must not overflow.
RECT CProgressUI::FilledRect() const {
  const long long cx = m_rcItem.right - m_rcItem.left;
  const long long cy = m_rcItem.bottom - m_rcItem.top;
  const long long range = static_cast<long long>(m_nMax) - m_nMin;
  if (range <= 0) return {0, 0, 0, 0};
  if (m_bHorizontal) {
    const long long filled = (static_cast<long long>(m_nValue) - m_nMin) * cx / range;
    return {0, 0, static_cast<LONG>(filled), static_cast<LONG>(cy)};
  }
  const long long empty = cy * (static_cast<long long>(m_nMax) - m_nValue) / range;
  return {0, static_cast<LONG>(empty), static_cast<LONG>(cx), static_cast<LONG>(cy)};
}

void CProgressUI::PaintStatusImage(HDC hDC) {
  if (m_nMin >= m_nMax) {
    // At the top of the int range the maximum cannot go above the minimum; the minimum
    // steps down instead.
    if (m_nMin == INT_MAX) m_nMin = INT_MAX - 1;
    m_nMax = m_nMin + 1;
  }
  if (m_nValue > m_nMax) m_nValue = m_nMax;
  if (m_nValue < m_nMin) m_nValue = m_nMin;
  const RECT rc = FilledRect();
  if (m_sForeImage.IsEmpty()) return;
  if (m_bStretchForeImage) {
    m_sForeImageModify.Format(TEXT("dest='%d,%d,%d,%d'"), rc.left, rc.top, rc.right, rc.bottom);
  } else {
    m_sForeImageModify.Format(TEXT("dest='%d,%d,%d,%d' source='%d,%d,%d,%d'"), rc.left, rc.top,
                              rc.right, rc.bottom, rc.left, rc.top, rc.right, rc.bottom);
  }
  if (!DrawImageAttr(hDC, m_sForeImage, m_sForeImageModify)) m_sForeImage.Empty();
}

}  // namespace SkinUI
