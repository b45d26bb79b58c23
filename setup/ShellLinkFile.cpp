#include "setup/ShellLinkFile.h"

#include "setup/InstallNames.h"

namespace {

bool SaveLink(IShellLinkW* link, IPersistFile* file, LPCWSTR workingDir, LPCWSTR target,
              LPCWSTR folder) {
  if (target) link->SetPath(target);
  if (workingDir) {
    link->SetWorkingDirectory(workingDir);
    link->SetRelativePath(workingDir, 0);
  }
  link->SetDescription(kProductName);
  link->SetShowCmd(SW_SHOWNORMAL);
  WCHAR path[MAX_PATH];
  wnsprintfW(path, MAX_PATH, u"%s\\%s", folder, kShortcutName);
  return SUCCEEDED(file->Save(path, TRUE));
}

}  // namespace

bool CreateShellShortcut(LPCWSTR workingDir, LPCWSTR target, LPCWSTR folder) {
  CoInitialize(nullptr);
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      link) {
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) && file) {
      saved = SaveLink(link, file, workingDir, target, folder);
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return saved;
}
