#include "trace_writer.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

TraceWriter::~TraceWriter() {
  if (file_) std::fclose(file_);
}

bool TraceWriter::Open(const std::string& fileName, std::string& error) {
  file_ = std::fopen(fileName.c_str(), "a");
  if (!file_) {
    error = "trace file " + fileName + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void TraceWriter::Write(const std::string& stamp, const std::string& line) {
  if (!file_) return;
  std::fprintf(file_, "%s %s\n", stamp.c_str(), line.c_str());
  std::fflush(file_);
}

std::string WallClockStamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[40];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  char result[48];
  std::snprintf(result, sizeof result, "%s.%03d", text, static_cast<int>(ms.count()));
  return result;
}
