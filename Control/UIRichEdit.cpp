#include "Control/UIRichEdit.h"

namespace SkinUI {

CRichEditUI::CRichEditUI() {
  Trace(TEXT("RichEdit: no rich-text host here; drawn as a plain control"));
}

LPCWSTR CRichEditUI::GetClassName() const { return TEXT("RichEditUI"); }

LPVOID CRichEditUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("RichEdit"))) return this;
  return CControlUI::GetInterfaceByName(pstrName);
}

}  // namespace SkinUI
