// Selecting, deleting and describing GDI objects.

#include <algorithm>
#include <cstring>

#include "Platform/Gdi/DeviceContext.h"
#include "Platform/Kernel/Unsupported.h"

namespace Platform {
namespace {

HGDIOBJ SelectBitmap(DeviceContext& dc, std::shared_ptr<GdiBitmap> bitmap) {
  if (!dc.memory) return nullptr;  // only memory contexts take bitmaps
  if (bitmap == dc.state.bitmap) return HandleOf(bitmap.get());
  if (!bitmap->stock && IsSelectedAnywhere(bitmap.get())) return nullptr;
  HGDIOBJ previous = HandleOf(dc.state.bitmap.get());
  dc.state.bitmap = std::move(bitmap);
  return previous;
}

template <class T>
HGDIOBJ Swap(std::shared_ptr<T>& slot, std::shared_ptr<GdiObject> obj) {
  HGDIOBJ previous = HandleOf(slot.get());
  slot = std::static_pointer_cast<T>(std::move(obj));
  return previous;
}

int CopyOut(const void* data, int size, int c, LPVOID pv) {
  if (!pv) return size;
  int n = std::min(c, size);
  if (n <= 0) return 0;
  std::memcpy(pv, data, static_cast<size_t>(n));
  return n;
}

BITMAP DescribeBitmap(const GdiBitmap& b) {
  BITMAP bm{};
  bm.bmWidth = cairo_image_surface_get_width(b.surface);
  bm.bmHeight = cairo_image_surface_get_height(b.surface);
  bm.bmWidthBytes = cairo_image_surface_get_stride(b.surface);
  bm.bmPlanes = 1;
  bm.bmBitsPixel = 32;
  bm.bmBits = b.dibSection ? cairo_image_surface_get_data(b.surface) : nullptr;
  return bm;
}

int GetBitmapObject(const GdiBitmap& b, int c, LPVOID pv) {
  BITMAP bm = DescribeBitmap(b);
  if (!b.dibSection || (pv && c < static_cast<int>(sizeof(DIBSECTION)))) {
    if (pv && c < static_cast<int>(sizeof(BITMAP))) return 0;
    return CopyOut(&bm, sizeof bm, c, pv);
  }
  DIBSECTION ds{};
  ds.dsBm = bm;
  ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
  ds.dsBmih.biWidth = bm.bmWidth;
  // Windows reports the height positive even though every DIB section here is top-down.
  ds.dsBmih.biHeight = bm.bmHeight;
  ds.dsBmih.biPlanes = 1;
  ds.dsBmih.biBitCount = 32;
  ds.dsBmih.biCompression = BI_RGB;
  ds.dsBmih.biSizeImage = static_cast<DWORD>(bm.bmWidthBytes) * static_cast<DWORD>(bm.bmHeight);
  return CopyOut(&ds, sizeof ds, c, pv);
}

}  // namespace
}  // namespace Platform

using namespace Platform;

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  DeviceContext* dc = FindDc(hdc);
  std::shared_ptr<GdiObject> obj = FindGdiObject(h);
  if (!dc || !obj) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  switch (obj->kind) {
    case GdiKind::Bitmap: return SelectBitmap(*dc, std::static_pointer_cast<GdiBitmap>(obj));
    case GdiKind::Brush: return Swap(dc->state.brush, obj);
    case GdiKind::Pen: return Swap(dc->state.pen, obj);
    case GdiKind::Font: return Swap(dc->state.font, obj);
    case GdiKind::Region: {
      int result = SelectClipRgn(hdc, static_cast<HRGN>(h));
      return result == ERROR ? HGDI_ERROR
                             : reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(result));
    }
  }
  return nullptr;
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  std::shared_ptr<GdiObject> obj = FindGdiObject(ho);
  if (!obj) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (obj->stock) return TRUE;
  if (IsSelectedAnywhere(obj.get())) return FALSE;
  RemoveGdiObject(ho);
  return TRUE;
}

int WINAPI GetObjectW(HANDLE h, int c, LPVOID pv) {
  std::shared_ptr<GdiObject> obj = FindGdiObject(h);
  if (!obj) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  switch (obj->kind) {
    case GdiKind::Bitmap: return GetBitmapObject(static_cast<GdiBitmap&>(*obj), c, pv);
    case GdiKind::Font: {
      const LOGFONTW& lf = static_cast<GdiFont&>(*obj).logFont;
      return CopyOut(&lf, sizeof lf, c, pv);
    }
    case GdiKind::Pen: {
      const GdiPen& p = static_cast<GdiPen&>(*obj);
      LOGPEN lp{static_cast<UINT>(p.style), {p.width, 0}, p.color};
      return CopyOut(&lp, sizeof lp, c, pv);
    }
    case GdiKind::Brush: {
      const GdiBrush& b = static_cast<GdiBrush&>(*obj);
      LOGBRUSH lb{b.style, b.color, 0};
      return CopyOut(&lb, sizeof lb, c, pv);
    }
    case GdiKind::Region: break;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
  if (std::shared_ptr<GdiObject> obj = FindGdiObject(h)) {
    switch (obj->kind) {
      case GdiKind::Bitmap: return OBJ_BITMAP;
      case GdiKind::Brush: return OBJ_BRUSH;
      case GdiKind::Pen: return OBJ_PEN;
      case GdiKind::Font: return OBJ_FONT;
      case GdiKind::Region: return OBJ_REGION;
    }
  }
  if (DeviceContext* dc = FindDc(static_cast<HDC>(h))) return dc->memory ? OBJ_MEMDC : OBJ_DC;
  return 0;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN: return HandleOf(dc->state.pen.get());
    case OBJ_BRUSH: return HandleOf(dc->state.brush.get());
    case OBJ_FONT: return HandleOf(dc->state.font.get());
    case OBJ_BITMAP: return dc->memory ? HandleOf(dc->state.bitmap.get()) : nullptr;
    default: ReportUnsupported("GetCurrentObject", "object type", type); return nullptr;
  }
}
