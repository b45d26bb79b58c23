#pragma once
// Small PNG images written in tests: every pixel given, no compression.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace ControlTest {

namespace Detail {

inline uint32_t Crc32(const std::string& bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

inline void PutBE32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

inline void Chunk(std::string& png, const char* type, const std::string& data) {
  PutBE32(png, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  png += body;
  PutBE32(png, Crc32(body));
}

// A zlib stream of stored blocks.
inline std::string Stored(const std::string& raw) {
  std::string z = "\x78\x01";
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  size_t pos = 0;
  do {
    const size_t len = std::min<size_t>(65535, raw.size() - pos);
    const bool last = pos + len == raw.size();
    z += static_cast<char>(last ? 1 : 0);
    z += static_cast<char>(len & 0xFF);
    z += static_cast<char>(len >> 8);
    z += static_cast<char>(~len & 0xFF);
    z += static_cast<char>((~len >> 8) & 0xFF);
    z.append(raw, pos, len);
    pos += len;
  } while (pos < raw.size());
  PutBE32(z, (b << 16) | a);
  return z;
}

}  // namespace Detail

// A PNG (RGBA, stored deflate blocks) whose pixel (x, y) is pixel(x, y) as 0xAARRGGBB.
template <typename PixelFn>
std::string PatternPng(int width, int height, PixelFn pixel) {
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string ihdr;
  Detail::PutBE32(ihdr, static_cast<uint32_t>(width));
  Detail::PutBE32(ihdr, static_cast<uint32_t>(height));
  ihdr += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA
  Detail::Chunk(png, "IHDR", ihdr);
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw += '\0';
    for (int x = 0; x < width; ++x) {
      const uint32_t argb = pixel(x, y);
      raw += static_cast<char>((argb >> 16) & 0xFF);
      raw += static_cast<char>((argb >> 8) & 0xFF);
      raw += static_cast<char>(argb & 0xFF);
      raw += static_cast<char>(argb >> 24);
    }
  }
  Detail::Chunk(png, "IDAT", Detail::Stored(raw));
  Detail::Chunk(png, "IEND", "");
  return png;
}

// A PNG of one colour.
inline std::string SolidPng(int width, int height, uint32_t argb) {
  return PatternPng(width, height, [argb](int, int) { return argb; });
}

}  // namespace ControlTest
