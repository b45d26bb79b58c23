#include "Platform/Kernel/Modules.h"

#include <limits.h>
#include <unistd.h>

#include <vector>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Kernel/SharedObjects.h"
#include "Platform/Text/AsciiText.h"
#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace Platform {
namespace {

// One record per library; its address is the library's module handle.
struct Library {
  const char16_t* name;
};

const Library kLibraries[] = {{u"kernel32"}, {u"user32"},  {u"gdi32"}, {u"msimg32"}, {u"advapi32"},
                              {u"shell32"},  {u"shlwapi"}, {u"ole32"}, {u"comctl32"}};

// Any unique address serves as the program's module handle.
char g_programModuleTag;

// The file name without folder and without the given extension.
std::u16string BaseName(std::u16string_view path, std::u16string_view extension) {
  size_t slash = path.find_last_of(u"\\/");
  std::u16string name =
      AsciiLowered(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
  if (name.size() > extension.size() &&
      name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
    name.resize(name.size() - extension.size());
  return name;
}

}  // namespace

HMODULE ProgramModule() { return reinterpret_cast<HMODULE>(&g_programModuleTag); }

std::string ProgramPath() {
  std::vector<char> buf(PATH_MAX + 1);
  ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  return n > 0 ? std::string(buf.data(), static_cast<size_t>(n)) : std::string();
}

HMODULE FindModule(std::u16string_view name) {
  const std::u16string wanted = BaseName(name, u".dll");
  for (const Library& library : kLibraries)
    if (wanted == library.name) return reinterpret_cast<HMODULE>(const_cast<Library*>(&library));
  const std::u16string self = Utf8ToUtf16(ProgramPath());
  if (BaseName(name, u".exe") == BaseName(self, u".exe")) return ProgramModule();
  return nullptr;
}

std::u16string LibraryName(HMODULE module) {
  for (const Library& library : kLibraries)
    if (module == reinterpret_cast<HMODULE>(const_cast<Library*>(&library))) return library.name;
  return u"";
}

bool IsKnownModule(HMODULE module) {
  return module == ProgramModule() || !LibraryName(module).empty();
}

std::u16string ModuleFileName(HMODULE module) {
  if (!module || module == ProgramModule()) return PosixToWindowsPath(ProgramPath());
  for (const Library& library : kLibraries)
    if (module == reinterpret_cast<HMODULE>(const_cast<Library*>(&library)))
      return u"C:\\windows\\system32\\" + std::u16string(library.name) + u".dll";
  return u"";
}

}  // namespace Platform

DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
  const std::u16string path = Platform::ModuleFileName(hModule);
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!lpFilename || nSize == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // Too small: as much as fits, terminated, the buffer size answered and the error set.
  if (path.size() >= nSize) {
    path.copy(lpFilename, nSize - 1);
    lpFilename[nSize - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  path.copy(lpFilename, path.size());
  lpFilename[path.size()] = 0;
  return static_cast<DWORD>(path.size());
}

HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName) {
  if (!lpModuleName) return Platform::ProgramModule();
  HMODULE module = Platform::FindModule(lpModuleName);
  if (!module) SetLastError(ERROR_MOD_NOT_FOUND);
  return module;
}

// The libraries are linked into the program: loading finds them, and nothing else.
HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName) {
  if (!lpLibFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (HMODULE module = Platform::FindModule(lpLibFileName)) return module;
  HMODULE module = Platform::LoadSharedObject(lpLibFileName);
  if (!module) SetLastError(ERROR_MOD_NOT_FOUND);
  return module;
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  if (hLibModule && Platform::ReleaseSharedObject(hLibModule)) return TRUE;
  if (!hLibModule || !Platform::IsKnownModule(hLibModule)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return FALSE;
  }
  return TRUE;
}
