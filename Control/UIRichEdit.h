#pragma once
// CRichEditUI: the "RichEdit" tag. There is no rich-text editing host on this system, so it is
// a plain control: it draws its background and border like any control and takes the common
// attributes; creating one writes a debug line saying so.

#include "Core/UIControl.h"

namespace SkinUI {

class CRichEditUI : public CControlUI {
 public:
  CRichEditUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
};

}  // namespace SkinUI
