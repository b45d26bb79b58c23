#pragma once
// What the start step hands to the install worker; the worker owns it from then on.

#include <string>

#include "Platform/Win32.h"
#include "setup/CreationListener.h"
#include "setup/InstallManifest.h"

struct InstallOptions final : CreationListener {
  std::basic_string<WCHAR> installDir;   // the chosen folder, with a trailing backslash
  std::basic_string<WCHAR> archivePath;  // the hidden temporary copy of the payload
  bool desktopShortcut = false;
  bool startMenuShortcut = false;
  bool taskbarShortcut = false;

  // What this install created so far, also written to the install folder as it goes; and the
  // install path recorded before this install, put back by an undo (none: the value goes).
  InstallManifestWriter manifest;
  bool hadEarlierPath = false;
  std::basic_string<WCHAR> earlierPath;

  // Written by the extraction thread before it ends, read by the worker once it has ended:
  // the extractor's result and the Win32 code of the first failure (0 when none).
  int extractionResult = -1;
  DWORD extractionError = ERROR_SUCCESS;

  void Created(ManifestKind kind, LPCWSTR path, bool createdNow) override {
    manifest.Add(kind, path, createdNow);
  }
};
