#pragma once
// TCP listening and client connections over QTcpServer / QTcpSocket.
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

#include "platform/socket.h"

class QtConnection final : public IClientConnection {
 public:
  explicit QtConnection(QTcpSocket* socket);
  ~QtConnection() override;
  int Send(const uint8_t* data, int count) override;
  int Receive(uint8_t* data, int count) override;
  int BytesWaiting() override;
  void Close() override;
  std::string RemoteAddress() const override;

 private:
  // The server would delete its sockets with itself; each connection owns
  // its own instead, watched in case Qt deletes it first.
  QPointer<QTcpSocket> socket_;
};

class QtListener final : public IServerListener {
 public:
  static std::unique_ptr<QtListener> Listen(int port, std::string& error);
  int Port() const override { return server_->serverPort(); }

 private:
  QtListener();
  std::unique_ptr<QTcpServer> server_;
};
