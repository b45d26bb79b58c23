#pragma once
// Shortcut files read back with lnkinfo (Debian liblnk-utils), an implementation of the
// published format that is not ours.

#include <filesystem>
#include <string>

// A shortcut file as lnkinfo reads it.
struct LinkInfo {
  bool ok = false;
  std::string target, workingDirectory, relativePath, description;
  int showCommand = -1;
};
LinkInfo ReadLink(const std::filesystem::path& lnk);
