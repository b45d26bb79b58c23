#include <cstring>

#include "Platform/Shell/ItemIdList.h"
#include "Platform/Shell/SpecialFolders.h"

HRESULT WINAPI SHGetSpecialFolderLocation(HWND, int csidl, PIDLIST_ABSOLUTE* ppidl) {
  if (!ppidl) return E_INVALIDARG;
  *ppidl = nullptr;
  std::u16string path;
  HRESULT hr = Platform::ExistingSpecialFolder(csidl, &path);
  if (FAILED(hr)) return hr;
  if ((csidl & ~CSIDL_FLAG_MASK) == CSIDL_DESKTOP) {
    // The desktop is the root of the shell's namespace: the empty list.
    *ppidl = static_cast<PIDLIST_ABSOLUTE>(CoTaskMemAlloc(sizeof(USHORT)));
    if (*ppidl) std::memset(*ppidl, 0, sizeof(USHORT));
  } else {
    *ppidl = Platform::CreateItemIdList(path);
  }
  return *ppidl ? S_OK : E_OUTOFMEMORY;
}

HRESULT WINAPI SHGetFolderPathW(HWND, int csidl, HANDLE, DWORD dwFlags, LPWSTR pszPath) {
  if (!pszPath) return E_INVALIDARG;
  pszPath[0] = 0;
  if (dwFlags != SHGFP_TYPE_CURRENT && dwFlags != SHGFP_TYPE_DEFAULT) return E_INVALIDARG;
  std::u16string path;
  HRESULT hr = Platform::ExistingSpecialFolder(csidl, &path);
  if (FAILED(hr)) return hr;
  if (path.size() >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
  std::memcpy(pszPath, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
  return S_OK;
}

BOOL WINAPI SHGetSpecialFolderPathW(HWND hwnd, LPWSTR pszPath, int csidl, BOOL fCreate) {
  int flags = fCreate ? CSIDL_FLAG_CREATE : 0;
  return SUCCEEDED(SHGetFolderPathW(hwnd, csidl | flags, nullptr, SHGFP_TYPE_CURRENT, pszPath));
}
