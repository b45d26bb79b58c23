#pragma once
// CVerticalLayoutUI: stacks its children from top to bottom; see CLinearLayoutUI for how the length
// is shared. Its drag separator is "sepheight".

#include "Layout/UILinearLayout.h"

namespace SkinUI {

class CVerticalLayoutUI : public CLinearLayoutUI {
 public:
  CVerticalLayoutUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;

  // Stores the separator size only; negative puts it on the top edge.
  void SetSepHeight(int iHeight);
  int GetSepHeight() const;
};

}  // namespace SkinUI
