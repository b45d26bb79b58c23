// The .lnk reader on arbitrary bytes: never reads outside the input, and whatever it accepts
// can be written again and reads back the same.
#include <cstddef>
#include <cstdint>

#include "Platform/Shell/ShellLinkFormat.h"

namespace {

bool SameLink(const Platform::ShellLinkData& a, const Platform::ShellLinkData& b) {
  return a.target == b.target && a.description == b.description &&
         a.relativePath == b.relativePath && a.workingDirectory == b.workingDirectory &&
         a.arguments == b.arguments && a.iconLocation == b.iconLocation &&
         a.iconIndex == b.iconIndex && a.showCommand == b.showCommand && a.hotkey == b.hotkey;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Platform::ShellLinkData link;
  if (!Platform::ReadShellLink(data, size, &link)) return 0;
  std::string again = Platform::WriteShellLink(link);
  Platform::ShellLinkData back;
  if (!Platform::ReadShellLink(again.data(), again.size(), &back) || !SameLink(link, back))
    __builtin_trap();
  return 0;
}
