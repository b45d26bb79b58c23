// Image attribute strings and the attribute number parsers on arbitrary UTF-16 text; every image
// a string describes is drawn as nine pieces onto a small surface, so that the geometry of any
// dest, source and corner numbers is exercised too.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "Core/UIAttrValue.h"
#include "Core/UIImageAttr.h"
#include "Core/UIRender.h"

using namespace SkinUI;

namespace {

HBITMAP MakeBitmap(int w, int h, DWORD fill) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bits) {
    for (int i = 0; i < w * h; ++i) static_cast<DWORD*>(bits)[i] = fill;
  }
  return bitmap;
}

// A 12 x 12 half-transparent image and a 48 x 32 surface, made once.
struct Canvas {
  Canvas() : image(MakeBitmap(12, 12, 0x80402010)), target(MakeBitmap(48, 32, 0xFFFFFFFF)) {
    dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, target);
  }
  HBITMAP image;
  HBITMAP target;
  HDC dc;
};

void DrawImage(const TImageDrawParams& params, void* context) {
  static Canvas canvas;
  *static_cast<size_t*>(context) += static_cast<size_t>(params.sName.GetLength());
  const RECT paint = {0, 0, 48, 32};
  RECT source = params.rcSource;
  if (source.left == 0 && source.top == 0 && source.right == 0 && source.bottom == 0)
    source = RECT{0, 0, 12, 12};
  CDrawEngine::DrawImageGrid(canvas.dc, canvas.image, params.rcDest, paint, source, params.rcCorner,
                             params.dwMask != 0, params.bFade, params.bHole, params.bTiledX,
                             params.bTiledY);
}

// Each parser must stop at or before the terminator and never read past it.
void CheckNumbers(const WCHAR* text, size_t length) {
  static const int kBases[] = {0, 2, 8, 10, 16, 36, 1, 37, -1};
  for (int base : kBases) {
    LPWSTR end = nullptr;
    UIStrToLong(text, &end, base);
    if (end < text || end > text + length) __builtin_trap();
    UIStrToULong(text, &end, base);
    if (end < text || end > text + length) __builtin_trap();
  }
  UIStrToInt(text);
  UIParseRect(text);
  UIParseSize(text);
  UIParseColor(text);
  UIParseBkColor(text);
  UIParseBool(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first eight bytes place the control; the rest is the text.
  RECT item = {0, 0, 100, 30};
  if (size >= 8) {
    int32_t values[2];
    std::memcpy(values, data, sizeof(values));
    item = {values[0] / 2, values[1] / 2, values[0] / 2 + 100, values[1] / 2 + 30};
    data += 8;
    size -= 8;
  }
  // An exact-size buffer: a read past the terminator shows under the address sanitizer.
  const size_t length = size / 2;
  std::vector<WCHAR> text(length + 1);
  if (length) std::memcpy(text.data(), data, length * 2);
  text[length] = 0;
  CheckNumbers(text.data(), length);
  TImageDrawParams params;
  params.sName = text.data();
  params.rcDest = item;
  size_t touched = 0;
  ReadImageAttribute(text.data(), item, params, DrawImage, &touched);
  ReadImageAttribute(text.data(), item, params, DrawImage, &touched);
  DrawImage(params, &touched);
  return touched == SIZE_MAX ? 1 : 0;
}
