#pragma once
// A plain window of the setup window's class and title: it shows the install directory and the
// progress the extraction reports, and prints each percentage on standard output.

#include "Platform/Win32.h"

// Registers the class and creates the window, shown; null when either fails.
HWND CreateProgressWindow(LPCWSTR installDirectory);
