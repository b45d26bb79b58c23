#pragma once
// A check of JPEG data that the image decoder cannot be trusted with.

#include <cstddef>

#include "Platform/Win32.h"

namespace SkinUI {

// False when a JPEG defines a Huffman table of more than 256 codes: the decoder would write
// past its tables. True for every other input, JPEG or not.
bool JpegHuffmanTablesFit(const BYTE* data, size_t size);

}  // namespace SkinUI
