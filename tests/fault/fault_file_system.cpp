#include "fault_file_system.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <limits>

#include "platform/regular_files.h"
#include "platform/system_error.h"

namespace velmaric::testing::fault {
namespace {

// A handle on a watched file that counts its changes.
class Fault_Writable_File final : public Writable_File {
 public:
  Fault_Writable_File(Fault_File_System& files, std::unique_ptr<Writable_File> inner,
                      std::string name)
      : files_(files),
        inner_(std::move(inner)),
        name_(std::move(name)),
        opened_(inner_->Status()) {}

  File_Status Status() const override { return inner_->Status(); }
  void Append(std::string_view data) override {
    if (Strikes("write")) {
      // A disk that fills up in the middle of a write.
      if (files_.Armed_Error() != 0 && data.size() >= 2)
        inner_->Append(data.substr(0, data.size() / 2));
      files_.Fail();
    }
    inner_->Append(data);
  }
  void Truncate(std::uint64_t size) override {
    if (Strikes("truncate")) files_.Fail();
    inner_->Truncate(size);
  }
  void Sync() override {
    if (Strikes("fsync")) files_.Fail();
    inner_->Sync();
    files_.Synced(name_, opened_);
  }
  void Set_Permissions(std::uint32_t permissions) override {
    if (Strikes("chmod")) files_.Fail();
    inner_->Set_Permissions(permissions);
  }
  void Set_Owner(std::uint32_t owner, std::uint32_t group) override {
    if (Strikes("chown")) files_.Fail();
    inner_->Set_Owner(owner, group);
  }
  void Set_Modified_Time(std::int64_t modified_ns) override {
    if (Strikes("utime")) files_.Fail();
    inner_->Set_Modified_Time(modified_ns);
  }
  void Close() override {
    const bool fails = Strikes("close");
    try {
      inner_->Close();  // closed in any case, as Linux does
    } catch (const File_Error&) {
      if (!fails) throw;
    }
    if (fails) files_.Fail();
  }

 private:
  bool Strikes(const char* call) {
    return files_.Strikes(std::string(call) + " " + files_.Shown(name_));
  }

  Fault_File_System& files_;
  std::unique_ptr<Writable_File> inner_;
  std::string name_;
  File_Status opened_;
};

}  // namespace

Fault_File_System::Fault_File_System(File_System& inner, const std::string& folder)
    : Forwarding_File_System(inner),
      inner_(inner),
      folder_(folder.empty() || folder.back() != '/' ? folder + "/" : folder) {}

Fault_File_System::~Fault_File_System() = default;

bool Fault_File_System::Watched(const std::string& name) const {
  return name.compare(0, folder_.size(), folder_) == 0 || name + "/" == folder_;
}

// The name relative to the folder; a temporary's random suffix as XXXXXX.
std::string Fault_File_System::Shown(const std::string& name) const {
  std::string shown = name.size() >= folder_.size() ? name.substr(folder_.size()) : std::string();
  const std::size_t slash = shown.rfind('/');
  const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
  if (shown.size() > base + 7 && shown[base] == '.' && shown[shown.size() - 7] == '.') {
    shown.replace(shown.size() - 6, 6, "XXXXXX");
  }
  return shown;
}

void Fault_File_System::Arm(int call_number, Mode mode, int error_number) {
  mode_ = mode;
  fail_at_ = call_number;
  error_ = mode == Mode::power_cut ? 0 : error_number;
  calls_ = 0;
  fired_at_ = 0;
  trace_.clear();
  durable_folders_.clear();
  durable_bytes_.clear();
  if (mode == Mode::power_cut) Take_Durable(folder_);
}

std::string Fault_File_System::Fired_Call() const {
  return fired_at_ > 0 ? trace_[static_cast<std::size_t>(fired_at_ - 1)] : std::string();
}

bool Fault_File_System::Strikes(const std::string& call) {
  // Once the power is gone, nothing more happens.
  if (mode_ == Mode::power_cut && fired_at_ > 0) return true;
  ++calls_;
  trace_.push_back(call);
  if (calls_ != fail_at_) return false;
  fired_at_ = calls_;
  return true;
}

void Fault_File_System::Fail() const {
  throw File_System_Error(mode_ == Mode::power_cut ? EIO : error_);
}

Fault_File_System::Folder Fault_File_System::Current_Folder(const std::string& folder) const {
  Folder entries;
  for (const std::string& name : inner_.Folder_Entries(folder)) {
    const File_Status status = inner_.Link_Status(folder + name);
    entries[name] = {status.type == File_Type::directory, {status.volume, status.index}};
  }
  return entries;
}

// Takes the folder and everything below it as it is now for durable.
void Fault_File_System::Take_Durable(const std::string& folder) {
  const Folder entries = Current_Folder(folder);
  durable_folders_[folder] = entries;
  for (const auto& [name, entry] : entries) {
    if (entry.folder) {
      Take_Durable(folder + name + "/");
    } else {
      durable_bytes_[entry.key] = Read_Regular_File(inner_, folder + name).value_or("");
    }
  }
}

void Fault_File_System::Synced(const std::string& name, const File_Status& opened) {
  if (mode_ != Mode::power_cut || fired_at_ > 0 || !Watched(name)) return;
  if (!inner_.Status(name).Same_File_As(opened)) {
    throw std::logic_error("synced a file that is no longer under its name: " + name);
  }
  durable_bytes_[{opened.volume, opened.index}] = Read_Regular_File(inner_, name).value_or("");
}

void Fault_File_System::Write_Durable(const std::string& folder) {
  const auto entries = durable_folders_.find(folder);
  if (entries == durable_folders_.end()) return;  // made, but never made durable
  for (const auto& [name, entry] : entries->second) {
    const std::string path = folder + name;
    if (entry.folder) {
      std::filesystem::create_directory(path);
      Write_Durable(path + "/");
    } else {
      const auto bytes = durable_bytes_.find(entry.key);
      // A file whose bytes were never synced is empty after the cut.
      std::ofstream(path, std::ios::binary)
          << (bytes == durable_bytes_.end() ? std::string() : bytes->second);
    }
  }
}

void Fault_File_System::Lose_Power() {
  for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
    std::filesystem::remove_all(entry.path());
  }
  Write_Durable(folder_);
}

std::unique_ptr<Writable_File> Fault_File_System::Open_For_Appending(const std::string& name,
                                                                     bool create, Links links) {
  if (!Watched(name)) return inner_.Open_For_Appending(name, create, links);
  if (Strikes("open " + Shown(name))) Fail();
  return std::make_unique<Fault_Writable_File>(
      *this, inner_.Open_For_Appending(name, create, links), name);
}

std::unique_ptr<Writable_File> Fault_File_System::Create_Temporary(const std::string& prefix,
                                                                   std::string& name) {
  if (!Watched(prefix)) return inner_.Create_Temporary(prefix, name);
  if (Strikes("create " + Shown(prefix + "XXXXXX"))) Fail();
  std::unique_ptr<Writable_File> file = inner_.Create_Temporary(prefix, name);
  return std::make_unique<Fault_Writable_File>(*this, std::move(file), name);
}

// The file under name goes away from the running system, and the system
// may give its identity to the next new file; what the disk still holds of
// it keeps an identity of its own.
void Fault_File_System::Retire(const std::string& name) {
  if (mode_ != Mode::power_cut || fired_at_ > 0) return;
  const File_Status status = inner_.Link_Status(name);
  if (!status.Exists()) return;
  const File_Key old_key{status.volume, status.index};
  const File_Key new_key{std::numeric_limits<std::uint64_t>::max(), ++retired_};
  for (auto& [folder, entries] : durable_folders_) {
    for (auto& [entry_name, entry] : entries) {
      if (!entry.folder && entry.key == old_key) entry.key = new_key;
    }
  }
  const auto bytes = durable_bytes_.find(old_key);
  if (bytes == durable_bytes_.end()) return;
  durable_bytes_[new_key] = bytes->second;
  durable_bytes_.erase(bytes);
}

void Fault_File_System::Rename(const std::string& from, const std::string& to) {
  if (Watched(from) || Watched(to)) {
    if (Strikes("rename " + Shown(Watched(to) ? to : from))) Fail();
    Retire(to);
  }
  inner_.Rename(from, to);
}

void Fault_File_System::Remove(const std::string& name) {
  if (Watched(name)) {
    if (Strikes("unlink " + Shown(name))) Fail();
    Retire(name);
  }
  inner_.Remove(name);
}

void Fault_File_System::Make_Folder(const std::string& name) {
  if (Watched(name) && Strikes("mkdir " + Shown(name))) Fail();
  inner_.Make_Folder(name);
}

void Fault_File_System::Sync_Folder(const std::string& folder) {
  if (!Watched(folder)) return inner_.Sync_Folder(folder);
  if (Strikes("fsync " + Shown(folder))) Fail();
  inner_.Sync_Folder(folder);
  if (mode_ == Mode::power_cut) {
    const std::string key = folder.back() == '/' ? folder : folder + "/";
    durable_folders_[key] = Current_Folder(key);
  }
}

void Fault_File_System::Set_Permissions(const std::string& name, std::uint32_t permissions) {
  if (Watched(name) && Strikes("chmod " + Shown(name))) Fail();
  inner_.Set_Permissions(name, permissions);
}

Exclusive_Open Fault_File_System::Probe_Exclusive_Open(const std::string& name) {
  if (Watched(name) && Strikes("probe " + Shown(name))) return Exclusive_Open::refused;
  return inner_.Probe_Exclusive_Open(name);
}

}  // namespace velmaric::testing::fault
