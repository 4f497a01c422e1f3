#include "platform/server_socket.h"

#include "platform/application.h"

void TServerSocket::Open() {
  if (listener_) return;
  std::string error;
  auto listener = Application->Backend().Listen(Port, error);
  if (!listener) throw ESocketError(error);
  listener->OnAccept = [this](std::unique_ptr<IClientConnection> c) { Accept(std::move(c)); };
  listener_ = std::move(listener);
}

void TServerSocket::Close() {
  retired_.clear();
  for (auto& [handle, client] : clients_) client->Close();
  clients_.clear();
  listener_.reset();
}

TCustomWinSocket* TServerSocket::FindClient(int handle) {
  auto it = clients_.find(handle);
  return it == clients_.end() ? nullptr : it->second.get();
}

void TServerSocket::Accept(std::unique_ptr<IClientConnection> connection) {
  retired_.clear();
  int handle = nextHandle_++;
  auto socket = std::make_unique<TCustomWinSocket>(handle, std::move(connection));
  TCustomWinSocket& s = *socket;
  s.Connection().OnReadable = [this, handle] {
    if (auto* c = FindClient(handle); c && OnClientRead) OnClientRead(*c);
  };
  s.Connection().OnDisconnected = [this, handle] { Disconnected(handle); };
  clients_[handle] = std::move(socket);
  if (OnClientConnect) OnClientConnect(s);
}

void TServerSocket::Disconnected(int handle) {
  auto it = clients_.find(handle);
  if (it == clients_.end()) return;
  if (OnClientDisconnect) OnClientDisconnect(*it->second);
  // The connection object is still on the stack of its own event: it is
  // released at the next event or when the server closes.
  retired_.push_back(std::move(it->second));
  clients_.erase(it);
}
