// The program's entry: one application, one main window, the event loop.

#include <QApplication>
#include <QSessionManager>

#include "platform/linux_clock.h"
#include "settings/settings_location.h"
#include "ui/main_window.h"
#include "ui/qt_message_box.h"
#include "ui/termination_signals.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("velmaric"));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Set by Application when running"));
  QGuiApplication::setDesktopFileName(QStringLiteral("velmaric"));

  velmaric::Linux_Clock clock;
  velmaric::Qt_Message_Box boxes;
  velmaric::TMainForm1 main_form({clock, boxes, [] { return velmaric::Settings_File_Name(); }});

  // Logging off, a shutdown, a kill: the same save-and-close as the close box.
  velmaric::Close_On_Termination_Signals(&main_form);
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &main_form,
                   [&main_form](QSessionManager&) { main_form.close(); });

  main_form.show();
  return QApplication::exec();
}
