#pragma once
// The program's command line: it takes no arguments but --help and
// --version, which answer and end before anything else is started.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace velmaric {

// The answer to --help or --version on `out`, and the exit status to end
// with; nothing when the program should go on. The help names
// fallback_folder as where the settings go when the program's own folder
// cannot be written.
std::optional<int> Answer_Command_Line(const std::vector<std::string>& arguments, std::ostream& out,
                                       const std::string& fallback_folder);

// One line on `err` naming the arguments left over, which are ignored;
// nothing when there are none. Control characters are shown escaped, so
// the note stays one line whatever the arguments hold.
void Note_Ignored_Arguments(const std::vector<std::string>& arguments, std::ostream& err);

}  // namespace velmaric
