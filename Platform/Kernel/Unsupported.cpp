#include "Platform/Kernel/Unsupported.h"

#include <string>

#include "Platform/Win32.h"

namespace Platform {

void ReportUnsupported(const char* call, const char* what) {
  std::string line = std::string(call) + ": unsupported " + what + "\n";
  OutputDebugStringA(line.c_str());
}

void ReportUnsupported(const char* call, const char* what, long long value) {
  std::string line =
      std::string(call) + ": unsupported " + what + " (" + std::to_string(value) + ")\n";
  OutputDebugStringA(line.c_str());
}

}  // namespace Platform
