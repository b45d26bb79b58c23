// CLabelUI and CTextUI.
#include "Control/UILabel.h"

#include <algorithm>

#include "Core/UIAttributeTable.h"
#include "Core/UIGeometry.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

namespace {

void SetHandCursor() { ::SetCursor(::LoadCursorW(nullptr, IDC_HAND)); }

}  // namespace

// --- CLabelUI ---------------------------------------------------------------------------------

CLabelUI::CLabelUI() = default;

LPCWSTR CLabelUI::GetClassName() const { return TEXT("LabelUI"); }

LPVOID CLabelUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("Label"))) return static_cast<CLabelUI*>(this);
  return CControlUI::GetInterfaceByName(pstrName);
}

void CLabelUI::SetTextStyle(UINT uStyle) { SetAndRepaint(m_uTextStyle, uStyle); }

void CLabelUI::SetTextColor(DWORD dwColor) { SetAndRepaint(m_dwTextColor, dwColor); }

void CLabelUI::SetDisabledTextColor(DWORD dwColor) {
  SetAndRepaint(m_dwDisabledTextColor, dwColor);
}

void CLabelUI::SetFont(int index) { SetAndRepaint(m_iFont, index); }

void CLabelUI::SetTextPadding(RECT rc) { SetAndRepaint(m_rcTextPadding, rc); }

void CLabelUI::SetShowHtml(bool bShowHtml) { ChangeAndRepaint(m_bShowHtml, bShowHtml); }

SIZE CLabelUI::MeasureSize(SIZE /*szAvailable*/) {
  if (m_cxyFixed.cy != 0 || m_pManager == nullptr) return m_cxyFixed;
  return {m_cxyFixed.cx, m_pManager->FontInfoAt(m_iFont).tm.tmHeight + 4};
}

void CLabelUI::HandleEvent(TUIEvent& event) {
  // Focus is recorded without a repaint: a label has no focused look.
  if (event.Type == EventSetFocus) {
    m_bFocused = true;
    return;
  }
  if (event.Type == EventKillFocus) {
    m_bFocused = false;
    return;
  }
  CControlUI::HandleEvent(event);
}

namespace {

void ApplyAlign(CLabelUI& label, LPCWSTR pstrValue) {
  label.SetTextStyle(UIApplyAlign(label.GetTextStyle(), pstrValue, true));
}

void ApplyEndEllipsis(CLabelUI& label, LPCWSTR pstrValue) {
  label.SetTextStyle(UIApplyEndEllipsis(label.GetTextStyle(), pstrValue));
}

const TAttributeUI<CLabelUI> kLabelAttributes[] = {
    {TEXT("align"), ApplyAlign},
    {TEXT("endellipsis"), ApplyEndEllipsis},
    {TEXT("font"), Parsed<&CLabelUI::SetFont, UIStrToInt>},
    {TEXT("textcolor"), Parsed<&CLabelUI::SetTextColor, UIParseColor>},
    {TEXT("disabledtextcolor"), Parsed<&CLabelUI::SetDisabledTextColor, UIParseColor>},
    {TEXT("textpadding"), Parsed<&CLabelUI::SetTextPadding, UIParseRect>},
    {TEXT("showhtml"), Parsed<&CLabelUI::SetShowHtml, UIParseBool>},
};

}  // namespace

void CLabelUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CControlUI>(kLabelAttributes, *this, pstrName, pstrValue);
}

void CLabelUI::DefaultTextColors() {
  if (m_pManager == nullptr) return;
  if (m_dwTextColor == 0) m_dwTextColor = m_pManager->TextColor();
  if (m_dwDisabledTextColor == 0) m_dwDisabledTextColor = m_pManager->DisabledTextColor();
}

RECT CLabelUI::TextRect() const { return Inset(m_rcItem, m_rcTextPadding); }

void CLabelUI::DrawLabelText(HDC hDC, RECT rc, DWORD dwColor, UINT uStyle) {
  if (m_bShowHtml) {
    int nLinks = 0;
    CDrawEngine::DrawMarkupText(hDC, m_pManager, rc, m_sText, dwColor, nullptr, nullptr, nLinks,
                                uStyle);
  } else {
    CDrawEngine::DrawPlainText(hDC, m_pManager, rc, m_sText, dwColor, m_iFont, uStyle);
  }
}

void CLabelUI::PaintText(HDC hDC) {
  DefaultTextColors();
  if (m_sText.IsEmpty()) return;
  const DWORD dwColor = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
  DrawLabelText(hDC, TextRect(), dwColor, m_uTextStyle | DT_SINGLELINE);
}

// --- CTextUI ----------------------------------------------------------------------------------

CTextUI::CTextUI() {
  m_uTextStyle = DT_WORDBREAK;
  m_rcTextPadding = {2, 0, 2, 0};
}

LPCWSTR CTextUI::GetClassName() const { return TEXT("TextUI"); }

LPVOID CTextUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("Text"))) return static_cast<CTextUI*>(this);
  return CLabelUI::GetInterfaceByName(pstrName);
}

UINT CTextUI::GetInputFlags() const { return IsEnabled() && m_nLinks > 0 ? UIFLAG_SETCURSOR : 0; }

int CTextUI::LinkAt(POINT pt) const {
  for (int i = 0; i < m_nLinks; ++i)
    if (::PtInRect(&m_rcLinks[i], pt)) return i;
  return -1;
}

void CTextUI::HandleEvent(TUIEvent& event) {
  if (PassOnMouseWhenDisabled(event)) return;
  const int iLink = LinkAt(event.ptMouse);
  switch (event.Type) {
    case EventSetCursor:
      if (iLink >= 0) {
        SetHandCursor();
        return;
      }
      break;
    case EventButtonDown:
    case EventDoubleClick:
      if (iLink >= 0 && (event.Type == EventButtonDown || IsEnabled())) {
        Repaint();
        return;
      }
      break;
    case EventButtonUp:
      if (iLink >= 0 && IsEnabled()) {
        if (m_pManager != nullptr) m_pManager->SendNotification(this, TEXT("link"), iLink);
        return;
      }
      break;
    case EventContextMenu: return;
    case EventMouseMove:
      if (IsEnabled() && m_nLinks > 0) {
        if (iLink != m_nHoverLink) {
          m_nHoverLink = iLink;
          Repaint();
        }
        return;
      }
      break;
    case EventMouseLeave:
      if (IsEnabled() && m_nLinks > 0 && m_nHoverLink != -1) {
        m_nHoverLink = -1;
        Repaint();
        return;
      }
      break;
    default: break;
  }
  CLabelUI::HandleEvent(event);
}

SIZE CTextUI::MeasureSize(SIZE szAvailable) {
  if (m_pManager == nullptr) return m_cxyFixed;
  RECT rc = {0, 0, std::max<int>(m_cxyFixed.cx, szAvailable.cx), 9999};
  rc.left += m_rcTextPadding.left;
  rc.right -= m_rcTextPadding.right;
  const UINT uStyle = m_uTextStyle | DT_CALCRECT;
  if (m_bShowHtml) {
    int nLinks = 0;
    CDrawEngine::DrawMarkupText(m_pManager->GetPaintDC(), m_pManager, rc, m_sText, 0, nullptr,
                                nullptr, nLinks, uStyle);
  } else {
    CDrawEngine::DrawPlainText(m_pManager->GetPaintDC(), m_pManager, rc, m_sText, 0, m_iFont,
                               uStyle);
  }
  SIZE sz = {rc.right - rc.left + m_rcTextPadding.left + m_rcTextPadding.right,
             rc.bottom - rc.top + m_rcTextPadding.top + m_rcTextPadding.bottom};
  if (m_cxyFixed.cy != 0) sz.cy = m_cxyFixed.cy;
  return sz;
}

void CTextUI::PaintText(HDC hDC) {
  if (m_sText.IsEmpty()) {
    m_nLinks = 0;
    return;
  }
  DefaultTextColors();
  const DWORD dwColor = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
  RECT rc = TextRect();
  if (m_bShowHtml) {
    // In: the rectangles of the last paint, for the hovered link; out: this paint's. Entries
    // the last paint did not fill must not be hit.
    for (int i = m_nLinks; i < kMaxLinks; ++i) m_rcLinks[i] = {0, 0, 0, 0};
    m_nLinks = kMaxLinks;
    CDrawEngine::DrawMarkupText(hDC, m_pManager, rc, m_sText, dwColor, m_rcLinks, m_sLinks,
                                m_nLinks, m_uTextStyle);
  } else {
    m_nLinks = 0;
    CDrawEngine::DrawPlainText(hDC, m_pManager, rc, m_sText, dwColor, m_iFont, m_uTextStyle);
  }
}

}  // namespace SkinUI
