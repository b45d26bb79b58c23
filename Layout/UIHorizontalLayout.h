#pragma once
// CHorizontalLayoutUI: places its children from left to right; see CLinearLayoutUI for how the
// length is shared. Its drag separator is "sepwidth".

#include "Layout/UILinearLayout.h"

namespace SkinUI {

class CHorizontalLayoutUI : public CLinearLayoutUI {
 public:
  CHorizontalLayoutUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;

  // Stores the separator size only; negative puts it on the left edge.
  void SetSepWidth(int iWidth);
  int GetSepWidth() const;
};

}  // namespace SkinUI
