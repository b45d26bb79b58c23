#include "Platform/Kernel/Unsupported.h"

#include <string>

#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace Platform {

void ReportUnsupported(const char* call, const char* what) {
  std::u16string line = ToUtf16(call) + u": not supported: " + ToUtf16(what) + u"\n";
  OutputDebugStringW(line.c_str());
}

}  // namespace Platform
