#pragma once
// The start of an install, on the UI thread: checks the directory, records it, writes the
// payload to a hidden temporary file and starts the install worker.

#include <atomic>

#include "Platform/Win32.h"

// True from the moment an install starts until it has ended: the start step, the worker and
// its extraction (the extraction state is process-wide, so one install at a time). The click
// handler reads it; StartInstall also refuses to run while it is set.
extern std::atomic<bool> StartInProgress;

// Set by the window when the user cancels a running install: the worker stops before the next
// entry or step, takes back what the install created and ends the program. Cleared by each
// start.
extern std::atomic<bool> InstallCancelRequested;

// While the window asks whether to cancel, the install holds before its next entry or step, so
// that a "yes" finds it where the question found it. Any thread.
void HoldInstall();
void ReleaseInstall();
// Waits while the install is held; then true when it may go on, false when it is cancelled.
bool InstallMayProceed();

// Runs the start step with the edit's text and the three option states. Every outcome is a
// message box or a started worker; a refused start leaves nothing behind and records nothing.
void StartInstall(HWND owner, LPCWSTR directoryText, bool desktopShortcut, bool startMenuShortcut,
                  bool taskbarShortcut);

// The install directory from the edit's text: a backslash appended unless the text is empty or
// already ends with one. False when the result would not fit MAX_PATH characters.
bool MakeInstallDirectory(LPCWSTR directoryText, WCHAR* out);

// Why an install directory (ending with a backslash) cannot be used, before anything is
// written: ERROR_BAD_PATHNAME empty or relative, ERROR_INVALID_DRIVE no fixed drive (also a
// network path), ERROR_INVALID_NAME a character no name may hold, ERROR_DIRECTORY a file where
// a folder would go. ERROR_SUCCESS when it can.
DWORD CheckInstallDirectory(LPCWSTR installDir);

// True when the directory is an absolute path ("X:\...") on a fixed drive.
bool IsOnFixedDrive(LPCWSTR installDir);
