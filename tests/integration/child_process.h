#pragma once
// A program started by a test, its standard output going to a file. Every
// wait is bounded by a deadline.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

class ChildProcess {
 public:
  ChildProcess(const std::vector<std::string>& argv, const std::string& stdoutFile,
               const std::string& workDir) {
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(workDir.c_str()) != 0) _exit(126);
      int out = open(stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      int err = open((stdoutFile + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      int in = open("/dev/null", O_RDONLY);
      dup2(out, 1);
      dup2(err, 2);
      dup2(in, 0);
      std::vector<char*> args;
      for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      execv(args[0], args.data());
      _exit(127);
    }
  }
  ~ChildProcess() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  void Signal(int sig) {
    if (pid_ > 0 && !exited_) kill(pid_, sig);
  }
  bool Running() {
    Reap();
    return !exited_;
  }
  // The exit code, or -1 when it did not end within the time.
  int WaitExit(std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      if (Reap()) return exitCode_;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
  }

 private:
  bool Reap() {
    if (exited_) return true;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return false;
    exited_ = true;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
  }
  pid_t pid_ = -1;
  bool exited_ = false;
  int exitCode_ = -1;
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline int CountOf(const std::string& text, const std::string& needle) {
  int n = 0;
  for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
  return n;
}

// Waits until the file holds needle (count times); false when time ran out.
inline bool WaitForText(const std::string& path, const std::string& needle,
                        std::chrono::milliseconds limit, int count = 1) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    if (CountOf(ReadWholeFile(path), needle) >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return false;
}
