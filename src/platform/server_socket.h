#pragma once
// TServerSocket: the non-blocking TCP server the clients connect to.
// Opening raises ESocketError when the port cannot be listened on.
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/socket.h"

class ESocketError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TServerSocket;

// One connected client; its handle is unique within the run.
class TCustomWinSocket {
 public:
  TCustomWinSocket(int handle, std::unique_ptr<IClientConnection> connection)
      : handle_(handle), connection_(std::move(connection)) {}
  int SocketHandle() const { return handle_; }
  std::string RemoteAddress() const { return connection_->RemoteAddress(); }
  int ReceiveLength() { return connection_->BytesWaiting(); }
  int ReceiveBuf(uint8_t* data, int count) { return connection_->Receive(data, count); }
  int SendBuf(const uint8_t* data, int count) { return connection_->Send(data, count); }
  void Close() { connection_->Close(); }
  IClientConnection& Connection() { return *connection_; }

 private:
  int handle_;
  std::unique_ptr<IClientConnection> connection_;
};

class TServerSocket {
 public:
  ~TServerSocket() { Close(); }
  int Port = 1234;
  bool Active() const { return listener_ != nullptr; }
  void Open();
  void Close();

  int ActiveConnections() const { return static_cast<int>(clients_.size()); }
  TCustomWinSocket* FindClient(int handle);

  std::function<void(TCustomWinSocket&)> OnClientConnect;
  std::function<void(TCustomWinSocket&)> OnClientRead;
  std::function<void(TCustomWinSocket&)> OnClientDisconnect;

 private:
  void Accept(std::unique_ptr<IClientConnection> connection);
  void Disconnected(int handle);
  std::unique_ptr<IServerListener> listener_;
  std::map<int, std::unique_ptr<TCustomWinSocket>> clients_;
  std::vector<std::unique_ptr<TCustomWinSocket>> retired_;
  int nextHandle_ = 1000;
};
