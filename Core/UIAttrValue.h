#pragma once
// Number and value parsing for markup attributes, image strings and rich-text tags. The numbers
// follow the Windows 32-bit `long` rules of _wtoi/wcstol/wcstoul on UTF-16 text: leading white
// space (tab, line feed, vertical tab, form feed, carriage return, space), an optional sign,
// digits up to the first non-digit, results clamped to LONG_MIN/LONG_MAX or ULONG_MAX. They never
// read past the terminator. (The C library's wide functions take 32-bit wchar_t and answer a
// 64-bit long here, so they cannot be used.)

#include "Platform/Win32.h"

namespace SkinUI {

// wcstol: base 0 (prefix decides: 0x hex, 0 octal, else decimal), or 2..36. *ppEnd (when not
// null) receives the first character not used; the start of the text when no digits were read.
LONG UIStrToLong(LPCWSTR pstr, LPWSTR* ppEnd, int base);
// wcstoul: as UIStrToLong; a leading '-' negates the value modulo 2^32, overflow gives ULONG_MAX.
DWORD UIStrToULong(LPCWSTR pstr, LPWSTR* ppEnd, int base);
// _wtoi: decimal; null or no digits give 0.
int UIStrToInt(LPCWSTR pstr);

// The attribute value syntax shared by every control.
//
// A number list "l,t,r,b": the first number is read as decimal; each further one starts one
// character after the end of the previous one. Numbers missing at the end read as 0 and nothing
// past the terminator is read.
RECT UIParseRect(LPCWSTR pstrValue);
SIZE UIParseSize(LPCWSTR pstrValue);
// Background colours ("bkcolor"...): characters 1-32 skipped, one '#' skipped, then hex.
DWORD UIParseBkColor(LPCWSTR pstrValue);
// Other colours: one '#' at the very start skipped, then hex (no white space skipped).
DWORD UIParseColor(LPCWSTR pstrValue);
// Exactly "true" is true.
bool UIParseBool(LPCWSTR pstrValue);

}  // namespace SkinUI
