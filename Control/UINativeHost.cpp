#include "Control/UINativeHost.h"

#include "Core/UIManager.h"

namespace SkinUI {

bool HandleNativeHostEvent(CControlUI& control, bool bOpen, TUIEvent& event) {
  const bool bEnabled = control.IsEnabled();
  CPaintManagerUI* pManager = control.GetManager();
  switch (event.Type) {
    case EventSetCursor:
      if (!bEnabled) return false;
      ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
      return true;
    case EventWindowSize:
      if (bOpen && pManager != nullptr) pManager->SetInitialFocus(&control);
      return false;
    case EventScrollWheel: return bOpen;
    case EventKillFocus:
      if (bEnabled) control.Repaint();
      return false;
    case EventMouseMove:
    case EventButtonUp:
    case EventContextMenu: return true;
    default: return false;
  }
}

}  // namespace SkinUI
