#pragma once
// The drawing engine. This part loads skin images into 32-bit premultiplied platform bitmaps.

#include "Platform/Win32.h"
#include "Utils/Utils.h"

namespace SkinUI {

// A loaded skin image: a 32-bit top-down bitmap, blue, green, red, alpha in memory, colours
// premultiplied by alpha.
struct TImageEntry {
  HBITMAP hBitmap = nullptr;
  int nWidth = 0;
  int nHeight = 0;
  bool bHasAlpha = false;  // some pixel is not fully opaque, or matched the colour key
  CUIString sResType;      // the embedded-resource type it came from; empty otherwise
  DWORD dwMask = 0;        // the colour key (AARRGGBB) it was loaded with; 0 for none
};

class CDrawEngine {
 public:
  // `source` is a skin file name, or with `resType` an embedded resource (a name or a numeric
  // identifier made with MAKEINTRESOURCE). Pixels whose premultiplied AARRGGBB value equals
  // `mask` become fully transparent. Null on any failure.
  static TImageEntry* LoadSkinImage(LPCWSTR source, LPCWSTR resType, DWORD mask);
  // The same from encoded bytes in memory (PNG, JPEG, BMP, PSD or GIF).
  static TImageEntry* DecodeSkinImage(const BYTE* data, size_t size, DWORD mask);
  // Deletes the bitmap, then the entry.
  static void FreeSkinImage(TImageEntry* entry);
};

}  // namespace SkinUI
