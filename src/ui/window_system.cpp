#include "ui/window_system.h"

#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace velmaric {
namespace {

// What the toolkit says while it connects: kept back, and either replayed
// once it is connected or summed up in one line when it cannot be.
std::mutex said_lock;
std::vector<std::pair<QtMsgType, QString>> said;

void Keep_Back(QtMsgType type, const QMessageLogContext&, const QString& message) {
  const std::lock_guard<std::mutex> hold(said_lock);
  if (type != QtFatalMsg) {
    said.emplace_back(type, message);
    return;
  }
  // The first thing said is the cause ("could not connect to display");
  // the fatal message only adds advice that does not fit the case.
  const QString cause = said.empty() ? message : said.front().second;
  std::cerr << "velmaric: no window system could be reached: "
            << cause.section(QLatin1Char('\n'), 0, 0).toStdString() << std::endl;
  std::_Exit(1);
}

}  // namespace

std::unique_ptr<QApplication> Connect_To_Window_System(int& argc, char** argv) {
  const QtMessageHandler before = qInstallMessageHandler(Keep_Back);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(before);
  std::vector<std::pair<QtMsgType, QString>> replay;
  {
    const std::lock_guard<std::mutex> hold(said_lock);
    replay.swap(said);
  }
  for (const auto& [type, message] : replay) {
    if (type == QtDebugMsg) qDebug("%s", qUtf8Printable(message));
    if (type == QtInfoMsg) qInfo("%s", qUtf8Printable(message));
    if (type == QtWarningMsg) qWarning("%s", qUtf8Printable(message));
    if (type == QtCriticalMsg) qCritical("%s", qUtf8Printable(message));
  }
  return application;
}

}  // namespace velmaric
