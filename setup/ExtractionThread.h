#pragma once
// The extraction thread and the event it sets when it has started.

#include "Platform/Win32.h"

// Manual-reset event created by the install worker before it starts the extraction thread.
extern HANDLE ExtractionStarted;

// Thread body; the parameter is the worker's InstallOptions. Sets ExtractionStarted, installs
// ReportProgress as the progress callback and extracts the archive into the install
// directory, leaving the result and first error in the options. Returns 0.
DWORD WINAPI RunPayloadExtraction(LPVOID options);
