#pragma once
// Rectangle arithmetic for the controls and layouts. Positions, sizes and paddings come from skin
// text and may be anything an int holds, so sums are taken in 64 bits and saturated to the
// coordinate range instead of wrapping.

#include "Platform/Win32.h"

namespace SkinUI {

inline LONG Saturated(LONGLONG value) {
  constexpr LONGLONG kMin = -2147483647LL - 1, kMax = 2147483647LL;
  return static_cast<LONG>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

// a - b, saturated.
inline LONG SaturatedDiff(LONG a, LONG b) { return Saturated(LONGLONG{a} - b); }

// rc with each side moved inwards by the matching side of pad.
inline RECT Inset(const RECT& rc, const RECT& pad) {
  return RECT{Saturated(LONGLONG{rc.left} + pad.left), Saturated(LONGLONG{rc.top} + pad.top),
              Saturated(LONGLONG{rc.right} - pad.right),
              Saturated(LONGLONG{rc.bottom} - pad.bottom)};
}

}  // namespace SkinUI
