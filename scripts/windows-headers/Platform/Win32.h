#pragma once
// Stands in for our Platform/Win32.h when the code above the platform is compiled against the
// real Windows headers (scripts/check-windows.sh).

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// The rest needs <windows.h> first.
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tchar.h>
// The two point macros of <windowsx.h>, without the rest of it (its message-cracker macros
// would clash with method names such as SelectFont).
#ifndef GET_X_LPARAM
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#endif
