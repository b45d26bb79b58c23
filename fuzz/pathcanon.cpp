// PathCanonicalizeW on arbitrary UTF-16 text: never writes past MAX_PATH characters, leaves no
// "." or ".." step, and what it answers for a rooted path is already canonical.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "Platform/Win32.h"

namespace {

bool HasDotSegment(const std::u16string& path) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(u'\\', start);
    if (end == std::u16string::npos) end = path.size();
    std::u16string segment = path.substr(start, end - start);
    if (segment == u"." || segment == u"..") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string input(size / 2, u'\0');
  std::memcpy(input.data(), data, input.size() * 2);
  input = input.substr(0, input.find(u'\0'));
  auto out = std::make_unique<WCHAR[]>(MAX_PATH);  // exactly the documented buffer
  if (!PathCanonicalizeW(out.get(), input.c_str())) {
    if (input.size() < MAX_PATH) __builtin_trap();  // only overlong input is refused
    return 0;
  }
  std::u16string once(out.get());
  if (once.size() >= MAX_PATH || HasDotSegment(once)) __builtin_trap();
  // A rooted path stays rooted, so canonicalizing it again changes nothing. (A relative one can
  // turn into something that reads as a drive: "x\..\C:.\y" gives "C:.\y".)
  const bool letter = (input[0] | 0x20) >= u'a' && (input[0] | 0x20) <= u'z';
  const bool rooted = input.size() >= 3 && letter && input[1] == u':' && input[2] == u'\\';
  if (rooted && (!PathCanonicalizeW(out.get(), once.c_str()) || once != out.get()))
    __builtin_trap();
  return 0;
}
