// FindResourceW and friends. A loaded resource is its bytes: LoadResource answers their address
// and LockResource hands it back; nothing needs freeing.
#include "Platform/Kernel/Modules.h"
#include "Platform/Kernel/Resources.h"
#include "Platform/Win32.h"

HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
  if (!hModule) hModule = Platform::ProgramModule();
  DWORD error = ERROR_SUCCESS;
  HRSRC found = Platform::FindResourceIn(hModule, lpName, lpType, &error);
  if (!found) SetLastError(error);
  return found;
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo) {
  const void* data;
  DWORD size;
  if (!hResInfo || !Platform::ResourceData(hResInfo, &data, &size)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return const_cast<void*>(data);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo) {
  const void* data;
  DWORD size;
  if (!hResInfo || !Platform::ResourceData(hResInfo, &data, &size)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return size;
}

// Obsolete since 32-bit Windows: resources stay loaded, and the answer is always FALSE.
BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }
