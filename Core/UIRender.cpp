#include "Core/UIRender.h"

#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include <climits>
#include <new>

#include "Core/JpegCheck.h"
#include "Core/SkinFile.h"

namespace SkinUI {

namespace {

// A skin image is a picture for a window; a file that claims more pixels than this is refused
// before anything is decoded, so that a few bytes cannot ask for gigabytes.
constexpr uint64_t kMaxImagePixels = 4096ull * 4096;

// The bytes of an image: the embedded resource, the loose file or archive entry, and at last
// the name as a path of its own.
bool FetchImageBytes(LPCWSTR source, LPCWSTR resType, SkinBytes* bytes) {
  if (!source) return false;
  if (resType) {
    if (ReadSkinResource(source, resType, bytes)) return true;
  } else if (!IS_INTRESOURCE(source) &&
             ReadSkinFile(source, UINT64_MAX, bytes) == SkinFileStatus::Ok) {
    return true;
  }
  // A numeric resource identifier is no path.
  if (IS_INTRESOURCE(source)) return false;
  return ReadWholeFile(source, UINT64_MAX, bytes) == SkinFileStatus::Ok;
}

// Decoded RGBA pixels, released with the value.
class DecodedImage {
 public:
  DecodedImage(const BYTE* bytes, size_t count) {
    if (!bytes || count == 0 || count > INT_MAX || !JpegHuffmanTablesFit(bytes, count)) return;
    const int size = static_cast<int>(count);
    int components = 0;
    if (!stbi_info_from_memory(bytes, size, &m_width, &m_height, &components)) return;
    // A top-down BMP reports its height negative; the decoder itself reads it the right way up.
    if (m_height < 0 && m_height != INT_MIN) m_height = -m_height;
    if (m_width <= 0 || m_height <= 0 ||
        static_cast<uint64_t>(m_width) * static_cast<uint64_t>(m_height) > kMaxImagePixels)
      return;
    m_pixels = stbi_load_from_memory(bytes, size, &m_width, &m_height, &components, 4);
  }
  ~DecodedImage() { stbi_image_free(m_pixels); }
  DecodedImage(const DecodedImage&) = delete;
  DecodedImage& operator=(const DecodedImage&) = delete;

  const BYTE* Pixels() const { return m_pixels; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }

 private:
  stbi_uc* m_pixels = nullptr;
  int m_width = 0;
  int m_height = 0;
};

// Writes the pixels as premultiplied BGRA; true when the image needs blending.
bool ConvertPixels(const BYTE* rgba, size_t count, DWORD mask, BYTE* bgra) {
  bool hasAlpha = false;
  for (size_t i = 0; i < count; ++i, rgba += 4, bgra += 4) {
    DWORD r = rgba[0], g = rgba[1], b = rgba[2];
    const DWORD a = rgba[3];
    if (a < 255) {
      r = r * a / 255;
      g = g * a / 255;
      b = b * a / 255;
      hasAlpha = true;
    }
    // The key is compared with the premultiplied value.
    if (((a << 24) | (r << 16) | (g << 8) | b) == mask) {
      bgra[0] = bgra[1] = bgra[2] = bgra[3] = 0;
      hasAlpha = true;
      continue;
    }
    bgra[0] = static_cast<BYTE>(b);
    bgra[1] = static_cast<BYTE>(g);
    bgra[2] = static_cast<BYTE>(r);
    bgra[3] = static_cast<BYTE>(a);
  }
  return hasAlpha;
}

HBITMAP CreateTopDownBitmap(int width, int height, BYTE** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!bitmap || !pixels) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  *bits = static_cast<BYTE*>(pixels);
  return bitmap;
}

}  // namespace

TImageEntry* CDrawEngine::LoadSkinImage(LPCWSTR source, LPCWSTR resType, DWORD mask) {
  SkinBytes bytes;
  if (!FetchImageBytes(source, resType, &bytes)) return nullptr;
  return DecodeSkinImage(bytes.Data(), bytes.Size(), mask);
}

TImageEntry* CDrawEngine::DecodeSkinImage(const BYTE* data, size_t size, DWORD mask) {
  const DecodedImage image(data, size);
  if (!image.Pixels()) return nullptr;
  BYTE* bits = nullptr;
  HBITMAP bitmap = CreateTopDownBitmap(image.Width(), image.Height(), &bits);
  if (!bitmap) return nullptr;
  TImageEntry* entry = new (std::nothrow) TImageEntry;
  if (!entry) {
    DeleteObject(bitmap);
    return nullptr;
  }
  const size_t count = static_cast<size_t>(image.Width()) * static_cast<size_t>(image.Height());
  entry->hBitmap = bitmap;
  entry->nWidth = image.Width();
  entry->nHeight = image.Height();
  entry->bHasAlpha = ConvertPixels(image.Pixels(), count, mask, bits);
  entry->dwMask = mask;
  return entry;
}

void CDrawEngine::FreeSkinImage(TImageEntry* entry) {
  if (!entry) return;
  if (entry->hBitmap) DeleteObject(entry->hBitmap);
  delete entry;
}

}  // namespace SkinUI
