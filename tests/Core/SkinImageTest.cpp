#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "Core/UIManager.h"
#include "Core/UIRender.h"
#include "support/Drive.h"
#include "support/SkinSettingsScope.h"
#include "support/TempDir.h"
#include "support/TestData.h"
#include "support/TestPrefix.h"
#include "support/WideString.h"
#include "support/WindowsPath.h"

using namespace SkinUI;

namespace {

using Pixels = std::vector<uint32_t>;

// The bitmap's pixels as AARRGGBB values, row by row from the top.
Pixels ReadPixels(const TImageEntry* image) {
  DIBSECTION section = {};
  if (GetObjectW(image->hBitmap, sizeof(section), &section) != sizeof(section)) return {};
  EXPECT_EQ(32, section.dsBm.bmBitsPixel);
  EXPECT_EQ(image->nWidth * 4, section.dsBm.bmWidthBytes);
  // The rows run top-down; GetObject reports the height positive all the same.
  Pixels out(static_cast<size_t>(image->nWidth) * image->nHeight);
  const auto* bytes = static_cast<const BYTE*>(section.dsBm.bmBits);
  for (size_t i = 0; i < out.size(); ++i) {
    const BYTE* p = bytes + 4 * i;  // blue, green, red, alpha in memory
    out[i] = (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
  }
  return out;
}

// Frees the entry when the test ends.
struct Loaded {
  explicit Loaded(TImageEntry* image) : entry(image) {}
  ~Loaded() { CDrawEngine::FreeSkinImage(entry); }
  TImageEntry* operator->() const { return entry; }
  explicit operator bool() const { return entry != nullptr; }
  TImageEntry* entry;
};

// The 3 x 2 test pictures, premultiplied. rgba.png holds half-transparent orange
// (200, 100, 50, 128), magenta, transparent black / dark blue-grey, almost transparent white,
// almost opaque magenta (alpha 254).
const Pixels kRgba = {0x80643219, 0xFFFF00FF, 0x00000000, 0xFF0A141E, 0x01010101, 0xFEFE00FE};
const Pixels kOpaque = {0xFFFF00FF, 0xFF0A141E, 0xFFFF00FF, 0xFF000000, 0xFFFFFFFF, 0xFF010203};

class SkinImage : public ::testing::Test {
 protected:
  Loaded Decode(const std::string& file, DWORD mask = 0) {
    const std::string bytes = TestSupport::ReadDataFile("skin/" + file);
    return Loaded(CDrawEngine::DecodeSkinImage(reinterpret_cast<const BYTE*>(bytes.data()),
                                               bytes.size(), mask));
  }
  WString WindowsPath(const std::filesystem::path& posix) {
    return TestSupport::WindowsPath(posix);
  }

  TestSupport::TestPrefix m_prefix;
  TestSupport::SkinSettingsScope m_settings;
};

TEST_F(SkinImage, PremultipliesAndMarksAlpha) {
  Loaded image = Decode("rgba.png");
  ASSERT_TRUE(image);
  EXPECT_EQ(3, image->nWidth);
  EXPECT_EQ(2, image->nHeight);
  EXPECT_TRUE(image->bHasAlpha);
  // (200, 100, 50, 128) becomes blue 25, green 50, red 100, alpha 128.
  EXPECT_EQ(kRgba, ReadPixels(image.entry));
}

TEST_F(SkinImage, OpaqueImageWithoutMatchingKeyNeedsNoBlending) {
  Loaded image = Decode("opaque.png", 0xFF123456);
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->bHasAlpha);
  EXPECT_EQ(kOpaque, ReadPixels(image.entry));
  EXPECT_EQ(0xFF123456u, image->dwMask);
}

TEST_F(SkinImage, ColourKeyMakesMagentaTransparent) {
  Loaded image = Decode("opaque.png", 0xFFFF00FF);
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->bHasAlpha);
  EXPECT_EQ((Pixels{0, 0xFF0A141E, 0, 0xFF000000, 0xFFFFFFFF, 0xFF010203}),
            ReadPixels(image.entry));
}

TEST_F(SkinImage, ColourKeyIsComparedWithThePremultipliedValue) {
  // The almost opaque magenta is FEFE00FE once premultiplied; only that value matches it.
  Loaded plain = Decode("rgba.png", 0xFFFF00FF);
  Pixels expected = kRgba;
  expected[1] = 0;
  EXPECT_EQ(expected, ReadPixels(plain.entry));
  Loaded premultiplied = Decode("rgba.png", 0xFEFE00FE);
  expected = kRgba;
  expected[5] = 0;
  EXPECT_EQ(expected, ReadPixels(premultiplied.entry));
}

struct Variant {
  const char* file;
  Pixels pixels;
  bool hasAlpha;
};

class PngVariants : public SkinImage, public ::testing::WithParamInterface<Variant> {};

TEST_P(PngVariants, DecodeToTheSamePixels) {
  Loaded image = Decode(GetParam().file);
  ASSERT_TRUE(image) << GetParam().file;
  EXPECT_EQ(GetParam().pixels, ReadPixels(image.entry)) << GetParam().file;
  EXPECT_EQ(GetParam().hasAlpha, image->bHasAlpha) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(
    ImageMagick, PngVariants,
    ::testing::Values(
        Variant{"rgba.png", kRgba, true}, Variant{"rgba16.png", kRgba, true},
        Variant{"interlaced.png", kRgba, true}, Variant{"opaque.png", kOpaque, false},
        Variant{"rgb16.png", kOpaque, false}, Variant{"palette.png", kOpaque, false},
        Variant{"palette-alpha.png",
                {0xFFC86432, 0xFFFF00FF, 0x00000000, 0xFF0A141E, 0x00000000, 0xFFFF00FF},
                true},
        Variant{"grey.png",
                {0xFF000000, 0xFF404040, 0xFF808080, 0xFFC0C0C0, 0xFFFFFFFF, 0xFF070707},
                false},
        Variant{"grey-alpha.png",
                {0xFF000000, 0x80202020, 0x00000000, 0xFFC0C0C0, 0x40404040, 0xFF070707},
                true},
        Variant{"opaque.bmp", kOpaque, false},
        Variant{"opaque.gif",
                {0xFFFF00FF, 0xFF0A141E, 0xFFFF00FF, 0xFF000000, 0xFFFFFFFF, 0xFF000000},
                false}));

TEST_F(SkinImage, JpegDecodesLossily) {
  Loaded image = Decode("opaque.jpg");
  ASSERT_TRUE(image);
  EXPECT_EQ(3, image->nWidth);
  EXPECT_FALSE(image->bHasAlpha);
  for (uint32_t pixel : ReadPixels(image.entry)) EXPECT_EQ(0xFFu, pixel >> 24);
}

TEST_F(SkinImage, BrokenImagesFailCleanly) {
  const std::string png = TestSupport::ReadDataFile("skin/rgba.png");
  EXPECT_FALSE(CDrawEngine::DecodeSkinImage(nullptr, 0, 0));
  const std::vector<std::string> broken = {"",
                                           "not an image at all",
                                           png.substr(0, 8),
                                           png.substr(0, 40),
                                           png.substr(0, png.size() / 2),
                                           std::string(png.size(), '\0')};
  for (const std::string& bytes : broken) {
    TImageEntry* image =
        CDrawEngine::DecodeSkinImage(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), 0);
    EXPECT_EQ(nullptr, image) << bytes.size();
    CDrawEngine::FreeSkinImage(image);
  }
  CDrawEngine::FreeSkinImage(nullptr);
}

TEST_F(SkinImage, JpegWithAnOversizedHuffmanTableIsRefused) {
  // A table of 16 x 255 codes, which the decoder would write past its 256-entry tables.
  std::string jpeg = TestSupport::ReadDataFile("skin/opaque.jpg");
  const size_t table = jpeg.find("\xFF\xC4");
  ASSERT_NE(std::string::npos, table);
  for (size_t i = 0; i < 16; ++i) jpeg[table + 5 + i] = static_cast<char>(0xFF);
  EXPECT_EQ(nullptr, CDrawEngine::DecodeSkinImage(reinterpret_cast<const BYTE*>(jpeg.data()),
                                                  jpeg.size(), 0));
}

// Every input that once broke the image fuzzer decodes without harm (or not at all).
TEST_F(SkinImage, FuzzerFindingsStayHarmless) {
  const std::filesystem::path corpus = TestSupport::DataPath("../../fuzz/corpus/image");
  ASSERT_TRUE(std::filesystem::is_directory(corpus));
  for (const auto& file : std::filesystem::directory_iterator(corpus)) {
    const std::string bytes = TestSupport::ReadFile(file.path());
    if (bytes.size() < 4) continue;
    CDrawEngine::FreeSkinImage(CDrawEngine::DecodeSkinImage(
        reinterpret_cast<const BYTE*>(bytes.data()) + 4, bytes.size() - 4, 0));
  }
}

TEST_F(SkinImage, HugeDeclaredSizeIsRefusedBeforeDecoding) {
  // The header claims 100000 x 100000 pixels (40 GB of pixels) for a few bytes of data.
  std::string png = TestSupport::ReadDataFile("skin/rgba.png");
  for (size_t at : {16, 20}) {
    png[at] = 0x00;
    png[at + 1] = 0x01;
    png[at + 2] = static_cast<char>(0x86);
    png[at + 3] = static_cast<char>(0xA0);
  }
  EXPECT_EQ(nullptr,
            CDrawEngine::DecodeSkinImage(reinterpret_cast<const BYTE*>(png.data()), png.size(), 0));
}

TEST_F(SkinImage, FromTheArchiveInMemory) {
  std::string zip = TestSupport::ReadDataFile("skin/python.zip");
  CPaintManagerUI::SetResourceZipBuffer(zip.data(), static_cast<unsigned>(zip.size()));
  Loaded image(CDrawEngine::LoadSkinImage(TEXT("SUB\\A.PNG"), nullptr, 0));
  ASSERT_TRUE(image);
  EXPECT_EQ(kRgba, ReadPixels(image.entry));
  Loaded keyed(CDrawEngine::LoadSkinImage(TEXT("images/magenta.png"), nullptr, 0xFFFF00FF));
  ASSERT_TRUE(keyed);
  EXPECT_TRUE(keyed->bHasAlpha);
  EXPECT_EQ(0u, ReadPixels(keyed.entry)[0]);
  // A zero-length entry and a missing one load nothing.
  EXPECT_FALSE(Loaded(CDrawEngine::LoadSkinImage(TEXT("empty.txt"), nullptr, 0)));
  EXPECT_FALSE(Loaded(CDrawEngine::LoadSkinImage(TEXT("missing.png"), nullptr, 0)));
  EXPECT_FALSE(Loaded(CDrawEngine::LoadSkinImage(TEXT("skin.xml"), nullptr, 0)));
  EXPECT_FALSE(Loaded(CDrawEngine::LoadSkinImage(nullptr, nullptr, 0)));
}

TEST_F(SkinImage, FromLooseFilesInTheResourceFolder) {
  const std::filesystem::path folder = m_prefix.Scratch() / "skin";
  TestSupport::WriteFile(folder / "images" / "bg.png", TestSupport::ReadDataFile("skin/grey.png"));
  TestSupport::WriteFile(folder / "empty.png", "");
  CPaintManagerUI::SetResourceFolder(WindowsPath(folder).c_str());
  Loaded image(CDrawEngine::LoadSkinImage(TEXT("images\\bg.png"), nullptr, 0));
  ASSERT_TRUE(image);
  EXPECT_EQ(0xFF404040u, ReadPixels(image.entry)[1]);
  EXPECT_FALSE(Loaded(CDrawEngine::LoadSkinImage(TEXT("empty.png"), nullptr, 0)));
  EXPECT_FALSE(Loaded(CDrawEngine::LoadSkinImage(TEXT("images\\none.png"), nullptr, 0)));
}

TEST_F(SkinImage, FallsBackToAPlainPath) {
  std::string zip = TestSupport::ReadDataFile("skin/deflated.zip");
  CPaintManagerUI::SetResourceZipBuffer(zip.data(), static_cast<unsigned>(zip.size()));
  const std::filesystem::path elsewhere = m_prefix.Scratch() / "elsewhere";
  TestSupport::WriteFile(elsewhere / "grey.png", TestSupport::ReadDataFile("skin/grey.png"));
  // A full path of its own.
  Loaded full(CDrawEngine::LoadSkinImage(WindowsPath(elsewhere / "grey.png").c_str(), nullptr, 0));
  ASSERT_TRUE(full);
  EXPECT_EQ(0xFF808080u, ReadPixels(full.entry)[2]);
  // A name relative to the current folder.
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(elsewhere);
  Loaded relative(CDrawEngine::LoadSkinImage(TEXT("grey.png"), nullptr, 0));
  std::filesystem::current_path(previous);
  ASSERT_TRUE(relative);
  EXPECT_EQ(0xFFC0C0C0u, ReadPixels(relative.entry)[3]);
}

TEST_F(SkinImage, EmbeddedResourcesByNumberAndByName) {
  const HMODULE module = GetModuleHandleW(nullptr);
  CPaintManagerUI::SetInstance(module);
  const std::string png = TestSupport::ReadDataFile("skin/rgba.png");
  ASSERT_TRUE(Drive::AddResource(TEXT("PNG"), MAKEINTRESOURCEW(201), png.data(), png.size()));
  ASSERT_TRUE(Drive::AddResource(TEXT("PNG"), TEXT("LOGO"), png.data(), png.size()));
  ASSERT_TRUE(Drive::AddResource(TEXT("PNG"), MAKEINTRESOURCEW(202), png.data(), 0));
  Loaded byNumber(CDrawEngine::LoadSkinImage(MAKEINTRESOURCEW(201), TEXT("PNG"), 0));
  ASSERT_TRUE(byNumber);
  EXPECT_EQ(kRgba, ReadPixels(byNumber.entry));
  Loaded byName(CDrawEngine::LoadSkinImage(TEXT("logo"), TEXT("png"), 0xFFFF00FF));
  ASSERT_TRUE(byName);
  EXPECT_EQ(0u, ReadPixels(byName.entry)[1]);
  // An empty resource, a missing number and a type without the resource load nothing; a
  // missing number is never taken for a path.
  EXPECT_FALSE(Loaded(CDrawEngine::LoadSkinImage(MAKEINTRESOURCEW(202), TEXT("PNG"), 0)));
  EXPECT_FALSE(Loaded(CDrawEngine::LoadSkinImage(MAKEINTRESOURCEW(203), TEXT("PNG"), 0)));
  EXPECT_FALSE(Loaded(CDrawEngine::LoadSkinImage(MAKEINTRESOURCEW(201), TEXT("JPG"), 0)));
  EXPECT_FALSE(Loaded(CDrawEngine::LoadSkinImage(MAKEINTRESOURCEW(201), nullptr, 0)));
  // A missing named resource falls back to a file of that name.
  const std::filesystem::path elsewhere = m_prefix.Scratch() / "named";
  TestSupport::WriteFile(elsewhere / "banner.png", TestSupport::ReadDataFile("skin/grey.png"));
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(elsewhere);
  Loaded fallback(CDrawEngine::LoadSkinImage(TEXT("banner.png"), TEXT("PNG"), 0));
  std::filesystem::current_path(previous);
  ASSERT_TRUE(fallback);
  EXPECT_FALSE(fallback->bHasAlpha);
  const LPCWSTR registered[] = {MAKEINTRESOURCEW(201), MAKEINTRESOURCEW(202), TEXT("LOGO")};
  for (LPCWSTR name : registered) Drive::RemoveResource(TEXT("PNG"), name);
}

}  // namespace
