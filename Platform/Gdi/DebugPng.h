#pragma once
// Writes pixels to PNG files for tests and for looking at results.

#include "Platform/Win32.h"

namespace Platform {

// The bitmap's pixels; false when the handle is not a bitmap or the file cannot be written.
bool WriteBitmapPng(HBITMAP bitmap, const char* path);
// The pixels of the surface a context draws on (its selected bitmap, or a window's surface).
bool WriteDcPng(HDC dc, const char* path);

}  // namespace Platform
