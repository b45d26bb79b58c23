#include "support/PngFile.h"

#include <stb/stb_image.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace TestSupport {
namespace {

void PutBe32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(v >> shift));
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBe32(out, static_cast<uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  out += body;
  PutBe32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                           static_cast<uInt>(body.size()))));
}

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
  if (alpha == 0) return 0;
  uint32_t v = (channel * 255 + alpha / 2) / alpha;
  return static_cast<uint8_t>(v > 255 ? 255 : v);
}

uint32_t Premultiply(uint32_t channel, uint32_t alpha) { return (channel * alpha + 127) / 255; }

// Rows of filter byte 0 followed by R, G, B, A.
std::string RawRows(const Picture& picture) {
  std::string raw;
  raw.reserve(static_cast<size_t>(picture.height) * (1 + 4 * static_cast<size_t>(picture.width)));
  for (int y = 0; y < picture.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < picture.width; ++x) {
      uint32_t px = picture.At(x, y);
      uint32_t a = px >> 24;
      raw.push_back(static_cast<char>(Unpremultiply((px >> 16) & 0xFF, a)));
      raw.push_back(static_cast<char>(Unpremultiply((px >> 8) & 0xFF, a)));
      raw.push_back(static_cast<char>(Unpremultiply(px & 0xFF, a)));
      raw.push_back(static_cast<char>(a));
    }
  }
  return raw;
}

}  // namespace

bool WritePng(const Picture& picture, const std::filesystem::path& path) {
  if (picture.Empty()) return false;
  std::string raw = RawRows(picture);
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    return false;
  }
  packed.resize(packedSize);
  std::string header;
  PutBe32(header, static_cast<uint32_t>(picture.width));
  PutBe32(header, static_cast<uint32_t>(picture.height));
  header +=
      std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter set, no interlace
  std::string file("\x89PNG\r\n\x1a\n", 8);
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", packed);
  PutChunk(file, "IEND", "");
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(file.data(), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out.flush());
}

std::optional<Picture> ReadPng(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 8 || bytes.compare(0, 8, std::string("\x89PNG\r\n\x1a\n", 8)) != 0) {
    return std::nullopt;
  }
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgba =
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                            static_cast<int>(bytes.size()), &width, &height, &channels, 4);
  if (rgba == nullptr) return std::nullopt;
  Picture picture{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    const stbi_uc* p = rgba + 4 * i;
    uint32_t a = p[3];
    picture.pixels[i] =
        a << 24 | Premultiply(p[0], a) << 16 | Premultiply(p[1], a) << 8 | Premultiply(p[2], a);
  }
  stbi_image_free(rgba);
  return picture;
}

std::filesystem::path TestOutputPath(const std::string& name) {
  const char* build = std::getenv("SKINUI_BUILD_DIR");
  return std::filesystem::path(build != nullptr ? build : ".") / "test-output" / name;
}

}  // namespace TestSupport
