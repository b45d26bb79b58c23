#include <cstring>

#include "Platform/Shell/ItemIdList.h"
#include "Platform/Shell/SpecialFolders.h"

BOOL WINAPI SHGetPathFromIDListW(PCIDLIST_ABSOLUTE pidl, LPWSTR pszPath) {
  if (!pszPath) return FALSE;
  pszPath[0] = 0;
  std::u16string path;
  bool desktop = pidl && pidl->mkid.cb == 0;  // the namespace root stands for the desktop folder
  bool found = desktop ? SUCCEEDED(Platform::ExistingSpecialFolder(CSIDL_DESKTOPDIRECTORY, &path))
                       : Platform::ItemIdListPath(pidl, &path);
  if (!found || path.size() >= MAX_PATH) return FALSE;
  std::memcpy(pszPath, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
  return TRUE;
}

UINT WINAPI ILGetSize(PCIDLIST_ABSOLUTE pidl) {
  if (!pidl) return 0;
  const BYTE* p = reinterpret_cast<const BYTE*>(pidl);
  UINT size = 0;
  for (;;) {
    USHORT cb;
    std::memcpy(&cb, p + size, sizeof cb);
    size += sizeof cb;
    if (cb == 0) return size;
    if (cb < sizeof cb) return 0;  // malformed item
    size += cb - static_cast<UINT>(sizeof cb);
  }
}

void WINAPI ILFree(PIDLIST_ABSOLUTE pidl) { CoTaskMemFree(pidl); }
