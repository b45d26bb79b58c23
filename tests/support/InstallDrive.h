#pragma once
// A private prefix for one test with drive D: mapped to a scratch folder and the install
// directory D:\Games\Halvane\ made in it.

#include <filesystem>
#include <string>

#include "support/TestPrefix.h"
#include "support/WideString.h"

namespace TestSupport {

// Adds (or replaces) the link dosdevices/<letter>: -> target in a prefix.
void MapDrive(const std::filesystem::path& prefix, char letter,
              const std::filesystem::path& target);

class InstallDrive {
 public:
  InstallDrive();
  InstallDrive(const InstallDrive&) = delete;
  InstallDrive& operator=(const InstallDrive&) = delete;

  std::filesystem::path Prefix() const { return m_prefix.Path(); }
  std::filesystem::path DriveC() const { return m_prefix.DriveC(); }
  std::filesystem::path Root() const { return m_prefix.Scratch() / "d"; }  // D:\ on disk
  std::filesystem::path InstallDir() const { return Root() / "Games" / "Halvane"; }
  WString InstallDirW() const { return TEXT("D:\\Games\\Halvane\\"); }

 private:
  TestPrefix m_prefix;
};

}  // namespace TestSupport
