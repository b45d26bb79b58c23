// CProgressUI.
#include <climits>

#include "Control/UIOption.h"
#include "Core/UIAttributeTable.h"

namespace SkinUI {

CProgressUI::CProgressUI() {
  m_uTextStyle = DT_SINGLELINE | DT_CENTER;
  m_cxyFixed.cy = 12;
}

LPCWSTR CProgressUI::GetClassName() const { return TEXT("ProgressUI"); }

LPVOID CProgressUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("Progress"))) return static_cast<CProgressUI*>(this);
  return CLabelUI::GetInterfaceByName(pstrName);
}

void CProgressUI::SetHorizontal(bool bHorizontal) { ChangeAndRepaint(m_bHorizontal, bHorizontal); }

void CProgressUI::SetStretchForeImage(bool bStretch) {
  ChangeAndRepaint(m_bStretchForeImage, bStretch);
}

void CProgressUI::SetMinValue(int nMin) { SetAndRepaint(m_nMin, nMin); }

void CProgressUI::SetMaxValue(int nMax) { SetAndRepaint(m_nMax, nMax); }

void CProgressUI::SetValue(int nValue) { SetAndRepaint(m_nValue, nValue); }

void CProgressUI::SetForeImage(LPCWSTR pStrImage) { ChangeAndRepaint(m_sForeImage, pStrImage); }

namespace {

const TAttributeUI<CProgressUI> kProgressAttributes[] = {
    {TEXT("foreimage"), Verbatim<&CProgressUI::SetForeImage>},
    {TEXT("hor"), Parsed<&CProgressUI::SetHorizontal, UIParseBool>},
    {TEXT("min"), Parsed<&CProgressUI::SetMinValue, UIStrToInt>},
    {TEXT("max"), Parsed<&CProgressUI::SetMaxValue, UIStrToInt>},
    {TEXT("value"), Parsed<&CProgressUI::SetValue, UIStrToInt>},
    {TEXT("isstretchfore"), Parsed<&CProgressUI::SetStretchForeImage, UIParseBool>},
};

}  // namespace

void CProgressUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CLabelUI>(kProgressAttributes, *this, pstrName, pstrValue);
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
