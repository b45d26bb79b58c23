#pragma once
// CActiveXUI and CWebBrowserUI: the "ActiveX" and "WebBrowser" tags. There is no COM in-place
// hosting on this system, so both are plain controls: they draw their background and border and
// take the common attributes; creating one writes a debug line saying so.

#include "Core/UIControl.h"

namespace SkinUI {

class CActiveXUI : public CControlUI {
 public:
  CActiveXUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;

 protected:
  // For subclasses, which write their own line.
  struct Quiet {};
  explicit CActiveXUI(Quiet) {}
};

class CWebBrowserUI : public CActiveXUI {
 public:
  CWebBrowserUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
};

}  // namespace SkinUI
