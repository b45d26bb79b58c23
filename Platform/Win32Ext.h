#pragma once
// The few calls the installer needs beyond the Win32 subset. Each has a Linux implementation in
// the platform and a Windows one in Platform/Windows/, which says what the call is there.

#include <cstddef>
#include <cstdint>

#include "Platform/Win32Types.h"

namespace Platform {

// Adds the execute bits in `bits` (any of 0111) to the file at a Windows path, for a program
// unpacked from an archive that stores them. False, with the thread's last error set, when the
// path cannot be mapped or the file's mode cannot be changed.
bool AddExecutePermission(LPCWSTR path, uint32_t bits);

// Takes the pages of [address, address + length) out of the process's resident memory when the
// range lies inside a read-only or shared view: reading them again brings the same bytes back
// from the mapped file. Only pages wholly inside the range are released. Any other range (a
// copy-on-write view, memory that is no view) is left alone. For readers that pass through a
// large view once.
void ReleaseViewPages(const void* address, uint64_t length);

// Copies `count` bytes out of a view of a file. False, with ERROR_READ_FAULT as the thread's
// last error, when some of them can no longer be read because the file shrank under the view
// (another process truncated it); what was copied before then is undefined. Any thread.
bool CopyFromView(void* to, const void* from, size_t count);

// Whether the shell offers `verb` for the file at a Windows path, so that ShellExecuteW carries it
// out rather than failing. On Windows the verbs are those of the file's context menu: the pin
// verbs are there on Windows 7 only (later Windows gives programs no way to pin), and an unknown
// verb can make the shell open the file or show an error box. On Linux, the verbs this platform's
// ShellExecuteW carries out. Any thread.
bool ShellOffersVerb(LPCWSTR file, LPCWSTR verb);

}  // namespace Platform
