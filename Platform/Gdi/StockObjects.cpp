// The stock objects: created once, registered for the life of the process, never deleted.

#include <array>

#include "Platform/Gdi/DeviceContext.h"
#include "Platform/Gdi/Fonts.h"
#include "Platform/Kernel/Unsupported.h"
#include "Platform/Text/Utf.h"

namespace Platform {
namespace {

constexpr int kStockCount = DC_PEN + 1;

std::shared_ptr<GdiObject> Register(std::shared_ptr<GdiObject> obj) {
  if (!obj) return nullptr;
  obj->stock = true;
  AddGdiObject(obj);
  return obj;
}

std::shared_ptr<GdiObject> Brush(UINT style, COLORREF color) {
  auto b = std::make_shared<GdiBrush>();
  b->style = style;
  b->color = color;
  return Register(b);
}

std::shared_ptr<GdiObject> Pen(int style, COLORREF color) {
  auto p = std::make_shared<GdiPen>();
  p->style = style;
  p->color = color;
  return Register(p);
}

std::shared_ptr<GdiObject> Font(const char16_t* face, LONG height, LONG weight, BYTE pitch) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfPitchAndFamily = pitch;
  for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
  return Register(MakeFont(lf));
}

struct Stock {
  std::array<std::shared_ptr<GdiObject>, kStockCount> objects;
  std::shared_ptr<GdiBitmap> bitmap;
  Stock() {
    objects[WHITE_BRUSH] = Brush(BS_SOLID, RGB(255, 255, 255));
    objects[LTGRAY_BRUSH] = Brush(BS_SOLID, RGB(192, 192, 192));
    objects[GRAY_BRUSH] = Brush(BS_SOLID, RGB(128, 128, 128));
    objects[DKGRAY_BRUSH] = Brush(BS_SOLID, RGB(64, 64, 64));
    objects[BLACK_BRUSH] = Brush(BS_SOLID, RGB(0, 0, 0));
    objects[NULL_BRUSH] = Brush(BS_NULL, 0);
    objects[WHITE_PEN] = Pen(PS_SOLID, RGB(255, 255, 255));
    objects[BLACK_PEN] = Pen(PS_SOLID, RGB(0, 0, 0));
    objects[NULL_PEN] = Pen(PS_NULL, 0);
    objects[OEM_FIXED_FONT] = Font(u"Terminal", 12, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    objects[ANSI_FIXED_FONT] = Font(u"Courier", 13, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    objects[ANSI_VAR_FONT] = Font(u"MS Sans Serif", 13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
    objects[SYSTEM_FONT] = Font(u"System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
    objects[DEVICE_DEFAULT_FONT] = objects[SYSTEM_FONT];
    objects[SYSTEM_FIXED_FONT] = Font(u"Fixedsys", 15, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    objects[DEFAULT_GUI_FONT] = Font(u"MS Shell Dlg", -11, FW_NORMAL, DEFAULT_PITCH);
    bitmap = std::make_shared<GdiBitmap>();
    bitmap->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    Register(bitmap);
  }
};

Stock& Stocks() {
  static Stock* stock = new Stock;  // handles stay valid through static destruction
  return *stock;
}

}  // namespace

std::shared_ptr<GdiBitmap> DefaultBitmap() { return Stocks().bitmap; }

std::shared_ptr<GdiBrush> StockBrush(int index) {
  return std::static_pointer_cast<GdiBrush>(Stocks().objects[index]);
}

std::shared_ptr<GdiPen> StockPen(int index) {
  return std::static_pointer_cast<GdiPen>(Stocks().objects[index]);
}

std::shared_ptr<GdiFont> StockFont(int index) {
  return std::static_pointer_cast<GdiFont>(Stocks().objects[index]);
}

}  // namespace Platform

HGDIOBJ WINAPI GetStockObject(int i) {
  if (i < 0 || i >= Platform::kStockCount || !Platform::Stocks().objects[i]) {
    Platform::ReportUnsupported("GetStockObject", "stock object", i);
    return nullptr;
  }
  return Platform::Stocks().objects[i].get();
}
