// Every control and layout of the framework on tabs, built from the gallery's own skin (linked
// into the program), so a skin author can see and try each one.
// Usage: Gallery [--date yyyy-mm-dd] [lifetime-ms]
#include <cstdio>
#include <string>

#include "Core/UIManager.h"
#include "GalleryArgs.h"
#include "GallerySkin.h"
#include "GalleryWindow.h"

int main(int argc, char** argv) {
  GalleryArgs args;
  std::string sError;
  if (!ParseGalleryArgs(argc, argv, args, sError)) {
    std::fprintf(stderr, "Gallery: %s\nusage: Gallery [--date yyyy-mm-dd] [lifetime-ms]\n",
                 sError.c_str());
    return 2;
  }
  if (!SelectGallerySkin()) {
    std::fprintf(stderr, "Gallery: the program carries no skin\n");
    return 1;
  }
  GalleryWindow window;
  if (args.bHasDate) window.FixDate(args.stDate);
  if (!window.Create(nullptr, TEXT("SkinUI Gallery"), WS_POPUP | WS_VISIBLE, 0, 100, 100, 640,
                     420)) {
    std::fprintf(stderr, "Gallery: cannot create the window\n");
    return 1;
  }
  window.CloseAfter(args.nLifetimeMs);
  SkinUI::CPaintManagerUI::MessageLoop();
  return 0;
}
