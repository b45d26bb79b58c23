// Image attribute strings and the attribute number parsers on arbitrary UTF-16 text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "Core/UIAttrValue.h"
#include "Core/UIImageAttr.h"

using namespace SkinUI;

namespace {

void CountImage(const TImageDrawParams& params, void* context) {
  // Touch what a drawing would read.
  *static_cast<size_t*>(context) += static_cast<size_t>(params.sName.GetLength()) + params.bFade;
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
    item = {values[0], values[1], values[0] / 2 + 100, values[1] / 2 + 30};
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
  ReadImageAttribute(text.data(), item, params, CountImage, &touched);
  ReadImageAttribute(text.data(), item, params, CountImage, &touched);
  return touched == SIZE_MAX ? 1 : 0;
}
