#include "platform/posix_serial.h"

// termios2 (asm/termbits.h) instead of <termios.h>: only termios2 sets baud
// rates that have no Bxxx constant, and the two headers cannot be mixed.
#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {

struct BaudConstant {
  int Rate;
  tcflag_t Constant;
};

constexpr BaudConstant kBaudConstants[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000},
};

// The cflag speed bits for a rate: its Bxxx constant, else BOTHER with the
// rate in c_ispeed/c_ospeed.
void SetSpeed(termios2& t, int rate) {
  t.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  for (const auto& b : kBaudConstants) {
    if (b.Rate == rate) {
      t.c_cflag |= b.Constant;
      t.c_ispeed = t.c_ospeed = static_cast<speed_t>(rate);
      return;
    }
  }
  t.c_cflag |= BOTHER;
  t.c_ispeed = t.c_ospeed = static_cast<speed_t>(rate);
}

bool DataBitsFlag(int bits, tcflag_t& flag) {
  switch (bits) {
    case 5: flag = CS5; return true;
    case 6: flag = CS6; return true;
    case 7: flag = CS7; return true;
    case 8: flag = CS8; return true;
    default: return false;
  }
}

tcflag_t ParityFlags(TParity parity) {
  switch (parity) {
    case TParity::None: return 0;
    case TParity::Odd: return PARENB | PARODD;
    case TParity::Even: return PARENB;
    case TParity::Mark: return PARENB | PARODD | CMSPAR;
    case TParity::Space: return PARENB | CMSPAR;
  }
  return 0;
}

// The flags cfmakeraw() sets, plus a receiver that ignores modem lines and
// has no flow control. VMIN = VTIME = 0: reads never wait.
void MakeRaw(termios2& t) {
  t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                      IXON | IXOFF | IXANY);
  t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CRTSCTS);
  t.c_cflag |= CS8 | CLOCAL | CREAD;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
}

}  // namespace

bool LineControlFlags(const LineSettings& settings, unsigned& cflag) {
  tcflag_t size = 0;
  if (!DataBitsFlag(settings.DataBits, size)) return false;
  cflag = size | ParityFlags(settings.Parity) | (settings.StopBits == TStopBits::One ? 0 : CSTOPB);
  return true;
}

std::unique_ptr<PosixSerialDevice> PosixSerialDevice::Open(const std::string& path, int& error) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  termios2 t{};
  if (::ioctl(fd, TCGETS2, &t) != 0) {  // ENOTTY: not a terminal
    error = errno;
    ::close(fd);
    return nullptr;
  }
  MakeRaw(t);
  if (::ioctl(fd, TCSETS2, &t) != 0) {
    error = errno;
    ::close(fd);
    return nullptr;
  }
  error = 0;
  return std::unique_ptr<PosixSerialDevice>(new PosixSerialDevice(fd));
}

PosixSerialDevice::~PosixSerialDevice() {
  if (fd_ >= 0) ::close(fd_);
}

bool PosixSerialDevice::Fail(int error) {
  error_ = error;
  return false;
}

bool PosixSerialDevice::Configure(const LineSettings& settings) {
  unsigned control = 0;
  if (!LineControlFlags(settings, control) || settings.BaudRate <= 0) return Fail(EINVAL);
  termios2 t{};
  if (::ioctl(fd_, TCGETS2, &t) != 0) return Fail(errno);
  MakeRaw(t);
  SetSpeed(t, settings.BaudRate);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
  t.c_cflag |= control;
  if (::ioctl(fd_, TCSETS2, &t) != 0) return Fail(errno);
  return true;
}

int PosixSerialDevice::Write(const uint8_t* data, int count, int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0);
  int written = 0;
  while (written < count) {
    const ssize_t n = ::write(fd_, data + written, static_cast<size_t>(count - written));
    if (n > 0) {
      written += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) {
      error_ = errno;
      return -2;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return -1;
    pollfd p{fd_, POLLOUT, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno != EINTR) {
      error_ = errno;
      return -2;
    }
    if (ready > 0 && (p.revents & (POLLERR | POLLNVAL))) {
      error_ = EIO;
      return -2;
    }
  }
  return written;
}

int PosixSerialDevice::Read(uint8_t* data, int count) {
  if (count <= 0) return 0;
  for (;;) {
    const ssize_t n = ::read(fd_, data, static_cast<size_t>(count));
    if (n >= 0) return static_cast<int>(n);
    if (errno == EINTR) continue;
    if (errno == EAGAIN) return 0;
    error_ = errno;
    return -2;
  }
}

int PosixSerialDevice::BytesWaiting() {
  int n = 0;
  if (::ioctl(fd_, FIONREAD, &n) != 0) {
    error_ = errno;
    return 0;
  }
  return n;
}

void PosixSerialDevice::PurgeTransmit() {
  if (::ioctl(fd_, TCFLSH, TCOFLUSH) != 0) error_ = errno;
}
