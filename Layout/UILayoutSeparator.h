#pragma once
// The drag separator a vertical or horizontal layout can carry on one edge: dragging it resizes
// the layout itself. The state lives here so both layouts share one implementation; the owning
// layout hands in its rectangle and the fixed size the drag changes.
//
// The signed size says where the separator lies: 0 none, negative on the top (left) edge,
// positive on the bottom (right) edge; its magnitude is the thickness in pixels. UI thread only.

#include "Core/UIControl.h"

namespace SkinUI {

class CLayoutSeparator {
 public:
  // bVertical: the separator of a vertical layout (a horizontal strip that moves up and down).
  explicit CLayoutSeparator(bool bVertical) : m_bVertical(bVertical) {}

  bool IsVertical() const { return m_bVertical; }
  int GetSize() const { return m_iSize; }
  void SetSize(int iSize) { m_iSize = iSize; }
  bool IsImmediate() const { return m_bImmediate; }
  // Leaves the manager's overlay list when an overlay drag is under way and turns immediate.
  void SetImmediate(CControlUI* pOwner, bool bImmediate);
  bool IsDragging() const { return m_bDragging; }

  // The separator's strip of rcItem, or of the dragged rectangle while a drag runs and bUseNew.
  RECT GetRect(const RECT& rcItem, bool bUseNew) const;

  // Handles the separator's own events (press, release, move while dragging, set-cursor); false
  // leaves the event to the container. rcItem and fixedSize (the fixed height of a vertical
  // layout, the fixed width of a horizontal one) are the owner's, changed by the drag without
  // a relayout of their own.
  bool HandleEvent(CControlUI* pOwner, RECT& rcItem, LONG& fixedSize, const TUIEvent& event);

  // Shades where the edge will land while an overlay (not immediate) drag runs.
  void PaintOverlay(HDC hDC) const;

 private:
  void OnMouseMove(CControlUI* pOwner, RECT& rcItem, LONG& fixedSize, POINT pt);

  bool m_bVertical;
  int m_iSize = 0;
  bool m_bDragging = false;
  POINT m_ptLastMouse = {0, 0};
  RECT m_rcNewPos = {0, 0, 0, 0};
  bool m_bImmediate = false;
};

}  // namespace SkinUI
