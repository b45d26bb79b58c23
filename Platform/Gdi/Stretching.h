#pragma once
// Stretched copies as Windows computes them, drawn into an image of just the part of the
// destination that can show (its clip), for the caller to put in place one to one.
//  - Nearest pixel (StretchBlt outside HALFTONE mode, and AlphaBlend in every mode): enlarging,
//    destination pixel x takes source pixel ceil((x + 0.5) * sw / dw - 1); reducing, it takes
//    floor((x + 1) * sw / dw - 0.5), so both ends of the source always show.
//  - HALFTONE: bilinear from the source's top-left corner: x samples at x * sw / dw in single
//    precision, so the left edge keeps the first colour and the far quarter of a doubled image
//    the last; rows are blended and rounded first, then columns. The result has no alpha.

#include <cairo.h>

namespace Platform {

// The source rectangle's pixels, read as format (RGB24 ignores the alpha bytes).
struct SourceImage {
  const unsigned char* data;
  int stride, width, height;
  cairo_format_t format;
};

// What of a dw x dh destination is drawn: the rectangle part, relative to the destination's
// top-left corner, and the mirroring.
struct StretchTarget {
  int width, height;
  bool flipX, flipY;
  cairo_rectangle_int_t part;
};

// New images of part's size, or null when out of memory. Caller destroys. The nearest-pixel
// image has the source's format; the HALFTONE one is ARGB32.
cairo_surface_t* NearestStretch(const SourceImage& src, const StretchTarget& to);
// alpha: the alpha byte every pixel gets (0 in a bitmap, 255 on a window).
cairo_surface_t* HalftoneStretch(const SourceImage& src, const StretchTarget& to,
                                 unsigned char alpha);

}  // namespace Platform
