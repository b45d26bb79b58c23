#include "Core/JpegCheck.h"

namespace SkinUI {

namespace {

// Reads like the decoder does: past the end every byte reads as 0.
class ByteReader {
 public:
  ByteReader(const BYTE* data, size_t size, size_t at) : m_data(data), m_size(size), m_at(at) {}
  int Get8() { return m_at < m_size ? m_data[m_at++] : (++m_at, 0); }
  int Get16() {
    const int high = Get8();
    return (high << 8) | Get8();
  }
  void Skip(size_t count) { m_at += count; }
  bool AtEnd() const { return m_at >= m_size; }

 private:
  const BYTE* m_data;
  size_t m_size;
  size_t m_at;
};

// The tables of one "define Huffman table" segment, starting right after its marker.
bool SegmentFits(ByteReader reader) {
  int left = reader.Get16() - 2;
  while (left > 0) {
    const int kind = reader.Get8();
    // The decoder refuses such a segment before it builds anything.
    if ((kind >> 4) > 1 || (kind & 15) > 3) return true;
    int codes = 0;
    for (int i = 0; i < 16; ++i) codes += reader.Get8();
    if (codes > 256) return false;
    if (reader.AtEnd()) return true;
    reader.Skip(static_cast<size_t>(codes));
    left -= 17 + codes;
  }
  return true;
}

// The decoder takes data for JPEG when it starts with FF, any number of fill bytes FF and the
// start-of-image marker D8.
bool LooksLikeJpeg(const BYTE* data, size_t size) {
  if (size < 2 || data[0] != 0xFF) return false;
  size_t i = 1;
  while (i < size && data[i] == 0xFF) ++i;
  return i < size && data[i] == 0xD8;
}

}  // namespace

bool JpegHuffmanTablesFit(const BYTE* data, size_t size) {
  if (!LooksLikeJpeg(data, size)) return true;
  // Every segment the decoder reads as a table follows the bytes FF C4, wherever they stand
  // (fill bytes, data between scans), so each such place is checked.
  for (size_t i = 0; i + 1 < size; ++i) {
    if (data[i] == 0xFF && data[i + 1] == 0xC4 && !SegmentFits(ByteReader(data, size, i + 2)))
      return false;
  }
  return true;
}

}  // namespace SkinUI
