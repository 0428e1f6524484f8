#include "platform/regular_files.h"

#include "platform/paths.h"

namespace velmaric {
namespace {

// As many links in a row as Linux follows before it gives up.
constexpr int longest_link_chain = 40;
constexpr std::size_t read_chunk = 16 * 1024;
constexpr std::size_t temporary_suffix_length = 6;

bool Is_Read_Only(const File_Status& status) {
  return status.Exists() && (status.permissions & any_write_permission) == 0;
}

File_Status Status_Of(const File_System& files, const std::string& name, Links links) {
  return links == Links::follow ? files.Status(name) : files.Link_Status(name);
}

bool Is_Own_Kind(const File_Status& status) {
  return status.type == File_Type::regular && !status.system_file;
}

std::string Temporary_Prefix(const std::string& target) {
  return Directory_Of_File(target) + "." + File_Name_Part(target) + ".";
}

// Opens the file for appending after the rules allowed it; gives its status
// as opened, and whether it was made by this open.
std::unique_ptr<Writable_File> Open_Own_File_For_Appending(File_System& files,
                                                           const std::string& name, bool create,
                                                           const File_Reach& reach,
                                                           File_Status& opened, bool& made) {
  const File_Status before = Regular_Or_Absent(files, name, reach.links);
  if (Is_Read_Only(before)) throw Access_Denied_Error();
  made = !before.Exists();
  std::unique_ptr<Writable_File> file = files.Open_For_Appending(name, create, reach.links);
  opened = file->Status();
  if (!Is_Own_Kind(opened) || Is_Read_Only(opened)) throw Access_Denied_Error();
  if (!reach.keep_apart.empty() && opened.Same_File_As(files.Status(reach.keep_apart))) {
    throw Access_Denied_Error();
  }
  return file;
}

// The temporary file of a replace; removed again unless it was renamed
// into place.
class Temporary_File {
 public:
  Temporary_File(File_System& files, const std::string& target)
      : files_(files), file_(files.Create_Temporary(Temporary_Prefix(target), name_)) {}
  Temporary_File(const Temporary_File&) = delete;
  Temporary_File& operator=(const Temporary_File&) = delete;
  ~Temporary_File() {
    if (!owned_) return;
    file_.reset();
    try {
      files_.Remove(name_);
    } catch (const File_Error&) {
      // The next start clears it away.
    }
  }
  Writable_File& File() { return *file_; }
  void Rename_To(const std::string& target) {
    file_->Close();
    files_.Rename(name_, target);
    owned_ = false;
  }

 private:
  File_System& files_;
  std::string name_;
  std::unique_ptr<Writable_File> file_;
  bool owned_ = true;
};

// Gives the new file the old one's owner, group and permissions. Only root
// may give a file away; without the owner, the set-id bits would be a gift
// to someone else, so they go.
void Keep_Owner_And_Permissions(Writable_File& file, const File_Status& old) {
  std::uint32_t permissions = old.permissions;
  const File_Status now = file.Status();
  if (now.owner != old.owner || now.group != old.group) {
    try {
      file.Set_Owner(old.owner, old.group);
    } catch (const File_Error&) {
      permissions &= 0777;
    }
  }
  file.Set_Permissions(permissions);
}

// A new file is on the disk once its folder's entry is.
void Sync_Folder_Of(File_System& files, const std::string& name) {
  files.Sync_Folder(Directory_Of_File(Link_Final_Target(files, name)));
}

// Six ASCII letters or digits, as the system makes them.
bool Is_Temporary_Suffix(std::string_view suffix) {
  if (suffix.size() != temporary_suffix_length) return false;
  for (const char c : suffix) {
    const bool letter_or_digit =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!letter_or_digit) return false;
  }
  return true;
}

// Opens an existing file that is_wanted accepts, before and after opening:
// a name swapped for something else in between is refused all the same.
template <typename Wanted>
std::unique_ptr<Readable_File> Open_File_If(File_System& files, const std::string& name,
                                            Links links, Wanted&& is_wanted) {
  const File_Status status = Status_Of(files, name, links);
  if (!status.Exists()) return nullptr;
  if (!is_wanted(status)) throw Access_Denied_Error();
  std::unique_ptr<Readable_File> file;
  try {
    file = files.Open_For_Reading(name, links);
  } catch (const File_Error& error) {
    if (error.Fault() == File_Fault::not_found) return nullptr;  // gone meanwhile
    throw;
  }
  if (!is_wanted(file->Status())) throw Access_Denied_Error();
  return file;
}

std::optional<std::string> Read_Up_To(Readable_File* file, std::uint64_t limit) {
  if (file == nullptr) return std::nullopt;
  if (file->Status().size > limit) throw Access_Denied_Error();
  std::string contents;
  char buffer[read_chunk];
  // Files of the system (/proc) report no size: the limit holds as they are read.
  while (const std::size_t got = file->Read(buffer, sizeof buffer)) {
    if (contents.size() + got > limit) throw Access_Denied_Error();
    contents.append(buffer, got);
  }
  return contents;
}

}  // namespace

File_Status Regular_Or_Absent(const File_System& files, const std::string& name, Links links) {
  const File_Status status = Status_Of(files, name, links);
  if (status.Exists() && !Is_Own_Kind(status)) throw Access_Denied_Error();
  return status;
}

std::unique_ptr<Readable_File> Open_Regular_File(File_System& files, const std::string& name,
                                                 Links links) {
  return Open_File_If(files, name, links, Is_Own_Kind);
}

std::optional<std::string> Read_Regular_File(File_System& files, const std::string& name,
                                             std::uint64_t limit) {
  return Read_Up_To(Open_Regular_File(files, name).get(), limit);
}

std::optional<std::string> Read_System_File(File_System& files, const std::string& name,
                                            std::uint64_t limit) {
  const auto regular = [](const File_Status& status) { return status.type == File_Type::regular; };
  return Read_Up_To(Open_File_If(files, name, Links::follow, regular).get(), limit);
}

std::string Link_Final_Target(const File_System& files, const std::string& name) {
  std::string target = name;
  for (int hop = 0; hop < longest_link_chain; ++hop) {
    if (files.Link_Status(target).type != File_Type::symbolic_link) return target;
    const std::string link = files.Link_Target(target);
    target = Is_Full_Path(link) ? link : Directory_Of_File(target) + link;
  }
  throw Access_Denied_Error();  // a loop of links leads to no file
}

bool Folder_Takes_New_Files(const File_System& files, const std::string& name) {
  return files.Has_Access(Directory_Of_File(Link_Final_Target(files, name)), Access::create_files);
}

bool Is_Same_File(const File_System& files, const std::string& a, const std::string& b) {
  return Link_Final_Target(files, a) == Link_Final_Target(files, b) ||
         files.Status(a).Same_File_As(files.Status(b));
}

void Replace_Regular_File(File_System& files, const std::string& name, const Content_Writer& write,
                          const File_Reach& reach) {
  // Where links are refused, the name itself is replaced (a link there is
  // refused just below). The rename goes to this final name, whatever link
  // appears later in its place.
  const std::string target = reach.links == Links::follow ? Link_Final_Target(files, name) : name;
  const File_Status old = Regular_Or_Absent(files, target, reach.links);
  if (Is_Read_Only(old)) throw Access_Denied_Error();
  if (!reach.keep_apart.empty() && Is_Same_File(files, target, reach.keep_apart)) {
    throw Access_Denied_Error();
  }

  Temporary_File temporary(files, target);
  if (old.Exists()) {
    Keep_Owner_And_Permissions(temporary.File(), old);
  } else {
    temporary.File().Set_Permissions(files.New_File_Permissions());
  }
  write(temporary.File());
  temporary.File().Sync();
  temporary.Rename_To(target);
  files.Sync_Folder(Directory_Of_File(target));
}

void Replace_Regular_File(File_System& files, const std::string& name, std::string_view contents) {
  Replace_Regular_File(files, name, [contents](Writable_File& file) { file.Append(contents); });
}

void Overwrite_Regular_File(File_System& files, const std::string& name,
                            const Content_Writer& write, const File_Reach& reach) {
  File_Status opened;
  bool made = false;
  const std::unique_ptr<Writable_File> file =
      Open_Own_File_For_Appending(files, name, false, reach, opened, made);
  file->Truncate(0);
  write(*file);
  file->Sync();
  file->Close();
}

void Append_To_Regular_File(File_System& files, const std::string& name, std::string_view data,
                            const File_Reach& reach) {
  File_Status before;
  bool made = false;
  const std::unique_ptr<Writable_File> file =
      Open_Own_File_For_Appending(files, name, true, reach, before, made);
  try {
    file->Append(data);
    file->Sync();
  } catch (const File_Error&) {
    // Half a line would break the columns of every line after it.
    try {
      file->Truncate(before.size);
    } catch (const File_Error&) {
      // The first failure is the one to report.
    }
    throw;
  }
  file->Close();
  if (made) Sync_Folder_Of(files, name);
}

void Erase_Regular_File(File_System& files, const std::string& name, const File_Reach& reach) {
  File_Status before;
  bool made = false;
  const std::unique_ptr<Writable_File> file =
      Open_Own_File_For_Appending(files, name, true, reach, before, made);
  if (before.size > 0) file->Truncate(0);
  file->Close();
  if (made) Sync_Folder_Of(files, name);
}

int Remove_Leftover_Temporaries(File_System& files, const std::string& name,
                                const Contents_Test& is_leftover) {
  const std::string folder = Directory_Of_File(name);
  const std::string prefix = "." + File_Name_Part(name) + ".";
  int removed = 0;
  for (const std::string& entry : files.Folder_Entries(folder)) {
    if (entry.compare(0, prefix.size(), prefix) != 0 ||
        !Is_Temporary_Suffix(
            std::string_view(entry).substr(std::min(prefix.size(), entry.size())))) {
      continue;
    }
    try {
      if (files.Link_Status(folder + entry).type != File_Type::regular) continue;
      if (is_leftover && !is_leftover(Read_Regular_File(files, folder + entry).value_or(""))) {
        continue;
      }
      files.Remove(folder + entry);
      ++removed;
    } catch (const File_Error&) {
      // Not ours to remove after all; it does no harm where it is.
    }
  }
  return removed;
}

}  // namespace velmaric
