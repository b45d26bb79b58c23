#pragma once
// The colour a brush handle paints with: a brush object, or a system colour index + 1.

#include <vector>

#include "Platform/Gdi/GdiObjects.h"

namespace Platform {

// False for a handle that is neither; *paints is false for a null (hollow) brush.
bool ResolveBrush(HBRUSH brush, COLORREF* color, bool* paints);

// The dash pattern of a one-pixel pen style in pixels (on, off, ...); empty for solid lines.
const std::vector<int>& DashPattern(int style);

}  // namespace Platform
