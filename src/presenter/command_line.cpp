#include "presenter/command_line.h"

#include <cstdio>

#include "presenter/product_info.h"
#include "settings/settings_location.h"

namespace velmaric {
namespace {

std::string Shown(const std::string& argument) {
  std::string shown;
  for (const char c : argument) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
    } else {
      shown += c;
    }
  }
  return "'" + shown + "'";
}

}  // namespace

std::optional<int> Answer_Command_Line(const std::vector<std::string>& arguments, std::ostream& out,
                                       const std::string& fallback_folder) {
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      out << "Usage: velmaric [--help | --version]\n"
             "A stopwatch whose timing outlives the program: start, stop, resume and reset\n"
             "it, and log its stops to a text file of your choosing.\n"
             "\n"
             "  -h, --help     show this help and exit\n"
             "      --version  show the version and exit\n"
             "\n"
             "The timing, the options and the window's place are kept in "
          << settings_file_leaf
          << "\n"
             "beside the program, or in "
          << fallback_folder << " where that folder cannot be\nwritten.\n";
      return 0;
    }
    if (argument == "--version") {
      out << "velmaric " << product_info::version << "\n";
      return 0;
    }
  }
  return std::nullopt;
}

void Note_Ignored_Arguments(const std::vector<std::string>& arguments, std::ostream& err) {
  if (arguments.empty()) return;
  err << "velmaric: the program takes no arguments; ignored:";
  for (const std::string& argument : arguments) err << ' ' << Shown(argument);
  err << std::endl;
}

}  // namespace velmaric
