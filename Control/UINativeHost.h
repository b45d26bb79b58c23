#pragma once
// The edit box and the date control open a native child window over themselves. When the
// control goes away first, the window is told to forget it and closed. The events that do not
// open it they treat alike: an I-beam cursor while enabled, the initial focus kept
// on the control while its window is open and the parent is sized, the wheel swallowed while it
// is open, a repaint when the focus leaves an enabled control, and mouse moves, releases and
// context menus swallowed. UI thread only.

#include "Core/UIControl.h"

namespace SkinUI {

// True when the event is done; false leaves it to the control (after any side effect above).
bool HandleNativeHostEvent(CControlUI& control, bool bOpen, TUIEvent& event);

// Closes the open native window (if any) of a control that goes away; the window no longer
// reports to it.
template <class TWindow>
void CloseForgettingOwner(TWindow*& pWindow) {
  if (pWindow == nullptr) return;
  TWindow* pClosing = pWindow;
  pWindow = nullptr;
  pClosing->ForgetOwner();
  ::DestroyWindow(pClosing->Handle());
}

}  // namespace SkinUI
