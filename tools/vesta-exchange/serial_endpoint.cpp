#include "serial_endpoint.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::string SystemError(const std::string& what) { return what + ": " + std::strerror(errno); }

speed_t SpeedConstant(int speed) {
  switch (speed) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return B0;
  }
}

bool MakeRaw(int fd, speed_t speed, std::string& error) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) {
    error = SystemError("tcgetattr");
    return false;
  }
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  if (speed != B0) {
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
  }
  if (tcsetattr(fd, TCSANOW, &tio) != 0) {
    error = SystemError("tcsetattr");
    return false;
  }
  return true;
}

}  // namespace

SerialEndpoint::~SerialEndpoint() {
  if (heldSlaveFd_ >= 0) close(heldSlaveFd_);
  if (fd_ >= 0) close(fd_);
}

bool SerialEndpoint::OpenPseudoTerminal(std::string& error) {
  fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) {
    error = SystemError("posix_openpt");
    return false;
  }
  char name[128];
  if (grantpt(fd_) != 0 || unlockpt(fd_) != 0 || ptsname_r(fd_, name, sizeof name) != 0) {
    error = SystemError("pseudo-terminal set-up");
    return false;
  }
  agentPath_ = name;
  heldSlaveFd_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (heldSlaveFd_ < 0) {
    error = SystemError("open " + agentPath_);
    return false;
  }
  return MakeRaw(heldSlaveFd_, B19200, error);
}

bool SerialEndpoint::OpenTty(const std::string& device, int speed, std::string& error) {
  const speed_t constant = SpeedConstant(speed);
  if (constant == B0) {
    error = "speed " + std::to_string(speed) + " is not one this program sets";
    return false;
  }
  fd_ = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) {
    error = SystemError("open " + device);
    return false;
  }
  agentPath_ = device;
  return MakeRaw(fd_, constant, error);
}
