// Contexts on surfaces owned elsewhere (window pixels) and the PNG debug helper.

#include <cairo.h>
#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "Platform/Gdi/SurfaceDC.h"
#include "support/PngFile.h"

using namespace GdiTest;

namespace {

TEST(GdiSurfaceDc, DrawsIntoTheSurfaceAndKeepsItAlive) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  HDC dc = Platform::CreateSurfaceDC(surface);
  ASSERT_NE(dc, nullptr);
  cairo_surface_destroy(surface);  // the context holds its own reference
  EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_DC));
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 8);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{2, 2, 4, 4};
  ASSERT_TRUE(FillRect(dc, &r, red));
  const auto* px = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface));
  EXPECT_EQ(px[2 * 8 + 3], Argb(255, 255, 0, 0));
  EXPECT_EQ(px[0], 0u);
  // window contexts take no bitmaps, but copy from and to memory contexts
  Surface mem(8, 8, kBlack);
  EXPECT_EQ(SelectObject(dc, mem.bitmap()), nullptr);
  ASSERT_TRUE(BitBlt(mem.dc(), 0, 0, 8, 8, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(mem.At(3, 2), Argb(255, 255, 0, 0));
  HDC compatible = CreateCompatibleDC(dc);
  EXPECT_EQ(GetObjectType(compatible), static_cast<DWORD>(OBJ_MEMDC));
  DeleteDC(compatible);
  DeleteObject(red);
  Platform::DeleteSurfaceDC(dc);
  EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST(GdiSurfaceDc, RefusesWhatIsNotAnArgbImage) {
  EXPECT_EQ(Platform::CreateSurfaceDC(nullptr), nullptr);
  cairo_surface_t* a8 = cairo_image_surface_create(CAIRO_FORMAT_A8, 4, 4);
  EXPECT_EQ(Platform::CreateSurfaceDC(a8), nullptr);
  cairo_surface_destroy(a8);
}

TEST(GdiDebugPng, WritesBitmapsAndContextsThatReadBack) {
  Surface s(5, 3, Argb(255, 10, 20, 30));
  std::string path = s.Save("debugpng.png");
  cairo_surface_t* back = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(back), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(back), 5);
  EXPECT_EQ(reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(back))[0],
            Argb(255, 10, 20, 30));
  cairo_surface_destroy(back);
  EXPECT_TRUE(TestSupport::WritePng(TestSupport::PictureOfDc(s.dc()), path));
  EXPECT_FALSE(TestSupport::WritePng(TestSupport::PictureOfBitmap(nullptr), path));
  EXPECT_FALSE(TestSupport::WritePng(TestSupport::PictureOfDc(s.dc()), "/dev/null/x.png"));
}

}  // namespace
