// CContainerUI without its scrolling operations (those are in UIContainerScroll.cpp): children,
// their attachment and visibility, placement, floating children, hit-testing, the clipped paint
// and the container attributes.

#include "Core/UIContainer.h"

#include <cstdint>

#include "Core/UIAttrValue.h"
#include "Core/UIAttributeTable.h"
#include "Core/UIGeometry.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"
#include "Core/UIScrollBar.h"

namespace SkinUI {

namespace {

bool Meets(const RECT& a, const RECT& b) {
  RECT rc;
  return ::IntersectRect(&rc, &a, &b) != FALSE;
}

bool IsActiveBar(const CScrollBarUI* pBar) {
  return pBar && pBar->IsVisible() && pBar->IsEnabled();
}

// One axis of a floating child: from the near edge when the offset is not negative, else back
// from the far edge.
void PlaceAxis(LONG nearEdge, LONG farEdge, LONG offset, LONG size, LONG& lo, LONG& hi) {
  if (offset >= 0) {
    lo = Saturated(LONGLONG{nearEdge} + offset);
    hi = Saturated(LONGLONG{lo} + size);
  } else {
    lo = Saturated(LONGLONG{farEdge} + offset - size);
    hi = Saturated(LONGLONG{farEdge} + offset);
  }
}

}  // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
  // Children go now: the manager may be destroying the whole tree.
  m_bDelayedDestroy = false;
  RemoveAll();
  delete m_pVerticalScrollBar;
  m_pVerticalScrollBar = nullptr;
  delete m_pHorizontalScrollBar;
  m_pHorizontalScrollBar = nullptr;
}

LPCWSTR CContainerUI::GetClassName() const { return TEXT("ContainerUI"); }

LPVOID CContainerUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("IContainer"))) return static_cast<IContainerUI*>(this);
  if (UIStrEqual(pstrName, TEXT("Container"))) return static_cast<CContainerUI*>(this);
  return CControlUI::GetInterfaceByName(pstrName);
}

// --- Children ---------------------------------------------------------------------------------

CControlUI* CContainerUI::GetItemAt(int iIndex) const {
  if (iIndex < 0 || iIndex >= m_items.GetSize()) return nullptr;
  return static_cast<CControlUI*>(m_items[iIndex]);
}

int CContainerUI::GetItemIndex(CControlUI* pControl) const { return m_items.Find(pControl); }

bool CContainerUI::SetItemIndex(CControlUI* pControl, int iIndex) {
  const int iOld = m_items.Find(pControl);
  if (iOld < 0) return false;
  RequestLayout();
  m_items.Remove(iOld);
  return m_items.InsertAt(iIndex, pControl);
}

int CContainerUI::GetCount() const { return m_items.GetSize(); }

bool CContainerUI::Add(CControlUI* pControl) {
  if (!pControl) return false;
  if (m_pManager) m_pManager->RegisterControls(pControl, this);
  if (IsVisible()) {
    RequestLayout();
  } else {
    pControl->SetParentVisible(false);
  }
  return m_items.Add(pControl);
}

bool CContainerUI::AddAt(CControlUI* pControl, int iIndex) {
  if (!pControl) return false;
  if (m_pManager) m_pManager->RegisterControls(pControl, this);
  if (IsVisible()) {
    RequestLayout();
  } else {
    pControl->SetParentVisible(false);
  }
  return m_items.InsertAt(iIndex, pControl);
}

// Ends a removed child's life: after the current message when deferred, else at once.
static void DeleteChild(CPaintManagerUI* pManager, bool bDeferred, CControlUI* pControl) {
  if (bDeferred && pManager) {
    pManager->DeferDelete(pControl);
  } else {
    delete pControl;
  }
}

bool CContainerUI::Remove(CControlUI* pControl) {
  if (!pControl) return false;
  const int index = m_items.Find(pControl);
  if (index < 0) return false;
  RequestLayout();
  if (m_bAutoDestroy) DeleteChild(m_pManager, m_bDelayedDestroy, pControl);
  return m_items.Remove(index);
}

bool CContainerUI::RemoveAt(int iIndex) {
  CControlUI* pControl = GetItemAt(iIndex);
  return pControl && Remove(pControl);
}

void CContainerUI::RemoveAll() {
  for (int i = 0; m_bAutoDestroy && i < m_items.GetSize(); i++) {
    DeleteChild(m_pManager, m_bDelayedDestroy, static_cast<CControlUI*>(m_items[i]));
  }
  m_items.Empty();
  RequestLayout();
}

void CContainerUI::AttachManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
  for (int i = 0; i < m_items.GetSize(); i++) {
    static_cast<CControlUI*>(m_items[i])->AttachManager(pManager, this, bInit);
  }
  if (m_pVerticalScrollBar) m_pVerticalScrollBar->AttachManager(pManager, this, bInit);
  if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->AttachManager(pManager, this, bInit);
  CControlUI::AttachManager(pManager, pParent, bInit);
}

// --- State --------------------------------------------------------------------------------------

void CContainerUI::SetVisible(bool bVisible) {
  if (m_bVisible == bVisible) return;
  CControlUI::SetVisible(bVisible);
  for (int i = 0; i < m_items.GetSize(); i++) {
    static_cast<CControlUI*>(m_items[i])->SetParentVisible(IsVisible());
  }
}

void CContainerUI::SetParentVisible(bool bVisible) {
  CControlUI::SetParentVisible(bVisible);
  for (int i = 0; i < m_items.GetSize(); i++) {
    static_cast<CControlUI*>(m_items[i])->SetParentVisible(IsVisible());
  }
}

void CContainerUI::SetMouseEnabled(bool bEnable) {
  if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetMouseEnabled(bEnable);
  if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->SetMouseEnabled(bEnable);
  CControlUI::SetMouseEnabled(bEnable);
}

RECT CContainerUI::GetInset() const { return m_rcInset; }

void CContainerUI::SetInset(RECT rcInset) {
  m_rcInset = rcInset;
  RequestLayout();
}

int CContainerUI::GetChildPadding() const { return m_iChildPadding; }

void CContainerUI::SetChildPadding(int iPadding) {
  m_iChildPadding = iPadding;
  RequestLayout();
}

bool CContainerUI::IsAutoDelete() const { return m_bAutoDestroy; }
void CContainerUI::SetAutoDelete(bool bAuto) { m_bAutoDestroy = bAuto; }
bool CContainerUI::IsDeferredDelete() const { return m_bDelayedDestroy; }
void CContainerUI::SetDeferredDelete(bool bDelayed) { m_bDelayedDestroy = bDelayed; }
bool CContainerUI::IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
void CContainerUI::SetMouseChildEnabled(bool bEnable) { m_bMouseChildEnabled = bEnable; }

// --- Placement ----------------------------------------------------------------------------------

RECT CContainerUI::InnerRect() const {
  RECT rc = Inset(m_rcItem, m_rcInset);
  if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) {
    rc.right = Saturated(LONGLONG{rc.right} - m_pVerticalScrollBar->GetFixedWidth());
  }
  if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible()) {
    rc.bottom = Saturated(LONGLONG{rc.bottom} - m_pHorizontalScrollBar->GetFixedHeight());
  }
  return rc;
}

void CContainerUI::SetPos(RECT rc) {
  CControlUI::SetPos(rc);
  if (m_items.IsEmpty()) return;
  const RECT rcInner = Inset(m_rcItem, m_rcInset);
  for (int i = 0; i < m_items.GetSize(); i++) {
    CControlUI* pControl = static_cast<CControlUI*>(m_items[i]);
    if (!pControl->IsVisible()) continue;
    if (pControl->IsFloat()) {
      PlaceFloatChild(i);
    } else {
      pControl->SetPos(rcInner);
    }
  }
}

void CContainerUI::PlaceFloatChild(int iIndex) {
  CControlUI* pControl = GetItemAt(iIndex);
  if (!pControl || !pControl->IsVisible() || !pControl->IsFloat()) return;
  const SIZE xy = pControl->GetFixedXY();
  const SIZE sz = {pControl->GetFixedWidth(), pControl->GetFixedHeight()};
  RECT rc;
  PlaceAxis(m_rcItem.left, m_rcItem.right, xy.cx, sz.cx, rc.left, rc.right);
  PlaceAxis(m_rcItem.top, m_rcItem.bottom, xy.cy, sz.cy, rc.top, rc.bottom);
  if (pControl->IsRelativePos()) {
    const TRelativePosUI rel = pControl->GetRelativePos();
    const SIZE szParent = {Saturated(LONGLONG{m_rcItem.right} - m_rcItem.left),
                           Saturated(LONGLONG{m_rcItem.bottom} - m_rcItem.top)};
    // The first placement only records the parent size: there is nothing to follow yet.
    if (rel.szParent.cx != 0) {
      const int64_t dx = int64_t{szParent.cx} - rel.szParent.cx;
      const int64_t dy = int64_t{szParent.cy} - rel.szParent.cy;
      rc.left = Saturated(rc.left + dx * rel.nMoveXPercent / 100);
      rc.top = Saturated(rc.top + dy * rel.nMoveYPercent / 100);
      rc.right = Saturated(rc.left + int64_t{sz.cx} + dx * rel.nZoomXPercent / 100);
      rc.bottom = Saturated(rc.top + int64_t{sz.cy} + dy * rel.nZoomYPercent / 100);
    }
    pControl->SetRelativeParentSize(szParent);
  }
  pControl->SetPos(rc);
}

// --- Hit-testing
// ----------------------------------------------------------------------------------

CControlUI* CContainerUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
  if ((uFlags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((uFlags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  const bool bHitTest = (uFlags & UIFIND_HITTEST) != 0;
  const POINT* pt = bHitTest ? static_cast<const POINT*>(pData) : nullptr;
  if (bHitTest) {
    if (!::PtInRect(&m_rcItem, *pt)) return nullptr;
    if (!m_bMouseChildEnabled) {
      CControlUI* pResult = nullptr;
      if (m_pVerticalScrollBar) pResult = m_pVerticalScrollBar->FindControl(Proc, pData, uFlags);
      if (!pResult && m_pHorizontalScrollBar) {
        pResult = m_pHorizontalScrollBar->FindControl(Proc, pData, uFlags);
      }
      if (!pResult) pResult = CControlUI::FindControl(Proc, pData, uFlags);
      return pResult;
    }
  }
  CControlUI* pResult = nullptr;
  if (m_pVerticalScrollBar) pResult = m_pVerticalScrollBar->FindControl(Proc, pData, uFlags);
  if (!pResult && m_pHorizontalScrollBar) {
    pResult = m_pHorizontalScrollBar->FindControl(Proc, pData, uFlags);
  }
  if (pResult) return pResult;

  const bool bMeFirst = (uFlags & UIFIND_ME_FIRST) != 0;
  if (bMeFirst) {
    pResult = CControlUI::FindControl(Proc, pData, uFlags);
    if (pResult) return pResult;
  }
  const RECT rcInner = InnerRect();
  const int count = m_items.GetSize();
  const bool bTopFirst = (uFlags & UIFIND_TOP_FIRST) != 0;
  for (int n = 0; n < count; n++) {
    const int i = bTopFirst ? count - 1 - n : n;
    pResult = static_cast<CControlUI*>(m_items[i])->FindControl(Proc, pData, uFlags);
    if (!pResult) continue;
    // Floating children may lie outside the inner rectangle and are still hit there.
    if (!bHitTest || pResult->IsFloat() || ::PtInRect(&rcInner, *pt)) return pResult;
  }
  if (!bMeFirst) return CControlUI::FindControl(Proc, pData, uFlags);
  return nullptr;
}

// --- Events
// ---------------------------------------------------------------------------------------

void CContainerUI::HandleEvent(TUIEvent& event) {
  if (!m_bMouseEnabled && IsMouseEvent(event.Type)) {
    if (m_pParent) {
      m_pParent->HandleEvent(event);
    } else {
      CControlUI::HandleEvent(event);
    }
    return;
  }
  if (event.Type == EventSetFocus) {
    m_bFocused = true;
    return;
  }
  if (event.Type == EventKillFocus) {
    m_bFocused = false;
    return;
  }
  const bool bVertical = IsActiveBar(m_pVerticalScrollBar);
  if (bVertical || IsActiveBar(m_pHorizontalScrollBar)) {
    if (event.Type == EventKeyDown) {
      switch (event.chKey) {
        case VK_PRIOR: bVertical ? PageUp() : PageLeft(); return;
        case VK_NEXT: bVertical ? PageDown() : PageRight(); return;
        case VK_END: bVertical ? ScrollToBottom() : ScrollToRightEnd(); return;
        case VK_HOME: bVertical ? ScrollToTop() : ScrollToLeftEnd(); return;
        case VK_UP: bVertical ? LineUp() : LineLeft(); return;
        case VK_DOWN: bVertical ? LineDown() : LineRight(); return;
        default: break;
      }
    } else if (event.Type == EventScrollWheel) {
      switch (LOWORD(event.wParam)) {
        case 0: bVertical ? LineUp() : LineLeft(); return;
        case 1: bVertical ? LineDown() : LineRight(); return;
        default: break;
      }
    }
  }
  CControlUI::HandleEvent(event);
}

// --- Attributes
// -----------------------------------------------------------------------------------

namespace {

void ApplyVerticalBar(CContainerUI& c, LPCWSTR pstrValue) {
  c.EnableScrollBars(UIParseBool(pstrValue), c.GetHorizontalScrollBar() != nullptr);
}

void ApplyHorizontalBar(CContainerUI& c, LPCWSTR pstrValue) {
  c.EnableScrollBars(c.GetVerticalScrollBar() != nullptr, UIParseBool(pstrValue));
}

// A bar style turns the bar on and passes the attribute list to it.
void ApplyVerticalBarStyle(CContainerUI& c, LPCWSTR pstrValue) {
  c.EnableScrollBars(true, c.GetHorizontalScrollBar() != nullptr);
  if (CScrollBarUI* pBar = c.GetVerticalScrollBar()) pBar->ApplyAttributes(pstrValue);
}

void ApplyHorizontalBarStyle(CContainerUI& c, LPCWSTR pstrValue) {
  c.EnableScrollBars(c.GetVerticalScrollBar() != nullptr, true);
  if (CScrollBarUI* pBar = c.GetHorizontalScrollBar()) pBar->ApplyAttributes(pstrValue);
}

const TAttributeUI<CContainerUI> kContainerAttributes[] = {
    {TEXT("inset"), Parsed<&CContainerUI::SetInset, UIParseRect>},
    {TEXT("mousechild"), Parsed<&CContainerUI::SetMouseChildEnabled, UIParseBool>},
    {TEXT("vscrollbar"), ApplyVerticalBar},
    {TEXT("vscrollbarstyle"), ApplyVerticalBarStyle},
    {TEXT("hscrollbar"), ApplyHorizontalBar},
    {TEXT("hscrollbarstyle"), ApplyHorizontalBarStyle},
    {TEXT("childpadding"), Parsed<&CContainerUI::SetChildPadding, UIStrToInt>},
};

}  // namespace

void CContainerUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CControlUI>(kContainerAttributes, *this, pstrName, pstrValue);
}

// --- Painting
// -------------------------------------------------------------------------------------

void CContainerUI::Paint(HDC hDC, const RECT& rcPaint) {
  RECT rcTemp;
  if (!::IntersectRect(&rcTemp, &rcPaint, &m_rcItem)) return;
  ClipScope clip;
  ClipScope::ClipToRect(hDC, rcTemp, clip);
  CControlUI::Paint(hDC, rcPaint);

  if (!m_items.IsEmpty()) {
    const RECT rcInner = InnerRect();
    RECT rcChildren;
    if (!::IntersectRect(&rcChildren, &rcPaint, &rcInner)) {
      // Only floating children can show outside the inner rectangle.
      for (int i = 0; i < m_items.GetSize(); i++) {
        CControlUI* pControl = static_cast<CControlUI*>(m_items[i]);
        if (!pControl->IsVisible() || !Meets(rcPaint, pControl->GetPos())) continue;
        if (pControl->IsFloat() && Meets(m_rcItem, pControl->GetPos())) {
          pControl->Paint(hDC, rcPaint);
        }
      }
    } else {
      ClipScope childClip;
      ClipScope::ClipToRect(hDC, rcChildren, childClip);
      for (int i = 0; i < m_items.GetSize(); i++) {
        CControlUI* pControl = static_cast<CControlUI*>(m_items[i]);
        if (!pControl->IsVisible() || !Meets(rcPaint, pControl->GetPos())) continue;
        if (pControl->IsFloat()) {
          if (!Meets(m_rcItem, pControl->GetPos())) continue;
          ClipScope::UseOuterClipBegin(hDC, childClip);
          pControl->Paint(hDC, rcPaint);
          ClipScope::UseOuterClipEnd(hDC, childClip);
        } else if (Meets(rcInner, pControl->GetPos())) {
          pControl->Paint(hDC, rcPaint);
        }
      }
    }
  }
  CScrollBarUI* bars[] = {m_pVerticalScrollBar, m_pHorizontalScrollBar};
  for (CScrollBarUI* pBar : bars) {
    if (pBar && pBar->IsVisible() && Meets(rcPaint, pBar->GetPos())) pBar->Paint(hDC, rcPaint);
  }
}

}  // namespace SkinUI
