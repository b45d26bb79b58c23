// The lstr* family on UTF-16 text. A null argument is treated as the empty text, as the Windows
// versions do instead of faulting.
#include "Platform/Win32.h"

namespace {

char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  return c;
}

}  // namespace

int WINAPI lstrlenW(LPCWSTR s) {
  if (!s) return 0;
  int n = 0;
  while (s[n]) ++n;
  return n;
}

int WINAPI lstrcmpW(LPCWSTR a, LPCWSTR b) {
  if (!a) a = u"";
  if (!b) b = u"";
  while (*a && *a == *b) ++a, ++b;
  return (*a > *b) - (*a < *b);
}

int WINAPI lstrcmpiW(LPCWSTR a, LPCWSTR b) {
  if (!a) a = u"";
  if (!b) b = u"";
  while (*a && FoldCase(*a) == FoldCase(*b)) ++a, ++b;
  char16_t x = FoldCase(*a), y = FoldCase(*b);
  return (x > y) - (x < y);
}

LPWSTR WINAPI lstrcpyW(LPWSTR dst, LPCWSTR src) {
  if (!dst) return nullptr;
  if (!src) src = u"";
  LPWSTR d = dst;
  while ((*d++ = *src++)) {
  }
  return dst;
}

// Copies at most iMaxLength - 1 characters and always terminates.
LPWSTR WINAPI lstrcpynW(LPWSTR dst, LPCWSTR src, int maxLength) {
  if (!dst || maxLength <= 0) return dst;
  if (!src) src = u"";
  int i = 0;
  for (; i < maxLength - 1 && src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
  return dst;
}

LPWSTR WINAPI lstrcatW(LPWSTR dst, LPCWSTR src) {
  if (!dst) return nullptr;
  lstrcpyW(dst + lstrlenW(dst), src);
  return dst;
}
