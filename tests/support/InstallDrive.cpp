#include "support/InstallDrive.h"

namespace TestSupport {

void MapDrive(const std::filesystem::path& prefix, char letter,
              const std::filesystem::path& target) {
  std::filesystem::path links = prefix / "dosdevices";
  std::filesystem::create_directories(links);
  std::filesystem::path link = links / (std::string(1, letter) + ":");
  std::error_code ec;
  std::filesystem::remove(link, ec);
  std::filesystem::create_directory_symlink(target, link);
}

InstallDrive::InstallDrive() {
  std::filesystem::create_directories(InstallDir());
  MapDrive(Prefix(), 'd', Root());
}

}  // namespace TestSupport
