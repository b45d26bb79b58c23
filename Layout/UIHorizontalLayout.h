#pragma once
// CHorizontalLayoutUI: places its children from left to right, sharing the width left by the
// fixed ones among the stretching ones (the last takes the remainder). It never scrolls
// vertically. It can carry a drag separator ("sepwidth") that resizes the layout itself.

#include "Core/UIContainer.h"
#include "Layout/UILayoutSeparator.h"

namespace SkinUI {

class CHorizontalLayoutUI : public CContainerUI {
 public:
  CHorizontalLayoutUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  UINT GetInputFlags() const override;

  // Stores the separator size only; negative puts it on the left edge.
  void SetSepWidth(int iWidth);
  int GetSepWidth() const;
  void SetSepImmediate(bool bImmediate);
  bool IsSepImmediate() const;
  RECT GetSeparatorRect(bool bUseNew) const;

  void SetPos(RECT rc) override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  void PaintOverlay(HDC hDC, const RECT& rcPaint) override;

 private:
  CLayoutSeparator m_separator{false};
};

}  // namespace SkinUI
