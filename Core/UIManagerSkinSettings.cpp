// The skin settings of the process: the module instance, the resource folder or zip (on disk
// or in memory, kept open or not) and the hue shift of skin colours.

#include "Core/SkinArchive.h"
#include "Core/UIManager.h"

namespace SkinUI {

namespace {

// The skin settings of the process.
struct SkinSettings {
  HINSTANCE instance = nullptr;
  CUIString resourceFolder;
  CUIString resourceZip;
  bool zipKeptOpen = false;
  SkinArchive* zip = nullptr;
};

SkinSettings& Settings() {
  static SkinSettings settings;
  return settings;
}

constexpr WCHAR kMemoryZipName[] = TEXT("membuffer");

}  // namespace

HINSTANCE CPaintManagerUI::Instance() { return Settings().instance; }

void CPaintManagerUI::SetInstance(HINSTANCE hInst) { Settings().instance = hInst; }

CUIString CPaintManagerUI::InstanceFolder() {
  if (!Settings().instance) return CUIString();
  WCHAR path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(Settings().instance, path, MAX_PATH);
  if (length == 0) return CUIString();
  CUIString folder(path, static_cast<int>(length < MAX_PATH ? length : MAX_PATH));
  const int slash = folder.ReverseFind(u'\\');
  return slash < 0 ? CUIString() : folder.Left(slash + 1);
}

HINSTANCE CPaintManagerUI::ResourceModule() { return Settings().instance; }

const CUIString& CPaintManagerUI::ResourceFolder() { return Settings().resourceFolder; }

void CPaintManagerUI::SetResourceFolder(LPCWSTR pStrPath) {
  CUIString& folder = Settings().resourceFolder;
  folder = pStrPath ? pStrPath : TEXT("");
  const int length = folder.GetLength();
  if (length > 0 && folder[length - 1] != u'\\' && folder[length - 1] != u'/') folder += u'\\';
}

const CUIString& CPaintManagerUI::ResourceZipName() { return Settings().resourceZip; }

bool CPaintManagerUI::IsZipKeptOpen() { return Settings().zipKeptOpen; }

SkinArchive* CPaintManagerUI::OpenZipHandle() { return Settings().zip; }

void CPaintManagerUI::CloseKeptZip() {
  CloseArchive(Settings().zip);
  Settings().zip = nullptr;
}

void CPaintManagerUI::SetResourceZip(LPCWSTR pstrZip, bool bKeepOpen) {
  SkinSettings& settings = Settings();
  const LPCWSTR name = pstrZip ? pstrZip : TEXT("");
  if (settings.resourceZip == name && settings.zipKeptOpen == bKeepOpen) return;
  CloseKeptZip();
  settings.resourceZip = name;
  settings.zipKeptOpen = bKeepOpen;
  if (bKeepOpen) {
    const CUIString path = settings.resourceFolder + settings.resourceZip;
    settings.zip = OpenArchiveFile(path);
  }
}

void CPaintManagerUI::SetResourceZipBuffer(LPVOID pVoid, unsigned int len) {
  SkinSettings& settings = Settings();
  if (settings.resourceZip == kMemoryZipName) return;
  CloseKeptZip();
  settings.resourceZip = kMemoryZipName;
  settings.zipKeptOpen = true;
  settings.zip = OpenArchiveMemory(pVoid, len);
}

void CPaintManagerUI::HueShift(short* H, short* S, short* L) {
  // Nothing changes these; controls read them to tint their colours.
  if (H) *H = 180;
  if (S) *S = 100;
  if (L) *L = 100;
}

}  // namespace SkinUI
