#include "Platform/LibArchive.h"

#include <locale.h>

#include "Platform/Kernel/SharedObjects.h"

namespace Platform {

namespace {

// Each member is found by the function name it stands for.
template <typename Function>
bool Resolve(HMODULE module, const char* name, Function* slot) {
  FARPROC address = SharedObjectSymbol(module, name);
  *slot = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
  return address != nullptr;
}

bool ResolveAll(HMODULE module, LibArchive* lib) {
#define SKINUI_RESOLVE(member) Resolve(module, "archive_" #member, &lib->member)
  return SKINUI_RESOLVE(read_new) && SKINUI_RESOLVE(read_free) &&
         SKINUI_RESOLVE(read_support_format_7zip) && SKINUI_RESOLVE(read_set_callback_data) &&
         SKINUI_RESOLVE(read_set_read_callback) && SKINUI_RESOLVE(read_set_seek_callback) &&
         SKINUI_RESOLVE(read_set_skip_callback) && SKINUI_RESOLVE(read_open1) &&
         SKINUI_RESOLVE(read_next_header) && SKINUI_RESOLVE(read_data_block) &&
         SKINUI_RESOLVE(set_error) && SKINUI_RESOLVE(entry_pathname_utf8) &&
         SKINUI_RESOLVE(entry_pathname_w) && SKINUI_RESOLVE(entry_symlink_utf8) &&
         SKINUI_RESOLVE(entry_filetype) && SKINUI_RESOLVE(entry_perm) &&
         SKINUI_RESOLVE(entry_size) && SKINUI_RESOLVE(error_string) &&
         Resolve(module, "archive_errno", &lib->error_number);
#undef SKINUI_RESOLVE
}

const LibArchive* Load() {
  static LibArchive lib;
  WCHAR name[64] = {};
  const char* soname = SKINUI_LIBARCHIVE_SONAME;
  for (int i = 0; soname[i] && i < 63; i++) name[i] = static_cast<WCHAR>(soname[i]);
  HMODULE module = LoadSharedObject(name);
  // The library stays loaded for the life of the process, also when a function is missing.
  return module && ResolveAll(module, &lib) ? &lib : nullptr;
}

}  // namespace

const LibArchive* LoadLibArchive() {
  static const LibArchive* const lib = Load();
  return lib;
}

LibArchiveNameScope::LibArchiveNameScope() {
  static locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  if (utf8) m_previous = uselocale(utf8);
}

LibArchiveNameScope::~LibArchiveNameScope() {
  if (m_previous) uselocale(static_cast<locale_t>(m_previous));
}

bool LibArchiveNamesAreWide() { return false; }

}  // namespace Platform
