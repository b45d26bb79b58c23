#pragma once
// A device context: the surface it draws on and the GDI state that drawing calls read.
// Memory contexts draw on the bitmap selected into them; surface contexts (window DCs) draw
// on a surface owned by someone else. Coordinates given to drawing calls are logical:
// device = logical - window origin + viewport origin. Clip regions are kept in device pixels.

#include <cairo.h>

#include <memory>
#include <vector>

#include "Platform/Gdi/GdiObjects.h"

namespace Platform {

struct DcState {
  std::shared_ptr<GdiBitmap> bitmap;  // memory contexts only
  std::shared_ptr<GdiBrush> brush;
  std::shared_ptr<GdiPen> pen;
  std::shared_ptr<GdiFont> font;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  int stretchMode = BLACKONWHITE;
  POINT windowOrg{0, 0};
  POINT viewportOrg{0, 0};
  POINT position{0, 0};            // current position for LineTo, logical
  cairo_region_t* clip = nullptr;  // owned; null means no clip region

  DcState() = default;
  DcState(const DcState& other);
  DcState& operator=(const DcState& other);
  ~DcState();
};

struct DeviceContext {
  bool memory = true;
  cairo_surface_t* surface = nullptr;  // surface contexts: a reference held for the DC's life
  DcState state;
  std::vector<DcState> saved;

  // The surface drawing goes to, or null (a memory context always has at least its 1x1
  // default bitmap).
  cairo_surface_t* Target() const;
  int Width() const;
  int Height() const;
  POINT ToDevice(int x, int y) const {
    return {x - state.windowOrg.x + state.viewportOrg.x,
            y - state.windowOrg.y + state.viewportOrg.y};
  }
  POINT ToLogical(int x, int y) const {
    return {x + state.windowOrg.x - state.viewportOrg.x,
            y + state.windowOrg.y - state.viewportOrg.y};
  }
};

// The live context behind a handle, or null (with ERROR_INVALID_HANDLE set).
DeviceContext* FindDc(HDC hdc);
HDC AddDc(std::unique_ptr<DeviceContext> dc);
bool RemoveDc(HDC hdc);
// Whether any live context has obj selected right now.
bool IsSelectedAnywhere(const GdiObject* obj);

// The stock objects a new context starts with.
std::shared_ptr<GdiBitmap> DefaultBitmap();
std::shared_ptr<GdiBrush> StockBrush(int index);
std::shared_ptr<GdiPen> StockPen(int index);
std::shared_ptr<GdiFont> StockFont(int index);

// The clip of a context as a region in device pixels: its clip region limited to the
// surface, or the whole surface when it has none. The caller owns the result.
cairo_region_t* EffectiveClip(const DeviceContext& dc);

// A cairo context ready for one drawing call: translated so that user space is the DC's
// logical space, clipped to the DC's clip. Marks the surface dirty before and flushes it
// after, so callers that write pixels through a DIB section pointer stay in step.
class Canvas {
 public:
  explicit Canvas(DeviceContext& dc);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  cairo_t* cr() const { return m_cr; }
  explicit operator bool() const { return m_cr != nullptr; }

 private:
  cairo_surface_t* m_surface = nullptr;
  cairo_t* m_cr = nullptr;
};

void SetSourceColor(cairo_t* cr, COLORREF color);

}  // namespace Platform
