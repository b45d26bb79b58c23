// The skin image loader on encoded bytes: decoding, premultiplication and the colour key.
#include <stb/stb_image.h>

#include <cstddef>
#include <cstdint>

#include "Core/JpegCheck.h"
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
  // Large pictures are valid but slow under the sanitizers; memory safety shows on small ones.
  // (The size is read only from data the decoder may be given at all.)
  int width = 0, height = 0, components = 0;
  if (JpegHuffmanTablesFit(data, size) &&
      stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &components) &&
      static_cast<int64_t>(width) * height > (1 << 20))
    return 0;
  TImageEntry* image = CDrawEngine::DecodeSkinImage(data, size, mask);
  CDrawEngine::FreeSkinImage(image);
  return 0;
}
