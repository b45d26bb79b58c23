#include "setup/EntryPath.h"

namespace {

bool IsSeparator(WCHAR c) { return c == u'/' || c == u'\\'; }

// Only dots and blanks: Windows trims trailing dots and blanks, which would leave nothing or
// turn the component into "..".
bool IsDotsAndBlanks(LPCWSTR start, int length) {
  for (int i = 0; i < length; ++i)
    if (start[i] != u'.' && start[i] != u' ') return false;
  return true;
}

// Appends text[0, length) at out[*used]; false when it would pass MAX_PATH - 1 characters.
bool Append(WCHAR* out, int* used, LPCWSTR text, int length) {
  if (*used + length > MAX_PATH - 1) return false;
  for (int i = 0; i < length; ++i) out[(*used)++] = text[i];
  out[*used] = 0;
  return true;
}

}  // namespace

bool ResolveEntryPath(LPCWSTR destination, LPCWSTR entryName, WCHAR* out) {
  out[0] = 0;
  if (!destination || !entryName || IsSeparator(entryName[0])) return false;
  int used = 0;
  if (!Append(out, &used, destination, lstrlenW(destination))) return false;
  int components = 0;
  for (LPCWSTR p = entryName; *p;) {
    LPCWSTR start = p;
    while (*p && !IsSeparator(*p)) {
      if (*p == u':') return false;  // a drive ("C:x") or a stream name
      ++p;
    }
    int length = static_cast<int>(p - start);
    if (*p) ++p;
    if (length == 0 || (length == 1 && start[0] == u'.')) continue;
    if (IsDotsAndBlanks(start, length)) return false;
    if (components > 0 && !Append(out, &used, u"\\", 1)) return false;
    if (!Append(out, &used, start, length)) return false;
    ++components;
  }
  return components > 0;
}
