#pragma once
// Test inputs kept under tests/data/ (made by other tools, see the make scripts there).

#include <cstdint>
#include <filesystem>
#include <string>

namespace TestSupport {

// The folder tests/data/, from SKINUI_TEST_DATA (set by ctest) or the source tree.
std::filesystem::path DataPath(const std::string& relative);
std::string ReadDataFile(const std::string& relative);

// Little-endian fields inside byte strings, for damaging real files in controlled ways.
uint32_t ReadLe32(const std::string& bytes, size_t at);
void WriteLe32(std::string& bytes, size_t at, uint32_t value);

}  // namespace TestSupport
