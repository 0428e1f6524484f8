#include "platform/removable_media.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "support/file_fixtures.h"

namespace velmaric {
namespace {

namespace fs = std::filesystem;
using namespace velmaric::testing;

std::string Info_Line(const std::string& source, const std::string& mount_point,
                      const std::string& root = "/", const std::string& type = "vfat") {
  return "36 25 8:17 " + root + " " + mount_point + " rw,nosuid shared:7 - " + type + " " + source +
         " rw\n";
}

struct Medium_Case {
  const char* name;
  std::string mount_table;
  std::optional<std::string> medium;
};

void PrintTo(const Medium_Case& row, std::ostream* out) {
  *out << row.name;
}

const std::string root_disk = Info_Line("/dev/sda1", "/", "/", "ext4") +
                              Info_Line("tmpfs", "/tmp", "/", "tmpfs") +
                              Info_Line("/dev/loop0", "/snap/core/1", "/", "squashfs");

class Removable_Media : public ::testing::TestWithParam<Medium_Case> {
 protected:
  // sysfs as the kernel lays it out: class/block holds links into the device
  // tree, where partitions sit inside their disk's folder.
  void SetUp() override {
    Add_Disk("pci0000:00/ata1/block/sda", "0", "sda1");
    Add_Disk("pci0000:00/usb1/block/sdb", "1", "sdb1");
    Add_Disk("platform/mmc0/block/mmcblk0", "1", "mmcblk0p1");
    Add_Disk("virtual/block/loop0", "0", "");
    fs::create_directories(folder.Path("dev/disk/by-label"));
    Write_File(folder.Path("dev/sdb1"), "");
    fs::create_symlink("../../sdb1", folder.Path("dev/disk/by-label/STICK"));
  }
  void Add_Disk(const std::string& device_path, const std::string& removable,
                const std::string& partition) {
    const fs::path disk = folder.Path("devices/" + device_path);
    fs::create_directories(disk);
    fs::create_directories(folder.Path("class/block"));
    Write_File(disk / "removable", removable + "\n");
    fs::create_directory_symlink(disk, folder.Path("class/block") + "/" + disk.filename().string());
    if (partition.empty()) return;
    fs::create_directories(disk / partition);
    Write_File(disk / partition / "partition", "1\n");
    fs::create_directory_symlink(disk / partition, folder.Path("class/block/" + partition));
  }
  Temp_Folder folder;
};

TEST_P(Removable_Media, FindsTheFirstRemovableMountInTableOrder) {
  EXPECT_EQ(First_Removable_Medium(Real_File_System(), GetParam().mount_table,
                                   folder.Path("class/block"), folder.Path("dev")),
            GetParam().medium);
}

INSTANTIATE_TEST_SUITE_P(
    Mount_Tables, Removable_Media,
    ::testing::Values(
        Medium_Case{"Empty", "", std::nullopt},
        Medium_Case{"FixedDiskTmpfsAndLoopOnly", root_disk, std::nullopt},
        Medium_Case{"UsbStickPartition", root_disk + Info_Line("/dev/sdb1", "/media/u/STICK"),
                    "/media/u/STICK"},
        Medium_Case{"SdCardPartition", Info_Line("/dev/mmcblk0p1", "/media/u/SD") + root_disk,
                    "/media/u/SD"},
        Medium_Case{"WholeDiskWithoutPartitions", Info_Line("/dev/sdb", "/mnt/whole"),
                    "/mnt/whole"},
        Medium_Case{"EscapedBlankInMountPoint", Info_Line("/dev/sdb1", "/media/u/MY\\040STICK"),
                    "/media/u/MY STICK"},
        Medium_Case{
            "FirstOfTwoWins",
            Info_Line("/dev/mmcblk0p1", "/media/first") + Info_Line("/dev/sdb1", "/media/second"),
            "/media/first"},
        Medium_Case{
            "FirstOfTwoWinsReversed",
            Info_Line("/dev/sdb1", "/media/first") + Info_Line("/dev/mmcblk0p1", "/media/second"),
            "/media/first"},
        Medium_Case{"LinkByLabel", Info_Line("/dev/disk/by-label/STICK", "/media/label"),
                    "/media/label"},
        Medium_Case{
            "BindMountOfSubfolderIsNoRoot",
            Info_Line("/dev/sdb1", "/srv/bound", "/sub") + Info_Line("/dev/sdb1", "/media/s"),
            "/media/s"},
        Medium_Case{"ProcMountsForm",
                    "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /media/u/A\\040B vfat rw 0 0\n",
                    "/media/u/A B"},
        Medium_Case{"UnknownDevice", Info_Line("/dev/sdz9", "/media/gone"), std::nullopt}),
    [](const ::testing::TestParamInfo<Medium_Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmaric
