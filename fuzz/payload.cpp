// Arbitrary bytes as the payload archive: the extraction must never crash, and must never
// create anything outside the destination folder, whatever names the archive carries.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Win32.h"
#include "setup/PayloadExtractor.h"

namespace fs = std::filesystem;

namespace {

struct Sandbox {
  fs::path root;         // holds everything the extraction could reach by a wrong path
  fs::path destination;  // root/install/game: the only place allowed to change
  std::u16string windowsDestination;
};

Sandbox& TheSandbox() {
  static Sandbox sandbox = [] {
    Sandbox s;
    std::string pattern = (fs::temp_directory_path() / "skinui-fuzz-payload-XXXXXX").string();
    if (!mkdtemp(pattern.data())) abort();
    s.root = pattern;
    setenv("SKINUI_PREFIX", (s.root / "prefix").c_str(), 1);
    s.destination = s.root / "install" / "game";
    fs::create_directories(s.destination);
    s.windowsDestination = Platform::PosixToWindowsPath(s.destination.string()) + u"\\";
    return s;
  }();
  return sandbox;
}

// Everything under root that is neither in the destination nor the platform's own prefix.
void CheckNothingOutside(const Sandbox& s) {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(s.root, ec);
       it != fs::recursive_directory_iterator(); it.increment(ec)) {
    const fs::path& p = it->path();
    if (p == s.root / "prefix") {
      it.disable_recursion_pending();
      continue;
    }
    if (p == s.root / "install" || p == s.destination) continue;
    auto relative = p.lexically_relative(s.destination);
    if (relative.empty() || *relative.begin() == "..") {
      fprintf(stderr, "written outside the destination: %s\n", p.c_str());
      abort();
    }
  }
}

}  // namespace

// The decoder allocates what an archive's header claims (dictionaries, buffers); a claim too
// large to satisfy must come back as a failed allocation, which the decoder reports as an
// error, rather than end the run.
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1:max_allocation_size_mb=1024";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Sandbox& s = TheSandbox();
  DWORD error = 0;
  int result = ExtractArchive(data, size, s.windowsDestination.c_str(), &error);
  if (result != 0 && result != 1) abort();
  if ((result == 0) != (error == ERROR_SUCCESS)) abort();
  CheckNothingOutside(s);
  std::error_code ec;
  fs::remove_all(s.destination, ec);
  fs::create_directories(s.destination, ec);
  return 0;
}
