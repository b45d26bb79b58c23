#pragma once
// The embedded payload copied to its temporary file, and the one error text the installer shows.

#include "Platform/Win32.h"

// Copies the embedded payload resource into a hidden file.

// Creates (or replaces) `path` as a hidden file and writes the resource of this program's
// module with the numeric id and type name into it in one write. A file that cannot be created
// is reported with "Error : %x" in a message box owned by `owner`; a missing or empty resource
// or a failed write only gives false.
bool WritePayloadToFile(HWND owner, LPCWSTR path, WORD resourceId, LPCWSTR resourceType);

// The one failure text the installer shows with a system error code.

// Shows "Error : %x" (lower-case hexadecimal) with `code`, owned by `owner`. A null caption
// leaves the platform's default caption.
void ShowErrorCode(HWND owner, DWORD code, LPCWSTR caption, UINT type);

// MessageBoxW that also writes the text to the debug output, so a log tells what the user was
// shown and answered.
int ShowInstallerMessage(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
