// The whole setup window as a picture, compared with the stored one; and the window's answer to
// a skin it cannot build.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include "SetupWndFixture.h"
#include "support/TestData.h"

namespace {

namespace fs = std::filesystem;
namespace Headless = Platform::Headless;

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
};

Picture WindowPicture(HWND hwnd) {
  RECT rc = {};
  GetClientRect(hwnd, &rc);
  Picture picture{rc.right, rc.bottom, {}};
  picture.rgba.reserve(static_cast<size_t>(picture.width) * picture.height * 4);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      uint32_t argb = Headless::Pixel(hwnd, x, y);
      picture.rgba.push_back(static_cast<uint8_t>(argb >> 16));
      picture.rgba.push_back(static_cast<uint8_t>(argb >> 8));
      picture.rgba.push_back(static_cast<uint8_t>(argb));
      picture.rgba.push_back(static_cast<uint8_t>(argb >> 24));
    }
  return picture;
}

Picture ReadPng(const fs::path& path) {
  std::string bytes = TestSupport::ReadFile(path);
  Picture picture;
  int channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                          static_cast<int>(bytes.size()), &picture.width,
                                          &picture.height, &channels, 4);
  if (pixels == nullptr) return {};
  picture.rgba.assign(pixels, pixels + static_cast<size_t>(picture.width) * picture.height * 4);
  stbi_image_free(pixels);
  return picture;
}

fs::path ActualOutput(const std::string& name) {
  const char* build = std::getenv("SKINUI_BUILD_DIR");
  fs::path dir = fs::path(build ? build : ".") / "tests" / "golden-actual";
  fs::create_directories(dir);
  return dir / name;
}

// Pixels whose largest channel difference is above this count as different; anti-aliased text
// may move a few steps between font versions.
constexpr int kChannelTolerance = 24;
// At most this share of the pixels may differ.
constexpr double kDifferentShare = 0.003;

TEST_F(SetupWindow, LooksLikeTheStoredPicture) {
  Open();
  Picture actual = WindowPicture(m_hWnd);
  ASSERT_EQ(actual.width, 518);
  ASSERT_EQ(actual.height, 345);
  const fs::path stored = TestSupport::DataPath("golden/setup_window.png");
  const fs::path written = ActualOutput("setup_window.png");
  Picture expected = ReadPng(stored);
  auto keep = [&] {
    stbi_write_png(written.c_str(), actual.width, actual.height, 4, actual.rgba.data(),
                   actual.width * 4);
    return written.string();
  };
  ASSERT_EQ(expected.width, actual.width) << "no stored picture; this one is " << keep();
  ASSERT_EQ(expected.height, actual.height) << keep();
  size_t different = 0;
  for (size_t i = 0; i < actual.rgba.size(); i += 4) {
    int worst = 0;
    for (size_t c = 0; c < 4; ++c)
      worst = std::max(worst, std::abs(int(actual.rgba[i + c]) - int(expected.rgba[i + c])));
    if (worst > kChannelTolerance) ++different;
  }
  const size_t allowed = static_cast<size_t>(kDifferentShare * actual.width * actual.height);
  EXPECT_LE(different, allowed) << "the window differs from " << stored << "; it is " << keep();
}

class SetupWindowDeathTest : public SetupWindow {};

// A skin resource that is no archive builds no root: the box, then exit code 1.
TEST_F(SetupWindowDeathTest, SkinWithoutRootEndsTheProcessWithCodeOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  static const char kNotAZip[] = "this is no zip archive";
  ASSERT_TRUE(Platform::RegisterResource(Platform::ProgramModule(), u"ZIPRES",
                                         MAKEINTRESOURCEW(105), kNotAZip, sizeof kNotAZip));
  EXPECT_EXIT(
      {
        auto* wnd = new CSetupWnd();
        wnd->Create(nullptr, kSetupWindowTitle, 0x10CF0000, 0x00000100, 0, 0, 525, 350);
        std::_Exit(0);  // not reached when the window ends the process
      },
      testing::ExitedWithCode(1), "");
}

}  // namespace
