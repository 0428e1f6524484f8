#include "platform/removable_media.h"

#include <algorithm>
#include <iterator>
#include <sstream>
#include <vector>

#include "platform/paths.h"
#include "platform/regular_files.h"

namespace velmaric {
namespace {

struct Mount_Entry {
  std::string source;
  std::string mount_point;
  bool whole_file_system = true;
};

// The kernel writes blanks, tabs, newlines and backslashes in names as a
// backslash and three octal digits.
std::string Decode_Octal_Escapes(const std::string& text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto octal = [&](std::size_t at) {
      return at < text.size() && text[at] >= '0' && text[at] <= '7';
    };
    if (text[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3) && text[i + 1] <= '3') {
      decoded += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 +
                                   (text[i + 3] - '0'));
      i += 3;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

bool Is_Number(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<Mount_Entry> Parse_Mount_Line(const std::string& line) {
  std::istringstream in(line);
  const std::vector<std::string> fields{std::istream_iterator<std::string>(in),
                                        std::istream_iterator<std::string>()};
  // mountinfo: id parent major:minor root mount-point options [tags...] - type source options
  if (fields.size() >= 9 && Is_Number(fields[0]) && Is_Number(fields[1])) {
    const auto separator = std::find(fields.begin() + 6, fields.end(), "-");
    if (separator != fields.end() && fields.end() - separator >= 3) {
      return Mount_Entry{Decode_Octal_Escapes(*(separator + 2)), Decode_Octal_Escapes(fields[4]),
                         Decode_Octal_Escapes(fields[3]) == "/"};
    }
  }
  // mounts: source mount-point type options dump pass
  if (fields.size() >= 3) {
    return Mount_Entry{Decode_Octal_Escapes(fields[0]), Decode_Octal_Escapes(fields[1]), true};
  }
  return std::nullopt;
}

std::string Last_Level(const std::string& name) {
  std::string trimmed = name;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  return trimmed.substr(trimmed.rfind('/') + 1);
}

// The kernel's name of the block device behind a source such as /dev/sdb1
// or /dev/disk/by-uuid/..., or nothing for a source that is no device.
std::optional<std::string> Block_Device_Name(const File_System& files, const std::string& source,
                                             const std::string& device_root) {
  const std::string dev = "/dev/";
  if (source.compare(0, dev.size(), dev) != 0) return std::nullopt;
  std::string device = device_root + "/" + source.substr(dev.size());
  const std::string resolved = files.Real_Name(device);
  if (!resolved.empty()) device = resolved;
  const std::string name = Last_Level(device);
  if (name.empty() || name == "." || name == ".." || name == "/") return std::nullopt;
  return name;
}

std::string First_Word(File_System& files, const std::string& name) {
  try {
    std::istringstream in(Read_System_File(files, name).value_or(""));
    std::string word;
    in >> word;
    return word;
  } catch (const File_Error&) {
    return {};
  }
}

bool Exists(const File_System& files, const std::string& name) {
  try {
    return files.Status(name).Exists();
  } catch (const File_Error&) {
    return false;
  }
}

bool Is_Removable(File_System& files, const std::string& device_name,
                  const std::string& sysfs_block_root) {
  std::string device = files.Real_Name(sysfs_block_root + "/" + device_name);
  if (device.empty()) return false;
  // sysfs keeps a partition in its disk's folder; only the disk has the flag.
  if (!Exists(files, device + "/removable") && Exists(files, device + "/partition")) {
    device = Directory_Of_File(device);
  }
  if (device.back() != '/') device += '/';
  return First_Word(files, device + "removable") == "1";
}

}  // namespace

std::optional<std::string> First_Removable_Medium(File_System& files,
                                                  const std::string& mount_table_text,
                                                  const std::string& sysfs_block_root,
                                                  const std::string& device_root) {
  std::istringstream table(mount_table_text);
  for (std::string line; std::getline(table, line);) {
    const std::optional<Mount_Entry> mount = Parse_Mount_Line(line);
    if (!mount || !mount->whole_file_system || mount->mount_point.empty()) continue;
    const std::optional<std::string> device = Block_Device_Name(files, mount->source, device_root);
    if (device && Is_Removable(files, *device, sysfs_block_root)) return mount->mount_point;
  }
  return std::nullopt;
}

}  // namespace velmaric
