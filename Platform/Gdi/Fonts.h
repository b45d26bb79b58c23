#pragma once
// Fonts on pango: turning a LOGFONTW into a pango description with fontconfig's help, the
// metrics GDI reports, and layouts of UTF-16 text in a font.

#include <pango/pangocairo.h>

#include <memory>
#include <string>

#include "Platform/Gdi/GdiObjects.h"

namespace Platform {

// A font object for a description, or null when the description is unusable.
std::shared_ptr<GdiFont> MakeFont(const LOGFONTW& lf);

// The calling thread's pango context: fixed 96 dpi, grey antialiasing, metrics hinting on
// and no subpixel order, so the same text always gives the same pixels.
PangoContext* TextContext();

// A one-line layout of text (UTF-8) in font, with its underline and strike-out. Caller
// unrefs.
PangoLayout* NewLayout(const GdiFont& font, const char* utf8, int bytes);

// Applies the context's fixed font options to a cairo context that pango will draw with.
void PrepareForText(cairo_t* cr);

}  // namespace Platform
