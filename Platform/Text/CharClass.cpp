// Character classification of single UTF-16 code units.
#include <glib.h>

#include "Platform/Win32.h"

// Letters and decimal digits of any script. A lone surrogate is half a character and neither.
BOOL WINAPI IsCharAlphaNumericW(WCHAR ch) {
  if (ch >= 0xD800 && ch <= 0xDFFF) return FALSE;
  return g_unichar_isalnum(static_cast<gunichar>(ch)) ? TRUE : FALSE;
}
