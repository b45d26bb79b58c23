// Bitmaps: compatible bitmaps and 32-bit DIB sections, both cairo ARGB32 image surfaces whose
// rows are packed (stride = width * 4), so a DIB section's pixels can be indexed as an array.

#include <cstdlib>

#include "Platform/Gdi/DeviceContext.h"
#include "Platform/Kernel/Unsupported.h"

namespace Platform {
namespace {

constexpr int kMaxSide = 32767;           // cairo's limit for image surfaces
constexpr int64_t kMaxBytes = 1ll << 30;  // refuse absurd sizes before allocating

const cairo_user_data_key_t kOwnedPixels{};

cairo_surface_t* PackedSurface(int w, int h) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS && cairo_image_surface_get_stride(s) == w * 4)
    return s;
  cairo_surface_destroy(s);
  void* pixels = std::calloc(static_cast<size_t>(w) * static_cast<size_t>(h), 4);
  if (!pixels) return nullptr;
  s = cairo_image_surface_create_for_data(static_cast<unsigned char*>(pixels), CAIRO_FORMAT_ARGB32,
                                          w, h, w * 4);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    std::free(pixels);
    return nullptr;
  }
  cairo_surface_set_user_data(s, &kOwnedPixels, pixels, std::free);
  return s;
}

}  // namespace

std::shared_ptr<GdiBitmap> NewBitmap(int w, int h) {
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide ||
      static_cast<int64_t>(w) * h * 4 > kMaxBytes) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  cairo_surface_t* s = PackedSurface(w, h);
  if (!s) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto bitmap = std::make_shared<GdiBitmap>();
  bitmap->surface = s;
  return bitmap;
}

}  // namespace Platform

using namespace Platform;

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  if (!FindDc(hdc)) return nullptr;
  // Win32 answers a 1 x 1 bitmap for an empty size.
  if (cx == 0 || cy == 0) cx = cy = 1;
  return static_cast<HBITMAP>(AddGdiObject(NewBitmap(cx, cy)));
}

HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, VOID** ppvBits,
                                HANDLE hSection, DWORD offset) {
  if (ppvBits) *ppvBits = nullptr;
  if (hdc && !FindDc(hdc)) return nullptr;
  if (!pbmi || pbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const BITMAPINFOHEADER& h = pbmi->bmiHeader;
  const char* refusal = nullptr;
  long long value = 0;
  if (h.biBitCount != 32)
    refusal = "bit count", value = h.biBitCount;
  else if (h.biCompression != BI_RGB)
    refusal = "compression", value = h.biCompression;
  else if (h.biHeight >= 0)
    refusal = "bottom-up height", value = h.biHeight;
  else if (hSection)
    refusal = "file-mapping section", value = offset;
  else if (usage != DIB_RGB_COLORS)
    refusal = "colour usage", value = usage;
  if (refusal) {
    ReportUnsupported("CreateDIBSection", refusal, value);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (h.biHeight == INT32_MIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::shared_ptr<GdiBitmap> bitmap = NewBitmap(h.biWidth, -h.biHeight);
  if (!bitmap) return nullptr;
  bitmap->dibSection = true;
  if (ppvBits) *ppvBits = cairo_image_surface_get_data(bitmap->surface);
  return static_cast<HBITMAP>(AddGdiObject(bitmap));
}
