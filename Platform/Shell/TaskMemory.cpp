#include <cstdlib>

#include "Platform/Win32.h"

// Shell and COM hand out memory that any caller frees with CoTaskMemFree, so both sides must
// use the same allocator.
LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb) { return std::malloc(cb == 0 ? 1 : cb); }

void WINAPI CoTaskMemFree(LPVOID pv) { std::free(pv); }
