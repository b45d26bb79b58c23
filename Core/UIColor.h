#pragma once
// Skin colours are 0xAARRGGBB; the platform's COLORREF keeps red in the low byte.

#include "Platform/Win32.h"

namespace SkinUI {

inline BYTE AlphaOf(DWORD argb) { return static_cast<BYTE>(argb >> 24); }
inline BYTE RedOf(DWORD argb) { return static_cast<BYTE>(argb >> 16); }
inline BYTE GreenOf(DWORD argb) { return static_cast<BYTE>(argb >> 8); }
inline BYTE BlueOf(DWORD argb) { return static_cast<BYTE>(argb); }

inline COLORREF ToColorRef(DWORD argb) { return RGB(RedOf(argb), GreenOf(argb), BlueOf(argb)); }

}  // namespace SkinUI
