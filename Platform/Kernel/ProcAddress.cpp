// GetProcAddress over the one list of functions, Platform/Win32Api.inc: each line's MODULE
// column says in which library a function is found.
#include <cstring>
#include <string>

#include "Platform/Kernel/Modules.h"
#include "Platform/Kernel/SharedObjects.h"
#include "Platform/Win32.h"

namespace {

struct Export {
  const char16_t* module;
  const char* name;
  FARPROC address;
};

#define WIN32_MODULE_NAME_KERNEL32 u"kernel32"
#define WIN32_MODULE_NAME_USER32 u"user32"
#define WIN32_MODULE_NAME_GDI32 u"gdi32"
#define WIN32_MODULE_NAME_MSIMG32 u"msimg32"
#define WIN32_MODULE_NAME_ADVAPI32 u"advapi32"
#define WIN32_MODULE_NAME_SHELL32 u"shell32"
#define WIN32_MODULE_NAME_SHLWAPI u"shlwapi"
#define WIN32_MODULE_NAME_OLE32 u"ole32"
#define WIN32_MODULE_NAME_COMCTL32 u"comctl32"

const Export kExports[] = {
#define WIN32_FN(module, ret, name, params) \
  {WIN32_MODULE_NAME_##module, #name, reinterpret_cast<FARPROC>(&::name)},
#include "Platform/Win32Api.inc"
#undef WIN32_FN
};

// Exports that callers take by number.
struct Ordinal {
  const char16_t* module;
  WORD ordinal;
  const char* name;
};
const Ordinal kOrdinals[] = {{u"shell32", 165, "SHCreateDirectory"}};

FARPROC Find(const std::u16string& library, const char* name) {
  for (const Export& e : kExports)
    if (std::strcmp(e.name, name) == 0 && library == e.module) return e.address;
  return nullptr;
}

}  // namespace

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  if (hModule && Platform::IsSharedObject(hModule)) {
    FARPROC address =
        IS_INTRESOURCE(lpProcName) ? nullptr : Platform::SharedObjectSymbol(hModule, lpProcName);
    if (!address) SetLastError(ERROR_PROC_NOT_FOUND);
    return address;
  }
  if (!hModule || !Platform::IsKnownModule(hModule)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  // The program itself exports nothing.
  const std::u16string library = Platform::LibraryName(hModule);
  const char* name = lpProcName;
  if (IS_INTRESOURCE(lpProcName)) {
    name = nullptr;
    const WORD ordinal = LOWORD(reinterpret_cast<ULONG_PTR>(lpProcName));
    for (const Ordinal& o : kOrdinals)
      if (o.ordinal == ordinal && library == o.module) name = o.name;
  }
  FARPROC address = name && !library.empty() ? Find(library, name) : nullptr;
  if (!address) SetLastError(ERROR_PROC_NOT_FOUND);
  return address;
}
