#pragma once
// Unpacks the payload archive into the install directory, entry by entry in archive order,
// reporting progress through g_progressCallback.

#include "Platform/Win32.h"

class CreationListener;

// Who hears of what the extraction creates, and what it asks before each entry: false stops it
// there (ERROR_CANCELLED, result 1). Both may be null.
struct ExtractionControl {
  CreationListener* listener = nullptr;
  bool (*mayProceed)() = nullptr;
};

// Extracts the archive file. Returns 0 when every entry was written; 1 when the archive could
// not be opened or decoded, or an entry was refused or could not be created or fully written;
// -1 when the file could not be opened, sized or mapped. *firstError receives the Win32 code of
// the first failure (ERROR_SUCCESS with 0). `destination` ends with a backslash.
int PayloadExtractor(LPCWSTR archivePath, LPCWSTR destination, DWORD* firstError,
                     const ExtractionControl& control = {});

// The same over archive bytes already in memory (never -1).
int ExtractArchive(const BYTE* view, ULONGLONG size, LPCWSTR destination, DWORD* firstError,
                   const ExtractionControl& control = {});
