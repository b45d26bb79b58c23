#include "Platform/Shell/SpecialFolders.h"

#include "Platform/Kernel/Prefix.h"

namespace Platform {

namespace {

enum class Base { Drive, Profile, PublicProfile };

struct Folder {
  int csidl;
  Base base;
  const char16_t* path;
};

// Windows 7's layout below C:\, the user's profile and the public profile.
const Folder kFolders[] = {
    {CSIDL_DESKTOP, Base::Profile, u"Desktop"},
    {CSIDL_DESKTOPDIRECTORY, Base::Profile, u"Desktop"},
    {CSIDL_PERSONAL, Base::Profile, u"Documents"},
    {CSIDL_PROFILE, Base::Profile, u""},
    {CSIDL_APPDATA, Base::Profile, u"AppData\\Roaming"},
    {CSIDL_LOCAL_APPDATA, Base::Profile, u"AppData\\Local"},
    {CSIDL_STARTMENU, Base::Profile, u"AppData\\Roaming\\Microsoft\\Windows\\Start Menu"},
    {CSIDL_PROGRAMS, Base::Profile, u"AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
    {CSIDL_STARTUP, Base::Profile,
     u"AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"},
    {CSIDL_COMMON_DESKTOPDIRECTORY, Base::PublicProfile, u"Desktop"},
    {CSIDL_COMMON_APPDATA, Base::Drive, u"ProgramData"},
    {CSIDL_COMMON_STARTMENU, Base::Drive, u"ProgramData\\Microsoft\\Windows\\Start Menu"},
    {CSIDL_COMMON_PROGRAMS, Base::Drive, u"ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
    {CSIDL_COMMON_STARTUP, Base::Drive,
     u"ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"},
    {CSIDL_WINDOWS, Base::Drive, u"windows"},
    {CSIDL_SYSTEM, Base::Drive, u"windows\\system32"},
    {CSIDL_PROGRAM_FILES, Base::Drive, u"Program Files"},
    {CSIDL_PROGRAM_FILESX86, Base::Drive, u"Program Files (x86)"},
};

}  // namespace

bool SpecialFolderPath(int csidl, std::u16string* path) {
  int id = csidl & ~CSIDL_FLAG_MASK;
  for (const Folder& folder : kFolders) {
    if (folder.csidl != id) continue;
    std::u16string base = u"C:\\";
    if (folder.base == Base::Profile) base += u"users\\" + PrefixUserName();
    if (folder.base == Base::PublicProfile) base += u"users\\Public";
    std::u16string rest = folder.path;
    if (rest.empty())
      *path = base;
    else
      *path = base.back() == u'\\' ? base + rest : base + u"\\" + rest;
    return true;
  }
  return false;
}

HRESULT ExistingSpecialFolder(int csidl, std::u16string* path) {
  if (!SpecialFolderPath(csidl, path)) {
    OutputDebugStringA("shell: unknown special folder asked for\n");
    return E_INVALIDARG;
  }
  PrefixDir();  // makes drive C when the prefix is new
  int rc = SHCreateDirectoryExW(nullptr, path->c_str(), nullptr);
  if (rc != ERROR_SUCCESS && rc != ERROR_ALREADY_EXISTS && rc != ERROR_FILE_EXISTS)
    return HRESULT_FROM_WIN32(static_cast<DWORD>(rc));
  return S_OK;
}

}  // namespace Platform
