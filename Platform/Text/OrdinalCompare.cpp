// CompareStringOrdinal: code-unit order, optionally after upper-casing each unit by the simple
// one-to-one Unicode mapping (characters that upper-case to several, such as "ß", stay as they
// are, as on Windows).
#include <glib.h>

#include "Platform/Win32.h"

namespace {

char16_t Upper(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
  if (c >= 0xD800 && c <= 0xDFFF) return c;  // half a character
  const gunichar u = g_unichar_toupper(c);
  return u <= 0xFFFF ? static_cast<char16_t>(u) : c;
}

int Length(LPCWCH s, int count) {
  if (count >= 0) return count;
  int n = 0;
  while (s[n]) ++n;
  return n;
}

}  // namespace

int WINAPI CompareStringOrdinal(LPCWCH lpString1, int cchCount1, LPCWCH lpString2, int cchCount2,
                                BOOL bIgnoreCase) {
  if (!lpString1 || !lpString2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int n1 = Length(lpString1, cchCount1), n2 = Length(lpString2, cchCount2);
  const int n = n1 < n2 ? n1 : n2;
  for (int i = 0; i < n; ++i) {
    char16_t a = lpString1[i], b = lpString2[i];
    if (bIgnoreCase) a = Upper(a), b = Upper(b);
    if (a != b) return a < b ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
  }
  return n1 < n2 ? CSTR_LESS_THAN : n1 > n2 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}
