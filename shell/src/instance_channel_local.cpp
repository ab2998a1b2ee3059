// The second start's request over a local socket in the private runtime directory. Both ends
// check that the other is this user (SO_PEERCRED); one short line each way, with deadlines.
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include "shell/instance_channel.h"

namespace nv {

namespace {

constexpr const char* kSocketName = "/wlanmon.socket";  // beside wlanmon.lock
constexpr char kRequestOpen[] = "open";
constexpr char kReplyShown[] = "shown";
constexpr char kReplyNoWindow[] = "no-window";
constexpr qint64 kMaxLine = 64;
constexpr int kAskDeadlineMs = 3000;    // a program starting up may not listen yet
constexpr int kServeDeadlineMs = 2000;  // a client that says nothing is dropped
constexpr unsigned long kRetryMs = 100;

bool PeerIsThisUser(qintptr descriptor) {
  ucred peer{};
  socklen_t length = sizeof peer;
  return getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 &&
         length == sizeof peer && peer.uid == geteuid();
}

QString SocketPath(const std::string& runtimeDirectory) {
  return QString::fromStdString(runtimeDirectory + kSocketName);
}

}  // namespace

OpenReply AskLockHolderToOpen(const std::string& runtimeDirectory) {
  const QDeadlineTimer deadline(kAskDeadlineMs);
  QLocalSocket socket;
  for (;;) {
    socket.connectToServer(SocketPath(runtimeDirectory));
    if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) break;
    if (deadline.hasExpired()) return OpenReply::kNoAnswer;
    QThread::msleep(kRetryMs);
  }
  if (!PeerIsThisUser(socket.socketDescriptor())) return OpenReply::kNoAnswer;
  socket.write(kRequestOpen);
  socket.write("\n");
  while (!socket.canReadLine() && socket.bytesAvailable() <= kMaxLine) {
    if (deadline.hasExpired() ||
        !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
      return OpenReply::kNoAnswer;
    }
  }
  const QByteArray reply = socket.readLine(kMaxLine).trimmed();
  if (reply == kReplyShown) return OpenReply::kShown;
  if (reply == kReplyNoWindow) return OpenReply::kNoWindow;
  return OpenReply::kNoAnswer;
}

OpenReply AskFrameOwnerToOpen() { return OpenReply::kCannotAsk; }

struct InstanceChannel::Impl {
  QLocalServer server;
  std::function<bool()> open;
};

InstanceChannel::InstanceChannel(QWidget&, std::function<bool()> open)
    : impl_(std::make_unique<Impl>()) {
  impl_->open = std::move(open);
}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::Listen(const std::string& runtimeDirectory, std::string* error) {
  const QString path = SocketPath(runtimeDirectory);
  // The caller holds the instance lock: a socket file left here belongs to a program gone.
  QLocalServer::removeServer(path);
  impl_->server.setSocketOptions(QLocalServer::UserAccessOption);
  if (!impl_->server.listen(path)) {
    *error =
        "cannot listen on " + path.toStdString() + ": " + impl_->server.errorString().toStdString();
    return false;
  }
  connect(&impl_->server, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = impl_->server.nextPendingConnection()) {
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      if (!PeerIsThisUser(client->socketDescriptor())) {
        client->abort();
        client->deleteLater();
        continue;
      }
      auto* deadline = new QTimer(client);  // owned by the connection
      deadline->setSingleShot(true);
      connect(deadline, &QTimer::timeout, client, &QLocalSocket::abort);
      deadline->start(kServeDeadlineMs);
      connect(client, &QLocalSocket::readyRead, client, [this, client] {
        if (!client->canReadLine()) {
          if (client->bytesAvailable() > kMaxLine) client->abort();
          return;
        }
        const QByteArray request = client->readLine(kMaxLine).trimmed();
        QByteArray reply = "unknown";
        if (request == kRequestOpen) reply = impl_->open() ? kReplyShown : kReplyNoWindow;
        client->write(reply + '\n');
        client->disconnectFromServer();
      });
    }
  });
  return true;
}

}  // namespace nv
