// The paint manager's tree: the root, the name registry, hit-testing, the layout pass and
// painting through the offscreen surface (WM_PAINT, WM_PRINTCLIENT, WM_GETMINMAXINFO).

#include "Core/UIControl.h"
#include "Core/UIManager.h"

namespace SkinUI {

namespace {

void DeleteSurface(HDC& hDC, HBITMAP& hBitmap) {
  if (hDC) ::DeleteDC(hDC);
  if (hBitmap) ::DeleteObject(hBitmap);
  hDC = nullptr;
  hBitmap = nullptr;
}

bool CreateSurface(HDC hDcWindow, const RECT& rcClient, HDC& hDC, HBITMAP& hBitmap) {
  hDC = ::CreateCompatibleDC(hDcWindow);
  hBitmap = ::CreateCompatibleBitmap(hDcWindow, rcClient.right - rcClient.left,
                                     rcClient.bottom - rcClient.top);
  return hDC != nullptr && hBitmap != nullptr;
}

void CopyArea(HDC hDcTo, HDC hDcFrom, const RECT& rc) {
  ::BitBlt(hDcTo, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hDcFrom, rc.left, rc.top,
           SRCCOPY);
}

CControlUI* CALLBACK CountControl(CControlUI* /*pControl*/, LPVOID pData) {
  ++*static_cast<int*>(pData);
  return nullptr;
}

CControlUI* CALLBACK FirstStaleControl(CControlUI* pControl, LPVOID /*pData*/) {
  return pControl->IsLayoutStale() ? pControl : nullptr;
}

CControlUI* CALLBACK ControlContainingPoint(CControlUI* pControl, LPVOID pData) {
  return ::PtInRect(&pControl->GetPos(), *static_cast<const POINT*>(pData)) ? pControl : nullptr;
}

}  // namespace

// --- Tree and names
// -------------------------------------------------------------------------------

bool CPaintManagerUI::AttachRoot(CControlUI* pControl) {
  ASSERT(::IsWindow(m_hWndPaint));
  SetFocusControl(nullptr);
  m_pEventKey = nullptr;
  m_pEventHover = nullptr;
  m_pEventClick = nullptr;
  if (m_pRoot) {
    m_aPostPaintControls.Empty();
    // The old tree lives until the cleanup message but can no longer be found by name.
    m_mNameHash.RemoveAll();
    DeferDelete(m_pRoot);
  }
  m_pRoot = pControl;
  m_bLayoutPending = true;
  m_bFirstLayout = true;
  m_bFocusNeeded = true;
  return RegisterControls(pControl, nullptr);
}

bool CPaintManagerUI::RegisterControls(CControlUI* pControl, CControlUI* pParent) {
  ASSERT(pControl);
  if (!pControl) return false;
  pControl->AttachManager(this, pParent ? pParent : pControl->GetParent(), true);
  // Visited in tree order, so of two controls with one name the later one is kept.
  auto registerName = [](CControlUI* pVisited, LPVOID pData) -> CControlUI* {
    CPaintManagerUI* pManager = static_cast<CPaintManagerUI*>(pData);
    const CUIString name = pVisited->GetName();
    if (!name.IsEmpty()) pManager->m_mNameHash.Set(name, pVisited);
    return nullptr;
  };
  pControl->FindControl(registerName, this, UIFIND_ALL);
  return true;
}

CControlUI* CPaintManagerUI::FindControlAt(POINT pt) const {
  if (!m_pRoot) return nullptr;
  return m_pRoot->FindControl(ControlContainingPoint, &pt,
                              UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindControlByName(LPCWSTR pstrName) const {
  if (!m_pRoot || !pstrName) return nullptr;
  return static_cast<CControlUI*>(m_mNameHash.Find(pstrName));
}

void CPaintManagerUI::MarkLayoutStale() { m_bLayoutPending = true; }

void CPaintManagerUI::InvalidateArea(const RECT& rcItem) {
  ::InvalidateRect(m_hWndPaint, &rcItem, FALSE);
}

bool CPaintManagerUI::AddOverlayControl(CControlUI* pControl) {
  ASSERT(m_aPostPaintControls.Find(pControl) < 0);
  if (!pControl || m_aPostPaintControls.Find(pControl) >= 0) return false;
  return m_aPostPaintControls.Add(pControl);
}

bool CPaintManagerUI::RemoveOverlayControl(CControlUI* pControl) {
  const int index = m_aPostPaintControls.Find(pControl);
  return index >= 0 && m_aPostPaintControls.Remove(index);
}

// --- Layout -------------------------------------------------------------------------------------

void CPaintManagerUI::RunLayoutPass() {
  m_bLayoutPending = false;
  RECT rcClient = {0, 0, 0, 0};
  ::GetClientRect(m_hWndPaint, &rcClient);
  if (::IsRectEmpty(&rcClient)) return;
  if (m_pRoot->IsLayoutStale()) {
    m_pRoot->SetPos(rcClient);
    // Both surfaces follow the client size.
    DeleteSurface(m_hDcOffscreen, m_hbmpOffscreen);
    DeleteSurface(m_hDcBackground, m_hbmpBackground);
  } else {
    // A control whose SetPos leaves it stale (or makes another one stale again and again) must
    // not hang the window: one pass re-places at most as many controls as the tree holds.
    int nControls = 0;
    m_pRoot->FindControl(CountControl, &nControls, UIFIND_ALL);
    for (int n = 0; n <= nControls; n++) {
      CControlUI* pControl =
          m_pRoot->FindControl(FirstStaleControl, nullptr, UIFIND_VISIBLE | UIFIND_ME_FIRST);
      if (!pControl) break;
      pControl->SetPos(pControl->GetPos());
    }
  }
  if (m_bFirstLayout) {
    m_bFirstLayout = false;
    SendNotification(m_pRoot, TEXT("windowinit"), 0, 0, false);
  }
}

// --- Painting -----------------------------------------------------------------------------------

bool CPaintManagerUI::OnPaint(LRESULT& lRes) {
  lRes = 0;
  RECT rcUpdate = {0, 0, 0, 0};
  if (!::GetUpdateRect(m_hWndPaint, &rcUpdate, FALSE)) return true;
  if (!m_pRoot) {
    PAINTSTRUCT ps = {};
    ::BeginPaint(m_hWndPaint, &ps);
    ::EndPaint(m_hWndPaint, &ps);
    return true;
  }
  if (m_bLayoutPending) RunLayoutPass();
  if (m_bFocusNeeded) MoveFocus(true);

  RECT rcClient = {0, 0, 0, 0};
  ::GetClientRect(m_hWndPaint, &rcClient);
  if (!m_hDcOffscreen) {
    const bool bCreated = CreateSurface(m_hDcPaint, rcClient, m_hDcOffscreen, m_hbmpOffscreen);
    ASSERT(m_hDcOffscreen);
    ASSERT(m_hbmpOffscreen);
    (void)bCreated;
  }

  PAINTSTRUCT ps = {};
  ::BeginPaint(m_hWndPaint, &ps);
  m_hbmpOffscreenOld = static_cast<HBITMAP>(::SelectObject(m_hDcOffscreen, m_hbmpOffscreen));
  const int iSaved = ::SaveDC(m_hDcOffscreen);
  if (m_bLayeredBackground) {
    if (!m_hDcBackground) {
      const bool bCreated = CreateSurface(m_hDcPaint, rcClient, m_hDcBackground, m_hbmpBackground);
      ASSERT(m_hDcBackground);
      ASSERT(m_hbmpBackground);
      (void)bCreated;
      m_hbmpBackgroundOld = static_cast<HBITMAP>(::SelectObject(m_hDcBackground, m_hbmpBackground));
      // Erasing is suppressed, so the window still shows what lies under it.
      CopyArea(m_hDcBackground, ps.hdc, ps.rcPaint);
    } else {
      ::SelectObject(m_hDcBackground, m_hbmpBackground);
    }
    CopyArea(m_hDcOffscreen, m_hDcBackground, ps.rcPaint);
  }

  m_pRoot->Paint(m_hDcOffscreen, ps.rcPaint);
  for (int i = 0; i < m_aPostPaintControls.GetSize(); i++) {
    static_cast<CControlUI*>(m_aPostPaintControls[i])->PaintOverlay(m_hDcOffscreen, ps.rcPaint);
  }

  ::RestoreDC(m_hDcOffscreen, iSaved);
  CopyArea(ps.hdc, m_hDcOffscreen, ps.rcPaint);
  ::SelectObject(m_hDcOffscreen, m_hbmpOffscreenOld);

  if (m_bShowDirty) {
    HPEN hOldPen = static_cast<HPEN>(::SelectObject(ps.hdc, DirtyOutlinePen()));
    HGDIOBJ hOldBrush = ::SelectObject(ps.hdc, ::GetStockObject(HOLLOW_BRUSH));
    ::Rectangle(ps.hdc, rcUpdate.left, rcUpdate.top, rcUpdate.right, rcUpdate.bottom);
    ::SelectObject(ps.hdc, hOldBrush);
    ::SelectObject(ps.hdc, hOldPen);
  }
  ::EndPaint(m_hWndPaint, &ps);
  // Something asked for layout while the tree painted: paint once more after it.
  if (m_bLayoutPending) ::InvalidateRect(m_hWndPaint, nullptr, FALSE);
  return true;
}

void CPaintManagerUI::PrintClient(HDC hDC, LPARAM lParam) {
  RECT rcClient = {0, 0, 0, 0};
  ::GetClientRect(m_hWndPaint, &rcClient);
  if (m_pRoot) {
    const int iSaved = ::SaveDC(hDC);
    m_pRoot->Paint(hDC, rcClient);
    ::RestoreDC(hDC, iSaved);
  }
  if ((lParam & PRF_CHILDREN) == 0) return;
  for (HWND hChild = ::GetWindow(m_hWndPaint, GW_CHILD); hChild;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    RECT rcPos = {0, 0, 0, 0};
    ::GetWindowRect(hChild, &rcPos);
    ::MapWindowPoints(HWND_DESKTOP, m_hWndPaint, reinterpret_cast<LPPOINT>(&rcPos), 2);
    const int iSaved = ::SaveDC(hDC);
    ::SetWindowOrgEx(hDC, -rcPos.left, -rcPos.top, nullptr);
    ::SendMessageW(hChild, WM_PRINT, reinterpret_cast<WPARAM>(hDC), lParam | PRF_NONCLIENT);
    ::RestoreDC(hDC, iSaved);
  }
}

void CPaintManagerUI::GetMinMaxInfo(MINMAXINFO* pInfo) const {
  if (!pInfo) return;
  if (m_szMinWindow.cx > 0) pInfo->ptMinTrackSize.x = m_szMinWindow.cx;
  if (m_szMinWindow.cy > 0) pInfo->ptMinTrackSize.y = m_szMinWindow.cy;
  if (m_szMaxWindow.cx > 0) pInfo->ptMaxTrackSize.x = m_szMaxWindow.cx;
  if (m_szMaxWindow.cy > 0) pInfo->ptMaxTrackSize.y = m_szMaxWindow.cy;
}

}  // namespace SkinUI
