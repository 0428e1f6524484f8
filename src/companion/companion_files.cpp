#include "companion/companion_files.h"

#include "platform/executable.h"
#include "platform/file_probe.h"
#include "platform/open_in_editor.h"
#include "platform/paths.h"

namespace velmaric {

std::string Readme_File_Name(const std::string& executable_path) {
  const std::string name = File_Name_Part(executable_path);
  return Directory_Of_File(executable_path) + name.substr(0, name.find('.')) + ".txt";
}

std::string Catalog_File_Name(const std::string& executable_path) {
  return Directory_Of_File(executable_path) + "catalog.txt";
}

void View_Readme_File(const std::string& executable_path, Editor& editor, Message_Box& boxes) {
  Open_In_Notepad(Readme_File_Name(executable_path), editor, boxes);
}

void View_Catalog_File(const File_System& files, const std::string& product_name,
                       const std::string& executable_path, Editor& editor, Message_Box& boxes) {
  const std::string catalog = Catalog_File_Name(executable_path);
  if (File_Exists(files, catalog)) {
    Open_In_Notepad(catalog, editor, boxes);
    return;
  }
  boxes.Information("Karvo's Shareware Catalog is not in the same directory as " + product_name +
                    ".  " + "The required file 'catalog.txt' was included in the " +
                    "distribution ZIP file.  Please unzip this file and try again.");
}

}  // namespace velmaric
