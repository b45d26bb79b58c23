#pragma once
// The records and small interfaces shared by the paint manager and the controls: the event a
// control receives, the notification a listener receives, the listener, filter and accelerator
// interfaces, the find flags of control searches, and the delegate lists of a control.

#include <functional>
#include <vector>

#include "Platform/Win32.h"
#include "Utils/Utils.h"

namespace SkinUI {

class CControlUI;
class CPaintManagerUI;

// Event types. Keyboard types lie strictly between KeyEventsBegin and KeyEventsEnd, mouse types
// strictly between MouseEventsBegin and MouseEventsEnd; the markers themselves are never sent.
enum EventType {
  KeyEventsBegin = 2,
  EventKeyDown = 3,
  EventKeyUp = 4,
  EventChar = 5,
  EventSysKey = 6,
  KeyEventsEnd = 7,
  MouseEventsBegin = 8,
  EventMouseMove = 9,
  EventMouseLeave = 10,
  EventMouseEnter = 11,
  EventMouseHover = 12,
  EventButtonDown = 13,
  EventButtonUp = 14,
  EventRightButtonDown = 15,
  EventDoubleClick = 16,
  EventContextMenu = 17,
  EventScrollWheel = 18,
  MouseEventsEnd = 19,
  EventKillFocus = 20,
  EventSetFocus = 21,
  EventWindowSize = 22,
  EventSetCursor = 23,
  EventTimer = 24,
};

inline bool IsMouseEvent(int type) { return type > MouseEventsBegin && type < MouseEventsEnd; }

// Key state bits of an event: the mouse-message key-state values plus Alt.
enum {
  UIKEY_LBUTTON = 0x01,
  UIKEY_RBUTTON = 0x02,
  UIKEY_SHIFT = 0x04,
  UIKEY_CONTROL = 0x08,
  UIKEY_ALT = 0x20,
};

// Input flags a control reports through GetInputFlags.
enum {
  UIFLAG_TABSTOP = 0x01,
  UIFLAG_SETCURSOR = 0x02,
};

// Flags of CControlUI::FindControl.
enum {
  UIFIND_ALL = 0x00000000,
  UIFIND_VISIBLE = 0x00000001,
  UIFIND_ENABLED = 0x00000002,
  UIFIND_HITTEST = 0x00000004,
  UIFIND_TOP_FIRST = 0x00000008,
  UIFIND_ME_FIRST = 0x80000000,
};

// Button state bits shared by the controls that have hot, pushed and disabled looks.
enum {
  UISTATE_FOCUSED = 0x01,
  UISTATE_SELECTED = 0x02,
  UISTATE_DISABLED = 0x04,
  UISTATE_HOT = 0x08,
  UISTATE_PUSHED = 0x10,
  UISTATE_READONLY = 0x20,
  UISTATE_CAPTURED = 0x40,
};

// Deferred deletion of controls is carried out when this message reaches the paint window.
constexpr UINT WM_UI_DEFERRED_DELETE = WM_APP + 1;
// A native child's notification is sent back to the child as the original message plus this.
constexpr UINT UI_REFLECT_OFFSET = 0x2000;

// What a control receives. Built zero-filled by the manager; only the fields that matter for the
// event type are set. The parameters are pointer-sized: a context-menu event carries a control.
struct TUIEvent {
  int Type = 0;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse = {0, 0};
  WCHAR chKey = 0;
  WORD wKeyState = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// What a listener receives. The manager fills in the timestamp and the last mouse point.
struct TNotifyMsg {
  CUIString sType;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse = {0, 0};
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// A listener of a manager's notifications.
class INotifyUI {
 public:
  virtual void Receive(TNotifyMsg& msg) = 0;

 protected:
  ~INotifyUI() = default;
};

// Sees window messages before the manager does; setting bHandled consumes the message.
class IMessageFilterUI {
 public:
  virtual LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;

 protected:
  ~IMessageFilterUI() = default;
};

// Translates keyboard accelerators of queued messages; 0 means the message was consumed.
class ITranslateAccelerator {
 public:
  virtual LRESULT TranslateKey(MSG* pMsg) = 0;

 protected:
  ~ITranslateAccelerator() = default;
};

// A list of callables run in order. Run() calls every one of them and answers false when any
// answered false: a control's event delegates swallow the event then, while the other lists
// ignore the answer. Every delegate runs even after one answered false, so all observers see the
// event.
template <typename Arg>
class CDelegateList {
 public:
  using Delegate = std::function<bool(Arg)>;

  void Add(Delegate d) { m_aDelegates.push_back(std::move(d)); }
  void Clear() { m_aDelegates.clear(); }
  bool IsEmpty() const { return m_aDelegates.empty(); }
  int GetCount() const { return static_cast<int>(m_aDelegates.size()); }

  bool Run(Arg arg) const {
    bool all = true;
    // A copy, so a delegate may add or remove delegates of this list while it runs.
    const std::vector<Delegate> snapshot = m_aDelegates;
    for (const Delegate& d : snapshot) {
      if (!d(arg)) all = false;
    }
    return all;
  }

 private:
  std::vector<Delegate> m_aDelegates;
};

// Called for every control visited by CControlUI::FindControl; a non-null answer ends the search.
using FINDCONTROLPROC = CControlUI*(CALLBACK*)(CControlUI* pControl, LPVOID pData);

}  // namespace SkinUI
