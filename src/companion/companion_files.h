#pragma once
// The two text files that ship beside the program: its readme, named after
// the executable, and the catalog of the maker's programs.

#include <string>

#include "platform/editor.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

namespace velmaric {

// The executable's folder + its file name up to the first "." + ".txt":
// /opt/v/velmaric -> /opt/v/velmaric.txt, /opt/v/a.b -> /opt/v/a.txt.
std::string Readme_File_Name(const std::string& executable_path);
// The executable's folder + "catalog.txt".
std::string Catalog_File_Name(const std::string& executable_path);

// Opens the readme in the editor; a missing readme is the editor's to report.
void View_Readme_File(const std::string& executable_path, Editor& editor, Message_Box& boxes);
// Opens the catalog in the editor, or says where it should have been.
void View_Catalog_File(const File_System& files, const std::string& product_name,
                       const std::string& executable_path, Editor& editor, Message_Box& boxes);

}  // namespace velmaric
