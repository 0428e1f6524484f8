#pragma once
// A file system that hands every call on to another one: tests derive from
// it and change only the calls they are about.

#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace velmaric::testing {

class Forwarding_File_System : public File_System {
 public:
  explicit Forwarding_File_System(File_System& inner) : inner_(inner) {}

  File_Status Status(const std::string& name) const override { return inner_.Status(name); }
  File_Status Link_Status(const std::string& name) const override {
    return inner_.Link_Status(name);
  }
  std::string Link_Target(const std::string& name) const override {
    return inner_.Link_Target(name);
  }
  std::string Real_Name(const std::string& name) const override { return inner_.Real_Name(name); }
  std::string Current_Folder() const override { return inner_.Current_Folder(); }
  bool Has_Access(const std::string& name, Access access) const override {
    return inner_.Has_Access(name, access);
  }
  std::vector<std::string> Folder_Entries(const std::string& folder) const override {
    return inner_.Folder_Entries(folder);
  }
  std::uint32_t New_File_Permissions() const override { return inner_.New_File_Permissions(); }
  std::unique_ptr<Readable_File> Open_For_Reading(const std::string& name, Links links) override {
    return inner_.Open_For_Reading(name, links);
  }
  std::unique_ptr<Writable_File> Open_For_Appending(const std::string& name, bool create,
                                                    Links links) override {
    return inner_.Open_For_Appending(name, create, links);
  }
  std::unique_ptr<Writable_File> Create_Temporary(const std::string& prefix,
                                                  std::string& name) override {
    return inner_.Create_Temporary(prefix, name);
  }
  void Rename(const std::string& from, const std::string& to) override { inner_.Rename(from, to); }
  void Remove(const std::string& name) override { inner_.Remove(name); }
  void Make_Folder(const std::string& name) override { inner_.Make_Folder(name); }
  void Sync_Folder(const std::string& folder) override { inner_.Sync_Folder(folder); }
  void Set_Permissions(const std::string& name, std::uint32_t permissions) override {
    inner_.Set_Permissions(name, permissions);
  }
  Exclusive_Open Probe_Exclusive_Open(const std::string& name) override {
    return inner_.Probe_Exclusive_Open(name);
  }

 protected:
  File_System& Inner() const { return inner_; }

 private:
  File_System& inner_;
};

}  // namespace velmaric::testing
