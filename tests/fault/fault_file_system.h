#pragma once
// A file system that fails the program's file changes on demand, or cuts
// the power in the middle of them, in the manner of leveldb's fault
// injection environment.
//
// It wraps the real file system. Every call that changes something under
// the watched folder is counted from 1 after Arm: opening a file for
// writing, creating a temporary file, writing, truncating, syncing a file or
// a folder, closing a written file, setting permissions, owner or time,
// renaming, removing, making a folder, and the exclusive-open probe. Calls
// that only look (status, reading, listing) and calls elsewhere pass
// straight through.
//
// Error mode: the armed call fails with the chosen errno, as the system's
// description ("Disk full", ...). A failing write first lands half of its
// bytes, a failing close has closed the file all the same (as Linux does),
// a failing probe finds the file refused.
//
// Power-cut mode: from the armed call on, the machine is off. That call and
// every later change fails and nothing more reaches the disk. Meanwhile the
// file system keeps what a real disk keeps through a power cut: the bytes of
// a file as they were at its last sync, and the entries of a folder (new,
// renamed and removed files) as they were at the folder's last sync. What
// was never synced is lost. Lose_Power then leaves the folder as the disk
// holds it after the cut.

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "support/forwarding_file_system.h"

namespace velmaric::testing::fault {

enum class Mode { error, power_cut };

class Fault_File_System final : public Forwarding_File_System {
 public:
  // Watches the files under folder, an absolute path.
  Fault_File_System(File_System& inner, const std::string& folder);
  ~Fault_File_System() override;

  // From now on, the call_number-th counted call fails (0: none); clears the
  // count and the trace. In power-cut mode, what the folder holds now is
  // taken as durable.
  void Arm(int call_number, Mode mode, int error_number = 0);
  // Power-cut mode: the folder becomes what the disk holds after a power
  // cut at this moment (whether or not the armed call came).
  void Lose_Power();

  int Calls() const { return calls_; }
  bool Fired() const { return fired_at_ > 0; }
  // "write logs/run.log", "create app/.velmaric.ini.XXXXXX", "fsync app/",
  // ... in the order the calls came.
  const std::vector<std::string>& Trace() const { return trace_; }
  // The entry of Trace that failed; empty when none did.
  std::string Fired_Call() const;

  std::unique_ptr<Writable_File> Open_For_Appending(const std::string& name, bool create,
                                                    Links links) override;
  std::unique_ptr<Writable_File> Create_Temporary(const std::string& prefix,
                                                  std::string& name) override;
  void Rename(const std::string& from, const std::string& to) override;
  void Remove(const std::string& name) override;
  void Make_Folder(const std::string& name) override;
  void Sync_Folder(const std::string& folder) override;
  void Set_Permissions(const std::string& name, std::uint32_t permissions) override;
  Exclusive_Open Probe_Exclusive_Open(const std::string& name) override;

  // For the watched files' handles.
  bool Watched(const std::string& name) const;
  std::string Shown(const std::string& name) const;
  // Counts a call; true when it is to fail (and throws in power-cut mode
  // after the cut).
  bool Strikes(const std::string& call);
  [[noreturn]] void Fail() const;
  int Armed_Error() const { return error_; }
  // A file's bytes are durable from now on.
  void Synced(const std::string& name, const File_Status& opened);

 private:
  using File_Key = std::pair<std::uint64_t, std::uint64_t>;
  struct Entry {
    bool folder = false;
    File_Key key;
  };
  using Folder = std::map<std::string, Entry>;
  Folder Current_Folder(const std::string& folder) const;
  void Take_Durable(const std::string& folder);
  void Write_Durable(const std::string& folder);
  void Retire(const std::string& name);

  File_System& inner_;
  std::string folder_;  // ends in '/'
  Mode mode_ = Mode::error;
  int fail_at_ = 0;
  int error_ = 0;
  int calls_ = 0;
  int fired_at_ = 0;
  std::vector<std::string> trace_;
  // What survives a power cut: folder entries and file bytes by identity.
  std::map<std::string, Folder> durable_folders_;
  std::map<File_Key, std::string> durable_bytes_;
  std::uint64_t retired_ = 0;
};

}  // namespace velmaric::testing::fault
