#include "platform/qt/qt_socket.h"

QtConnection::QtConnection(QTcpSocket* socket) : socket_(socket) {
  socket_->setParent(nullptr);
  QObject::connect(socket_, &QTcpSocket::readyRead, [this] {
    if (OnReadable) OnReadable();
  });
  QObject::connect(socket_, &QTcpSocket::disconnected, [this] {
    if (OnDisconnected) OnDisconnected();
  });
}

QtConnection::~QtConnection() {
  if (!socket_) return;
  socket_->disconnect();
  socket_->abort();
  socket_->deleteLater();
}

int QtConnection::Send(const uint8_t* data, int count) {
  if (!socket_) return -1;
  auto n = socket_->write(reinterpret_cast<const char*>(data), count);
  return n < 0 ? -1 : static_cast<int>(n);
}

int QtConnection::Receive(uint8_t* data, int count) {
  if (!socket_) return 0;
  auto n = socket_->read(reinterpret_cast<char*>(data), count);
  return n < 0 ? 0 : static_cast<int>(n);
}

int QtConnection::BytesWaiting() { return socket_ ? static_cast<int>(socket_->bytesAvailable()) : 0; }

void QtConnection::Close() {
  if (socket_) socket_->disconnectFromHost();
}

std::string QtConnection::RemoteAddress() const {
  if (!socket_) return "";
  QHostAddress a = socket_->peerAddress();
  bool isV4 = false;
  quint32 v4 = a.toIPv4Address(&isV4);
  return isV4 ? QHostAddress(v4).toString().toStdString() : a.toString().toStdString();
}

QtListener::QtListener() : server_(std::make_unique<QTcpServer>()) {}

std::unique_ptr<QtListener> QtListener::Listen(int port, std::string& error) {
  std::unique_ptr<QtListener> listener(new QtListener());
  if (port < 0 || port > 65535) {
    error = "Invalid TCP port " + std::to_string(port);
    return nullptr;
  }
  if (!listener->server_->listen(QHostAddress::Any, static_cast<quint16>(port))) {
    error = listener->server_->errorString().toStdString();
    return nullptr;
  }
  QtListener* self = listener.get();
  QObject::connect(self->server_.get(), &QTcpServer::newConnection, [self] {
    while (QTcpSocket* s = self->server_->nextPendingConnection()) {
      auto connection = std::make_unique<QtConnection>(s);
      if (self->OnAccept) self->OnAccept(std::move(connection));
    }
  });
  return listener;
}
