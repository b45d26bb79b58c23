// The paint manager's life: construction and destruction, window attachment, the listener and
// filter lists, notifications and their queue, timers, capture and the lifetime of controls.

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

bool AddUnique(CPtrArrayUI& list, LPVOID item) {
  if (!item || list.Find(item) >= 0) return false;
  return list.Add(item);
}

bool RemoveFirst(CPtrArrayUI& list, LPVOID item) {
  const int index = list.Find(item);
  return index >= 0 && list.Remove(index);
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
  RemoveFirst(Managers(), this);
}

void CPaintManagerUI::AttachWindow(HWND hWnd) {
  ASSERT(IsWindow(hWnd));
  m_hWndPaint = hWnd;
  m_hDcPaint = GetDC(hWnd);
  if (Managers().Find(this) < 0) Managers().Add(this);
}

// --- Listener, filter and accelerator lists ---------------------------------------------------

bool CPaintManagerUI::AddListener(INotifyUI* pNotifier) {
  ASSERT(m_aNotifiers.Find(pNotifier) < 0);
  return AddUnique(m_aNotifiers, pNotifier);
}

bool CPaintManagerUI::RemoveListener(INotifyUI* pNotifier) {
  return RemoveFirst(m_aNotifiers, pNotifier);
}

bool CPaintManagerUI::AddPreFilter(IMessageFilterUI* pFilter) {
  ASSERT(m_aPreMessageFilters.Find(pFilter) < 0);
  return AddUnique(m_aPreMessageFilters, pFilter);
}

bool CPaintManagerUI::RemovePreFilter(IMessageFilterUI* pFilter) {
  return RemoveFirst(m_aPreMessageFilters, pFilter);
}

bool CPaintManagerUI::AddFilter(IMessageFilterUI* pFilter) {
  ASSERT(m_aMessageFilters.Find(pFilter) < 0);
  return AddUnique(m_aMessageFilters, pFilter);
}

bool CPaintManagerUI::RemoveFilter(IMessageFilterUI* pFilter) {
  return RemoveFirst(m_aMessageFilters, pFilter);
}

bool CPaintManagerUI::AddAccelerator(ITranslateAccelerator* pTranslateAccelerator) {
  ASSERT(m_aTranslateAccelerator.Find(pTranslateAccelerator) < 0);
  return AddUnique(m_aTranslateAccelerator, pTranslateAccelerator);
}

bool CPaintManagerUI::RemoveAccelerator(ITranslateAccelerator* pTranslateAccelerator) {
  return RemoveFirst(m_aTranslateAccelerator, pTranslateAccelerator);
}

// --- Notifications ----------------------------------------------------------------------------

void CPaintManagerUI::SendNotification(CControlUI* pControl, LPCWSTR pstrMessage, WPARAM wParam,
                                       LPARAM lParam, bool bAsync) {
  TNotifyMsg msg;
  msg.pSender = pControl;
  msg.sType = pstrMessage;
  msg.wParam = wParam;
  msg.lParam = lParam;
  SendNotification(msg, bAsync);
}

void CPaintManagerUI::SendNotification(TNotifyMsg& msg, bool bAsync) {
  msg.ptMouse = m_ptLastMousePos;
  msg.dwTimestamp = GetTickCount();
  if (bAsync) {
    m_aAsyncNotify.Add(new TNotifyMsg(msg));
    return;
  }
  if (msg.pSender && !msg.pSender->OnNotifyDelegates.IsEmpty()) {
    msg.pSender->OnNotifyDelegates.Run(msg);
  }
  // A listener may remove itself (or others) while it is called: walk a copy.
  const CPtrArrayUI listeners(m_aNotifiers);
  for (int i = 0; i < listeners.GetSize(); i++) {
    if (m_aNotifiers.Find(listeners[i]) < 0) continue;
    static_cast<INotifyUI*>(listeners[i])->Receive(msg);
  }
}

// Entries queued while draining are delivered by the same drain, in order.
void CPaintManagerUI::DrainNotifyQueue() {
  while (m_aAsyncNotify.GetSize() > 0) {
    TNotifyMsg* pMsg = static_cast<TNotifyMsg*>(m_aAsyncNotify[0]);
    m_aAsyncNotify.Remove(0);
    if (pMsg->pSender && !pMsg->pSender->OnNotifyDelegates.IsEmpty()) {
      pMsg->pSender->OnNotifyDelegates.Run(*pMsg);
    }
    const CPtrArrayUI listeners(m_aNotifiers);
    for (int i = 0; i < listeners.GetSize(); i++) {
      if (m_aNotifiers.Find(listeners[i]) < 0) continue;
      static_cast<INotifyUI*>(listeners[i])->Receive(*pMsg);
    }
    delete pMsg;
  }
}

// --- Timers -----------------------------------------------------------------------------------

bool CPaintManagerUI::StartTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse) {
  ASSERT(pControl != nullptr);
  ASSERT(uElapse > 0);
  for (int i = 0; i < m_aTimers.GetSize(); i++) {
    TimerRecord* pTimer = static_cast<TimerRecord*>(m_aTimers[i]);
    if (pTimer->pSender != pControl || pTimer->hWnd != m_hWndPaint ||
        pTimer->nLocalID != nTimerID) {
      continue;
    }
    if (!pTimer->bKilled) return false;
    if (SetTimer(pTimer->hWnd, pTimer->uWinTimer, uElapse, nullptr) == 0) return false;
    pTimer->bKilled = false;
    return true;
  }
  m_uTimerID = (m_uTimerID + 1) % 0xFF;
  if (SetTimer(m_hWndPaint, m_uTimerID, uElapse, nullptr) == 0) return false;
  TimerRecord* pTimer = new TimerRecord{pControl, nTimerID, m_hWndPaint, m_uTimerID, false};
  if (!m_aTimers.Add(pTimer)) {
    KillTimer(m_hWndPaint, m_uTimerID);
    delete pTimer;
    return false;
  }
  return true;
}

bool CPaintManagerUI::StopTimer(CControlUI* pControl, UINT nTimerID) {
  ASSERT(pControl != nullptr);
  for (int i = 0; i < m_aTimers.GetSize(); i++) {
    TimerRecord* pTimer = static_cast<TimerRecord*>(m_aTimers[i]);
    if (pTimer->pSender == pControl && pTimer->hWnd == m_hWndPaint &&
        pTimer->nLocalID == nTimerID && !pTimer->bKilled) {
      if (IsWindow(m_hWndPaint)) KillTimer(pTimer->hWnd, pTimer->uWinTimer);
      pTimer->bKilled = true;
      return true;
    }
  }
  return false;
}

void CPaintManagerUI::StopTimers(CControlUI* pControl) {
  ASSERT(pControl != nullptr);
  for (int i = m_aTimers.GetSize() - 1; i >= 0; i--) {
    TimerRecord* pTimer = static_cast<TimerRecord*>(m_aTimers[i]);
    if (pTimer->pSender != pControl || pTimer->hWnd != m_hWndPaint) continue;
    if (!pTimer->bKilled) KillTimer(pTimer->hWnd, pTimer->uWinTimer);
    delete pTimer;
    m_aTimers.Remove(i);
  }
}

void CPaintManagerUI::StopAllTimers() {
  for (int i = 0; i < m_aTimers.GetSize(); i++) {
    TimerRecord* pTimer = static_cast<TimerRecord*>(m_aTimers[i]);
    if (pTimer->hWnd == m_hWndPaint && !pTimer->bKilled && IsWindow(m_hWndPaint)) {
      KillTimer(pTimer->hWnd, pTimer->uWinTimer);
    }
    delete pTimer;
  }
  m_aTimers.Empty();
}

// --- Capture ----------------------------------------------------------------------------------

void CPaintManagerUI::CaptureMouse() {
  SetCapture(m_hWndPaint);
  m_bMouseCapture = true;
}

void CPaintManagerUI::ReleaseMouse() {
  ReleaseCapture();
  m_bMouseCapture = false;
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
  RemoveFirst(m_aPostPaintControls, pControl);
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
