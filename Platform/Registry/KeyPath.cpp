#include "Platform/Registry/KeyPath.h"

#include "Platform/Registry/NameFold.h"

namespace Platform {

DWORD SplitKeyPath(const char16_t* subKey, std::vector<std::u16string>* names) {
  names->clear();
  if (!subKey || !*subKey) return ERROR_SUCCESS;
  if (*subKey == u'\\') return ERROR_BAD_PATHNAME;
  std::u16string current;
  for (const char16_t* p = subKey;; ++p) {
    if (*p == u'\\' || *p == 0) {
      if (current.empty()) {
        if (*p == 0) break;  // the one trailing backslash
        return ERROR_BAD_PATHNAME;
      }
      if (current.size() > kMaxKeyNameLength) return ERROR_INVALID_PARAMETER;
      names->push_back(std::move(current));
      current.clear();
      if (*p == 0) break;
    } else {
      current += *p;
    }
  }
  return ERROR_SUCCESS;
}

DWORD GrantedKeyAccess(REGSAM samDesired, REGSAM* granted) {
  if ((samDesired & KEY_WOW64_RES) == KEY_WOW64_RES) return ERROR_INVALID_PARAMETER;
  REGSAM rights = samDesired & (KEY_ALL_ACCESS | SYNCHRONIZE);
  if (samDesired & GENERIC_READ) rights |= KEY_READ;
  if (samDesired & GENERIC_WRITE) rights |= KEY_WRITE;
  if (samDesired & GENERIC_EXECUTE) rights |= KEY_EXECUTE;
  if (samDesired & (GENERIC_ALL | MAXIMUM_ALLOWED)) rights |= KEY_ALL_ACCESS;
  *granted = rights;
  return ERROR_SUCCESS;
}

void ApplyRegistryView(const OpenedKey& parent, REGSAM samDesired,
                       std::vector<std::u16string>* names) {
  if (!(samDesired & KEY_WOW64_32KEY) || !parent.isHiveRoot || parent.hive != Hive::LocalMachine ||
      names->empty() || FoldRegistryName((*names)[0]) != u"SOFTWARE")
    return;
  if (names->size() > 1 && FoldRegistryName((*names)[1]) == u"WOW6432NODE") return;
  names->insert(names->begin() + 1, u"WOW6432Node");
}

DWORD OpenSubkey(const OpenedKey& parent, std::vector<std::u16string> names, REGSAM samDesired,
                 bool create, const std::u16string& className, HKEY* result, bool* created) {
  OpenedKey child = parent;
  DWORD err = GrantedKeyAccess(samDesired, &child.access);
  if (err != ERROR_SUCCESS) return err;
  ApplyRegistryView(parent, samDesired, &names);
  *created = false;
  if (create && parent.isHiveRoot && parent.hive == Hive::LocalMachine && !names.empty()) {
    // The machine hive's top-level keys are fixed: none can be added.
    KeyId top;
    err = parent.store->OpenKey(parent.id, {names[0]}, &top);
    if (err == ERROR_FILE_NOT_FOUND) return ERROR_ACCESS_DENIED;
    if (err != ERROR_SUCCESS) return err;
  }
  err = create ? parent.store->CreateKey(parent.id, names, className, &child.id, created)
               : parent.store->OpenKey(parent.id, names, &child.id);
  if (err != ERROR_SUCCESS) return err;
  child.isHiveRoot = names.empty() && parent.isHiveRoot;
  *result = AddKeyHandle(child);
  return ERROR_SUCCESS;
}

}  // namespace Platform
