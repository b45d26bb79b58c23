// CControlUI: fields, setters, layout requests, the default event reaction, the attribute parser
// and the five-step paint.

#include "Core/UIControl.h"

#include <cstdint>

#include "Core/UIAttrValue.h"
#include "Core/UIAttributeTable.h"
#include "Core/UIGeometry.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

namespace {

LPCWSTR OrEmpty(LPCWSTR s) { return s ? s : TEXT(""); }

bool HasRound(SIZE sz) { return sz.cx > 0 || sz.cy > 0; }

}  // namespace

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
  if (!OnDestroyDelegates.IsEmpty()) OnDestroyDelegates.Run(this);
  if (m_pManager) m_pManager->ForgetControl(this);
}

CUIString CControlUI::GetName() const { return m_sName; }
void CControlUI::SetName(LPCWSTR pstrName) { m_sName = OrEmpty(pstrName); }
LPCWSTR CControlUI::GetClassName() const { return TEXT("ControlUI"); }

LPVOID CControlUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(OrEmpty(pstrName), TEXT("Control"))) return this;
  return nullptr;
}

UINT CControlUI::GetInputFlags() const { return 0; }
bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }
CPaintManagerUI* CControlUI::GetManager() const { return m_pManager; }

void CControlUI::AttachManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
  // A manager left behind must not keep focus, hover or timers on a control it no longer owns:
  // the control may be deleted without it hearing of it.
  if (m_pManager && m_pManager != pManager) m_pManager->ReleaseControl(this);
  m_pManager = pManager;
  m_pParent = pParent;
  if (bInit && m_pParent) Initialize();
}

CControlUI* CControlUI::GetParent() const { return m_pParent; }
CUIString CControlUI::GetText() const { return m_sText; }

void CControlUI::SetText(LPCWSTR pstrText) {
  if (m_sText == OrEmpty(pstrText)) return;
  m_sText = OrEmpty(pstrText);
  Repaint();
}

// --- Position and size --------------------------------------------------------------------------

const RECT& CControlUI::GetPos() const { return m_rcItem; }

void CControlUI::SetPos(RECT rc) {
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  const RECT rcOld = m_rcItem;
  m_rcItem = rc;
  if (!m_pManager) return;
  if (!m_bSetPos) {
    m_bSetPos = true;
    if (!OnSizeDelegates.IsEmpty()) OnSizeDelegates.Run(this);
    m_bSetPos = false;
  }
  if (m_bFloat && m_pParent) {
    // Keep the offset measured from the same edges, so that a later parent resize keeps it.
    const RECT& rcParent = m_pParent->GetPos();
    m_cXY.cx = m_cXY.cx >= 0 ? SaturatedDiff(m_rcItem.left, rcParent.left)
                             : SaturatedDiff(m_rcItem.right, rcParent.right);
    m_cXY.cy = m_cXY.cy >= 0 ? SaturatedDiff(m_rcItem.top, rcParent.top)
                             : SaturatedDiff(m_rcItem.bottom, rcParent.bottom);
    m_cxyFixed.cx = SaturatedDiff(m_rcItem.right, m_rcItem.left);
    m_cxyFixed.cy = SaturatedDiff(m_rcItem.bottom, m_rcItem.top);
  }
  m_bUpdateNeeded = false;
  // The old and the new place both need painting, but only where every ancestor shows them.
  RECT rcInvalidate;
  ::UnionRect(&rcInvalidate, &rcOld, &m_rcItem);
  for (CControlUI* p = m_pParent; p; p = p->GetParent()) {
    if (!::IntersectRect(&rcInvalidate, &rcInvalidate, &p->GetPos())) return;
  }
  if (::IsRectEmpty(&rcInvalidate)) return;
  m_pManager->InvalidateArea(rcInvalidate);
}

int CControlUI::GetWidth() const { return SaturatedDiff(m_rcItem.right, m_rcItem.left); }
int CControlUI::GetHeight() const { return SaturatedDiff(m_rcItem.bottom, m_rcItem.top); }
int CControlUI::GetX() const { return m_rcItem.left; }
int CControlUI::GetY() const { return m_rcItem.top; }
RECT CControlUI::GetPadding() const { return m_rcPadding; }

void CControlUI::SetPadding(RECT rcPadding) {
  m_rcPadding = rcPadding;
  RequestParentLayout();
}

SIZE CControlUI::GetFixedXY() const { return m_cXY; }

// A floating control places itself; any other is placed by its parent's layout.
static void RelayoutAfterSizeChange(CControlUI* pControl) {
  if (pControl->IsFloat()) {
    pControl->RequestLayout();
  } else {
    pControl->RequestParentLayout();
  }
}

void CControlUI::SetFixedXY(SIZE szXY) {
  m_cXY = szXY;
  RelayoutAfterSizeChange(this);
}

int CControlUI::GetFixedWidth() const { return m_cxyFixed.cx; }

void CControlUI::SetFixedWidth(int cx) {
  if (cx < 0) return;
  m_cxyFixed.cx = cx;
  RelayoutAfterSizeChange(this);
}

int CControlUI::GetFixedHeight() const { return m_cxyFixed.cy; }

void CControlUI::SetFixedHeight(int cy) {
  if (cy < 0) return;
  m_cxyFixed.cy = cy;
  RelayoutAfterSizeChange(this);
}

// Shared rule of the four limits: negative or unchanged values are ignored.
static bool StoreLimit(LONG& field, int value) {
  if (value < 0 || field == value) return false;
  field = value;
  return true;
}

int CControlUI::GetMinWidth() const { return m_cxyMin.cx; }
void CControlUI::SetMinWidth(int cx) {
  if (StoreLimit(m_cxyMin.cx, cx)) RelayoutAfterSizeChange(this);
}
int CControlUI::GetMaxWidth() const { return m_cxyMax.cx; }
void CControlUI::SetMaxWidth(int cx) {
  if (StoreLimit(m_cxyMax.cx, cx)) RelayoutAfterSizeChange(this);
}
int CControlUI::GetMinHeight() const { return m_cxyMin.cy; }
void CControlUI::SetMinHeight(int cy) {
  if (StoreLimit(m_cxyMin.cy, cy)) RelayoutAfterSizeChange(this);
}
int CControlUI::GetMaxHeight() const { return m_cxyMax.cy; }
void CControlUI::SetMaxHeight(int cy) {
  if (StoreLimit(m_cxyMax.cy, cy)) RelayoutAfterSizeChange(this);
}

void CControlUI::SetRelativePos(SIZE szMove, SIZE szZoom) {
  m_tRelativePos.bRelative = true;
  m_tRelativePos.nMoveXPercent = szMove.cx;
  m_tRelativePos.nMoveYPercent = szMove.cy;
  m_tRelativePos.nZoomXPercent = szZoom.cx;
  m_tRelativePos.nZoomYPercent = szZoom.cy;
}

void CControlUI::SetRelativeParentSize(SIZE sz) { m_tRelativePos.szParent = sz; }
TRelativePosUI CControlUI::GetRelativePos() const { return m_tRelativePos; }
bool CControlUI::IsRelativePos() const { return m_tRelativePos.bRelative; }

// --- Plain properties -------------------------------------------------------------------------

CUIString CControlUI::GetToolTip() const { return m_sToolTip; }
void CControlUI::SetToolTip(LPCWSTR pstrText) { m_sToolTip = OrEmpty(pstrText); }
WCHAR CControlUI::GetShortcut() const { return m_chShortcut; }
void CControlUI::SetShortcut(WCHAR ch) { m_chShortcut = ch; }
bool CControlUI::IsContextMenuUsed() const { return m_bMenuUsed; }
void CControlUI::SetContextMenuUsed(bool bMenuUsed) { m_bMenuUsed = bMenuUsed; }
const CUIString& CControlUI::GetUserData() const { return m_sUserData; }
void CControlUI::SetUserData(LPCWSTR pstrText) { m_sUserData = OrEmpty(pstrText); }
UINT_PTR CControlUI::GetTag() const { return m_pTag; }
void CControlUI::SetTag(UINT_PTR pTag) { m_pTag = pTag; }

// --- State ------------------------------------------------------------------------------------

bool CControlUI::IsVisible() const { return m_bVisible && m_bInternVisible; }

void CControlUI::SetVisible(bool bVisible) {
  if (m_bVisible == bVisible) return;
  const bool bWasVisible = IsVisible();
  m_bVisible = bVisible;
  m_bFocused = false;
  if (!bVisible && m_pManager && m_pManager->GetFocusControl() == this) {
    m_pManager->SetFocusControl(nullptr);
  }
  if (IsVisible() != bWasVisible) RequestParentLayout();
}

void CControlUI::SetParentVisible(bool bVisible) {
  m_bInternVisible = bVisible;
  if (!bVisible && m_pManager && m_pManager->GetFocusControl() == this) {
    m_pManager->SetFocusControl(nullptr);
  }
}

bool CControlUI::IsEnabled() const { return m_bEnabled; }

void CControlUI::SetEnabled(bool bEnable) {
  if (m_bEnabled == bEnable) return;
  m_bEnabled = bEnable;
  Repaint();
}

bool CControlUI::IsMouseEnabled() const { return m_bMouseEnabled; }
void CControlUI::SetMouseEnabled(bool bEnable) { m_bMouseEnabled = bEnable; }
bool CControlUI::IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
void CControlUI::SetKeyboardEnabled(bool bEnable) { m_bKeyboardEnabled = bEnable; }
bool CControlUI::IsFocused() const { return m_bFocused; }

void CControlUI::SetFocus() {
  if (m_pManager) m_pManager->SetFocusControl(this);
}

bool CControlUI::IsFloat() const { return m_bFloat; }

void CControlUI::SetFloat(bool bFloat) {
  if (m_bFloat == bFloat) return;
  m_bFloat = bFloat;
  RequestParentLayout();
}

CControlUI* CControlUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
  if ((uFlags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((uFlags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  if ((uFlags & UIFIND_HITTEST) != 0 &&
      (!m_bMouseEnabled || !::PtInRect(&m_rcItem, *static_cast<const POINT*>(pData)))) {
    return nullptr;
  }
  return Proc(this, pData);
}

// --- Events -------------------------------------------------------------------------------------

void CControlUI::Initialize() {
  OnInit();
  if (!OnInitDelegates.IsEmpty()) OnInitDelegates.Run(this);
}

void CControlUI::OnInit() {}

void CControlUI::DispatchEvent(TUIEvent& event) {
  if (OnEventDelegates.Run(event)) HandleEvent(event);
}

void CControlUI::HandleEvent(TUIEvent& event) {
  switch (event.Type) {
    case EventSetCursor: ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW)); return;
    case EventSetFocus:
      m_bFocused = true;
      Repaint();
      return;
    case EventKillFocus:
      m_bFocused = false;
      Repaint();
      return;
    case EventTimer:
      if (m_pManager) {
        m_pManager->SendNotification(this, TEXT("timer"), event.wParam, event.lParam);
      }
      return;
    case EventContextMenu:
      if (m_bMenuUsed) {
        if (m_pManager) {
          m_pManager->SendNotification(this, TEXT("menu"), event.wParam, event.lParam);
        }
        return;
      }
      break;
    default: break;
  }
  if (m_pParent) m_pParent->HandleEvent(event);
}

SIZE CControlUI::MeasureSize(SIZE /*szAvailable*/) { return m_cxyFixed; }

// --- Attributes ---------------------------------------------------------------------------------

namespace {

// A negative left or top measures from the parent's right or bottom edge.
void ApplyPos(CControlUI& control, LPCWSTR pstrValue) {
  const RECT rc = UIParseRect(pstrValue);
  control.SetFixedXY(SIZE{rc.left >= 0 ? rc.left : rc.right, rc.top >= 0 ? rc.top : rc.bottom});
  control.SetFixedWidth(SaturatedDiff(rc.right, rc.left));
  control.SetFixedHeight(SaturatedDiff(rc.bottom, rc.top));
}

void ApplyRelativePos(CControlUI& control, LPCWSTR pstrValue) {
  const RECT rc = UIParseRect(pstrValue);
  control.SetRelativePos(SIZE{rc.left, rc.top}, SIZE{rc.right, rc.bottom});
}

void ApplyShortcut(CControlUI& control, LPCWSTR pstrValue) { control.SetShortcut(pstrValue[0]); }

const TAttributeUI<CControlUI> kControlAttributes[] = {
    {TEXT("pos"), ApplyPos},
    {TEXT("relativepos"), ApplyRelativePos},
    {TEXT("padding"), Parsed<&CControlUI::SetPadding, UIParseRect>},
    {TEXT("bkcolor"), Parsed<&CControlUI::SetBkColor, UIParseBkColor>},
    {TEXT("bkcolor1"), Parsed<&CControlUI::SetBkColor, UIParseBkColor>},
    {TEXT("bkcolor2"), Parsed<&CControlUI::SetBkColor2, UIParseBkColor>},
    {TEXT("bkcolor3"), Parsed<&CControlUI::SetBkColor3, UIParseBkColor>},
    {TEXT("bordercolor"), Parsed<&CControlUI::SetBorderColor, UIParseColor>},
    {TEXT("focusbordercolor"), Parsed<&CControlUI::SetFocusBorderColor, UIParseColor>},
    {TEXT("colorhsl"), Parsed<&CControlUI::SetColorHSL, UIParseBool>},
    {TEXT("bordersize"), Parsed<&CControlUI::SetBorderSize, UIStrToInt>},
    {TEXT("borderround"), Parsed<&CControlUI::SetBorderRound, UIParseSize>},
    {TEXT("bkimage"), Verbatim<&CControlUI::SetBkImage>},
    {TEXT("width"), Parsed<&CControlUI::SetFixedWidth, UIStrToInt>},
    {TEXT("height"), Parsed<&CControlUI::SetFixedHeight, UIStrToInt>},
    {TEXT("minwidth"), Parsed<&CControlUI::SetMinWidth, UIStrToInt>},
    {TEXT("minheight"), Parsed<&CControlUI::SetMinHeight, UIStrToInt>},
    {TEXT("maxwidth"), Parsed<&CControlUI::SetMaxWidth, UIStrToInt>},
    {TEXT("maxheight"), Parsed<&CControlUI::SetMaxHeight, UIStrToInt>},
    {TEXT("name"), Verbatim<&CControlUI::SetName>},
    {TEXT("text"), Verbatim<&CControlUI::SetText>},
    {TEXT("tooltip"), Verbatim<&CControlUI::SetToolTip>},
    {TEXT("userdata"), Verbatim<&CControlUI::SetUserData>},
    {TEXT("enabled"), Parsed<&CControlUI::SetEnabled, UIParseBool>},
    {TEXT("mouse"), Parsed<&CControlUI::SetMouseEnabled, UIParseBool>},
    {TEXT("keyboard"), Parsed<&CControlUI::SetKeyboardEnabled, UIParseBool>},
    {TEXT("visible"), Parsed<&CControlUI::SetVisible, UIParseBool>},
    {TEXT("float"), Parsed<&CControlUI::SetFloat, UIParseBool>},
    {TEXT("shortcut"), ApplyShortcut},
    {TEXT("menu"), Parsed<&CControlUI::SetContextMenuUsed, UIParseBool>},
};

}  // namespace

void CControlUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyFromTable(kControlAttributes, *this, pstrName, pstrValue);
}

bool CControlUI::PassOnMouseWhenDisabled(TUIEvent& event) {
  return PassOnMouseWhenDisabled(event, m_pParent);
}

bool CControlUI::PassOnMouseWhenDisabled(TUIEvent& event, CControlUI* pTarget) {
  if (m_bMouseEnabled || !IsMouseEvent(event.Type)) return false;
  if (pTarget != nullptr)
    pTarget->HandleEvent(event);
  else
    CControlUI::HandleEvent(event);
  return true;
}

void CControlUI::ApplyAttributes(LPCWSTR pstrList) {
  if (!pstrList) return;
  LPCWSTR p = pstrList;
  while (*p) {
    LPCWSTR start = p;
    while (*p && *p != '=') p++;
    const CUIString name(start, static_cast<int>(p - start));
    if (*p != '=') return;
    p++;
    if (*p != '"') return;
    p++;
    start = p;
    while (*p && *p != '"') p++;
    const CUIString value(start, static_cast<int>(p - start));
    if (*p != '"') return;
    p++;
    ApplyAttribute(name, value);
    if (*p != ' ') return;
    p++;
  }
}

// --- Layout requests and invalidation ---------------------------------------------------------

void CControlUI::Repaint() {
  if (!m_pManager || !IsVisible()) return;
  RECT rc = m_rcItem;
  for (CControlUI* p = m_pParent; p; p = p->GetParent()) {
    if (!::IntersectRect(&rc, &rc, &p->GetPos())) return;
  }
  if (::IsRectEmpty(&rc)) return;
  m_pManager->InvalidateArea(rc);
}

void CControlUI::RequestLayout() {
  if (!IsVisible()) return;
  m_bUpdateNeeded = true;
  Repaint();
  if (m_pManager) m_pManager->MarkLayoutStale();
}

void CControlUI::RequestParentLayout() {
  if (m_pParent) {
    m_pParent->RequestLayout();
    m_pParent->Repaint();
  } else {
    RequestLayout();
  }
  if (m_pManager) m_pManager->MarkLayoutStale();
}

bool CControlUI::IsLayoutStale() const { return m_bUpdateNeeded; }

// --- Painting
// -------------------------------------------------------------------------------------

void CControlUI::Paint(HDC hDC, const RECT& rcPaint) {
  if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
  ClipScope roundClip;
  if (HasRound(m_cxyBorderRound)) {
    ClipScope::ClipToRoundRect(hDC, m_rcPaint, m_rcItem, m_cxyBorderRound.cx, m_cxyBorderRound.cy,
                               roundClip);
  }
  PaintBkColor(hDC);
  PaintBkImage(hDC);
  PaintStatusImage(hDC);
  PaintText(hDC);
  PaintBorder(hDC);
}

void CControlUI::PaintBkColor(HDC hDC) {
  if (m_dwBackColor == 0) return;
  if (m_dwBackColor2 == 0) {
    // An opaque colour covers exactly what is painted; a translucent one is laid over the
    // whole control once, under the current clip, so that it does not build up.
    const RECT& rc = m_dwBackColor >= 0xFF000000 ? m_rcPaint : m_rcItem;
    CDrawEngine::FillColor(hDC, rc, AdjustedColor(m_dwBackColor));
    return;
  }
  if (m_dwBackColor3 != 0) {
    const LONG middle = static_cast<LONG>((int64_t{m_rcItem.top} + m_rcItem.bottom) / 2);
    RECT rcUpper = m_rcItem;
    rcUpper.bottom = middle;
    RECT rcLower = m_rcItem;
    rcLower.top = middle;
    CDrawEngine::FillGradient(hDC, rcUpper, AdjustedColor(m_dwBackColor),
                              AdjustedColor(m_dwBackColor2), true, 8);
    CDrawEngine::FillGradient(hDC, rcLower, AdjustedColor(m_dwBackColor2),
                              AdjustedColor(m_dwBackColor3), true, 8);
    return;
  }
  CDrawEngine::FillGradient(hDC, m_rcItem, AdjustedColor(m_dwBackColor),
                            AdjustedColor(m_dwBackColor2), true, 16);
}

void CControlUI::PaintBkImage(HDC hDC) {
  if (m_sBkImage.IsEmpty()) return;
  if (!DrawImageAttr(hDC, m_sBkImage)) m_sBkImage.Empty();
}

void CControlUI::PaintStatusImage(HDC /*hDC*/) {}
void CControlUI::PaintText(HDC /*hDC*/) {}

void CControlUI::PaintBorder(HDC hDC) {
  if (m_nBorderSize <= 0) return;
  const DWORD dwColor = AdjustedColor(m_bFocused && m_dwFocusBorderColor != 0 ? m_dwFocusBorderColor
                                                                              : m_dwBorderColor);
  if (HasRound(m_cxyBorderRound)) {
    CDrawEngine::DrawRoundRectFrame(hDC, m_rcItem, m_cxyBorderRound.cx, m_cxyBorderRound.cy,
                                    m_nBorderSize, dwColor);
  } else {
    CDrawEngine::DrawRectFrame(hDC, m_rcItem, m_nBorderSize, dwColor);
  }
}

void CControlUI::PaintOverlay(HDC /*hDC*/, const RECT& /*rcPaint*/) {}

bool CControlUI::DrawImageAttr(HDC hDC, LPCWSTR pStrImage, LPCWSTR pStrModify) {
  return CDrawEngine::DrawImageAttribute(hDC, m_pManager, m_rcItem, m_rcPaint, pStrImage,
                                         pStrModify);
}

DWORD CControlUI::AdjustedColor(DWORD dwColor) const {
  if (!m_bColorHSL) return dwColor;
  short H = 180, S = 100, L = 100;
  CPaintManagerUI::HueShift(&H, &S, &L);
  return CDrawEngine::AdjustColor(dwColor, H, S, L);
}

// --- Colours, image, border -------------------------------------------------------------------

// Stores a changed value and repaints; an unchanged one costs nothing.
template <typename T>
static void StoreAndRepaint(CControlUI* pControl, T& field, const T& value) {
  if (field == value) return;
  field = value;
  pControl->Repaint();
}

DWORD CControlUI::GetBkColor() const { return m_dwBackColor; }
void CControlUI::SetBkColor(DWORD dwColor) { StoreAndRepaint(this, m_dwBackColor, dwColor); }
DWORD CControlUI::GetBkColor2() const { return m_dwBackColor2; }
void CControlUI::SetBkColor2(DWORD dwColor) { StoreAndRepaint(this, m_dwBackColor2, dwColor); }
DWORD CControlUI::GetBkColor3() const { return m_dwBackColor3; }
void CControlUI::SetBkColor3(DWORD dwColor) { StoreAndRepaint(this, m_dwBackColor3, dwColor); }
LPCWSTR CControlUI::GetBkImage() const { return m_sBkImage; }

void CControlUI::SetBkImage(LPCWSTR pStrImage) {
  if (m_sBkImage == OrEmpty(pStrImage)) return;
  m_sBkImage = OrEmpty(pStrImage);
  Repaint();
}

DWORD CControlUI::GetBorderColor() const { return m_dwBorderColor; }
void CControlUI::SetBorderColor(DWORD dwColor) { StoreAndRepaint(this, m_dwBorderColor, dwColor); }
DWORD CControlUI::GetFocusBorderColor() const { return m_dwFocusBorderColor; }
void CControlUI::SetFocusBorderColor(DWORD dwColor) {
  StoreAndRepaint(this, m_dwFocusBorderColor, dwColor);
}
bool CControlUI::IsColorHSL() const { return m_bColorHSL; }
void CControlUI::SetColorHSL(bool bColorHSL) { StoreAndRepaint(this, m_bColorHSL, bColorHSL); }
int CControlUI::GetBorderSize() const { return m_nBorderSize; }
void CControlUI::SetBorderSize(int nSize) { StoreAndRepaint(this, m_nBorderSize, nSize); }
SIZE CControlUI::GetBorderRound() const { return m_cxyBorderRound; }

void CControlUI::SetBorderRound(SIZE cxyRound) {
  m_cxyBorderRound = cxyRound;
  Repaint();
}

}  // namespace SkinUI
