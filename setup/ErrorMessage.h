#pragma once
// The one failure text the installer shows with a system error code.

#include "Platform/Win32.h"

// Shows "Error : %x" (lower-case hexadecimal) with `code`, owned by `owner`. A null caption
// leaves the platform's default caption.
void ShowErrorCode(HWND owner, DWORD code, LPCWSTR caption, UINT type);
