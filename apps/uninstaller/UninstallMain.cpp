// Uninstall: removes what the install in this program's folder wrote, as its list says, after
// the user confirms: files, folders left empty, shortcuts, pins and the registry records; the
// user's own files stay. The program's own file goes last. Its boxes speak the product's
// language, whatever the system's.
#include "apps/common/ProductRecords.h"
#include "apps/uninstaller/InstallRemoval.h"
#include "setup/InstallNames.h"

namespace {

const WCHAR kCaption[] = TEXT("Halvane卸载");
const WCHAR kConfirmText[] = TEXT("确定要卸载Halvane及其所有组件吗？");
const WCHAR kNoListText[] = TEXT("找不到安装记录，无法卸载。没有删除任何文件。\n(Error : %x)");
const WCHAR kDoneText[] = TEXT("Halvane已成功卸载。");
const WCHAR kKeptText[] = TEXT("Halvane已卸载。您自己添加的文件仍保留在：\n%s");

void Tell(LPCWSTR text, UINT icon) { MessageBoxW(nullptr, text, kCaption, MB_OK | icon); }

// Files the product writes for itself while it runs: they go with it.
void RemoveRunRecords(LPCWSTR installDir) {
  WCHAR path[MAX_PATH];
  wnsprintfW(path, MAX_PATH, TEXT("%s%s"), installDir, kManifestFileName);
  DeleteFileW(path);
  wnsprintfW(path, MAX_PATH, TEXT("%s%s"), installDir, kLauncherName);
  int length = lstrlenW(path);
  lstrcpynW(path + length - 4, TEXT(".log"), MAX_PATH - length + 4);  // PlayCrate.log
  DeleteFileW(path);
}

int Uninstall() {
  WCHAR installDir[MAX_PATH] = {};
  WCHAR self[MAX_PATH] = {};
  std::vector<ManifestEntry> entries;
  if (!OwnFolder(installDir) || GetModuleFileNameW(nullptr, self, MAX_PATH) == 0 ||
      !ReadInstallManifest(installDir, &entries)) {
    WCHAR text[256];
    wnsprintfW(text, 256, kNoListText, GetLastError());
    Tell(text, MB_ICONERROR);
    return 1;
  }
  if (MessageBoxW(nullptr, kConfirmText, kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return 0;
  RemovalCounts counts = RemoveListedItems(installDir, entries, self);
  RemoveUninstallEntry(installDir);
  RemoveInstallPathRecord(installDir);
  RemoveRunRecords(installDir);
  RemoveSelfLast(self, installDir, ListsInstallFolder(installDir, entries));
  if (PathFileExistsW(installDir) && counts.nKept > 0) {
    WCHAR text[MAX_PATH + 64];
    wnsprintfW(text, MAX_PATH + 64, kKeptText, installDir);
    Tell(text, MB_ICONINFORMATION);
  } else {
    Tell(kDoneText, MB_ICONINFORMATION);
  }
  return 0;
}

}  // namespace

int main() {
  SetThreadUILanguage(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  return Uninstall();
}
