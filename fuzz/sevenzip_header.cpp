// The 7z header check over arbitrary bytes: the start header, the next header, a packed header
// database and the layout read from it. It must never crash nor allocate beyond what the bytes
// can stand for, and a sound answer must describe a consistent layout. Each input is checked
// as given and once more with its two header checksums made right, so that mutations reach the
// parsing behind them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "SevenZip/SevenZipHeader.h"

namespace {

// The bytes as given (no fixed signature), handed out in pieces as a mapped view would be.
class ByteSource : public SevenZip::SevenZipSource {
 public:
  ByteSource(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool Read(const void** data, size_t* count) override {
    *count = std::min<uint64_t>(m_size - m_position, 4096);
    *data = m_data + m_position;
    m_position += *count;
    return *count > 0;
  }
  bool Seek(uint64_t position) override {
    if (position >= m_size) return false;
    m_position = position;
    return true;
  }
  uint64_t Position() const override { return m_position; }
  uint64_t Size() const override { return m_size; }

 private:
  const uint8_t* m_data;
  uint64_t m_size;
  uint64_t m_position = 0;
};

uint32_t Crc32(const uint8_t* p, size_t n) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

uint64_t Le64(const uint8_t* p) {
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

void PutLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// The bytes with the next header's checksum and the start header's checksum recomputed.
std::vector<uint8_t> WithRightChecksums(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  if (size < 32) return bytes;
  const uint64_t offset = Le64(&bytes[12]), length = Le64(&bytes[20]);
  if (offset <= size && length <= size - 32 && offset <= size - 32 - length)
    PutLe32(&bytes[28], Crc32(&bytes[32 + offset], static_cast<size_t>(length)));
  PutLe32(&bytes[8], Crc32(&bytes[12], 20));
  return bytes;
}

void Check(const uint8_t* data, size_t size) {
  ByteSource source(data, size);
  SevenZip::SevenZipLayout layout;
  SevenZip::SevenZipHeaderCheck check = SevenZip::CheckSevenZipHeader(source, &layout);
  if (check != SevenZip::SevenZipHeaderCheck::Sound) {
    if (!layout.names.empty() || !layout.blockOf.empty() || !layout.blockDecodable.empty() ||
        !layout.sizes.empty())
      abort();  // a refused archive leaves no layout behind
    return;
  }
  if (!layout.names.empty() && layout.names.size() != layout.blockOf.size()) abort();
  if (!layout.sizes.empty() && layout.sizes.size() != layout.blockOf.size()) abort();
  for (int64_t block : layout.blockOf)
    if (block < -1 || block >= static_cast<int64_t>(layout.blockDecodable.size())) abort();
  for (const SevenZip::WideName& name : layout.names) SevenZip::HasLoneSurrogate(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Check(data, size);
  const std::vector<uint8_t> fixed = WithRightChecksums(data, size);
  Check(fixed.data(), fixed.size());
  return 0;
}
