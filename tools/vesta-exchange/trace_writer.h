#pragma once
// Writes trace lines to a file, each with the wall-clock time stamp the
// program gives it; flushed line by line so a crash loses nothing.
#include <cstdio>
#include <string>

class TraceWriter {
 public:
  TraceWriter() = default;
  TraceWriter(const TraceWriter&) = delete;
  TraceWriter& operator=(const TraceWriter&) = delete;
  ~TraceWriter();

  bool Open(const std::string& fileName, std::string& error);
  bool IsOpen() const { return file_ != nullptr; }
  void Write(const std::string& stamp, const std::string& line);

 private:
  std::FILE* file_ = nullptr;
};

// "YYYY-MM-DD HH:MM:SS.mmm" of the local wall clock.
std::string WallClockStamp();
