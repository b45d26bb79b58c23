#pragma once
// Character classes of the skin markup, shared by the parser and the node accessors.

#include "Platform/Win32.h"

namespace SkinUI {

// Whitespace is every code from 1 to 32.
inline bool IsMarkupSpace(WCHAR c) { return c >= 1 && c <= 32; }

template <typename Ch>
inline void SkipMarkupSpace(Ch*& p) {
  while (IsMarkupSpace(*p)) ++p;
}

// Names are letters and digits (in the Unicode sense), '_' and ':'.
inline bool IsMarkupNameChar(WCHAR c) {
  if (c < 0x80) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == ':';
  }
  return IsCharAlphaNumericW(c) != FALSE;
}

}  // namespace SkinUI
