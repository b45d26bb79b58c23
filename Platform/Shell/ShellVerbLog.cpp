#include "Platform/Shell/ShellVerbLog.h"

#include <fcntl.h>
#include <unistd.h>

#include "Platform/Kernel/Prefix.h"
#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace Platform {

namespace {

std::string OneLine(const char16_t* text) {
  std::u16string value = text ? text : u"";
  for (char16_t& c : value)
    if (c < 0x20) c = u'?';
  return Utf16ToUtf8(value);
}

}  // namespace

std::string ShellVerbLogPath() { return PrefixDir() + "/shell-verbs.log"; }

void RecordShellVerb(const char16_t* verb, const char16_t* file) {
  std::string line = OneLine(verb) + "\t" + OneLine(file) + "\n";
  int fd = open(ShellVerbLogPath().c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                0644);
  if (fd < 0) return;
  // One write with O_APPEND keeps lines of concurrent writers whole.
  if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
    OutputDebugStringA("shell: the verb log could not be written\n");
  close(fd);
}

}  // namespace Platform
