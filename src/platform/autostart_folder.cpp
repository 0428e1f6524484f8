#include "platform/autostart_folder.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/command_error.h"
#include "platform/executable.h"
#include "platform/file_probe.h"
#include "platform/paths.h"
#include "platform/regular_files.h"

namespace velmaric {
namespace {

// Characters that oblige a command-line argument to be quoted.
constexpr std::string_view reserved_characters = " \t\n\r\"'\\><~|&;$*?#()`";
// Characters a backslash escapes inside a quoted argument.
constexpr std::string_view quote_escaped_characters = "\"`$\\";

bool Contains(std::string_view set, char c) {
  return set.find(c) != std::string_view::npos;
}

std::string Trim_Blanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// The character a backslash followed by c stands for in any string value;
// '\0' when that is no such escape.
char String_Escape(char c) {
  switch (c) {
    case 's':
      return ' ';
    case 'n':
      return '\n';
    case 't':
      return '\t';
    case 'r':
      return '\r';
    case '\\':
      return '\\';
    default:
      return '\0';
  }
}

// The raw Exec= value of the [Desktop Entry] group; nothing when the text is
// not a desktop entry or that group has no Exec= line.
std::optional<std::string> Raw_Exec_Value(const std::string& contents) {
  bool in_entry_group = false;
  std::size_t start = 0;
  while (start < contents.size()) {
    std::size_t end = contents.find('\n', start);
    if (end == std::string::npos) end = contents.size();
    std::string_view line(contents.data() + start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      // The entry's own group comes first; any later group ends it.
      if (in_entry_group || line != "[Desktop Entry]") return std::nullopt;
      in_entry_group = true;
      continue;
    }
    if (!in_entry_group) return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && Trim_Blanks(line.substr(0, equals)) == "Exec") {
      const std::string_view value = line.substr(equals + 1);
      return std::string(value.substr(std::min(value.find_first_not_of(" \t"), value.size())));
    }
  }
  return std::nullopt;
}

// The user's session must read the entry, whatever our umask was.
constexpr std::uint32_t readable_by_owner = 0400;
// New levels of the folder, as the base directory rules ask for the
// configuration home: the user's alone.
constexpr std::uint32_t private_folder = 0700;

// A string value with the desktop entry escapes: a line break, tab or
// carriage return cannot stand in it as it is, and a blank at either end
// would be taken for padding.
std::string Escape_String_Value(std::string_view text) {
  std::string value;
  for (std::size_t i = 0; i < text.size(); ++i) {
    switch (text[i]) {
      case '\\':
        value += "\\\\";
        break;
      case '\n':
        value += "\\n";
        break;
      case '\t':
        value += "\\t";
        break;
      case '\r':
        value += "\\r";
        break;
      case ' ':
        value += i == 0 || i + 1 == text.size() ? "\\s" : " ";
        break;
      default:
        value += text[i];
    }
  }
  return value;
}

std::string Desktop_Entry(const std::string& path) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Velmaric\n"
         "Comment=Start the Velmaric stopwatch when you log in\n"
         "Exec=" +
         Encode_Exec_Value(path) +
         "\n"
         // Without the program the session skips the entry instead of failing.
         "TryExec=" +
         Escape_String_Value(path) +
         "\n"
         "X-GNOME-Autostart-enabled=true\n";
}

// The folder that holds name: "/a/b" -> "/a", "/a" -> "/".
std::string Parent_Folder(const std::string& name) {
  const std::size_t slash = name.find_last_of('/');
  return slash == 0 || slash == std::string::npos ? "/" : name.substr(0, slash);
}

// The name without the slashes at its end, "/" kept.
std::string Without_Trailing_Slashes(std::string name) {
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  return name;
}

}  // namespace

std::string Encode_Exec_Value(const std::string& path) {
  std::string command;
  for (const char c : path) command += c == '%' ? std::string("%%") : std::string(1, c);
  if (path.empty() || path.find_first_of(reserved_characters) != std::string::npos) {
    std::string quoted = "\"";
    for (const char c : command) {
      if (Contains(quote_escaped_characters, c)) quoted += '\\';
      quoted += c;
    }
    command = quoted + "\"";
  }
  // The general string escapes come last: readers undo them first.
  return Escape_String_Value(command);
}

std::string Decode_Exec_Value(const std::string& value) {
  // An unknown escape stays as it is, for the quoting rules below to read.
  std::string unescaped;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char escaped = i + 1 < value.size() ? String_Escape(value[i + 1]) : '\0';
    if (value[i] == '\\' && escaped != '\0') {
      unescaped += escaped;
      ++i;
    } else {
      unescaped += value[i];
    }
  }
  std::string unquoted;
  bool quoted = false;
  for (std::size_t i = 0; i < unescaped.size(); ++i) {
    const char c = unescaped[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (quoted && c == '\\' && i + 1 < unescaped.size() &&
               Contains(quote_escaped_characters, unescaped[i + 1])) {
      unquoted += unescaped[++i];
    } else {
      unquoted += c;
    }
  }
  std::string command;
  for (std::size_t i = 0; i < unquoted.size(); ++i) {
    command += unquoted[i];
    if (unquoted[i] == '%' && i + 1 < unquoted.size() && unquoted[i + 1] == '%') ++i;
  }
  return command;
}

std::string User_Autostart_Folder() {
  // No folder of the user's: no entry at all, never one at the root.
  const std::string config = User_Config_Folder();
  return config.empty() ? std::string() : config + "/autostart";
}

Autostart_Folder::Autostart_Folder(File_System& files, std::string folder)
    : files_(&files), folder_(std::move(folder)) {}

std::string Autostart_Folder::Entry_File(const std::string& name) const {
  return folder_ + "/" + name + ".desktop";
}

bool Autostart_Folder::Key_Exists() const {
  if (!Is_Full_Path(folder_)) return false;
  try {
    for (std::string level = Without_Trailing_Slashes(folder_);; level = Parent_Folder(level)) {
      if (files_->Status(level).type == File_Type::directory) {
        return Folder_Writable(*files_, level);
      }
      // A file, or a link to nothing, where a folder would have to be made.
      if (level == "/" || files_->Link_Status(level).Exists()) return false;
    }
  } catch (const File_Error&) {
    return false;  // a level we may not even look at
  }
}

void Autostart_Folder::Make_Missing_Folders() {
  std::vector<std::string> missing;
  for (std::string level = Without_Trailing_Slashes(folder_);
       level != "/" && !Directory_Exists(*files_, level); level = Parent_Folder(level)) {
    missing.push_back(level);
  }
  for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
    try {
      files_->Make_Folder(*level);
    } catch (const File_Error&) {
      // Made by someone else meanwhile: it is there all the same, and theirs.
      if (Directory_Exists(*files_, *level)) continue;
      throw;
    }
    files_->Set_Permissions(*level, private_folder);
  }
}

void Autostart_Folder::Write_String(const std::string& name, const std::string& text) {
  const std::string file = Entry_File(name);
  try {
    // A link here usually points at the program's menu entry elsewhere, which
    // must stay as it is: the value is the name in this folder.
    Make_Missing_Folders();
    if (files_->Link_Status(file).type == File_Type::symbolic_link) files_->Remove(file);
    Replace_Regular_File(*files_, file, Desktop_Entry(text));
    files_->Set_Permissions(file, files_->Status(file).permissions | readable_by_owner);
  } catch (const Command_Error&) {
    throw Command_Error("Failed to set data for '" + name + "'");
  }
}

std::string Autostart_Folder::Read_String(const std::string& name) const {
  std::optional<std::string> contents;
  try {
    contents = Read_Regular_File(*files_, Entry_File(name));
  } catch (const File_Error&) {
    contents = "";  // a folder, a device, a huge file: no desktop entry
  }
  if (!contents) return {};
  const std::optional<std::string> exec = Raw_Exec_Value(*contents);
  if (!exec) throw Command_Error("Invalid data type for '" + name + "'");
  return Decode_Exec_Value(*exec);
}

void Autostart_Folder::Delete_Value(const std::string& name) {
  try {
    files_->Remove(Entry_File(name));
  } catch (const File_Error&) {
    // Whether it went, the caller asks Value_Exists.
  }
}

bool Autostart_Folder::Value_Exists(const std::string& name) const {
  return File_Exists(*files_, Entry_File(name));
}

}  // namespace velmaric
