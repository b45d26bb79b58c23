// halvane_install [directory] [--no-desktop] [--no-startmenu] [--no-taskbar]: runs the whole
// install (drive check, records, payload, shortcuts and pins, uninstall entry, launch) behind a
// plain progress window, into the given Windows directory, else the recorded one, else
// "<Program Files>\Halvane\". Exits 0 when the install ended the program as it does after a
// launch, 1 when the install did not start or the window was closed before it ended.

#include <cstdio>
#include <cstring>
#include <string>

#include "ProgressWindow.h"
#include "setup/InstallRecords.h"
#include "setup/InstallSequence.h"

namespace {

struct Choices {
  std::u16string directory;
  bool desktop = true, startMenu = true, taskbar = true;
};

bool DefaultDirectory(WCHAR* out) {
  PIDLIST_ABSOLUTE items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAM_FILES, &items)) || !items)
    return false;
  BOOL ok = SHGetPathFromIDListW(items, out);
  CoTaskMemFree(items);
  return ok && lstrlenW(out) + 9 < MAX_PATH && lstrcatW(out, u"\\Halvane\\");
}

std::u16string FromUtf8(const char* text) {
  int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (size <= 1) return {};
  std::u16string wide(static_cast<size_t>(size), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), size);
  wide.pop_back();
  return wide;
}

bool ParseArguments(int argc, char** argv, Choices* choices) {
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--no-desktop"))
      choices->desktop = false;
    else if (!std::strcmp(argv[i], "--no-startmenu"))
      choices->startMenu = false;
    else if (!std::strcmp(argv[i], "--no-taskbar"))
      choices->taskbar = false;
    else if (argv[i][0] == '-' || !choices->directory.empty())
      return false;
    else
      choices->directory = FromUtf8(argv[i]);
  }
  if (!choices->directory.empty()) return true;
  WCHAR found[MAX_PATH] = {};
  if (ReadInstallPath(found) || DefaultDirectory(found)) choices->directory = found;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Choices choices;
  if (!ParseArguments(argc, argv, &choices)) {
    std::fprintf(stderr,
                 "usage: halvane_install [directory] [--no-desktop] [--no-startmenu] "
                 "[--no-taskbar]\n");
    return 2;
  }
  if (FAILED(CoInitialize(nullptr))) return 1;
  HWND window = CreateProgressWindow(choices.directory.c_str());
  if (!window) {
    std::fprintf(stderr, "halvane_install: the window could not be created\n");
    return 1;
  }
  StartInstall(window, choices.directory.c_str(), choices.desktop, choices.startMenu,
               choices.taskbar);
  if (!StartInProgress) {
    std::fprintf(stderr, "halvane_install: the install did not start\n");
    DestroyWindow(window);
    return 1;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  CoUninitialize();
  // The worker hides the window and then ends the loop; a window closed by the user is gone.
  bool installed = IsWindow(window) && !IsWindowVisible(window);
  std::printf(installed ? "installed\n" : "closed\n");
  return installed ? 0 : 1;
}
