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
