#include "codec/billing_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

bool AppendBillingRecord(const std::string& fileName, const std::string& text) {
  int fd = open(fileName.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  // Another writer holding the file counts as a failed open: the record is
  // asked for again, never half-written beside someone else's.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  // A failed write is undone, so that the record, asked for again, is not
  // left behind half-written.
  off_t size = lseek(fd, 0, SEEK_END);
  std::string line = text + "\r\n";
  const char* p = line.data();
  size_t left = line.size();
  bool ok = true;
  while (left > 0) {
    ssize_t n = write(fd, p, left);
    if (n <= 0) {
      ok = false;
      break;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  if (!ok && size >= 0 && ftruncate(fd, size) != 0) ok = false;
  flock(fd, LOCK_UN);
  return close(fd) == 0 && ok;
}
