#pragma once
// CLinearLayoutUI: the one algorithm behind the vertical and the horizontal layout. Children are
// placed one after another along the main axis; those with a fixed (or measured) length keep it,
// the others share what is left, the last of them taking the remainder of the division. The
// layout can carry a drag separator on one edge that resizes the layout itself.
//
// Skin lengths may be anything an int holds, so the sums run in 64 bits and every rectangle
// handed to a child is saturated to the coordinate range.

#include "Core/UIContainer.h"
#include "Layout/UILayoutSeparator.h"

namespace SkinUI {

class CLinearLayoutUI : public CContainerUI {
 public:
  UINT GetInputFlags() const override;

  void SetSepImmediate(bool bImmediate);
  void SetSepSize(int nSize) { m_separator.SetSize(nSize); }
  bool IsSepImmediate() const;
  RECT GetSeparatorRect(bool bUseNew) const;

  void SetPos(RECT rc) override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  void PaintOverlay(HDC hDC, const RECT& rcPaint) override;

 protected:
  // bVertical: stack from top to bottom (and scroll vertically); otherwise left to right.
  explicit CLinearLayoutUI(bool bVertical);

  bool IsVertical() const { return m_separator.IsVertical(); }
  // Places the visible children one after another inside `area` (scrolled by the visible bars),
  // measuring them against `available`; answers the length they need along the main axis.
  LONGLONG StackChildren(const RECT& area, SIZE available, LONGLONG crossAvailable);
  // The length across the main axis a child is given before its limits apply: its fixed one,
  // else what is available less its padding.
  virtual LONGLONG CrossLength(const CControlUI* child, const RECT& pad,
                               LONGLONG crossAvailable) const;
  CLayoutSeparator m_separator;
};

}  // namespace SkinUI
