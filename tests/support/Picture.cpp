#include "support/Picture.h"

#include <cstring>

#include "support/Drive.h"

namespace TestSupport {
namespace {

// Copies a bitmap's pixels through a 32-bit top-down DIB section of our own.
Picture CopyThroughDib(HDC source, int width, int height) {
  Picture picture;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (copy == nullptr || bits == nullptr) return picture;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, copy);
  if (BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY)) {
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height);
    std::memcpy(picture.pixels.data(), bits, picture.pixels.size() * sizeof(uint32_t));
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(copy);
  return picture;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof(bm), &bm) != sizeof(bm)) return SIZE{};
  return SIZE{bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
}

}  // namespace

Picture PictureOfWindow(HWND hwnd) {
  Picture picture;
  SIZE size{};
  picture.pixels = Drive::ClientPixels(hwnd, &size);
  if (!picture.pixels.empty()) {
    picture.width = size.cx;
    picture.height = size.cy;
  }
  return picture;
}

Picture PictureOfBitmap(HBITMAP bitmap) {
  SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return {};
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  Picture picture = old != nullptr ? CopyThroughDib(dc, size.cx, size.cy) : Picture{};
  if (old != nullptr) SelectObject(dc, old);
  DeleteDC(dc);
  return picture;
}

Picture PictureOfDc(HDC dc) {
  if (dc == nullptr) return {};
  SIZE size = BitmapSize(static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP)));
  if (size.cx <= 0 || size.cy <= 0) return {};
  return CopyThroughDib(dc, size.cx, size.cy);
}

}  // namespace TestSupport
