#pragma once
// Control commands, one a line, from a local socket (a Unix socket or a
// TCP port on 127.0.0.1) and from standard input; each line gets a reply.
#include <functional>
#include <map>
#include <string>
#include <vector>

// Splits a byte stream into lines; a line longer than kMaxLine is dropped
// and reported as such, so a runaway client cannot grow it without end.
class LineSplitter {
 public:
  static constexpr size_t kMaxLine = 4096;
  static constexpr const char* kTooLong = "\x01too long";

  // Calls onLine for every complete line (without CR LF).
  void Feed(const char* data, size_t count, const std::function<void(const std::string&)>& onLine);

 private:
  std::string partial_;
  bool overlong_ = false;
};

class ControlServer {
 public:
  ControlServer() = default;
  ControlServer(const ControlServer&) = delete;
  ControlServer& operator=(const ControlServer&) = delete;
  ~ControlServer();

  // endpoint: "unix:PATH" or "tcp:PORT".
  bool Listen(const std::string& endpoint, std::string& error);
  // The listening socket and every client, for poll().
  std::vector<int> Fds() const;
  // Accepts or reads, whichever the fd is; replies through Handler.
  void HandleReadable(int fd);
  std::string Describe() const { return description_; }

  std::function<std::string(const std::string& line)> Handler;

 private:
  void Accept();
  void ReadClient(int fd);
  void Drop(int fd);

  int listenFd_ = -1;
  std::string unixPath_;
  std::string description_;
  std::map<int, LineSplitter> clients_;
};
