// CButtonUI: state bits from mouse and keyboard, state images and colours, "click".
#include <algorithm>

#include "Control/UILabel.h"
#include "Core/UIAttrValue.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

CButtonUI::CButtonUI() { m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }

LPCWSTR CButtonUI::GetClassName() const { return TEXT("ButtonUI"); }

LPVOID CButtonUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (lstrcmpW(pstrName, TEXT("Button")) == 0) return static_cast<CButtonUI*>(this);
  return CLabelUI::GetInterfaceByName(pstrName);
}

UINT CButtonUI::GetInputFlags() const {
  return (IsKeyboardEnabled() ? UIFLAG_TABSTOP : 0) | (IsEnabled() ? UIFLAG_SETCURSOR : 0);
}

bool CButtonUI::Activate() {
  if (!CLabelUI::Activate()) return false;
  if (m_pManager != nullptr) m_pManager->SendNotification(this, TEXT("click"));
  return true;
}

void CButtonUI::SetEnabled(bool bEnable) {
  CLabelUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_uButtonState = 0;
}

SIZE CButtonUI::MeasureSize(SIZE /*szAvailable*/) {
  if (m_cxyFixed.cy != 0 || m_pManager == nullptr) return m_cxyFixed;
  return {m_cxyFixed.cx, m_pManager->FontInfoAt(m_iFont).tm.tmHeight + 8};
}

void CButtonUI::HandleEvent(TUIEvent& event) {
  const bool bMouse = event.Type > MouseEventsBegin && event.Type < MouseEventsEnd;
  if (!IsMouseEnabled() && bMouse) {
    if (m_pParent != nullptr)
      m_pParent->HandleEvent(event);
    else
      CLabelUI::HandleEvent(event);
    return;
  }
  const bool bInside = ::PtInRect(&m_rcItem, event.ptMouse) != FALSE;
  switch (event.Type) {
    case EventSetFocus:
    case EventKillFocus: Repaint(); break;  // the label records the focus below
    case EventKeyDown:
      if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
        Activate();
        return;
      }
      break;
    case EventButtonDown:
    case EventDoubleClick:
      if (bInside && IsEnabled()) {
        m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Repaint();
      }
      return;
    case EventMouseMove:
      if (m_uButtonState & UISTATE_CAPTURED) {
        if (bInside)
          m_uButtonState |= UISTATE_PUSHED;
        else
          m_uButtonState &= ~UISTATE_PUSHED;
        Repaint();
      }
      return;
    case EventButtonUp:
      if (m_uButtonState & UISTATE_CAPTURED) {
        if (bInside) Activate();
        m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Repaint();
      }
      return;
    case EventContextMenu:
      if (IsContextMenuUsed() && m_pManager != nullptr)
        m_pManager->SendNotification(this, TEXT("menu"), event.wParam, event.lParam);
      return;
    case EventMouseEnter:
      if (IsEnabled()) {
        m_uButtonState |= UISTATE_HOT;
        Repaint();
      }
      break;
    case EventMouseLeave:
      if (IsEnabled()) {
        m_uButtonState &= ~UISTATE_HOT;
        Repaint();
      }
      break;
    case EventSetCursor: ::SetCursor(::LoadCursorW(nullptr, IDC_HAND)); return;
    default: break;
  }
  CLabelUI::HandleEvent(event);
}

void CButtonUI::SetImage(CUIString& sField, LPCWSTR pStrImage) {
  sField = pStrImage;
  Repaint();
}

void CButtonUI::SetNormalImage(LPCWSTR pStrImage) { SetImage(m_sNormalImage, pStrImage); }
void CButtonUI::SetHotImage(LPCWSTR pStrImage) { SetImage(m_sHotImage, pStrImage); }
void CButtonUI::SetHotForeImage(LPCWSTR pStrImage) { SetImage(m_sHotForeImage, pStrImage); }
void CButtonUI::SetPushedImage(LPCWSTR pStrImage) { SetImage(m_sPushedImage, pStrImage); }
void CButtonUI::SetFocusedImage(LPCWSTR pStrImage) { SetImage(m_sFocusedImage, pStrImage); }
void CButtonUI::SetDisabledImage(LPCWSTR pStrImage) { SetImage(m_sDisabledImage, pStrImage); }
void CButtonUI::SetForeImage(LPCWSTR pStrImage) { SetImage(m_sForeImage, pStrImage); }

void CButtonUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  const CUIString sName(pstrName);
  if (sName == TEXT("normalimage"))
    SetNormalImage(pstrValue);
  else if (sName == TEXT("hotimage"))
    SetHotImage(pstrValue);
  else if (sName == TEXT("pushedimage"))
    SetPushedImage(pstrValue);
  else if (sName == TEXT("focusedimage"))
    SetFocusedImage(pstrValue);
  else if (sName == TEXT("disabledimage"))
    SetDisabledImage(pstrValue);
  else if (sName == TEXT("foreimage"))
    SetForeImage(pstrValue);
  else if (sName == TEXT("hotforeimage"))
    SetHotForeImage(pstrValue);
  else if (sName == TEXT("hotbkcolor"))
    SetHotBkColor(UIParseColor(pstrValue));
  else if (sName == TEXT("hottextcolor"))
    SetHotTextColor(UIParseColor(pstrValue));
  else if (sName == TEXT("pushedtextcolor"))
    SetPushedTextColor(UIParseColor(pstrValue));
  else if (sName == TEXT("focusedtextcolor"))
    SetFocusedTextColor(UIParseColor(pstrValue));
  else
    CLabelUI::ApplyAttribute(pstrName, pstrValue);
}

void CButtonUI::RefreshStateBits() {
  if (IsFocused())
    m_uButtonState |= UISTATE_FOCUSED;
  else
    m_uButtonState &= ~UISTATE_FOCUSED;
  if (!IsEnabled())
    m_uButtonState |= UISTATE_DISABLED;
  else
    m_uButtonState &= ~UISTATE_DISABLED;
}

bool CButtonUI::DrawStateImage(HDC hDC, CUIString& sImage) {
  if (DrawImageAttr(hDC, sImage)) return true;
  sImage.Empty();
  return false;
}

// The first state that applies picks the image: disabled, pushed, hot, focused; a state
// without an image of its own shows the normal image. The fore image goes on top.
void CButtonUI::PaintStatusImage(HDC hDC) {
  RefreshStateBits();
  bool bNormal = true;
  if (m_uButtonState & UISTATE_DISABLED) {
    if (!m_sDisabledImage.IsEmpty()) bNormal = !DrawStateImage(hDC, m_sDisabledImage);
  } else if (m_uButtonState & UISTATE_PUSHED) {
    if (!m_sPushedImage.IsEmpty()) {
      DrawStateImage(hDC, m_sPushedImage);
      bNormal = false;
    }
  } else if (m_uButtonState & UISTATE_HOT) {
    if (!m_sHotImage.IsEmpty()) {
      DrawStateImage(hDC, m_sHotImage);
      if (!m_sHotForeImage.IsEmpty()) {
        DrawStateImage(hDC, m_sHotForeImage);
        return;
      }
      bNormal = false;
    } else if (m_dwHotBkColor != 0) {
      CDrawEngine::FillColor(hDC, m_rcPaint, AdjustedColor(m_dwHotBkColor));
      return;
    }
  } else if (m_uButtonState & UISTATE_FOCUSED) {
    if (!m_sFocusedImage.IsEmpty()) bNormal = !DrawStateImage(hDC, m_sFocusedImage);
  }
  if (bNormal && !m_sNormalImage.IsEmpty()) DrawStateImage(hDC, m_sNormalImage);
  if (!m_sForeImage.IsEmpty()) DrawStateImage(hDC, m_sForeImage);
}

void CButtonUI::PaintText(HDC hDC) {
  RefreshStateBits();
  DefaultTextColors();
  if (m_sText.IsEmpty()) return;
  DWORD dwColor = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
  if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedTextColor != 0)
    dwColor = m_dwPushedTextColor;
  else if ((m_uButtonState & UISTATE_HOT) && m_dwHotTextColor != 0)
    dwColor = m_dwHotTextColor;
  else if ((m_uButtonState & UISTATE_FOCUSED) && m_dwFocusedTextColor != 0)
    dwColor = m_dwFocusedTextColor;
  DrawLabelText(hDC, TextRect(), dwColor, m_uTextStyle);
}

}  // namespace SkinUI
