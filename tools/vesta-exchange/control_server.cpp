#include "control_server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr size_t kMaxClients = 16;

void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return;   // a client that does not read loses its reply
    done += static_cast<size_t>(n);
  }
}

}  // namespace

void LineSplitter::Feed(const char* data, size_t count,
                        const std::function<void(const std::string&)>& onLine) {
  for (size_t i = 0; i < count; ++i) {
    const char c = data[i];
    if (c == '\n') {
      if (!partial_.empty() && partial_.back() == '\r') partial_.pop_back();
      onLine(overlong_ ? kTooLong : partial_);
      partial_.clear();
      overlong_ = false;
    } else if (partial_.size() < kMaxLine) {
      partial_ += c;
    } else {
      overlong_ = true;
    }
  }
}

ControlServer::~ControlServer() {
  for (auto& [fd, splitter] : clients_) close(fd);
  if (listenFd_ >= 0) close(listenFd_);
  if (!unixPath_.empty()) unlink(unixPath_.c_str());
}

bool ControlServer::Listen(const std::string& endpoint, std::string& error) {
  if (endpoint.rfind("unix:", 0) == 0) {
    sockaddr_un address{};
    const std::string path = endpoint.substr(5);
    if (path.size() >= sizeof address.sun_path) {
      error = "control socket path too long: " + path;
      return false;
    }
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    unlink(path.c_str());   // a socket left by an earlier run
    if (listenFd_ < 0 || bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listenFd_, 4) != 0) {
      error = "control socket " + path + ": " + std::strerror(errno);
      return false;
    }
    unixPath_ = path;
    description_ = "unix socket " + path;
    return true;
  }
  const int port = std::stoi(endpoint.substr(4));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int yes = 1;
  if (listenFd_ >= 0) setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  if (listenFd_ < 0 || bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listenFd_, 4) != 0) {
    error = "control port 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
    return false;
  }
  description_ = "127.0.0.1:" + std::to_string(port);
  return true;
}

std::vector<int> ControlServer::Fds() const {
  std::vector<int> fds;
  if (listenFd_ >= 0) fds.push_back(listenFd_);
  for (const auto& [fd, splitter] : clients_) fds.push_back(fd);
  return fds;
}

void ControlServer::HandleReadable(int fd) {
  if (fd == listenFd_)
    Accept();
  else
    ReadClient(fd);
}

void ControlServer::Accept() {
  const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
  if (fd < 0) return;
  if (clients_.size() >= kMaxClients) {
    WriteAll(fd, "error: too many control clients\n");
    close(fd);
    return;
  }
  clients_[fd];
}

void ControlServer::ReadClient(int fd) {
  if (clients_.count(fd) == 0) return;   // dropped earlier in the same poll round
  char buffer[1024];
  const ssize_t n = read(fd, buffer, sizeof buffer);
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
  if (n <= 0) {
    Drop(fd);
    return;
  }
  clients_[fd].Feed(buffer, static_cast<size_t>(n), [&](const std::string& line) {
    const std::string reply = line == LineSplitter::kTooLong ? "error: line too long"
                              : Handler                      ? Handler(line)
                                                             : "error: no handler";
    WriteAll(fd, reply + "\n");
  });
}

void ControlServer::Drop(int fd) {
  close(fd);
  clients_.erase(fd);
}
