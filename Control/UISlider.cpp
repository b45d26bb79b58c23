// CSliderUI.
#include "Control/UISlider.h"

#include "Core/UIAttrValue.h"
#include "Core/UIManager.h"

namespace SkinUI {

namespace {

// The lower and upper ends of the range as painting will see them (max above min).
long long SpanOf(int nMin, int nMax) {
  const long long span = static_cast<long long>(nMax) - nMin;
  return span < 1 ? 1 : span;
}

}  // namespace

CSliderUI::CSliderUI() { m_uTextStyle = DT_SINGLELINE | DT_CENTER; }

LPCWSTR CSliderUI::GetClassName() const { return TEXT("SliderUI"); }

LPVOID CSliderUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("Slider")) == 0) return static_cast<CSliderUI*>(this);
  return CProgressUI::GetInterfaceByName(pstrName);
}

UINT CSliderUI::GetInputFlags() const { return IsEnabled() ? UIFLAG_SETCURSOR : 0; }

void CSliderUI::SetEnabled(bool bEnable) {
  CProgressUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_uButtonState = 0;
}

void CSliderUI::SetThumbImage(LPCWSTR pStrImage) {
  m_sThumbImage = pStrImage;
  Repaint();
}

void CSliderUI::SetThumbHotImage(LPCWSTR pStrImage) {
  m_sThumbHotImage = pStrImage;
  Repaint();
}

void CSliderUI::SetThumbPushedImage(LPCWSTR pStrImage) {
  m_sThumbPushedImage = pStrImage;
  Repaint();
}

// 64-bit arithmetic: a wide range times the size must not overflow.
RECT CSliderUI::GetThumbRect() const {
  const long long span = SpanOf(m_nMin, m_nMax);
  const long long offset = static_cast<long long>(m_nValue) - m_nMin;
  const LONG tw = m_szThumb.cx;
  const LONG th = m_szThumb.cy;
  LONG left = 0;
  LONG top = 0;
  if (m_bHorizontal) {
    const long long room = (m_rcItem.right - m_rcItem.left) - tw;
    left = static_cast<LONG>(m_rcItem.left + room * offset / span);
    top = (m_rcItem.top + m_rcItem.bottom - th) / 2;
  } else {
    const long long room = (m_rcItem.bottom - m_rcItem.top) - th;
    left = (m_rcItem.left + m_rcItem.right - tw) / 2;
    top = static_cast<LONG>(m_rcItem.bottom - th - room * offset / span);
  }
  return {left, top, left + tw, top + th};
}

int CSliderUI::ValueAtPoint(POINT pt) const {
  const long long span = SpanOf(m_nMin, m_nMax);
  const int nTop = static_cast<int>(m_nMin + span);
  if (m_bHorizontal) {
    const LONG half = m_szThumb.cx / 2;
    const long long room = (m_rcItem.right - m_rcItem.left) - m_szThumb.cx;
    if (pt.x >= m_rcItem.right - half) return nTop;
    if (pt.x > m_rcItem.left + half && room > 0)
      return static_cast<int>(m_nMin + span * (pt.x - m_rcItem.left - half) / room);
    return m_nMin;
  }
  const LONG half = m_szThumb.cy / 2;
  const long long room = (m_rcItem.bottom - m_rcItem.top) - m_szThumb.cy;
  if (pt.y >= m_rcItem.bottom - half) return m_nMin;
  if (pt.y > m_rcItem.top + half && room > 0)
    return static_cast<int>(m_nMin + span * (m_rcItem.bottom - pt.y - half) / room);
  return nTop;
}

long long CSliderUI::Stepped(int nDirection) const {
  return static_cast<long long>(m_nValue) + static_cast<long long>(nDirection) * m_nStep;
}

void CSliderUI::ChangeValueByUser(long long nValue) {
  const long long nTop = m_nMin + SpanOf(m_nMin, m_nMax);
  if (nValue > nTop) nValue = nTop;
  if (nValue < m_nMin) nValue = m_nMin;
  if (nValue == m_nValue) return;
  SetValue(static_cast<int>(nValue));
  if (m_pManager != nullptr) m_pManager->SendNotification(this, TEXT("valuechanged"));
}

void CSliderUI::HandleEvent(TUIEvent& event) {
  const bool bMouse = event.Type > MouseEventsBegin && event.Type < MouseEventsEnd;
  if (!IsMouseEnabled() && bMouse) {
    if (m_pParent != nullptr)
      m_pParent->HandleEvent(event);
    else
      CLabelUI::HandleEvent(event);
    return;
  }
  const bool bEnabled = IsEnabled();
  const RECT rcThumb = GetThumbRect();
  const bool bOnThumb = ::PtInRect(&rcThumb, event.ptMouse) != FALSE;
  switch (event.Type) {
    case EventButtonDown:
    case EventDoubleClick:
      if (bEnabled && bOnThumb) {
        m_uButtonState |= UISTATE_CAPTURED;
        m_nValueAtPress = m_nValue;
      }
      return;
    case EventButtonUp: {
      // A drag has moved the value already; the change is counted from where it started.
      const bool bDragged = (m_uButtonState & UISTATE_CAPTURED) != 0;
      m_uButtonState &= ~UISTATE_CAPTURED;
      if (bEnabled) {
        if (bDragged) m_nValue = m_nValueAtPress;
        ChangeValueByUser(ValueAtPoint(event.ptMouse));
      }
      Repaint();
      return;
    }
    case EventContextMenu: return;
    case EventScrollWheel:
      if (!bEnabled) return;
      // The low word is 0 for a notch away from the user, 1 for one towards.
      if (LOWORD(event.wParam) == 0)
        ChangeValueByUser(Stepped(1));
      else if (LOWORD(event.wParam) == 1)
        ChangeValueByUser(Stepped(-1));
      return;
    case EventKeyDown:
      if (!bEnabled || !IsKeyboardEnabled()) break;
      if (event.chKey == VK_RIGHT || event.chKey == VK_UP) {
        ChangeValueByUser(Stepped(1));
        return;
      }
      if (event.chKey == VK_LEFT || event.chKey == VK_DOWN) {
        ChangeValueByUser(Stepped(-1));
        return;
      }
      break;
    case EventMouseMove:
      if (m_uButtonState & UISTATE_CAPTURED) {
        SetValue(ValueAtPoint(event.ptMouse));
      }
      return;
    case EventSetCursor:
      if (bEnabled && bOnThumb) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return;
      }
      break;
    case EventMouseEnter:
      if (bEnabled) {
        m_uButtonState |= UISTATE_HOT;
        Repaint();
      }
      return;
    case EventMouseLeave:
      if (bEnabled) {
        m_uButtonState &= ~UISTATE_HOT;
        Repaint();
      }
      return;
    default: break;
  }
  CProgressUI::HandleEvent(event);
}

void CSliderUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  const CUIString sName(pstrName);
  if (sName == TEXT("thumbimage"))
    SetThumbImage(pstrValue);
  else if (sName == TEXT("thumbhotimage"))
    SetThumbHotImage(pstrValue);
  else if (sName == TEXT("thumbpushedimage"))
    SetThumbPushedImage(pstrValue);
  else if (sName == TEXT("thumbsize"))
    SetThumbSize(UIParseSize(pstrValue));
  else if (sName == TEXT("step"))
    SetChangeStep(UIStrToInt(pstrValue));
  else
    CProgressUI::ApplyAttribute(pstrName, pstrValue);
}

bool CSliderUI::DrawThumb(HDC hDC, CUIString& sImage) {
  if (sImage.IsEmpty()) return false;
  if (DrawImageAttr(hDC, sImage, m_sImageModify)) return true;
  sImage.Empty();
  return false;
}

void CSliderUI::PaintStatusImage(HDC hDC) {
  CProgressUI::PaintStatusImage(hDC);
  const RECT rc = GetThumbRect();
  const LONG x = m_rcItem.left;
  const LONG y = m_rcItem.top;
  m_sImageModify.Format(TEXT("dest='%d,%d,%d,%d'"), rc.left - x, rc.top - y, rc.right - x,
                        rc.bottom - y);
  if ((m_uButtonState & UISTATE_CAPTURED) && DrawThumb(hDC, m_sThumbPushedImage)) return;
  if ((m_uButtonState & UISTATE_HOT) && DrawThumb(hDC, m_sThumbHotImage)) return;
  DrawThumb(hDC, m_sThumbImage);
}

}  // namespace SkinUI
