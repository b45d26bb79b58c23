// CScrollBarUI: geometry of the buttons and thumb, painting from the skin images with outline
// fall-backs, and the press, repeat and drag handling.

#include "Core/UIScrollBar.h"

#include "Core/UIAttrValue.h"
#include "Core/UIContainer.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

namespace {

constexpr UINT kRepeatTimerId = 10;
constexpr UINT kRepeatElapse = 50;
// A held arrow or track press starts repeating on this tick (about 300 ms after the press).
constexpr int kFirstRepeatTick = 6;
constexpr int kDefaultThickness = 16;
constexpr DWORD kFallbackFrameColor = 0x0085E4FF;
constexpr int kFallbackFrameWidth = 2;

// One part along the bar: [from, to) on the bar's axis and [crossFrom, crossTo) across it.
struct AxisSpan {
  int from, to, crossFrom, crossTo;
};

RECT ToRect(const AxisSpan& s, bool bHorizontal) {
  if (bHorizontal) return RECT{s.from, s.crossFrom, s.to, s.crossTo};
  return RECT{s.crossFrom, s.from, s.crossTo, s.to};
}

struct BarParts {
  RECT rcButton1, rcButton2, rcThumb;
};

// The arrow buttons and the thumb of a bar laid along one axis: `lo`..`hi` along it, `cross`
// the start across it, `t` the thickness. 64-bit products keep large ranges from overflowing.
BarParts LayoutParts(bool bHorizontal, int lo, int hi, int cross, int t, bool bShow1, bool bShow2,
                     int nRange, int nPos) {
  const int length = hi - lo;
  const int track = length - (bShow1 ? t : 0) - (bShow2 ? t : 0);
  AxisSpan b1 = bShow1 ? AxisSpan{lo, lo + t, cross, cross + t} : AxisSpan{lo, lo, cross, cross};
  AxisSpan b2 = {hi, hi, cross, cross};
  BarParts parts = {};
  if (t < track) {
    if (bShow2) b2 = AxisSpan{hi - t, hi, cross, cross + t};
    AxisSpan thumb = {b1.to, b2.from, cross, cross + t};
    if (nRange > 0) {
      long long len =
          static_cast<long long>(length) * track / (length + static_cast<long long>(nRange));
      if (len < t) len = t;
      const long long top = (track - len) * nPos / nRange + b1.to;
      thumb.from = static_cast<int>(top);
      thumb.to = static_cast<int>(top + len);
      if (thumb.to > b2.from) {
        thumb.from = b2.from - static_cast<int>(len);
        thumb.to = b2.from;
      }
    }
    parts.rcThumb = ToRect(thumb, bHorizontal);
  } else {
    const int s = length / 2 < t ? length / 2 : t;
    if (bShow1) b1 = AxisSpan{lo, lo + s, cross, cross + t};
    if (bShow2) b2 = AxisSpan{hi - s, hi, cross, cross + t};
  }
  parts.rcButton1 = ToRect(b1, bHorizontal);
  parts.rcButton2 = ToRect(b2, bHorizontal);
  return parts;
}

bool IsZero(const RECT& rc) {
  return rc.left == 0 && rc.top == 0 && rc.right == 0 && rc.bottom == 0;
}

}  // namespace

CScrollBarUI::CScrollBarUI() { m_cxyFixed.cx = kDefaultThickness; }

CScrollBarUI::~CScrollBarUI() = default;

LPCWSTR CScrollBarUI::GetClassName() const { return TEXT("ScrollBarUI"); }

LPVOID CScrollBarUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (pstrName && UIStrEqual(pstrName, TEXT("ScrollBar"))) return this;
  return CControlUI::GetInterfaceByName(pstrName);
}

CContainerUI* CScrollBarUI::GetOwner() const { return m_pOwner; }
void CScrollBarUI::SetOwner(CContainerUI* pOwner) { m_pOwner = pOwner; }
bool CScrollBarUI::IsHorizontal() const { return m_bHorizontal; }

void CScrollBarUI::SetHorizontal(bool bHorizontal) {
  if (m_bHorizontal == bHorizontal) return;
  m_bHorizontal = bHorizontal;
  if (bHorizontal && m_cxyFixed.cy == 0) {
    m_cxyFixed.cx = 0;
    m_cxyFixed.cy = kDefaultThickness;
  } else if (!bHorizontal && m_cxyFixed.cx == 0) {
    m_cxyFixed.cx = kDefaultThickness;
    m_cxyFixed.cy = 0;
  }
  if (m_pOwner) {
    m_pOwner->RequestLayout();
  } else {
    RequestParentLayout();
  }
}

int CScrollBarUI::GetScrollRange() const { return m_nRange; }

void CScrollBarUI::SetScrollRange(int nRange) {
  if (m_nRange == nRange) return;
  m_nRange = nRange < 0 ? 0 : nRange;
  if (m_nScrollPos > m_nRange) m_nScrollPos = m_nRange;
  SetPos(m_rcItem);
}

int CScrollBarUI::GetScrollPos() const { return m_nScrollPos; }

void CScrollBarUI::SetScrollPos(int nPos) {
  if (m_nScrollPos == nPos) return;
  m_nScrollPos = nPos < 0 ? 0 : (nPos > m_nRange ? m_nRange : nPos);
  SetPos(m_rcItem);
}

int CScrollBarUI::GetLineSize() const { return m_nLineSize; }
void CScrollBarUI::SetLineSize(int nSize) { m_nLineSize = nSize; }
bool CScrollBarUI::GetShowButton1() const { return m_bShowButton1; }

void CScrollBarUI::SetShowButton1(bool bShow) {
  m_bShowButton1 = bShow;
  SetPos(m_rcItem);
}

bool CScrollBarUI::GetShowButton2() const { return m_bShowButton2; }

void CScrollBarUI::SetShowButton2(bool bShow) {
  m_bShowButton2 = bShow;
  SetPos(m_rcItem);
}

void CScrollBarUI::SetPos(RECT rc) {
  CControlUI::SetPos(rc);
  const RECT& r = m_rcItem;
  const BarParts parts = m_bHorizontal
                             ? LayoutParts(true, r.left, r.right, r.top, m_cxyFixed.cy,
                                           m_bShowButton1, m_bShowButton2, m_nRange, m_nScrollPos)
                             : LayoutParts(false, r.top, r.bottom, r.left, m_cxyFixed.cx,
                                           m_bShowButton1, m_bShowButton2, m_nRange, m_nScrollPos);
  m_rcButton1 = parts.rcButton1;
  m_rcButton2 = parts.rcButton2;
  m_rcThumb = parts.rcThumb;
}

void CScrollBarUI::SetVisible(bool bVisible) {
  if (m_bVisible == bVisible) return;
  m_bVisible = bVisible;
  m_bFocused = false;
}

void CScrollBarUI::SetEnabled(bool bEnable) {
  CControlUI::SetEnabled(bEnable);
  if (!bEnable) {
    m_uButton1State = 0;
    m_uButton2State = 0;
    m_uThumbState = 0;
  }
}

void CScrollBarUI::SetFocus() {
  if (m_pOwner) {
    m_pOwner->SetFocus();
  } else {
    CControlUI::SetFocus();
  }
}

void CScrollBarUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  struct ImageAttr {
    LPCWSTR name;
    CUIString* images;
    int look;
  };
  const ImageAttr imageAttrs[] = {
      {TEXT("button1normalimage"), m_sButton1Image, kNormal},
      {TEXT("button1hotimage"), m_sButton1Image, kHot},
      {TEXT("button1pushedimage"), m_sButton1Image, kPushed},
      {TEXT("button1disabledimage"), m_sButton1Image, kDisabled},
      {TEXT("button2normalimage"), m_sButton2Image, kNormal},
      {TEXT("button2hotimage"), m_sButton2Image, kHot},
      {TEXT("button2pushedimage"), m_sButton2Image, kPushed},
      {TEXT("button2disabledimage"), m_sButton2Image, kDisabled},
      {TEXT("thumbnormalimage"), m_sThumbImage, kNormal},
      {TEXT("thumbhotimage"), m_sThumbImage, kHot},
      {TEXT("thumbpushedimage"), m_sThumbImage, kPushed},
      {TEXT("thumbdisabledimage"), m_sThumbImage, kDisabled},
      {TEXT("railnormalimage"), m_sRailImage, kNormal},
      {TEXT("railhotimage"), m_sRailImage, kHot},
      {TEXT("railpushedimage"), m_sRailImage, kPushed},
      {TEXT("raildisabledimage"), m_sRailImage, kDisabled},
      {TEXT("bknormalimage"), m_sBkLookImage, kNormal},
      {TEXT("bkhotimage"), m_sBkLookImage, kHot},
      {TEXT("bkpushedimage"), m_sBkLookImage, kPushed},
      {TEXT("bkdisabledimage"), m_sBkLookImage, kDisabled},
  };
  for (const ImageAttr& attr : imageAttrs) {
    if (!UIStrEqual(pstrName, attr.name)) continue;
    attr.images[attr.look] = pstrValue;
    Repaint();
    return;
  }
  if (UIStrEqual(pstrName, TEXT("hor"))) {
    SetHorizontal(UIParseBool(pstrValue));
  } else if (UIStrEqual(pstrName, TEXT("linesize"))) {
    SetLineSize(UIStrToInt(pstrValue));
  } else if (UIStrEqual(pstrName, TEXT("range"))) {
    SetScrollRange(UIStrToInt(pstrValue));
  } else if (UIStrEqual(pstrName, TEXT("value"))) {
    SetScrollPos(UIStrToInt(pstrValue));
  } else if (UIStrEqual(pstrName, TEXT("showbutton1"))) {
    SetShowButton1(UIParseBool(pstrValue));
  } else if (UIStrEqual(pstrName, TEXT("showbutton2"))) {
    SetShowButton2(UIParseBool(pstrValue));
  } else {
    CControlUI::ApplyAttribute(pstrName, pstrValue);
  }
}

// --- Painting -----------------------------------------------------------------------------------

namespace {

// The look a state word selects: disabled, then pushed, then hot, else normal.
int LookOf(UINT uState) {
  if (uState & UISTATE_DISABLED) return 3;
  if (uState & UISTATE_PUSHED) return 2;
  if (uState & UISTATE_HOT) return 1;
  return 0;
}

void RefreshDisabled(UINT& uState, bool bEnabled) {
  if (bEnabled) {
    uState &= ~static_cast<UINT>(UISTATE_DISABLED);
  } else {
    uState |= UISTATE_DISABLED;
  }
}

}  // namespace

void CScrollBarUI::Paint(HDC hDC, const RECT& rcPaint) {
  if (!IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
  PaintBk(hDC);
  PaintButton1(hDC);
  PaintButton2(hDC);
  PaintThumb(hDC);
  PaintRail(hDC);
}

// Draws the state's image, else the normal one; an image that fails to draw is emptied so it is
// not tried again. True when something was drawn.
static bool DrawLook(CControlUI& bar, HDC hDC, CUIString* images, UINT uState, LPCWSTR pModify) {
  const int look = LookOf(uState);
  if (look != 0 && !images[look].IsEmpty()) {
    if (bar.DrawImageAttr(hDC, images[look], pModify)) return true;
    images[look].Empty();
  }
  if (images[0].IsEmpty()) return false;
  if (bar.DrawImageAttr(hDC, images[0], pModify)) return true;
  images[0].Empty();
  return false;
}

void CScrollBarUI::PaintBk(HDC hDC) {
  RefreshDisabled(m_uThumbState, IsEnabled());
  DrawLook(*this, hDC, m_sBkLookImage, m_uThumbState, nullptr);
}

// The modifier that places an image over a part, relative to the bar's top-left corner.
static void SetDestModifier(CUIString& sModify, const RECT& rcPart, const RECT& rcItem) {
  sModify.SmallFormat(TEXT("dest='%d,%d,%d,%d'"), rcPart.left - rcItem.left,
                      rcPart.top - rcItem.top, rcPart.right - rcItem.left,
                      rcPart.bottom - rcItem.top);
}

// An arrow button or the thumb: its look's image, else a frame so the part stays visible.
static void PaintPart(CControlUI& bar, HDC hDC, CUIString* images, UINT& uState, const RECT& rcPart,
                      CUIString& sModify) {
  RefreshDisabled(uState, bar.IsEnabled());
  SetDestModifier(sModify, rcPart, bar.GetPos());
  if (DrawLook(bar, hDC, images, uState, sModify)) return;
  CDrawEngine::DrawRectFrame(hDC, rcPart, kFallbackFrameWidth, kFallbackFrameColor);
}

void CScrollBarUI::PaintButton1(HDC hDC) {
  if (!m_bShowButton1) return;
  PaintPart(*this, hDC, m_sButton1Image, m_uButton1State, m_rcButton1, m_sImageModify);
}

void CScrollBarUI::PaintButton2(HDC hDC) {
  if (!m_bShowButton2) return;
  PaintPart(*this, hDC, m_sButton2Image, m_uButton2State, m_rcButton2, m_sImageModify);
}

void CScrollBarUI::PaintThumb(HDC hDC) {
  if (IsZero(m_rcThumb)) return;
  PaintPart(*this, hDC, m_sThumbImage, m_uThumbState, m_rcThumb, m_sImageModify);
}

// The rail is a square of the bar's thickness centred on the thumb.
void CScrollBarUI::PaintRail(HDC hDC) {
  if (IsZero(m_rcThumb)) return;
  RefreshDisabled(m_uThumbState, IsEnabled());
  RECT rc = m_rcThumb;
  if (m_bHorizontal) {
    const int t = m_cxyFixed.cy;
    const int mid = (m_rcThumb.left + m_rcThumb.right) / 2;
    rc.left = mid - t / 2;
    rc.right = rc.left + t;
  } else {
    const int t = m_cxyFixed.cx;
    const int mid = (m_rcThumb.top + m_rcThumb.bottom) / 2;
    rc.top = mid - t / 2;
    rc.bottom = rc.top + t;
  }
  SetDestModifier(m_sImageModify, rc, m_rcItem);
  DrawLook(*this, hDC, m_sRailImage, m_uThumbState, m_sImageModify);
}

// --- Events -------------------------------------------------------------------------------------

void CScrollBarUI::HandleEvent(TUIEvent& event) {
  if (!IsMouseEnabled() && IsMouseEvent(event.Type)) {
    if (m_pOwner) {
      m_pOwner->HandleEvent(event);
    } else {
      CControlUI::HandleEvent(event);
    }
    return;
  }
  switch (event.Type) {
    case EventSetFocus:
    case EventKillFocus:
    case EventContextMenu: return;
    case EventButtonDown:
    case EventDoubleClick:
      if (!IsEnabled()) break;
      OnPress(event.ptMouse);
      return;
    case EventButtonUp: OnRelease(); return;
    case EventMouseMove: OnMouseMove(event.ptMouse); return;
    case EventTimer:
      if (event.wParam != kRepeatTimerId) break;
      OnRepeatTick();
      return;
    case EventMouseEnter:
      if (!IsEnabled()) break;
      m_uButton1State |= UISTATE_HOT;
      m_uButton2State |= UISTATE_HOT;
      if (PtInRect(&m_rcThumb, event.ptMouse)) m_uThumbState |= UISTATE_HOT;
      Repaint();
      return;
    case EventMouseLeave:
      if (!IsEnabled()) break;
      m_uButton1State &= ~static_cast<UINT>(UISTATE_HOT);
      m_uButton2State &= ~static_cast<UINT>(UISTATE_HOT);
      m_uThumbState &= ~static_cast<UINT>(UISTATE_HOT);
      Repaint();
      return;
    default: break;
  }
  if (m_pOwner) {
    m_pOwner->HandleEvent(event);
  } else {
    CControlUI::HandleEvent(event);
  }
}

void CScrollBarUI::OnPress(POINT pt) {
  m_nLastScrollOffset = 0;
  m_nScrollRepeatDelay = 0;
  if (m_pManager) m_pManager->StartTimer(this, kRepeatTimerId, kRepeatElapse);
  if (PtInRect(&m_rcButton1, pt)) {
    m_uButton1State |= UISTATE_PUSHED;
    StepLine(false);
  } else if (PtInRect(&m_rcButton2, pt)) {
    m_uButton2State |= UISTATE_PUSHED;
    StepLine(true);
  } else if (PtInRect(&m_rcThumb, pt)) {
    m_uThumbState |= UISTATE_CAPTURED | UISTATE_PUSHED;
    m_ptLastMouse = pt;
    m_nLastScrollPos = m_nScrollPos;
  } else {
    StepPageToward(pt);
  }
  NotifyScroll();
}

void CScrollBarUI::OnRelease() {
  m_nLastScrollOffset = 0;
  m_nScrollRepeatDelay = 0;
  if (m_pManager) m_pManager->StopTimer(this, kRepeatTimerId);
  const UINT captured = UISTATE_CAPTURED | UISTATE_PUSHED;
  if (m_uThumbState & UISTATE_CAPTURED) {
    m_uThumbState &= ~captured;
  } else if (m_uButton1State & UISTATE_PUSHED) {
    m_uButton1State &= ~static_cast<UINT>(UISTATE_PUSHED);
  } else if (m_uButton2State & UISTATE_PUSHED) {
    m_uButton2State &= ~static_cast<UINT>(UISTATE_PUSHED);
  } else {
    return;
  }
  Repaint();
}

// While dragging, the pointer's travel is turned into a position offset over the part of the bar
// the thumb can move in: the bar's length less the thumb and the arrow buttons that are shown.
void CScrollBarUI::OnMouseMove(POINT pt) {
  if (m_uThumbState & UISTATE_CAPTURED) {
    const int nButtons = (m_bShowButton1 ? 1 : 0) + (m_bShowButton2 ? 1 : 0);
    long long travel;
    long long span;
    if (m_bHorizontal) {
      travel = pt.x - m_ptLastMouse.x;
      span = (m_rcItem.right - m_rcItem.left) - (m_rcThumb.right - m_rcThumb.left) -
             static_cast<long long>(nButtons) * m_cxyFixed.cy;
    } else {
      travel = pt.y - m_ptLastMouse.y;
      span = (m_rcItem.bottom - m_rcItem.top) - (m_rcThumb.bottom - m_rcThumb.top) -
             static_cast<long long>(nButtons) * m_cxyFixed.cx;
    }
    m_nLastScrollOffset = span > 0 ? static_cast<int>(travel * m_nRange / span) : 0;
    return;
  }
  const bool bInThumb = PtInRect(&m_rcThumb, pt) != FALSE;
  if ((m_uThumbState & UISTATE_HOT) == 0 && IsEnabled() && bInThumb) {
    m_uThumbState |= UISTATE_HOT;
    Repaint();
  } else if ((m_uThumbState & UISTATE_HOT) != 0 && !bInThumb) {
    m_uThumbState &= ~static_cast<UINT>(UISTATE_HOT);
    Repaint();
  }
}

void CScrollBarUI::OnRepeatTick() {
  ++m_nScrollRepeatDelay;
  if (m_uThumbState & UISTATE_CAPTURED) {
    const int nPos = m_nLastScrollPos + m_nLastScrollOffset;
    if (m_pOwner) {
      const SIZE sz = m_pOwner->GetScrollPos();
      m_pOwner->SetScrollPos(m_bHorizontal ? SIZE{nPos, sz.cy} : SIZE{sz.cx, nPos});
    } else {
      SetScrollPos(nPos);
    }
    Repaint();
  } else {
    if (m_nScrollRepeatDelay < kFirstRepeatTick) return;
    if (m_uButton1State & UISTATE_PUSHED) {
      StepLine(false);
    } else if (m_uButton2State & UISTATE_PUSHED) {
      StepLine(true);
    } else {
      if (!m_pManager) return;
      POINT pt = {0, 0};
      GetCursorPos(&pt);
      ScreenToClient(m_pManager->GetPaintWindow(), &pt);
      if (!PtInRect(&m_rcThumb, pt)) StepPageToward(pt);
    }
  }
  NotifyScroll();
}

void CScrollBarUI::StepLine(bool bForward) {
  if (m_pOwner) {
    if (m_bHorizontal) {
      bForward ? m_pOwner->LineRight() : m_pOwner->LineLeft();
    } else {
      bForward ? m_pOwner->LineDown() : m_pOwner->LineUp();
    }
    return;
  }
  SetScrollPos(m_nScrollPos + (bForward ? m_nLineSize : -m_nLineSize));
}

// A press on the track pages toward the point: back when it lies before the thumb, forward when
// it lies after it.
void CScrollBarUI::StepPageToward(POINT pt) {
  const bool bBefore = m_bHorizontal ? pt.x < m_rcThumb.left : pt.y < m_rcThumb.top;
  const bool bAfter = m_bHorizontal ? pt.x > m_rcThumb.right : pt.y > m_rcThumb.bottom;
  if (!bBefore && !bAfter) return;
  if (m_pOwner) {
    if (m_bHorizontal) {
      bBefore ? m_pOwner->PageLeft() : m_pOwner->PageRight();
    } else {
      bBefore ? m_pOwner->PageUp() : m_pOwner->PageDown();
    }
    return;
  }
  const int page = m_bHorizontal ? m_rcItem.right - m_rcItem.left : m_rcItem.bottom - m_rcItem.top;
  SetScrollPos(m_nScrollPos + (bBefore ? -page : page));
}

void CScrollBarUI::NotifyScroll() {
  if (!m_pOwner && m_pManager) m_pManager->SendNotification(this, TEXT("scroll"));
}

}  // namespace SkinUI
