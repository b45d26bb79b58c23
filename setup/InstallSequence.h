#pragma once
// The start of an install, on the UI thread: checks the directory, records it, writes the
// payload to a hidden temporary file and starts the install worker.

#include <atomic>

#include "Platform/Win32.h"

// True from the moment an install starts until it has ended: the start step, the worker and
// its extraction (the extraction state is process-wide, so one install at a time). The click
// handler reads it; StartInstall also refuses to run while it is set.
extern std::atomic<bool> StartInProgress;

// Runs the start step with the edit's text and the three option states. Every outcome is a
// message box, a silent stop or a started worker.
void StartInstall(HWND owner, LPCWSTR directoryText, bool desktopShortcut, bool startMenuShortcut,
                  bool taskbarShortcut);

// The install directory from the edit's text: a backslash appended unless the text is empty or
// already ends with one. False when the result would not fit MAX_PATH characters.
bool MakeInstallDirectory(LPCWSTR directoryText, WCHAR* out);

// True when the directory is an absolute path ("X:\...") on a fixed drive.
bool IsOnFixedDrive(LPCWSTR installDir);
