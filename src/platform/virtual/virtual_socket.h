#pragma once
// In-memory TCP: listeners by port number and client ends a test holds.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/socket.h"

using PostFn = std::function<void(std::function<void()>)>;

class VirtualListener;

// The test's end of one connection.
class VirtualClient {
 public:
  void Send(const std::vector<uint8_t>& bytes);
  std::vector<uint8_t> TakeReceived();
  void Disconnect();
  bool Connected() const { return connected_; }

 private:
  friend class VirtualConnection;
  friend class VirtualNetwork;
  PostFn post_;
  std::deque<uint8_t> toServer_;
  std::vector<uint8_t> fromServer_;
  bool connected_ = true;
  class VirtualConnection* server_ = nullptr;
};

class VirtualNetwork {
 public:
  std::unique_ptr<IServerListener> Listen(int port, std::string& error, PostFn post);
  // Connects to a listening port; nullptr when nothing listens there.
  std::shared_ptr<VirtualClient> Connect(int port, const std::string& fromAddress = "127.0.0.1");
  // Ports held by someone else: listening there fails.
  std::vector<int> TakenPorts;

 private:
  friend class VirtualListener;
  std::map<int, VirtualListener*> listeners_;
};
