#include "Control/UIChildLayout.h"

#include "Control/UIDlgBuilder.h"
#include "Core/UIAttributeTable.h"

namespace SkinUI {

CChildLayoutUI::CChildLayoutUI() = default;

LPCWSTR CChildLayoutUI::GetClassName() const { return TEXT("ChildLayoutUI"); }

LPVOID CChildLayoutUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("ChildLayout"))) return this;
  return CControlUI::GetInterfaceByName(pstrName);
}

void CChildLayoutUI::Initialize() {
  // Attaching runs Initialize again each time; the content is loaded once.
  if (m_sXmlFile.IsEmpty() || m_bLoaded) return;
  // The scope spans the Add too: adding the tree to an attached layout initializes the child
  // layouts inside it, which is where a file that holds itself would recurse.
  CBuildNestingScope nesting(CUIString(TEXT("ChildLayout:")) + m_sXmlFile);
  if (nesting.IsRefused()) return;
  m_bLoaded = true;
  CLayoutBuilder builder;
  CControlUI* pControl = builder.Create(m_sXmlFile);
  if (pControl) {
    Add(pControl);
  } else {
    RemoveAll();
  }
}

namespace {

const TAttributeUI<CChildLayoutUI> kChildLayoutAttributes[] = {
    {TEXT("xmlfile"), Verbatim<&CChildLayoutUI::SetXmlFile>},
};

}  // namespace

void CChildLayoutUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CContainerUI>(kChildLayoutAttributes, *this, pstrName, pstrValue);
}

void CChildLayoutUI::SetXmlFile(LPCWSTR pstrFile) { m_sXmlFile = pstrFile; }

const CUIString& CChildLayoutUI::GetXmlFile() const { return m_sXmlFile; }

}  // namespace SkinUI
