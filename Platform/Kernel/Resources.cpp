#include "Platform/Kernel/Resources.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Platform/Kernel/Modules.h"
#include "Platform/Win32.h"

namespace Platform {
namespace {

struct ResourceId {
  bool numeric = false;
  WORD number = 0;
  std::u16string text;  // upper case

  bool operator==(const ResourceId& o) const {
    return numeric == o.numeric && (numeric ? number == o.number : text == o.text);
  }
};

struct Resource {
  HMODULE module;
  ResourceId type;
  ResourceId name;
  const void* data;
  DWORD size;
  std::vector<unsigned char> owned;
};

struct Table {
  std::mutex mutex;
  std::vector<std::unique_ptr<Resource>> resources;
};

Table& Resources() {
  static Table* table = new Table;  // used by static registrations before main and after exit
  return *table;
}

// "#123" is the number 123; anything else is a name.
bool ParseId(LPCWSTR id, ResourceId* out) {
  if (!id) return false;
  if (IS_INTRESOURCE(id)) {
    out->numeric = true;
    out->number = LOWORD(reinterpret_cast<ULONG_PTR>(id));
    return true;
  }
  std::u16string text(id);
  if (text.empty()) return false;
  if (text[0] == u'#' && text.size() > 1 && text.size() <= 6 &&
      text.find_first_not_of(u"0123456789", 1) == std::u16string::npos) {
    unsigned long value = 0;
    for (size_t i = 1; i < text.size(); ++i) value = value * 10 + (text[i] - u'0');
    if (value <= 0xFFFF) {
      out->numeric = true;
      out->number = static_cast<WORD>(value);
      return true;
    }
  }
  for (char16_t& c : text)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  out->text = std::move(text);
  return true;
}

bool Add(HMODULE module, LPCWSTR type, LPCWSTR name, const void* data, size_t size, bool copy) {
  auto resource = std::make_unique<Resource>();
  if (!IsKnownModule(module) || !ParseId(type, &resource->type) ||
      !ParseId(name, &resource->name) || size > 0xFFFFFFFFu || (!data && size))
    return false;
  resource->module = module;
  resource->size = static_cast<DWORD>(size);
  if (copy) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    resource->owned.assign(bytes, bytes + size);
    resource->data = resource->owned.data();
  } else {
    resource->data = data;
  }
  Table& t = Resources();
  std::lock_guard<std::mutex> lock(t.mutex);
  for (auto& existing : t.resources) {
    if (existing->module == module && existing->type == resource->type &&
        existing->name == resource->name) {
      existing = std::move(resource);
      return true;
    }
  }
  t.resources.push_back(std::move(resource));
  return true;
}

}  // namespace

bool RegisterResource(HMODULE module, LPCWSTR type, LPCWSTR name, const void* data, size_t size) {
  return Add(module, type, name, data, size, true);
}

bool RegisterStaticResource(HMODULE module, LPCWSTR type, LPCWSTR name, const void* data,
                            size_t size) {
  return Add(module, type, name, data, size, false);
}

bool RemoveResource(HMODULE module, LPCWSTR type, LPCWSTR name) {
  ResourceId typeId, nameId;
  if (!ParseId(type, &typeId) || !ParseId(name, &nameId)) return false;
  Table& t = Resources();
  std::lock_guard<std::mutex> lock(t.mutex);
  for (auto it = t.resources.begin(); it != t.resources.end(); ++it) {
    if ((*it)->module == module && (*it)->type == typeId && (*it)->name == nameId) {
      t.resources.erase(it);
      return true;
    }
  }
  return false;
}

HRSRC FindResourceIn(HMODULE module, LPCWSTR name, LPCWSTR type, DWORD* error) {
  ResourceId typeId, nameId;
  if (!ParseId(type, &typeId) || !ParseId(name, &nameId)) {
    *error = ERROR_INVALID_PARAMETER;
    return nullptr;
  }
  Table& t = Resources();
  std::lock_guard<std::mutex> lock(t.mutex);
  bool anyInModule = false, typeFound = false;
  for (const auto& r : t.resources) {
    if (r->module != module) continue;
    anyInModule = true;
    if (!(r->type == typeId)) continue;
    typeFound = true;
    if (r->name == nameId) return reinterpret_cast<HRSRC>(r.get());
  }
  *error = !anyInModule ? ERROR_RESOURCE_DATA_NOT_FOUND
           : !typeFound ? ERROR_RESOURCE_TYPE_NOT_FOUND
                        : ERROR_RESOURCE_NAME_NOT_FOUND;
  return nullptr;
}

bool ResourceData(HRSRC handle, const void** data, DWORD* size) {
  Table& t = Resources();
  std::lock_guard<std::mutex> lock(t.mutex);
  for (const auto& r : t.resources) {
    if (reinterpret_cast<HRSRC>(r.get()) == handle) {
      static const unsigned char kEmpty = 0;  // a resource of no bytes still loads somewhere
      *data = r->size ? r->data : &kEmpty;
      *size = r->size;
      return true;
    }
  }
  return false;
}

}  // namespace Platform
