#include "support/TestData.h"

#include <cstdlib>
#include <stdexcept>

#include "support/TempDir.h"

namespace TestSupport {

std::filesystem::path DataPath(const std::string& relative) {
  const char* root = std::getenv("SKINUI_TEST_DATA");
  std::filesystem::path base =
      root && *root ? std::filesystem::path(root)
                    : std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
  return base / relative;
}

std::string ReadDataFile(const std::string& relative) {
  const std::filesystem::path path = DataPath(relative);
  if (!std::filesystem::exists(path))
    throw std::runtime_error("missing test data " + path.string());
  return ReadFile(path);
}

uint32_t ReadLe32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

void WriteLe32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace TestSupport
