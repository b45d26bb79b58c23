#include "Platform/Kernel/Handles.h"
#include "Platform/Win32.h"

BOOL WINAPI CloseHandle(HANDLE hObject) {
  // The pseudo handles of the current process and thread need no closing.
  if (hObject == GetCurrentProcess() || hObject == GetCurrentThread()) return TRUE;
  return Platform::RemoveHandle(hObject) ? TRUE : FALSE;
}

HANDLE WINAPI GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)); }

HANDLE WINAPI GetCurrentThread() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2)); }
