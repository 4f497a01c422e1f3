#pragma once
// The exchange's end of the serial line: the master side of a new
// pseudo-terminal (kept open for the whole run, nothing is reopened) or a
// given tty, in raw mode.
#include <string>

class SerialEndpoint {
 public:
  SerialEndpoint() = default;
  SerialEndpoint(const SerialEndpoint&) = delete;
  SerialEndpoint& operator=(const SerialEndpoint&) = delete;
  ~SerialEndpoint();

  bool OpenPseudoTerminal(std::string& error);
  bool OpenTty(const std::string& device, int speed, std::string& error);

  int Fd() const { return fd_; }
  // The path to give the agent.
  const std::string& AgentPath() const { return agentPath_; }

 private:
  int fd_ = -1;
  // The slave side, held open so that the master never sees a hang-up
  // while the agent has the line closed.
  int heldSlaveFd_ = -1;
  std::string agentPath_;
};
