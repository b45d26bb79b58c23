#include "Layout/UIHorizontalLayout.h"

namespace SkinUI {

CHorizontalLayoutUI::CHorizontalLayoutUI() : CLinearLayoutUI(false) {}

LPCWSTR CHorizontalLayoutUI::GetClassName() const { return TEXT("HorizontalLayoutUI"); }

LPVOID CHorizontalLayoutUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("HorizontalLayout"))) return this;
  return CContainerUI::GetInterfaceByName(pstrName);
}

void CHorizontalLayoutUI::SetSepWidth(int iWidth) { m_separator.SetSize(iWidth); }
int CHorizontalLayoutUI::GetSepWidth() const { return m_separator.GetSize(); }

}  // namespace SkinUI
