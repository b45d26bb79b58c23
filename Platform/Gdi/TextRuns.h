#pragma once
// Shared pieces of the text calls: converting GDI text, measuring and drawing one line.

#include <string>

#include "Platform/Gdi/DeviceContext.h"
#include "Platform/Gdi/Fonts.h"

namespace Platform {

// c characters of text (all of it up to the terminator when c is -1).
std::string TextUtf8(LPCWSTR text, int c);

// Logical width of a one-line layout in pixels.
int LayoutWidth(PangoLayout* layout);

// The pixels drawing the first line of layout at (x, baseline) can touch, logical and ink
// extents together, with a pixel to spare for antialiasing.
RECT LineBounds(PangoLayout* layout, int x, int baseline);

// Draws the first line of layout with its left end at x and its baseline at baseline.
void ShowLine(cairo_t* cr, PangoLayout* layout, double x, double baseline, COLORREF color);

}  // namespace Platform
