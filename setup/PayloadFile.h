#pragma once
// Copies the embedded payload resource into a hidden file.

#include "Platform/Win32.h"

// Creates (or replaces) `path` as a hidden file and writes the resource of this program's
// module with the numeric id and type name into it in one write. A file that cannot be created
// is reported with "Error : %x" in a message box owned by `owner`; a missing or empty resource
// or a failed write only gives false.
bool WritePayloadToFile(HWND owner, LPCWSTR path, WORD resourceId, LPCWSTR resourceType);
