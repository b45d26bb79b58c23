// The skin image loader on encoded bytes: decoding, premultiplication and the colour key.
#include <cstddef>
#include <cstdint>

#include "Core/UIRender.h"

using namespace SkinUI;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first four bytes choose the colour key; the rest is the image.
  DWORD mask = 0;
  if (size >= 4) {
    mask = static_cast<DWORD>(data[0]) << 24 | data[1] << 16 | data[2] << 8 | data[3];
    data += 4;
    size -= 4;
  }
  TImageEntry* image = CDrawEngine::DecodeSkinImage(data, size, mask);
  CDrawEngine::FreeSkinImage(image);
  return 0;
}
