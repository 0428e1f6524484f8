#include "platform/startup_registry_windows.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "core/command_error.h"

namespace velmaric {

// The user's own Run key, not the machine's: a standard user may not write
// HKEY_LOCAL_MACHINE, and an entry there would start the program for every
// user of the computer.
const char* const user_run_key = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

namespace {

// What the entry logic needs of the key: reading and setting values. Asking
// for more (KEY_ALL_ACCESS) would be refused wherever a policy locks the
// key's security down, for no use.
constexpr REGSAM value_access = KEY_QUERY_VALUE | KEY_SET_VALUE;

// An open key, closed when it goes.
class Open_Key {
 public:
  Open_Key(const std::string& key, REGSAM access)
      : status_(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, access, &handle_)) {}
  Open_Key(const Open_Key&) = delete;
  Open_Key& operator=(const Open_Key&) = delete;
  ~Open_Key() {
    if (status_ == ERROR_SUCCESS) RegCloseKey(handle_);
  }
  LONG Status() const { return status_; }
  HKEY Handle() const { return handle_; }

 private:
  HKEY handle_ = nullptr;
  LONG status_;
};

// The key above key: "Software\A\B" -> "Software\A"; "" for a top level.
std::string Parent_Key(const std::string& key) {
  const std::size_t backslash = key.rfind('\\');
  return backslash == std::string::npos ? std::string() : key.substr(0, backslash);
}

std::string Without_Trailing_Backslashes(std::string key) {
  while (!key.empty() && key.back() == '\\') key.pop_back();
  return key;
}

}  // namespace

std::string Quote_Run_Command(const std::string& path) {
  return "\"" + path + "\"";
}

std::string Unquote_Run_Command(const std::string& command) {
  if (command.size() >= 2 && command.front() == '"' && command.back() == '"' &&
      command.find('"', 1) == command.size() - 1) {
    return command.substr(1, command.size() - 2);
  }
  return command;
}

Run_Key::Run_Key(std::string key) : key_(Without_Trailing_Backslashes(std::move(key))) {}

std::string Run_Key::Key_Text() const {
  return "HKEY_CURRENT_USER\\" + key_;
}

bool Run_Key::Key_Exists() const {
  if (key_.empty()) return false;  // the root itself holds no entries of ours
  const Open_Key key(key_, value_access);
  if (key.Status() == ERROR_SUCCESS) return true;
  if (key.Status() != ERROR_FILE_NOT_FOUND) return false;
  // Missing: could the first write make it?
  for (std::string level = Parent_Key(key_);; level = Parent_Key(level)) {
    const Open_Key parent(level, KEY_CREATE_SUB_KEY);
    if (parent.Status() != ERROR_FILE_NOT_FOUND) return parent.Status() == ERROR_SUCCESS;
    if (level.empty()) return false;
  }
}

void Run_Key::Write_String(const std::string& name, const std::string& text) {
  const std::string data = Quote_Run_Command(text);
  HKEY key = nullptr;
  LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) {
    status =
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
  }
  if (status != ERROR_SUCCESS) throw Command_Error("Failed to set data for '" + name + "'");
}

std::string Run_Key::Read_String(const std::string& name) const {
  const Open_Key key(key_, KEY_QUERY_VALUE);
  if (key.Status() != ERROR_SUCCESS) return {};
  // The value may grow between asking its size and reading it.
  for (;;) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key.Handle(), name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return {};
    if (status != ERROR_SUCCESS || type != REG_SZ) {
      throw Command_Error("Invalid data type for '" + name + "'");
    }
    std::vector<char> data(size + 1, '\0');
    status = RegQueryValueExA(key.Handle(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status == ERROR_FILE_NOT_FOUND) return {};
    if (status != ERROR_SUCCESS || type != REG_SZ) {
      throw Command_Error("Invalid data type for '" + name + "'");
    }
    // A value stored without its terminating zero still ends at its size.
    return Unquote_Run_Command(std::string(data.data()));
  }
}

void Run_Key::Delete_Value(const std::string& name) {
  const Open_Key key(key_, KEY_SET_VALUE);
  if (key.Status() == ERROR_SUCCESS) RegDeleteValueA(key.Handle(), name.c_str());
}

bool Run_Key::Value_Exists(const std::string& name) const {
  const Open_Key key(key_, KEY_QUERY_VALUE);
  if (key.Status() == ERROR_FILE_NOT_FOUND) return false;
  // A key we cannot read may still hold it: only a sure "not there" counts.
  return key.Status() != ERROR_SUCCESS ||
         RegQueryValueExA(key.Handle(), name.c_str(), nullptr, nullptr, nullptr, nullptr) !=
             ERROR_FILE_NOT_FOUND;
}

}  // namespace velmaric
