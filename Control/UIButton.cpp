// CButtonUI: state bits from mouse and keyboard, state images and colours, "click".
#include <algorithm>

#include "Control/UILabel.h"
#include "Core/UIAttributeTable.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

CButtonUI::CButtonUI() { m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }

LPCWSTR CButtonUI::GetClassName() const { return TEXT("ButtonUI"); }

LPVOID CButtonUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("Button"))) return static_cast<CButtonUI*>(this);
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
  if (!IsEnabled()) m_images.Reset();
}

SIZE CButtonUI::MeasureSize(SIZE /*szAvailable*/) {
  if (m_cxyFixed.cy != 0 || m_pManager == nullptr) return m_cxyFixed;
  return {m_cxyFixed.cx, m_pManager->FontInfoAt(m_iFont).tm.tmHeight + 8};
}

void CButtonUI::HandleEvent(TUIEvent& event) {
  if (PassOnMouseWhenDisabled(event)) return;
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
        m_images.Set(UISTATE_PUSHED | UISTATE_CAPTURED);
        Repaint();
      }
      return;
    case EventMouseMove:
      if (m_images.Is(UISTATE_CAPTURED)) {
        m_images.Set(UISTATE_PUSHED, bInside);
        Repaint();
      }
      return;
    case EventButtonUp:
      if (m_images.Is(UISTATE_CAPTURED)) {
        if (bInside) Activate();
        m_images.Set(UISTATE_PUSHED | UISTATE_CAPTURED, false);
        Repaint();
      }
      return;
    case EventContextMenu:
      if (IsContextMenuUsed() && m_pManager != nullptr)
        m_pManager->SendNotification(this, TEXT("menu"), event.wParam, event.lParam);
      return;
    case EventMouseEnter:
    case EventMouseLeave:
      if (IsEnabled()) {
        m_images.Set(UISTATE_HOT, event.Type == EventMouseEnter);
        Repaint();
      }
      break;
    case EventSetCursor: ::SetCursor(::LoadCursorW(nullptr, IDC_HAND)); return;
    default: break;
  }
  CLabelUI::HandleEvent(event);
}

void CButtonUI::SetImage(CStateImagesUI::Image which, LPCWSTR pStrImage) {
  m_images.SetImage(*this, which, pStrImage);
}

namespace {

const TAttributeUI<CButtonUI> kButtonAttributes[] = {
    {TEXT("hotbkcolor"), Parsed<&CButtonUI::SetHotBkColor, UIParseColor>},
    {TEXT("hottextcolor"), Parsed<&CButtonUI::SetHotTextColor, UIParseColor>},
    {TEXT("pushedtextcolor"), Parsed<&CButtonUI::SetPushedTextColor, UIParseColor>},
    {TEXT("focusedtextcolor"), Parsed<&CButtonUI::SetFocusedTextColor, UIParseColor>},
};

}  // namespace

void CButtonUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  if (ApplyFromTable(kButtonAttributes, *this, pstrName, pstrValue)) return;
  const CStateImagesUI::Image which = CStateImagesUI::ImageForAttribute(pstrName);
  if (which != CStateImagesUI::ImageCount)
    SetImage(which, pstrValue);
  else
    CLabelUI::ApplyAttribute(pstrName, pstrValue);
}

// The first state that applies picks the image: disabled, pushed, hot, focused; a state
// without an image of its own shows the normal image (a hot one its hot background colour when
// it has one). The fore image goes on top, or the hot fore image over a hot image.
void CButtonUI::PaintStatusImage(HDC hDC) {
  m_images.Follow(*this);
  using Image = CStateImagesUI;
  const CStateImagesUI::Image which =
      m_images.Current({Image::Disabled, Image::Pushed, Image::Hot, Image::Focused});
  const bool bHotFirst =
      m_images.Is(UISTATE_HOT) && !m_images.Is(UISTATE_DISABLED | UISTATE_PUSHED);
  if (bHotFirst && which == Image::Normal && m_dwHotBkColor != 0) {
    CDrawEngine::FillColor(hDC, m_rcPaint, AdjustedColor(m_dwHotBkColor));
    return;
  }
  if (which == Image::Normal || !m_images.Draw(*this, hDC, which))
    m_images.Draw(*this, hDC, Image::Normal);
  if (which == Image::Hot && m_images.Draw(*this, hDC, Image::HotFore)) return;
  m_images.Draw(*this, hDC, Image::Fore);
}

void CButtonUI::PaintText(HDC hDC) {
  m_images.Follow(*this);
  DefaultTextColors();
  if (m_sText.IsEmpty()) return;
  DWORD dwColor = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
  if (m_images.Is(UISTATE_PUSHED) && m_dwPushedTextColor != 0)
    dwColor = m_dwPushedTextColor;
  else if (m_images.Is(UISTATE_HOT) && m_dwHotTextColor != 0)
    dwColor = m_dwHotTextColor;
  else if (m_images.Is(UISTATE_FOCUSED) && m_dwFocusedTextColor != 0)
    dwColor = m_dwFocusedTextColor;
  DrawLabelText(hDC, TextRect(), dwColor, m_uTextStyle);
}

}  // namespace SkinUI
