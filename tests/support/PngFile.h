#pragma once
// PNG files of pictures: for looking at what a test drew, and for stored expectations.

#include <filesystem>
#include <optional>
#include <string>

#include "support/Picture.h"

namespace TestSupport {

// Writes the picture as an 8-bit RGBA PNG (straight alpha), creating the folder; false when
// the picture is empty or the file cannot be written.
bool WritePng(const Picture& picture, const std::filesystem::path& path);
// Reads any PNG back as premultiplied pixels; nullopt when the file is missing or not a PNG.
std::optional<Picture> ReadPng(const std::filesystem::path& path);

// Where tests leave files for people to look at: test-output/<name> in the build folder
// (SKINUI_BUILD_DIR, set by ctest; the working directory otherwise).
std::filesystem::path TestOutputPath(const std::string& name);

}  // namespace TestSupport
