#pragma once
// Self-checking value data for the registry crash and concurrency tests: the bytes of
// generation g of value v can be recognised, and a torn or mixed value cannot pass.

#include <cstdint>
#include <cstring>
#include <string>

namespace TestSupport {

inline std::string RegistryPattern(uint64_t generation, uint64_t value) {
  size_t size = 16 + static_cast<size_t>((generation * 7919 + value * 104729) % 6000);
  std::string data(size, '\0');
  std::memcpy(data.data(), &generation, 8);
  std::memcpy(data.data() + 8, &value, 8);
  for (size_t i = 16; i < size; ++i)
    data[i] = static_cast<char>((generation * 31 + value + i) & 0xFF);
  return data;
}

// The generation the data carries, or -1 when it is not exactly one of the patterns of value v.
inline int64_t RegistryPatternGeneration(const std::string& data, uint64_t value) {
  if (data.size() < 16) return -1;
  uint64_t generation;
  std::memcpy(&generation, data.data(), 8);
  return RegistryPattern(generation, value) == data ? static_cast<int64_t>(generation) : -1;
}

}  // namespace TestSupport
