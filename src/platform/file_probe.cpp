#include "platform/file_probe.h"

#include "platform/packed_time.h"
#include "platform/regular_files.h"

namespace velmaric {
namespace {

constexpr int first_packed_year = 1980;

bool Is_Read_Only(const File_Status& status) {
  return (status.permissions & any_write_permission) == 0;
}

// The status, or missing for a name we may not look at.
File_Status Status_Or_Missing(const File_System& files, const std::string& name) {
  try {
    return name.empty() ? File_Status{} : files.Status(name);
  } catch (const File_Error&) {
    return {};
  }
}

bool Is_Leap_Year(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int Days_In_Month(int year, int month) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && Is_Leap_Year(year) ? 29 : days[month - 1];
}

}  // namespace

bool File_Exists(const File_System& files, const std::string& name) {
  const File_Status status = Status_Or_Missing(files, name);
  return status.Exists() && status.type != File_Type::directory;
}

std::string Get_File_Open_State(File_System& files, const std::string& name) {
  if (name.empty()) return open_state_none;
  File_Status status;
  try {
    status = files.Status(name);
  } catch (const File_Error&) {
    // A name we may not even look at is not known to be missing.
    return open_state_error;
  }
  if (!status.Exists() || status.type == File_Type::directory) return open_state_none;
  if (status.type != File_Type::regular || Is_Read_Only(status)) return open_state_error;
  switch (files.Probe_Exclusive_Open(name)) {
    case Exclusive_Open::free:
      return open_state_closed;
    case Exclusive_Open::missing:
      return open_state_not_found;
    case Exclusive_Open::held:
      return open_state_open;
    case Exclusive_Open::refused:
      break;
  }
  return open_state_error;
}

void Set_File_Attribute_Flags(File_System& files, const std::string& name, bool read_only,
                              bool /*archive*/, bool /*system*/, bool /*hidden*/) {
  const File_Status status = Status_Or_Missing(files, name);
  if (status.type != File_Type::regular) return;
  const std::uint32_t wanted =
      read_only ? status.permissions & ~any_write_permission : status.permissions | 0200;
  if (wanted == status.permissions) return;
  try {
    files.Set_Permissions(name, wanted);
  } catch (const File_Error&) {
    // A file of another owner refuses; it keeps its attributes, as it would anyway.
  }
}

std::optional<std::int32_t> Get_File_Date_Stamp(File_System& files, const std::string& name,
                                                Links links) {
  if (!File_Exists(files, name)) return 0;
  try {
    const std::unique_ptr<Readable_File> file = Open_Regular_File(files, name, links);
    if (!file) return 0;
    return Pack_Local_Time(file->Status().modified_ns);
  } catch (const File_Error&) {
    return std::nullopt;
  }
}

void Set_File_Date_Stamp(File_System& files, const std::string& name, std::int32_t stamp,
                         bool closed_only, Links links) {
  if (Status_Or_Missing(files, name).type != File_Type::regular) return;
  if (closed_only && Get_File_Open_State(files, name) != open_state_closed) return;
  if (!Unpack_Date_Stamp(stamp)) return;
  const std::optional<std::int64_t> when = Unpack_Local_Time(stamp);
  if (!when) return;
  try {
    const std::unique_ptr<Writable_File> file = files.Open_For_Appending(name, false, links);
    if (file->Status().type != File_Type::regular) return;
    file->Set_Modified_Time(*when);
    file->Close();
  } catch (const File_Error&) {
    // The caller reads the stamp back and reports a time that did not take.
  }
}

std::optional<Date_Stamp_Fields> Unpack_Date_Stamp(std::int32_t stamp) {
  const auto bits = static_cast<std::uint32_t>(stamp);
  Date_Stamp_Fields fields;
  fields.year = first_packed_year + static_cast<int>(bits >> 25);
  fields.month = static_cast<int>(bits >> 21 & 0x0F);
  fields.day = static_cast<int>(bits >> 16 & 0x1F);
  fields.hour = static_cast<int>(bits >> 11 & 0x1F);
  fields.minute = static_cast<int>(bits >> 5 & 0x3F);
  fields.second = static_cast<int>(bits & 0x1F) * 2;
  if (fields.month < 1 || fields.month > 12) return std::nullopt;
  if (fields.day < 1 || fields.day > Days_In_Month(fields.year, fields.month)) return std::nullopt;
  if (fields.hour > 23 || fields.minute > 59 || fields.second > 59) return std::nullopt;
  return fields;
}

}  // namespace velmaric
