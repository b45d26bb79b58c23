#pragma once
// WindowImplBase: a borderless window drawn entirely from a skin. Creating the window strips
// the native caption, points the skin settings at the window's skin source, builds the control
// tree from the skin's markup and attaches it to the window's own paint manager; afterwards
// every message goes to one overridable handler, then to OnOtherMessage, then to the manager.
// The caption area drags the window, rounded corners are kept on every resize, maximising
// stops at the monitor's work area, and clicks on "closebtn", "minbtn", "maxbtn" and
// "restorebtn" work without further code.
//
// Everything runs on the thread that created the window.

#include "Control/UIDlgBuilder.h"
#include "Core/UIBase.h"
#include "Core/UIDefine.h"
#include "Core/UIManager.h"

namespace SkinUI {

// Where the skin's markup and images come from.
enum SkinSourceKind {
  SkinFromFolder = 1,       // loose files under the resource folder
  SkinFromZipFile = 2,      // entries of SkinZipName() under the resource folder
  SkinFromResource = 3,     // markup is the "xml" resource numbered SkinFile()
  SkinFromZipResource = 4,  // entries of the "ZIPRES" resource SkinResourceId()
};

class WindowImplBase;
using NotificationHandler = void (WindowImplBase::*)(TNotifyMsg& msg);

// What a notification map row does with a matching notification.
enum NotificationKind {
  NotificationEnd = 0,     // ends a table
  NotificationIgnore = 1,  // handled without a call
  NotificationHandle = 2,  // calls the row's handler with the notification
};

struct NotificationMapEntry {
  CUIString sType;         // notification type, compared case-sensitively
  CUIString sControlName;  // sender's name; empty matches any sender
  UINT nKind;              // a NotificationKind
  NotificationHandler pfnHandler;
};

// One class's table (ended by a NotificationEnd row) and the way to its base class's table
// (null for the first class of a chain).
struct NotificationMapData {
  const NotificationMapData* (*pfnGetBaseMap)();
  const NotificationMapEntry* lpEntries;
};

// Casts a derived class's handler to the form a map row stores.
template <typename T>
NotificationHandler NotifyHandler(void (T::*pfn)(TNotifyMsg&)) {
  return static_cast<NotificationHandler>(pfn);
}

class WindowImplBase : public CWindowWnd,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
 public:
  WindowImplBase() = default;
  ~WindowImplBase() override = default;

  // Dispatches through the most derived map first, then its base maps. A subclass that
  // overrides Receive calls this one to keep the map dispatch.
  void Receive(TNotifyMsg& msg) override;
  // Passes every message on (handled flag left clear).
  LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  // No custom controls.
  CControlUI* CreateCustomControl(LPCWSTR pstrClass) override;

  CPaintManagerUI& PaintManager() { return m_PaintManager; }

  // This class's notification map: "click" from any control calls OnClickNotification.
  static const NotificationMapData* ClassNotificationMap();

  // The process-wide copy of a "ZIPRES" resource the skin is read from (null until one was
  // loaded). It lives until the process ends: the paint manager reads skin entries from it
  // at any later time, and no window frees it.
  static const BYTE* ZipResourceBuffer();
  static DWORD ZipResourceSize();

 protected:
  LPCWSTR SuperclassName() const override;
  UINT WindowClassStyle() const override;
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void OnWindowGone(HWND hWnd) override;

  virtual void OnSkinReady() {}
  virtual const NotificationMapData* NotificationMap() const;
  virtual void OnClickNotification(TNotifyMsg& msg);
  virtual CUIString SkinFolder() const = 0;
  virtual CUIString SkinFile() const = 0;
  virtual UINT SkinSource() const { return SkinFromFolder; }
  virtual CUIString SkinZipName() const { return CUIString(); }
  // A name, or a number in MAKEINTRESOURCEW form; null for none.
  virtual LPCWSTR SkinResourceId() const { return nullptr; }

  virtual LRESULT OnCloseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnDestroyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnNcActivateMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnNcCalcSizeMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnNcPaintMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnNcHitTestMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnMinMaxInfoMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnWheelMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnHoverMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnSizeMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnCharMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnSysCommandMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnCreateMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnKeyDownMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnKillFocusMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnSetFocusMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnLeftDownMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnLeftUpMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnRightDownMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnRightUpMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnMouseMoveMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnOtherMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  // The window's current style without the caption bits.
  virtual LONG FramelessStyle() const;

  CPaintManagerUI m_PaintManager;

 private:
  LRESULT DispatchMessageKind(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  // Points the skin settings at the skin; false when a zip resource cannot be had.
  bool SelectSkinSource();
  CControlUI* BuildSkin();
  // Gives the window the rounded shape of the skin's corner size, unless it has none or the
  // window is minimised.
  void ApplyRoundCorner();
  // The row a notification selects in one map, or null.
  static const NotificationMapEntry* FindEntry(const NotificationMapData* pMap,
                                               const TNotifyMsg& msg);
};

}  // namespace SkinUI
