// CSliderUI.
#include "Control/UISlider.h"

#include "Core/UIAttributeTable.h"
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
  if (UIStrEqual(pstrName, TEXT("Slider"))) return static_cast<CSliderUI*>(this);
  return CProgressUI::GetInterfaceByName(pstrName);
}

UINT CSliderUI::GetInputFlags() const { return IsEnabled() ? UIFLAG_SETCURSOR : 0; }

void CSliderUI::SetEnabled(bool bEnable) {
  CProgressUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_thumb.Reset();
}

void CSliderUI::SetThumb(CStateImagesUI::Image which, LPCWSTR pStrImage) {
  m_thumb.SetImage(*this, which, pStrImage);
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
  if (PassOnMouseWhenDisabled(event)) return;
  const bool bEnabled = IsEnabled();
  const RECT rcThumb = GetThumbRect();
  const bool bOnThumb = ::PtInRect(&rcThumb, event.ptMouse) != FALSE;
  switch (event.Type) {
    case EventButtonDown:
    case EventDoubleClick:
      if (bEnabled && bOnThumb) {
        m_thumb.Set(UISTATE_CAPTURED);
        m_nValueAtPress = m_nValue;
      }
      return;
    case EventButtonUp: {
      // A drag has moved the value already; the change is counted from where it started.
      const bool bDragged = m_thumb.Is(UISTATE_CAPTURED);
      m_thumb.Set(UISTATE_CAPTURED, false);
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
      if (m_thumb.Is(UISTATE_CAPTURED)) SetValue(ValueAtPoint(event.ptMouse));
      return;
    case EventSetCursor:
      if (bEnabled && bOnThumb) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return;
      }
      break;
    case EventMouseEnter:
    case EventMouseLeave:
      if (bEnabled) {
        m_thumb.Set(UISTATE_HOT, event.Type == EventMouseEnter);
        Repaint();
      }
      return;
    default: break;
  }
  CProgressUI::HandleEvent(event);
}

namespace {

const TAttributeUI<CSliderUI> kSliderAttributes[] = {
    {TEXT("thumbimage"), Verbatim<&CSliderUI::SetThumbImage>},
    {TEXT("thumbhotimage"), Verbatim<&CSliderUI::SetThumbHotImage>},
    {TEXT("thumbpushedimage"), Verbatim<&CSliderUI::SetThumbPushedImage>},
    {TEXT("thumbsize"), Parsed<&CSliderUI::SetThumbSize, UIParseSize>},
    {TEXT("step"), Parsed<&CSliderUI::SetChangeStep, UIStrToInt>},
};

}  // namespace

void CSliderUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CProgressUI>(kSliderAttributes, *this, pstrName, pstrValue);
}

// The thumb is drawn pushed while dragged, hot under the mouse, else normal; a state without
// an image of its own falls back to the next.
void CSliderUI::PaintStatusImage(HDC hDC) {
  using Image = CStateImagesUI;
  CProgressUI::PaintStatusImage(hDC);
  const RECT rc = GetThumbRect();
  const LONG x = m_rcItem.left;
  const LONG y = m_rcItem.top;
  m_sImageModify.Format(TEXT("dest='%d,%d,%d,%d'"), rc.left - x, rc.top - y, rc.right - x,
                        rc.bottom - y);
  if (m_thumb.Is(UISTATE_CAPTURED) && m_thumb.Draw(*this, hDC, Image::Pushed, m_sImageModify))
    return;
  if (m_thumb.Is(UISTATE_HOT) && m_thumb.Draw(*this, hDC, Image::Hot, m_sImageModify)) return;
  m_thumb.Draw(*this, hDC, Image::Normal, m_sImageModify);
}

}  // namespace SkinUI
