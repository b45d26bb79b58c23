#include "Control/UIEdit.h"

#include "Control/UINativeHost.h"
#include "Core/UIAttributeTable.h"
#include "Core/UIColor.h"
#include "Core/UIGeometry.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

// --- CEditWnd ---------------------------------------------------------------------------------

CEditWnd::~CEditWnd() {
  if (m_hBkBrush != nullptr) ::DeleteObject(m_hBkBrush);
}

LPCWSTR CEditWnd::WindowClassName() const { return TEXT("EditWnd"); }
LPCWSTR CEditWnd::SuperclassName() const { return TEXT("Edit"); }
UINT CEditWnd::WindowClassStyle() const { return 0; }

RECT CEditWnd::EditorRect() const {
  RECT rc = Inset(m_pOwner->GetPos(), m_pOwner->GetTextPadding());
  LONG lFontHeight = m_pOwner->GetManager()->FontInfoAt(m_pOwner->GetFont()).tm.tmHeight;
  LONG lHeight = rc.bottom - rc.top;
  if (lFontHeight < lHeight) {
    rc.top += (lHeight - lFontHeight) / 2;
    rc.bottom = rc.top + lFontHeight;
  }
  return rc;
}

bool CEditWnd::OpenEditor(CEditUI* pOwner) {
  m_pOwner = pOwner;
  CPaintManagerUI* pManager = pOwner->GetManager();
  RECT rcPos = EditorRect();
  DWORD dwStyle = WS_CHILD | ES_AUTOHSCROLL;
  if (pOwner->IsPasswordMode()) dwStyle |= ES_PASSWORD;
  if (Create(pManager->GetPaintWindow(), nullptr, dwStyle, 0, rcPos) == nullptr) return false;

  const TFontEntry& font = pManager->FontInfoAt(pOwner->GetFont());
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(font.hFont), TRUE);
  Send(EM_LIMITTEXT, pOwner->GetMaxChar());
  if (pOwner->IsPasswordMode()) Send(EM_SETPASSWORDCHAR, pOwner->GetPasswordChar());
  ::SetWindowTextW(m_hWnd, pOwner->GetText());
  Send(EM_SETMODIFY, FALSE);
  Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
  ::EnableWindow(m_hWnd, pOwner->IsEnabled() ? TRUE : FALSE);
  Send(EM_SETREADONLY, pOwner->IsReadOnly() ? TRUE : FALSE);
  LONG lStyle = ::GetWindowLongW(m_hWnd, GWL_STYLE) | static_cast<LONG>(pOwner->m_uExtraStyles);
  ::SetWindowLongW(m_hWnd, GWL_STYLE, lStyle);
  ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
  ::SetFocus(m_hWnd);
  m_bInit = true;
  return true;
}

LRESULT CEditWnd::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_KILLFOCUS: {
      LRESULT lRes = DefaultProcessing(uMsg, wParam, lParam);
      ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
      return lRes;
    }
    case WM_COMMAND + UI_REFLECT_OFFSET:
      if (HIWORD(wParam) == EN_CHANGE) {
        CopyTextToOwner();
        return 0;
      }
      if (HIWORD(wParam) == EN_UPDATE) {
        RECT rcClient = {};
        ::GetClientRect(m_hWnd, &rcClient);
        ::InvalidateRect(m_hWnd, &rcClient, FALSE);
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        if (m_pOwner != nullptr && m_pOwner->GetManager() != nullptr)
          m_pOwner->GetManager()->SendNotification(m_pOwner, TEXT("return"));
        return 0;
      }
      break;
    case WM_CTLCOLOREDIT + UI_REFLECT_OFFSET:
    case WM_CTLCOLORSTATIC + UI_REFLECT_OFFSET:
      return AnswerColorMessage(reinterpret_cast<HDC>(wParam));
    default: break;
  }
  return DefaultProcessing(uMsg, wParam, lParam);
}

void CEditWnd::CopyTextToOwner() {
  if (!m_bInit || m_pOwner == nullptr) return;
  int nLength = ::GetWindowTextLengthW(m_hWnd) + 1;
  CUIString sText;
  LPWSTR pBuffer = new WCHAR[nLength];
  ::GetWindowTextW(m_hWnd, pBuffer, nLength);
  sText = pBuffer;
  delete[] pBuffer;
  // Stored directly: the editor shows the text, the control need not repaint under it.
  m_pOwner->m_sText = sText;
  if (m_pOwner->GetManager() != nullptr)
    m_pOwner->GetManager()->SendNotification(m_pOwner, TEXT("textchanged"));
}

LRESULT CEditWnd::AnswerColorMessage(HDC hDC) {
  if (m_pOwner == nullptr || m_pOwner->GetNativeBkColor() == 0xFFFFFFFF) return 0;
  ::SetBkMode(hDC, TRANSPARENT);
  ::SetTextColor(hDC, ToColorRef(m_pOwner->GetTextColor()));
  if (m_hBkBrush == nullptr)
    m_hBkBrush = ::CreateSolidBrush(ToColorRef(m_pOwner->GetNativeBkColor()));
  return reinterpret_cast<LRESULT>(m_hBkBrush);
}

void CEditWnd::OnWindowGone(HWND) {
  if (m_pOwner != nullptr) {
    m_pOwner->Repaint();
    m_pOwner->m_pWindow = nullptr;
  }
  delete this;
}

// --- CEditUI ----------------------------------------------------------------------------------

CEditUI::CEditUI() {
  m_rcTextPadding = {4, 3, 4, 3};
  m_dwBackColor = 0xFFFFFFFF;  // opaque white under the text
}

CEditUI::~CEditUI() { CloseForgettingOwner(m_pWindow); }

LPCWSTR CEditUI::GetClassName() const { return TEXT("EditUI"); }

LPVOID CEditUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("Edit"))) return static_cast<CEditUI*>(this);
  return CLabelUI::GetInterfaceByName(pstrName);
}

UINT CEditUI::GetInputFlags() const { return IsEnabled() ? UIFLAG_TABSTOP | UIFLAG_SETCURSOR : 0; }

HWND CEditUI::GetEditorWindow() const {
  return m_pWindow != nullptr ? m_pWindow->Handle() : nullptr;
}

bool CEditUI::OpenEditor() {
  if (m_pWindow != nullptr) return true;
  if (m_pManager == nullptr) return false;
  auto* pWindow = new CEditWnd();
  m_pWindow = pWindow;
  if (!pWindow->OpenEditor(this)) {
    // No window was made, so nothing will delete the object but us.
    if (m_pWindow == pWindow) m_pWindow = nullptr;
    delete pWindow;
    return false;
  }
  return true;
}

void CEditUI::SelectAllInEditor() {
  if (m_pWindow == nullptr) return;
  int nLength = ::GetWindowTextLengthW(m_pWindow->Handle());
  if (nLength == 0) nLength = 1;
  ::SendMessageW(m_pWindow->Handle(), EM_SETSEL, 0, nLength);
}

void CEditUI::HandleEvent(TUIEvent& event) {
  if (PassOnMouseWhenDisabled(event)) return;
  if (HandleNativeHostEvent(*this, m_pWindow != nullptr, event)) return;
  const bool bEnabled = IsEnabled();
  switch (event.Type) {
    case EventSetFocus:
      if (!bEnabled) break;
      if (m_pWindow != nullptr) return;
      OpenEditor();
      Repaint();
      break;
    case EventButtonDown:
    case EventDoubleClick:
    case EventRightButtonDown:
      if (!bEnabled) return;
      if (m_pManager != nullptr) m_pManager->ReleaseMouse();
      if (IsFocused() && m_pWindow == nullptr) {
        OpenEditor();
        Repaint();
        if (!::PtInRect(&m_rcItem, event.ptMouse)) return;
      }
      SelectAllInEditor();
      return;
    case EventMouseEnter:
    case EventMouseLeave:
      if (bEnabled) {
        m_images.Set(UISTATE_HOT, event.Type == EventMouseEnter);
        Repaint();
      }
      return;
    default: break;
  }
  CLabelUI::HandleEvent(event);
}

void CEditUI::SetEnabled(bool bEnable) {
  CLabelUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_images.Reset();
}

void CEditUI::SetText(LPCWSTR pstrText) {
  m_sText = pstrText;
  if (m_pWindow != nullptr) ::SetWindowTextW(m_pWindow->Handle(), m_sText);
  Repaint();
}

void CEditUI::SetMaxChar(UINT uMax) {
  m_uMaxChar = uMax;
  if (m_pWindow != nullptr) ::SendMessageW(m_pWindow->Handle(), EM_LIMITTEXT, m_uMaxChar, 0);
}

void CEditUI::SetReadOnly(bool bReadOnly) {
  if (m_bReadOnly == bReadOnly) return;
  m_bReadOnly = bReadOnly;
  if (m_pWindow != nullptr)
    ::SendMessageW(m_pWindow->Handle(), EM_SETREADONLY, m_bReadOnly ? TRUE : FALSE, 0);
  Repaint();
}

void CEditUI::SetNumberOnly(bool bNumberOnly) {
  if (bNumberOnly)
    m_uExtraStyles |= ES_NUMBER;
  else
    m_uExtraStyles &= ~static_cast<UINT>(ES_NUMBER);
}

bool CEditUI::IsNumberOnly() const { return (m_uExtraStyles & ES_NUMBER) != 0; }

void CEditUI::SetPasswordMode(bool bPasswordMode) {
  ChangeAndRepaint(m_bPasswordMode, bPasswordMode);
}

void CEditUI::SetPasswordChar(WCHAR cPasswordChar) {
  if (m_cPasswordChar == cPasswordChar) return;
  m_cPasswordChar = cPasswordChar;
  if (m_pWindow != nullptr)
    ::SendMessageW(m_pWindow->Handle(), EM_SETPASSWORDCHAR, m_cPasswordChar, 0);
  Repaint();
}

void CEditUI::SetImage(CStateImagesUI::Image which, LPCWSTR pStrImage) {
  m_images.SetImage(*this, which, pStrImage);
}

void CEditUI::SetPos(RECT rc) {
  CLabelUI::SetPos(rc);
  if (m_pWindow != nullptr) {
    RECT rcPos = m_pWindow->EditorRect();
    ::SetWindowPos(m_pWindow->Handle(), nullptr, rcPos.left, rcPos.top, rcPos.right - rcPos.left,
                   rcPos.bottom - rcPos.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CEditUI::SetVisible(bool bVisible) {
  CLabelUI::SetVisible(bVisible);
  if (!IsVisible() && m_pWindow != nullptr && m_pManager != nullptr)
    m_pManager->SetFocusControl(nullptr);
}

void CEditUI::SetParentVisible(bool) {
  if (!IsVisible() && m_pWindow != nullptr && m_pManager != nullptr)
    m_pManager->SetFocusControl(nullptr);
}

SIZE CEditUI::MeasureSize(SIZE szAvailable) {
  if (m_cxyFixed.cy != 0) return m_cxyFixed;
  LONG lFontHeight = m_pManager ? m_pManager->FontInfoAt(GetFont()).tm.tmHeight : 0;
  (void)szAvailable;
  return SIZE{m_cxyFixed.cx, lFontHeight + 6};
}

namespace {

const TAttributeUI<CEditUI> kEditAttributes[] = {
    {TEXT("readonly"), Parsed<&CEditUI::SetReadOnly, UIParseBool>},
    {TEXT("numberonly"), Parsed<&CEditUI::SetNumberOnly, UIParseBool>},
    {TEXT("password"), Parsed<&CEditUI::SetPasswordMode, UIParseBool>},
    {TEXT("maxchar"), Parsed<&CEditUI::SetMaxChar, UIStrToInt>},
    {TEXT("normalimage"), Verbatim<&CEditUI::SetNormalImage>},
    {TEXT("hotimage"), Verbatim<&CEditUI::SetHotImage>},
    {TEXT("focusedimage"), Verbatim<&CEditUI::SetFocusedImage>},
    {TEXT("disabledimage"), Verbatim<&CEditUI::SetDisabledImage>},
    {TEXT("nativebkcolor"), Parsed<&CEditUI::SetNativeBkColor, UIParseColor>},
};

}  // namespace

void CEditUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CLabelUI>(kEditAttributes, *this, pstrName, pstrValue);
}

// Disabled, focused and hot looks in that order; the normal image otherwise.
void CEditUI::PaintStatusImage(HDC hDC) {
  using Image = CStateImagesUI;
  m_images.Follow(*this);
  m_images.DrawCurrent(*this, hDC, {Image::Disabled, Image::Focused, Image::Hot});
}

void CEditUI::PaintText(HDC hDC) {
  DefaultTextColors();
  if (m_sText.IsEmpty()) return;

  CUIString sShown = m_sText;
  if (m_bPasswordMode) {
    sShown.Empty();
    for (int i = 0; i < m_sText.GetLength(); ++i) sShown += m_cPasswordChar;
  }
  RECT rc = TextRect();
  DWORD dwColor = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
  CDrawEngine::DrawPlainText(hDC, m_pManager, rc, sShown, dwColor, m_iFont,
                             m_uTextStyle | DT_SINGLELINE);
}

}  // namespace SkinUI
