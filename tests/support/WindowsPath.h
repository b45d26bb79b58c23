#pragma once
// The Windows path by which the program reaches a file the test made in its own file system
// (a temporary folder, test data): through the prefix's drives on Linux, itself on Windows.

#include <filesystem>

#include "support/WideString.h"

namespace TestSupport {

WString WindowsPath(const std::filesystem::path& path);

// The folder the running test program lives in, as a Windows path without a trailing slash.
WString ProgramFolder();

}  // namespace TestSupport
