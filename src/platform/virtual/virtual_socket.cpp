#include "platform/virtual/virtual_socket.h"

#include <algorithm>

class VirtualConnection final : public IClientConnection {
 public:
  VirtualConnection(std::shared_ptr<VirtualClient> client, std::string address)
      : client_(std::move(client)), address_(std::move(address)) {
    client_->server_ = this;
  }
  ~VirtualConnection() override {
    if (client_->server_ == this) client_->server_ = nullptr;
  }
  int Send(const uint8_t* data, int count) override {
    if (!client_->connected_) return -1;
    client_->fromServer_.insert(client_->fromServer_.end(), data, data + count);
    return count;
  }
  int Receive(uint8_t* data, int count) override {
    int n = 0;
    while (n < count && !client_->toServer_.empty()) {
      data[n++] = client_->toServer_.front();
      client_->toServer_.pop_front();
    }
    return n;
  }
  int BytesWaiting() override { return static_cast<int>(client_->toServer_.size()); }
  void Close() override { client_->connected_ = false; }
  std::string RemoteAddress() const override { return address_; }

 private:
  std::shared_ptr<VirtualClient> client_;
  std::string address_;
};

class VirtualListener final : public IServerListener {
 public:
  VirtualListener(VirtualNetwork& net, int port, PostFn post)
      : net_(net), port_(port), post_(std::move(post)) {
    net_.listeners_[port] = this;
  }
  ~VirtualListener() override { net_.listeners_.erase(port_); }
  int Port() const override { return port_; }
  PostFn& Post() { return post_; }

 private:
  VirtualNetwork& net_;
  int port_;
  PostFn post_;
};

void VirtualClient::Send(const std::vector<uint8_t>& bytes) {
  toServer_.insert(toServer_.end(), bytes.begin(), bytes.end());
  post_([this] {
    if (server_ && server_->OnReadable && !toServer_.empty()) server_->OnReadable();
  });
}

std::vector<uint8_t> VirtualClient::TakeReceived() {
  std::vector<uint8_t> out;
  out.swap(fromServer_);
  return out;
}

void VirtualClient::Disconnect() {
  connected_ = false;
  post_([this] {
    if (server_ && server_->OnDisconnected) server_->OnDisconnected();
  });
}

std::unique_ptr<IServerListener> VirtualNetwork::Listen(int port, std::string& error, PostFn post) {
  bool taken = std::find(TakenPorts.begin(), TakenPorts.end(), port) != TakenPorts.end();
  if (taken || listeners_.count(port)) {
    error = "Address already in use";
    return nullptr;
  }
  return std::make_unique<VirtualListener>(*this, port, std::move(post));
}

std::shared_ptr<VirtualClient> VirtualNetwork::Connect(int port, const std::string& fromAddress) {
  auto it = listeners_.find(port);
  if (it == listeners_.end()) return nullptr;
  auto client = std::make_shared<VirtualClient>();
  VirtualListener* listener = it->second;
  client->post_ = listener->Post();
  listener->Post()([listener, client, fromAddress] {
    if (listener->OnAccept) listener->OnAccept(std::make_unique<VirtualConnection>(client, fromAddress));
  });
  return client;
}
