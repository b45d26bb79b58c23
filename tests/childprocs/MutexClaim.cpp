// Claims a named mutex for the single-instance tests.
//   childproc_MutexClaim <name>
// Prints "first" when no process held the name, "exists" when one did ("error <code>" when the
// call failed), then keeps its handle until it is killed.
#include <unistd.h>

#include <string>

#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::u16string name = Platform::Utf8ToUtf16(argv[1]);
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  DWORD error = GetLastError();
  std::string line = !mutex                          ? "error " + std::to_string(error)
                     : error == ERROR_ALREADY_EXISTS ? "exists"
                                                     : "first";
  line += "\n";
  if (write(STDOUT_FILENO, line.data(), line.size()) < 0) return 2;
  for (;;) pause();
}
