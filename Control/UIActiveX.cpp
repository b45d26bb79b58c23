#include "Control/UIActiveX.h"

namespace SkinUI {

CActiveXUI::CActiveXUI() {
  Trace(TEXT("ActiveX: no control hosting here; drawn as a plain control"));
}

LPCWSTR CActiveXUI::GetClassName() const { return TEXT("ActiveXUI"); }

LPVOID CActiveXUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("ActiveX"))) return this;
  return CControlUI::GetInterfaceByName(pstrName);
}

CWebBrowserUI::CWebBrowserUI() : CActiveXUI(Quiet{}) {
  Trace(TEXT("WebBrowser: no browser hosting here; drawn as a plain control"));
}

LPCWSTR CWebBrowserUI::GetClassName() const { return TEXT("WebBrowserUI"); }

LPVOID CWebBrowserUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("WebBrowser"))) return this;
  return CActiveXUI::GetInterfaceByName(pstrName);
}

}  // namespace SkinUI
