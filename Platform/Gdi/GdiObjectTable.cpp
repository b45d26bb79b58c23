#include <mutex>
#include <unordered_map>

#include "Platform/Gdi/GdiObjects.h"

namespace Platform {
namespace {

struct ObjectTable {
  std::mutex mutex;
  std::unordered_map<void*, std::shared_ptr<GdiObject>> objects;
};

ObjectTable& Table() {
  static ObjectTable* table = new ObjectTable;  // outlives every static destructor
  return *table;
}

}  // namespace

GdiBitmap::~GdiBitmap() {
  if (surface) cairo_surface_destroy(surface);
}

GdiFont::~GdiFont() {
  if (description) pango_font_description_free(description);
}

GdiRegion::~GdiRegion() {
  if (region) cairo_region_destroy(region);
}

HANDLE AddGdiObject(std::shared_ptr<GdiObject> obj) {
  if (!obj) return nullptr;
  void* handle = obj.get();
  ObjectTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.objects.emplace(handle, std::move(obj));
  return handle;
}

std::shared_ptr<GdiObject> FindGdiObject(HANDLE h) {
  if (!h) return nullptr;
  ObjectTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.objects.find(h);
  return it == t.objects.end() ? nullptr : it->second;
}

void RemoveGdiObject(HANDLE h) {
  std::shared_ptr<GdiObject> doomed;  // released outside the lock
  ObjectTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.objects.find(h);
  if (it == t.objects.end()) return;
  doomed = std::move(it->second);
  t.objects.erase(it);
}

}  // namespace Platform
