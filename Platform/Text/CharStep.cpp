// Stepping through UTF-16 text one character at a time. A surrogate pair (a character outside
// the basic plane) is one step; a lone surrogate is a step of its own.
#include "Platform/Win32.h"

namespace {

bool IsHigh(WCHAR c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(WCHAR c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

// At the terminator the answer is the terminator itself, so loops that step until it stop.
LPWSTR WINAPI CharNextW(LPCWSTR lpsz) {
  if (lpsz == nullptr || *lpsz == 0) return const_cast<LPWSTR>(lpsz);
  const WCHAR* next = lpsz + 1;
  if (IsHigh(lpsz[0]) && IsLow(*next)) ++next;
  return const_cast<LPWSTR>(next);
}

// At (or before) the start the answer is the start.
LPWSTR WINAPI CharPrevW(LPCWSTR lpszStart, LPCWSTR lpszCurrent) {
  if (lpszStart == nullptr || lpszCurrent == nullptr || lpszCurrent <= lpszStart)
    return const_cast<LPWSTR>(lpszStart);
  const WCHAR* prev = lpszCurrent - 1;
  if (prev > lpszStart && IsLow(*prev) && IsHigh(prev[-1])) --prev;
  return const_cast<LPWSTR>(prev);
}
