// The whole-picture helper of the tests: PNG files that read back, window and bitmap pictures,
// and the comparison with a stored golden (tolerance, the actual picture written on a
// mismatch, SKINUI_UPDATE_GOLDEN storing a new golden).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "Recorder.h"
#include "support/GoldenPicture.h"
#include "support/PngFile.h"
#include "support/TempDir.h"

using namespace WindowTest;
using namespace TestSupport;
namespace H = Platform::Headless;
namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one scope.
class EnvScope {
 public:
  EnvScope(const char* name, const std::string& value) : m_name(name) {
    const char* old = std::getenv(name);
    if (old != nullptr) m_old = old;
    setenv(name, value.c_str(), 1);
  }
  ~EnvScope() {
    if (m_old) {
      setenv(m_name, m_old->c_str(), 1);
    } else {
      unsetenv(m_name);
    }
  }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

// A 40x30 window: white, with a red block and a blue line.
HWND PaintedWindow(Recorder& rec) {
  rec.SetAnswer([](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    RECT all{0, 0, 40, 30}, block{5, 5, 20, 15}, line{0, 25, 40, 26};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 220));
    FillRect(dc, &block, red);
    FillRect(dc, &line, blue);
    DeleteObject(red);
    DeleteObject(blue);
    EndPaint(hwnd, &ps);
    return 0;
  });
  HWND hwnd = rec.Create("W", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 40, 30});
  H::RunUntilIdle();
  return hwnd;
}

TEST(GoldenPicture, PngFilesReadBackPremultipliedWithinRounding) {
  TempDir dir;
  Picture p{3, 2, {0xFF102030u, 0x00000000u, 0x80402010u, 0xFFFFFFFFu, 0x01010101u, 0xFF000000u}};
  ASSERT_TRUE(WritePng(p, dir / "sub" / "p.png")) << "the folder is made";
  std::optional<Picture> back = ReadPng(dir / "sub" / "p.png");
  ASSERT_TRUE(back);
  ASSERT_EQ(back->width, 3);
  ASSERT_EQ(back->height, 2);
  EXPECT_EQ(back->At(0, 0), 0xFF102030u) << "opaque pixels are exact";
  EXPECT_EQ(back->At(1, 0), 0u);
  EXPECT_EQ(back->At(2, 1), 0xFF000000u);
  EXPECT_EQ(back->At(2, 0) >> 24, 0x80u);
  EXPECT_NEAR(static_cast<int>((back->At(2, 0) >> 16) & 0xFF), 0x40, 1);

  EXPECT_FALSE(WritePng(Picture{}, dir / "empty.png"));
  EXPECT_FALSE(ReadPng(dir / "missing.png"));
  std::ofstream(dir / "text.png") << "not a picture";
  EXPECT_FALSE(ReadPng(dir / "text.png"));
}

TEST(GoldenPicture, WindowAndBitmapPicturesHoldTheirPixels) {
  Recorder rec;
  HWND hwnd = PaintedWindow(rec);
  Picture window = PictureOfWindow(hwnd);
  ASSERT_EQ(window.width, 40);
  ASSERT_EQ(window.height, 30);
  EXPECT_EQ(window.At(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(window.At(5, 5), 0xFFC80000u);
  EXPECT_EQ(window.At(19, 14), 0xFFC80000u);
  EXPECT_EQ(window.At(20, 14), 0xFFFFFFFFu);
  EXPECT_EQ(window.At(39, 25), 0xFF0000DCu);
  EXPECT_EQ(window.At(39, 29), 0xFFFFFFFFu);
  DestroyWindow(hwnd);
  EXPECT_TRUE(PictureOfWindow(hwnd).Empty());

  HDC screen = GetDC(nullptr);
  HBITMAP compatible = CreateCompatibleBitmap(screen, 4, 3);
  ReleaseDC(nullptr, screen);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, compatible);
  RECT r{1, 1, 3, 2};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  Picture ofDc = PictureOfDc(dc);
  SelectObject(dc, old);
  DeleteDC(dc);
  Picture ofBitmap = PictureOfBitmap(compatible);
  DeleteObject(compatible);
  ASSERT_EQ(ofBitmap.width, 4);
  ASSERT_EQ(ofBitmap.height, 3);
  EXPECT_EQ(ofBitmap.At(1, 1), 0x00FFFFFFu);  // a brush writes colour only
  EXPECT_EQ(ofBitmap.At(0, 0) & 0xFFFFFFu, 0u);
  EXPECT_EQ(ofDc.pixels, ofBitmap.pixels);
  EXPECT_TRUE(PictureOfBitmap(nullptr).Empty());
}

TEST(GoldenPicture, MatchesTheStoredGoldenWithinTheTolerance) {
  Recorder rec;
  Picture p = PictureOfWindow(PaintedWindow(rec));
  EXPECT_TRUE(MatchesGolden(p, "golden-picture-window"));
  p.At(6, 6) += 0x00020000u;  // red 0xC8 -> 0xCA: rounding noise
  EXPECT_TRUE(MatchesGolden(p, "golden-picture-window"));
  EXPECT_FALSE(MatchesGolden(p, "golden-picture-window", 1));
}

TEST(GoldenPicture, AMismatchWritesTheActualPictureAndNamesIt) {
  Recorder rec;
  Picture p = PictureOfWindow(PaintedWindow(rec));
  TempDir out;
  EnvScope build("SKINUI_BUILD_DIR", out.Path().string());
  p.At(30, 3) = 0xFF00FF00u;
  p.At(31, 3) = 0xFF00FF00u;
  ::testing::AssertionResult result = MatchesGolden(p, "golden-picture-window");
  ASSERT_FALSE(result);
  fs::path written = out / "test-output" / "golden-picture-window.png";
  std::string message = result.message();
  EXPECT_NE(message.find(written.string()), std::string::npos) << message;
  EXPECT_NE(message.find("2 of 1200 pixels"), std::string::npos) << message;
  EXPECT_NE(message.find("(30,3)"), std::string::npos) << message;
  std::optional<Picture> actual = ReadPng(written);
  ASSERT_TRUE(actual);
  EXPECT_EQ(actual->pixels, p.pixels);

  Picture smaller{2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu)};
  result = MatchesGolden(smaller, "golden-picture-window");
  ASSERT_FALSE(result);
  EXPECT_NE(std::string(result.message()).find("2x2"), std::string::npos) << result.message();
  EXPECT_FALSE(MatchesGolden(Picture{}, "golden-picture-window"));
}

TEST(GoldenPicture, UpdateModeStoresTheGoldenThatLaterRunsCompareWith) {
  TempDir data;
  EnvScope where("SKINUI_TEST_DATA", data.Path().string());
  Picture p{2, 1, {0xFF112233u, 0xFF445566u}};
  ::testing::AssertionResult missing = MatchesGolden(p, "made/new");
  ASSERT_FALSE(missing);
  EXPECT_NE(std::string(missing.message()).find("SKINUI_UPDATE_GOLDEN=1"), std::string::npos);
  {
    EnvScope update("SKINUI_UPDATE_GOLDEN", "1");
    EXPECT_TRUE(MatchesGolden(p, "made/new"));
  }
  EXPECT_TRUE(fs::exists(data / "golden" / "made" / "new.png"));
  EXPECT_TRUE(MatchesGolden(p, "made/new"));
  p.pixels[1] = 0xFF000000u;
  EXPECT_FALSE(MatchesGolden(p, "made/new"));
}

}  // namespace
