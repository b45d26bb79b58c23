#pragma once
// CVerticalLayoutUI: stacks its children from top to bottom. Children with a fixed (or measured)
// height keep it; the others share what is left, the last of them taking the remainder of the
// division. It can carry a drag separator ("sepheight") that resizes the layout itself.

#include "Core/UIContainer.h"
#include "Layout/UILayoutSeparator.h"

namespace SkinUI {

class CVerticalLayoutUI : public CContainerUI {
 public:
  CVerticalLayoutUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  UINT GetInputFlags() const override;

  // Stores the separator size only; negative puts it on the top edge.
  void SetSepHeight(int iHeight);
  int GetSepHeight() const;
  void SetSepImmediate(bool bImmediate);
  bool IsSepImmediate() const;
  RECT GetSeparatorRect(bool bUseNew) const;

  void SetPos(RECT rc) override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  void PaintOverlay(HDC hDC, const RECT& rcPaint) override;

 private:
  CLayoutSeparator m_separator{true};
};

}  // namespace SkinUI
