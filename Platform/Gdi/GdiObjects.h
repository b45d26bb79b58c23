#pragma once
// The GDI objects behind HBITMAP, HBRUSH, HPEN, HFONT and HRGN, and the process-wide table
// that turns handles into objects. A handle is the address of its object; the table knows
// which addresses are live, so a stale or foreign handle is refused instead of followed.
// Objects are shared: a device context keeps what it has selected alive even when the handle
// has been deleted meanwhile.

#include <cairo.h>
#include <pango/pango.h>

#include <memory>

#include "Platform/Win32.h"

namespace Platform {

enum class GdiKind { Bitmap, Brush, Pen, Font, Region };

struct GdiObject {
  explicit GdiObject(GdiKind k) : kind(k) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  const GdiKind kind;
  bool stock = false;  // stock objects are never deleted
};

struct GdiBitmap : GdiObject {
  GdiBitmap() : GdiObject(GdiKind::Bitmap) {}
  ~GdiBitmap() override;
  cairo_surface_t* surface = nullptr;  // ARGB32, stride width * 4
  bool dibSection = false;
};

struct GdiBrush : GdiObject {
  GdiBrush() : GdiObject(GdiKind::Brush) {}
  UINT style = BS_SOLID;
  COLORREF color = 0;
};

struct GdiPen : GdiObject {
  GdiPen() : GdiObject(GdiKind::Pen) {}
  int style = PS_SOLID;
  int width = 1;  // in pixels, at least 1
  COLORREF color = 0;
};

struct FontMetrics {
  LONG height = 0, ascent = 0, descent = 0, internalLeading = 0, externalLeading = 0;
  LONG aveCharWidth = 0, maxCharWidth = 0;
};

struct GdiFont : GdiObject {
  GdiFont() : GdiObject(GdiKind::Font) {}
  ~GdiFont() override;
  LOGFONTW logFont{};
  PangoFontDescription* description = nullptr;
  PangoLanguage* language = nullptr;  // script preference when the face is not installed
  FontMetrics metrics;
};

struct GdiRegion : GdiObject {
  GdiRegion() : GdiObject(GdiKind::Region) {}
  ~GdiRegion() override;
  cairo_region_t* region = nullptr;
};

// A new bitmap of w x h transparent black pixels, or null (last error set).
std::shared_ptr<GdiBitmap> NewBitmap(int w, int h);

// Registers a new object and returns its handle (null when obj is null).
HANDLE AddGdiObject(std::shared_ptr<GdiObject> obj);
// The live object behind a handle, or null.
std::shared_ptr<GdiObject> FindGdiObject(HANDLE h);
// Removes a handle from the table; the object lives on while something still shares it.
void RemoveGdiObject(HANDLE h);

template <class T>
std::shared_ptr<T> FindGdi(HANDLE h, GdiKind kind) {
  std::shared_ptr<GdiObject> obj = FindGdiObject(h);
  if (!obj || obj->kind != kind) return nullptr;
  return std::static_pointer_cast<T>(obj);
}

inline HANDLE HandleOf(const GdiObject* obj) { return const_cast<GdiObject*>(obj); }

}  // namespace Platform
