// The paint manager's timers: a control's own timer ids mapped onto the window's timers.

#include "Core/UIManager.h"

namespace SkinUI {

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

}  // namespace SkinUI
