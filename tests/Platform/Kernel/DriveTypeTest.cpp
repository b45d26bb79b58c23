#include "KernelTestUtil.h"
#include "support/FuseMount.h"
#include "support/ScratchMount.h"

namespace fs = std::filesystem;
using namespace KernelTest;

namespace {

class DriveType : public PrefixTest {
 protected:
  void MapDrive(char letter, const fs::path& target) {
    fs::create_directory_symlink(target,
                                 prefix.Path() / "dosdevices" / (std::string(1, letter) + ":"));
  }
};

TEST_F(DriveType, TheSystemDriveIsFixedInEveryRootSpelling) {
  // drive_c lives where the test's temporary folder is; only a local disk counts as fixed.
  UINT c = GetDriveTypeW(u"C:\\");
  if (c == DRIVE_RAMDISK) GTEST_SKIP() << "the temporary folder is on a RAM disk here";
  EXPECT_EQ(c, DRIVE_FIXED);
  EXPECT_EQ(GetDriveTypeW(u"c:\\"), DRIVE_FIXED);
  EXPECT_EQ(GetDriveTypeW(u"C:/"), DRIVE_FIXED);
  EXPECT_EQ(GetDriveTypeW(u"C:"), DRIVE_FIXED);
}

TEST_F(DriveType, MissingOrBrokenDrivesHaveNoRoot) {
  EXPECT_EQ(GetDriveTypeW(u"Q:\\"), DRIVE_NO_ROOT_DIR);
  MapDrive('e', prefix.Scratch() / "unplugged");
  EXPECT_EQ(GetDriveTypeW(u"E:\\"), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeW(u"C:\\Windows\\"), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeW(u"\\\\server\\share\\"), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeW(u""), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeW(u"1:\\"), DRIVE_NO_ROOT_DIR);
}

TEST_F(DriveType, RamDisksAreReportedAsSuch) {
  for (const char* type : {"tmpfs", "ramfs"}) {
    fs::path dir = prefix.Scratch() / type;
    TestSupport::ScratchMount mount(dir, type);
    if (!mount.Mounted()) GTEST_SKIP() << mount.Error();
    fs::remove(prefix.Path() / "dosdevices/r:");
    MapDrive('r', dir);
    EXPECT_EQ(GetDriveTypeW(u"R:\\"), DRIVE_RAMDISK) << type;
  }
}

TEST_F(DriveType, FuseMountsAreRemoteOnlyForNetworkFileSystems) {
  {
    TestSupport::FuseMount sshfs(prefix.Scratch() / "sshfs", "sshfs");
    if (!sshfs.Mounted()) GTEST_SKIP() << sshfs.Error();
    MapDrive('n', prefix.Scratch() / "sshfs");
    EXPECT_EQ(GetDriveTypeW(u"N:\\"), DRIVE_REMOTE);
  }
  TestSupport::FuseMount local(prefix.Scratch() / "local", "archivemount");
  ASSERT_TRUE(local.Mounted()) << local.Error();
  MapDrive('l', prefix.Scratch() / "local");
  EXPECT_EQ(GetDriveTypeW(u"L:\\"), DRIVE_FIXED);
}

}  // namespace
