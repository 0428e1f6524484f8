#pragma once
// One stopwatch per settings file. The program that runs on a settings file
// holds a local socket named after that file's full name; a second start on
// the same file finds it, asks it to bring its window to the front and ends
// without touching the file. Starts on other settings files (two portable
// copies in two folders) hold names of their own and run side by side.
//
// The socket lives in the kernel's abstract namespace: no file is made, and
// a program that ends, however it ends, lets go of the name. It is not a
// lock on the settings file itself, which the open-state probe would then
// find held.

#include <QObject>
#include <string>

#include "platform/file_system.h"

class QLocalServer;
class QWidget;

namespace velmaric {

class Single_Instance : public QObject {
 public:
  Single_Instance(const File_System& files, const std::string& settings_file);

  // True when a program already runs on the settings file: it has been
  // asked to show its window, and this start is to end. Otherwise this start
  // holds the settings file's name from now on.
  bool Hand_Over_To_Running();

  // Brings the window to the front whenever a later start hands over.
  void Serve(QWidget* window);

 private:
  QString name_;
  QLocalServer* server_ = nullptr;
};

}  // namespace velmaric
