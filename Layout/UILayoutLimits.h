#pragma once
// Small arithmetic shared by the layouts: sizes are raised to a child's minimum first and then
// lowered to its maximum, so the maximum wins when the two conflict.

#include "Core/UIControl.h"

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

// Skin lengths may be anything an int holds: the layouts sum them in 64 bits and saturate what
// they hand on to the coordinate range.
inline LONG Saturated(LONGLONG value) {
  constexpr LONGLONG kMin = -2147483647LL - 1, kMax = 2147483647LL;
  return static_cast<LONG>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

}  // namespace SkinUI
