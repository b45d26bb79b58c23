// Writes registry values in a loop for the crash and concurrency tests.
//   childproc_RegistryWriter <key under HKCU> <first value> <value count> <first generation>
//   <generations>
// For each generation g and each value v it sets "v<v>" to RegistryPattern(g, v), then prints
// "<g> <v>" on standard output, so the parent knows which writes were confirmed. Exits 1 on the
// first failed call, after printing "error <code>".
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"
#include "childprocs/RegistryPattern.h"

namespace {

void Say(const std::string& line) {
  std::string text = line + "\n";
  if (write(STDOUT_FILENO, text.data(), text.size()) < 0) std::_Exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s key first-value count first-generation generations\n", argv[0]);
    return 2;
  }
  std::u16string keyPath = Platform::ToUtf16(argv[1]);
  uint64_t firstValue = std::strtoull(argv[2], nullptr, 10);
  uint64_t count = std::strtoull(argv[3], nullptr, 10);
  uint64_t firstGeneration = std::strtoull(argv[4], nullptr, 10);
  uint64_t generations = std::strtoull(argv[5], nullptr, 10);
  HKEY key;
  LSTATUS rc = RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                               nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) {
    Say("error " + std::to_string(rc));
    return 1;
  }
  for (uint64_t g = firstGeneration; g < firstGeneration + generations; ++g) {
    for (uint64_t v = firstValue; v < firstValue + count; ++v) {
      std::string data = TestSupport::RegistryPattern(g, v);
      std::u16string name = u"v" + Platform::ToUtf16(std::to_string(v).c_str());
      rc = RegSetValueExW(key, name.c_str(), 0, REG_BINARY,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
      if (rc != ERROR_SUCCESS) {
        Say("error " + std::to_string(rc));
        return 1;
      }
      Say(std::to_string(g) + " " + std::to_string(v));
    }
  }
  RegCloseKey(key);
  return 0;
}
