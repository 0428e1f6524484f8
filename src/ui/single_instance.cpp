#include "ui/single_instance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include "platform/paths.h"
#include "platform/regular_files.h"

namespace velmaric {
namespace {

constexpr int wait_ms = 2000;
constexpr const char* show_request = "show\n";

// The settings file's one name, whatever link or folder name led to it.
std::string Full_Name(const File_System& files, const std::string& settings_file) {
  std::string target = settings_file;
  try {
    target = Link_Final_Target(files, settings_file);
  } catch (const File_Error&) {
    // A loop of links: the name as given.
  }
  const std::string leaf = target.substr(target.rfind('/') + 1);
  const std::string folder = files.Real_Name(Directory_Of_File(target));
  return folder.empty() ? target : folder + "/" + leaf;
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
      QByteArray::fromStdString(Full_Name(files, settings_file)), QCryptographicHash::Sha256);
  name_ = QStringLiteral("velmaric-%1-%2")
              .arg(getuid())
              .arg(QString::fromLatin1(hash.toHex().left(32)));
}

bool Single_Instance::Hand_Over_To_Running() {
  // Two tries: a program that held the name may end between them.
  for (int attempt = 0; attempt < 2; ++attempt) {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    if (server_->listen(name_)) return false;
    delete server_;
    server_ = nullptr;

    QLocalSocket running;
    running.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    running.connectToServer(name_);
    if (!running.waitForConnected(wait_ms)) continue;
    // A name taken by someone else guards nothing: this start runs unguarded.
    if (!Runs_As_This_User(running)) return false;
    running.write(show_request);
    running.waitForBytesWritten(wait_ms);
    running.disconnectFromServer();
    return true;
  }
  return false;
}

void Single_Instance::Serve(QWidget* window) {
  if (server_ == nullptr) return;
  connect(server_, &QLocalServer::newConnection, window, [this, window] {
    while (QLocalSocket* start = server_->nextPendingConnection()) {
      connect(start, &QLocalSocket::disconnected, start, &QObject::deleteLater);
      connect(start, &QLocalSocket::readyRead, window, [start, window] {
        if (!start->readAll().contains(show_request)) return;
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->raise();
        window->activateWindow();
      });
    }
  });
}

}  // namespace velmaric
