#pragma once
// Platform/Win32.h of the Windows build: the Win32 subset is Windows itself. The Windows build
// (and scripts/check-windows.sh) puts Platform/WindowsHeaders/ first on the include path, so that
// this header and its parts beside it take the place of Platform/Win32.h and its parts.

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
