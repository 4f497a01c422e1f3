#pragma once
// Listening and connected TCP sockets as the backends offer them to
// TServerSocket. All calls and events happen on the main thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class IClientConnection {
 public:
  virtual ~IClientConnection() = default;
  // Queues bytes for sending; returns the count accepted or -1 on an error.
  virtual int Send(const uint8_t* data, int count) = 0;
  // Reads what has arrived, at most count bytes, without blocking.
  virtual int Receive(uint8_t* data, int count) = 0;
  virtual int BytesWaiting() = 0;
  virtual void Close() = 0;
  virtual std::string RemoteAddress() const = 0;

  std::function<void()> OnReadable;
  std::function<void()> OnDisconnected;
};

class IServerListener {
 public:
  virtual ~IServerListener() = default;
  virtual int Port() const = 0;
  std::function<void(std::unique_ptr<IClientConnection>)> OnAccept;
};
