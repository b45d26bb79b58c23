// The paint manager's listeners, message filters and accelerators, and the notifications it
// delivers to them, at once or through its queue.

#include "Core/UIControl.h"
#include "Core/UIManager.h"

namespace SkinUI {

namespace {

bool AddUnique(CPtrArrayUI& list, LPVOID item) {
  if (!item || list.Find(item) >= 0) return false;
  return list.Add(item);
}

bool RemoveFirst(CPtrArrayUI& list, LPVOID item) { return list.Remove(list.Find(item)); }

}  // namespace

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

}  // namespace SkinUI
