// The paint manager's life: construction and destruction, window attachment, the lifetime of
// controls (forgetting, releasing, deferred deletion) and the clearing of its resource tables.

#include "Core/UIControl.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

namespace {

HPEN g_hDirtyPen = nullptr;

// Once per process: the dirty-outline pen, the common controls and the library that provides
// alpha blending and gradients to the drawing engine.
void InitProcessResources() {
  if (g_hDirtyPen) return;
  g_hDirtyPen = CreatePen(PS_SOLID, 1, RGB(220, 0, 0));
  InitCommonControls();
  LoadLibraryW(TEXT("msimg32.dll"));
}

}  // namespace

HPEN CPaintManagerUI::DirtyOutlinePen() { return g_hDirtyPen; }

CPtrArrayUI& CPaintManagerUI::Managers() {
  static CPtrArrayUI managers;
  return managers;
}

CPaintManagerUI::CPaintManagerUI() {
  LOGFONTW lf = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTW), &lf);
  lf.lfCharSet = DEFAULT_CHARSET;
  m_DefaultFontInfo.hFont = CreateFontIndirectW(&lf);
  m_DefaultFontInfo.sFontName = lf.lfFaceName;
  m_DefaultFontInfo.iSize = -lf.lfHeight;
  m_DefaultFontInfo.bBold = lf.lfWeight >= FW_BOLD;
  m_DefaultFontInfo.bUnderline = lf.lfUnderline != 0;
  m_DefaultFontInfo.bItalic = lf.lfItalic != 0;
  InitProcessResources();
}

CPaintManagerUI::~CPaintManagerUI() {
  for (int i = 0; i < m_aDelayedCleanup.GetSize(); i++) {
    delete static_cast<CControlUI*>(m_aDelayedCleanup[i]);
  }
  m_aDelayedCleanup.Empty();
  for (int i = 0; i < m_aAsyncNotify.GetSize(); i++) {
    delete static_cast<TNotifyMsg*>(m_aAsyncNotify[i]);
  }
  m_aAsyncNotify.Empty();
  m_mNameHash.Resize(0);
  CControlUI* root = m_pRoot;
  m_pRoot = nullptr;
  delete root;
  if (m_DefaultFontInfo.hFont) DeleteObject(m_DefaultFontInfo.hFont);
  m_DefaultFontInfo.hFont = nullptr;
  ClearFonts();
  ClearImages();
  ClearDefaultAttributes();
  ClearGroups();
  StopAllTimers();
  if (m_hwndTooltip) DestroyWindow(m_hwndTooltip);
  m_hwndTooltip = nullptr;
  if (m_hDcOffscreen) DeleteDC(m_hDcOffscreen);
  if (m_hDcBackground) DeleteDC(m_hDcBackground);
  if (m_hbmpOffscreen) DeleteObject(m_hbmpOffscreen);
  if (m_hbmpBackground) DeleteObject(m_hbmpBackground);
  if (m_hDcPaint) ReleaseDC(m_hWndPaint, m_hDcPaint);
  Managers().Remove(Managers().Find(this));
}

void CPaintManagerUI::AttachWindow(HWND hWnd) {
  ASSERT(IsWindow(hWnd));
  m_hWndPaint = hWnd;
  m_hDcPaint = GetDC(hWnd);
  if (Managers().Find(this) < 0) Managers().Add(this);
}

// --- Control lifetime ---------------------------------------------------------------------------

void CPaintManagerUI::ForgetControl(CControlUI* pControl) {
  if (!pControl) return;
  ReleaseControl(pControl);
  const CUIString name = pControl->GetName();
  if (!name.IsEmpty() && m_mNameHash.Find(name, false) == pControl) m_mNameHash.Remove(name);
  for (int i = 0; i < m_aAsyncNotify.GetSize(); i++) {
    TNotifyMsg* pMsg = static_cast<TNotifyMsg*>(m_aAsyncNotify[i]);
    if (pMsg->pSender == pControl) pMsg->pSender = nullptr;
  }
  m_aPostPaintControls.Remove(m_aPostPaintControls.Find(pControl));
}

void CPaintManagerUI::ReleaseControl(CControlUI* pControl) {
  if (!pControl) return;
  if (pControl == m_pEventKey) m_pEventKey = nullptr;
  if (pControl == m_pEventHover) m_pEventHover = nullptr;
  if (pControl == m_pEventClick) m_pEventClick = nullptr;
  if (pControl == m_pFocus) m_pFocus = nullptr;
  StopTimers(pControl);
}

void CPaintManagerUI::DeferDelete(CControlUI* pControl) {
  if (!pControl) return;
  pControl->AttachManager(this, nullptr, false);
  m_aDelayedCleanup.Add(pControl);
  PostMessageW(m_hWndPaint, WM_UI_DEFERRED_DELETE, 0, 0);
}

// --- Clearing the resource tables -----------------------------------------------------------

void CPaintManagerUI::ClearFonts() {
  for (int i = 0; i < m_aCustomFonts.GetSize(); i++) {
    TFontEntry* pEntry = static_cast<TFontEntry*>(m_aCustomFonts[i]);
    DeleteObject(pEntry->hFont);
    delete pEntry;
  }
  m_aCustomFonts.Empty();
}

void CPaintManagerUI::ClearImages() {
  for (int i = 0; i < m_mImageHash.GetSize(); i++) {
    LPCWSTR key = m_mImageHash.GetAt(i);
    if (!key) continue;
    CDrawEngine::FreeSkinImage(static_cast<TImageEntry*>(m_mImageHash.Find(key, false)));
  }
  m_mImageHash.RemoveAll();
}

void CPaintManagerUI::ClearDefaultAttributes() {
  for (int i = 0; i < m_DefaultAttrHash.GetSize(); i++) {
    LPCWSTR key = m_DefaultAttrHash.GetAt(i);
    if (!key) continue;
    delete static_cast<CUIString*>(m_DefaultAttrHash.Find(key, false));
  }
  m_DefaultAttrHash.RemoveAll();
}

void CPaintManagerUI::ClearGroups() {
  for (int i = 0; i < m_mOptionGroup.GetSize(); i++) {
    LPCWSTR key = m_mOptionGroup.GetAt(i);
    if (!key) continue;
    delete static_cast<CPtrArrayUI*>(m_mOptionGroup.Find(key, false));
  }
  m_mOptionGroup.RemoveAll();
}

}  // namespace SkinUI
