#pragma once
// Small arithmetic shared by the layouts: sizes are raised to a child's minimum first and then
// lowered to its maximum, so the maximum wins when the two conflict.

#include "Core/UIControl.h"
#include "Core/UIGeometry.h"

namespace SkinUI {

inline LONG ClampToLimits(LONG value, LONG minimum, LONG maximum) {
  if (value < minimum) value = minimum;
  if (value > maximum) value = maximum;
  return value;
}

inline LONG ClampWidth(const CControlUI* child, LONG cx) {
  return ClampToLimits(cx, child->GetMinWidth(), child->GetMaxWidth());
}

inline LONG ClampHeight(const CControlUI* child, LONG cy) {
  return ClampToLimits(cy, child->GetMinHeight(), child->GetMaxHeight());
}

inline LONG NotNegative(LONG value) { return value < 0 ? 0 : value; }

}  // namespace SkinUI
