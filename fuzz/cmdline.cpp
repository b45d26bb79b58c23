// The command-line splitter on arbitrary UTF-16 text: it ends, and joining its arguments back
// with the documented quoting gives a line that splits into the same arguments.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "Platform/Kernel/CommandLine.h"

namespace {

// Quotes one later argument so that the splitter reads it back unchanged.
std::u16string Quote(const std::u16string& arg) {
  std::u16string out = u"\"";
  size_t backslashes = 0;
  for (char16_t c : arg) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    if (c == u'"') {
      out.append(backslashes * 2 + 1, u'\\');
    } else {
      out.append(backslashes, u'\\');
    }
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, u'\\');
  return out + u"\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string line(size / 2, u'\0');
  std::memcpy(line.data(), data, line.size() * 2);
  std::vector<std::u16string> args = Platform::SplitCommandLine(line);
  if (args.empty()) __builtin_trap();
  for (const std::u16string& arg : args)
    if (arg.size() > line.size()) __builtin_trap();
  std::u16string rebuilt = u"p";
  for (size_t i = 1; i < args.size(); ++i) rebuilt += u" " + Quote(args[i]);
  std::vector<std::u16string> again = Platform::SplitCommandLine(rebuilt);
  again[0] = args[0];
  if (again != args) __builtin_trap();
  Platform::ProgramCandidates(line);
  return 0;
}
