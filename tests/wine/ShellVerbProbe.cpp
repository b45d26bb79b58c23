// shell_verb_probe <file> <verb>...: prints "<verb> <1|0>" per verb: whether the shell offers it
// for the file (Platform::ShellOffersVerb), the check the installer makes before it pins.
#include <cstdio>
#include <cstring>
#include <string>

#include "Platform/Win32.h"
#include "Platform/Win32Ext.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  auto wide = [](const char* text) { return std::wstring(text, text + std::strlen(text)); };
  std::wstring file = wide(argv[1]);
  for (int i = 2; i < argc; ++i)
    std::printf("%s %d\n", argv[i], Platform::ShellOffersVerb(file.c_str(), wide(argv[i]).c_str()));
  return 0;
}
