// RouteMessage: the queue drains, the message filters, and the messages that are not input
// (painting, size, close, tracking limits, reflection of native children's notifications and
// the deferred deletion of controls). Input goes on to RouteInput.

#include "Core/UIControl.h"
#include "Core/UIManager.h"

namespace SkinUI {

bool CPaintManagerUI::RouteMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
  if (!m_hWndPaint) return false;
  DrainNotifyQueue();

  // A filter may remove itself (or another) while it runs: walk a copy.
  const CPtrArrayUI filters(m_aMessageFilters);
  for (int i = 0; i < filters.GetSize(); i++) {
    if (m_aMessageFilters.Find(filters[i]) < 0) continue;
    bool bHandled = false;
    const LRESULT lResult =
        static_cast<IMessageFilterUI*>(filters[i])->FilterMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled) {
      lRes = lResult;
      return true;
    }
  }

  switch (uMsg) {
    case WM_PAINT: return OnPaint(lRes);
    case WM_PRINTCLIENT: PrintClient(reinterpret_cast<HDC>(wParam), lParam); break;
    case WM_ERASEBKGND:
      // Painting covers everything through the offscreen surface; erasing would only flicker.
      lRes = 1;
      return true;
    case WM_SIZE:
      if (m_pFocus) {
        TUIEvent event;
        event.Type = EventWindowSize;
        event.pSender = m_pFocus;
        event.dwTimestamp = ::GetTickCount();
        m_pFocus->DispatchEvent(event);
      }
      if (m_pRoot) m_pRoot->RequestLayout();
      lRes = 0;
      return true;
    case WM_GETMINMAXINFO: GetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); break;
    case WM_CLOSE: {
      TUIEvent event;
      event.ptMouse = m_ptLastMousePos;
      event.dwTimestamp = ::GetTickCount();
      if (m_pEventHover) {
        event.Type = EventMouseLeave;
        event.pSender = m_pEventHover;
        m_pEventHover->DispatchEvent(event);
      }
      if (m_pEventClick) {
        event.Type = EventButtonUp;
        event.pSender = m_pEventClick;
        m_pEventClick->DispatchEvent(event);
      }
      SetFocusControl(nullptr);
      if (HWND hWndOwner = ::GetWindow(m_hWndPaint, GW_OWNER)) ::SetFocus(hWndOwner);
      break;
    }
    case WM_NOTIFY:
      if (lParam != 0) {
        const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        lRes = ::SendMessageW(pHeader->hwndFrom, uMsg + UI_REFLECT_OFFSET, wParam, lParam);
      }
      return true;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (lParam == 0) break;
      lRes =
          ::SendMessageW(reinterpret_cast<HWND>(lParam), uMsg + UI_REFLECT_OFFSET, wParam, lParam);
      return true;
    case WM_UI_DEFERRED_DELETE: {
      // Controls deferred while these are deleted wait for their own cleanup message.
      const CPtrArrayUI doomed(m_aDelayedCleanup);
      m_aDelayedCleanup.Empty();
      for (int i = 0; i < doomed.GetSize(); i++) delete static_cast<CControlUI*>(doomed[i]);
      break;
    }
    default:
      if (RouteInput(uMsg, wParam, lParam, lRes)) return true;
      break;
  }
  DrainNotifyQueue();
  return false;
}

}  // namespace SkinUI
