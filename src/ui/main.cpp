// The program's entry: one application, one main window, the event loop.

#include <QApplication>
#include <QDesktopServices>
#include <QSessionManager>
#include <QUrl>
#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/autostart_folder.h"
#include "platform/boot_identity.h"
#include "platform/editor.h"
#include "platform/executable.h"
#include "platform/linux_clock.h"
#include "platform/removable_media.h"
#include "presenter/command_line.h"
#include "settings/settings_location.h"
#include "ui/main_window.h"
#include "ui/qt_message_box.h"
#include "ui/single_instance.h"
#include "ui/termination_signals.h"
#include "ui/window_system.h"

int main(int argc, char* argv[]) {
  // --help and --version answer before anything else: no window, no
  // hand-over to a running program.
  if (const std::optional<int> status = velmaric::Answer_Command_Line(
          std::vector<std::string>(argv + std::min(argc, 1), argv + argc), std::cout,
          "~/.config/velmaric/")) {
    return *status;
  }
  // Read first of all: an update may replace the program file while it runs.
  velmaric::Executable_Path();
  const std::unique_ptr<QApplication> application = velmaric::Connect_To_Window_System(argc, argv);
  // What the toolkit did not take as its own is not the program's either.
  velmaric::Note_Ignored_Arguments(std::vector<std::string>(argv + std::min(argc, 1), argv + argc),
                                   std::cerr);
  QApplication::setApplicationName(QStringLiteral("velmaric"));
  QGuiApplication::setDesktopFileName(QStringLiteral("io.example.velmaric"));

  velmaric::File_System& files = velmaric::Real_File_System();
  // A second start on the same settings file shows the running window and
  // leaves the file to it.
  velmaric::Single_Instance instance(files, velmaric::Settings_File_Name());
  if (instance.Hand_Over_To_Running()) return 0;

  velmaric::Linux_Clock clock;
  velmaric::Qt_Message_Box boxes;
  velmaric::Desktop_Editor editor(files);
  const velmaric::About_Services about{
      [](const std::string& target) {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(target)));
      },
      velmaric::Read_Memory_Status, velmaric::Executable_Path};
  velmaric::Autostart_Folder autostart(files, velmaric::User_Autostart_Folder());
  velmaric::TMainForm1 main_form({files, clock, boxes, editor, velmaric::Settings_File_Name,
                                  velmaric::Executable_Path, nullptr, about, autostart,
                                  velmaric::Removable_Medium_Root, velmaric::Boot_Identity(files)});

  // Logging off, a shutdown, a kill: the program saves and ends, whatever
  // box or start-up step is waiting.
  velmaric::On_Termination_Signals(&main_form, [&main_form] { main_form.Request_End(); });
  QObject::connect(application.get(), &QGuiApplication::commitDataRequest, &main_form,
                   [&main_form](QSessionManager&) { main_form.Request_End(); });

  instance.Serve(&main_form);
  main_form.show();
  return QApplication::exec();
}
