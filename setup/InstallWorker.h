#pragma once
// The install worker and the extraction thread it starts.

#include "Platform/Win32.h"

// The install worker: runs the extraction on a thread of its own and waits for it, then makes
// the shortcuts and the uninstall entry, starts the launcher, hides the setup window and ends
// the program three seconds later. A failed extraction skips all of that: the user sees the
// first error and the window stays for another try.

// Thread body; takes ownership of the InstallOptions it is given. Returns 0.
DWORD WINAPI RunInstallWorker(LPVOID options);

// The extraction thread and the event it sets when it has started.

// Manual-reset event created by the install worker before it starts the extraction thread.
extern HANDLE ExtractionStarted;

// Thread body; the parameter is the worker's InstallOptions. Sets ExtractionStarted, installs
// ReportProgress as the progress callback and extracts the archive into the install
// directory, leaving the result and first error in the options. Returns 0.
DWORD WINAPI RunPayloadExtraction(LPVOID options);
