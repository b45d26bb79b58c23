#pragma once
// The install worker: runs the extraction on a thread of its own and waits for it, then makes
// the shortcuts and the uninstall entry, starts the launcher, hides the setup window and ends
// the program three seconds later. A failed extraction skips all of that: the user sees the
// first error and the window stays for another try.

#include "Platform/Win32.h"

// Thread body; takes ownership of the InstallOptions it is given. Returns 0.
DWORD WINAPI RunInstallWorker(LPVOID options);
