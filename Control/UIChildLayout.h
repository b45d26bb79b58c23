#pragma once
// CChildLayoutUI: a container whose content comes from another skin file ("xmlfile"), built
// by the layout builder when the control is initialized (attached with a parent). It answers
// only "ChildLayout" and "Control", so markup cannot add children to it directly.

#include "Core/UIContainer.h"

namespace SkinUI {

class CChildLayoutUI : public CContainerUI {
 public:
  CChildLayoutUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;

  // Builds the file (no callback, no manager, no parent) and adds the result; without a
  // result the layout ends up empty. Does not run OnInit or the init delegates. A file that
  // is already being loaded further out (a child layout inside its own file) is skipped.
  void Initialize() override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;

  void SetXmlFile(LPCWSTR pstrFile);
  const CUIString& GetXmlFile() const;

 private:
  CUIString m_sXmlFile;
  bool m_bLoaded = false;
};

}  // namespace SkinUI
