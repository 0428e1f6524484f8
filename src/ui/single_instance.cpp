#include "ui/single_instance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include "platform/paths.h"
#include "platform/regular_files.h"

namespace velmaric {
namespace {

constexpr int wait_ms = 500;
constexpr const char* show_request = "show\n";
// Names tried in turn, for when another user holds the first ones.
constexpr int name_slots = 8;

// What the settings file is, whatever link, folder name or bind mount led
// to it: the identity of the nearest folder on its way that exists, and the
// rest of the name from there. Two starts on one file find the same text.
std::string Identity_Of(const File_System& files, const std::string& settings_file) {
  std::string target = settings_file;
  try {
    target = Link_Final_Target(files, settings_file);
  } catch (const File_Error&) {
    // A loop of links: the name as given.
  }
  std::string rest = target.substr(target.rfind('/') + 1);
  std::string folder = Directory_Of_File(target);
  for (;;) {
    try {
      const File_Status status = files.Status(folder);
      if (status.type == File_Type::directory) {
        return std::to_string(status.volume) + ":" + std::to_string(status.index) + "/" + rest;
      }
    } catch (const File_Error&) {
      // Not to be looked at: try the folder above.
    }
    if (folder == "/" || folder == "./") return target;
    folder.pop_back();
    const std::size_t slash = folder.rfind('/');
    rest = folder.substr(slash + 1) + "/" + rest;
    folder = slash == std::string::npos ? "./" : folder.substr(0, slash + 1);
  }
}

// Another user may take any name in the abstract namespace: only a program
// of this user is handed the start.
bool Runs_As_This_User(const QLocalSocket& socket) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                    &size) == 0 &&
         peer.uid == getuid();
}

}  // namespace

Single_Instance::Single_Instance(const File_System& files, const std::string& settings_file) {
  const QByteArray hash = QCryptographicHash::hash(
      QByteArray::fromStdString(Identity_Of(files, settings_file)), QCryptographicHash::Sha256);
  name_ = QStringLiteral("velmaric-%1-%2")
              .arg(getuid())
              .arg(QString::fromLatin1(hash.toHex().left(32)));
}

bool Single_Instance::Hand_Over_To_Running() {
  // Every start walks the same names in the same order: the first one free
  // is taken, and a later start meets the program that took it on the way.
  for (int slot = 0; slot < name_slots; ++slot) {
    const QString name = name_ + QStringLiteral("-%1").arg(slot);
    // Two tries: a program that held the name may end between them.
    for (int attempt = 0; attempt < 2; ++attempt) {
      server_ = new QLocalServer(this);
      server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
      if (server_->listen(name)) return false;
      delete server_;
      server_ = nullptr;

      QLocalSocket running;
      running.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
      running.connectToServer(name);
      if (!running.waitForConnected(wait_ms)) continue;
      // A name another user holds guards nothing of ours: on to the next.
      if (!Runs_As_This_User(running)) break;
      running.write(show_request);
      running.waitForBytesWritten(wait_ms);
      running.disconnectFromServer();
      return true;
    }
  }
  return false;  // every name held by others: this start runs unguarded
}

void Single_Instance::Serve(QWidget* window) {
  if (server_ == nullptr) return;
  connect(server_, &QLocalServer::newConnection, window, [this, window] {
    while (QLocalSocket* start = server_->nextPendingConnection()) {
      connect(start, &QLocalSocket::disconnected, start, &QObject::deleteLater);
      connect(start, &QLocalSocket::readyRead, window, [start, window] {
        if (!start->readAll().contains(show_request)) return;
        // A window still starting up is not shown halfway: its box is.
        if (window->isVisible()) {
          window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
          window->raise();
        }
        // A box waiting for an answer stays in front of the window.
        QWidget* front = QApplication::activeModalWidget();
        if (front == nullptr) front = window;
        front->raise();
        front->activateWindow();
      });
    }
  });
}

}  // namespace velmaric
