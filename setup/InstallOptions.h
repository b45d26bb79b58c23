#pragma once
// What the start step hands to the install worker; the worker owns it from then on.

#include <string>

#include "Platform/Win32.h"

struct InstallOptions {
  std::basic_string<WCHAR> installDir;   // the chosen folder, with a trailing backslash
  std::basic_string<WCHAR> archivePath;  // the hidden temporary copy of the payload
  bool desktopShortcut = false;
  bool startMenuShortcut = false;
  bool taskbarShortcut = false;

  // Written by the extraction thread before it ends, read by the worker once it has ended:
  // the extractor's result and the Win32 code of the first failure (0 when none).
  int extractionResult = -1;
  DWORD extractionError = ERROR_SUCCESS;
};
