#include "GallerySkin.h"

#include "Core/UIManager.h"

bool SelectGallerySkin() {
  HRSRC hResource = ::FindResourceW(nullptr, MAKEINTRESOURCEW(1), TEXT("ZIPRES"));
  if (hResource == nullptr) return false;
  HGLOBAL hGlobal = ::LoadResource(nullptr, hResource);
  if (hGlobal == nullptr) return false;
  const DWORD dwSize = ::SizeofResource(nullptr, hResource);
  void* pBytes = ::LockResource(hGlobal);
  if (dwSize == 0 || pBytes == nullptr) return false;
  // A module's resources are mapped for as long as the module is loaded: no copy is needed.
  SkinUI::CPaintManagerUI::SetResourceZipBuffer(pBytes, dwSize);
  return true;
}
