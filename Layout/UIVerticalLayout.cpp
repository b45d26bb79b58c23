#include "Layout/UIVerticalLayout.h"

namespace SkinUI {

CVerticalLayoutUI::CVerticalLayoutUI() : CLinearLayoutUI(true) {}

LPCWSTR CVerticalLayoutUI::GetClassName() const { return TEXT("VerticalLayoutUI"); }

LPVOID CVerticalLayoutUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("VerticalLayout"))) return this;
  return CContainerUI::GetInterfaceByName(pstrName);
}

void CVerticalLayoutUI::SetSepHeight(int iHeight) { m_separator.SetSize(iHeight); }
int CVerticalLayoutUI::GetSepHeight() const { return m_separator.GetSize(); }

}  // namespace SkinUI
