// The real vesta-exchange program on a pseudo-terminal: the test reads the
// path it publishes, opens the slave side like the agent and exchanges
// frames, every wait bounded.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "frame_reference.h"
#include "request_handler.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr auto kDeadline = std::chrono::seconds(10);

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class ExchangeProcess {
 public:
  explicit ExchangeProcess(std::vector<std::string> extraArgs) {
    char pattern[] = "/tmp/vesta-exchange-test-XXXXXX";
    dir_ = mkdtemp(pattern);
    std::vector<std::string> args{EXCHANGE_PROGRAM, "--path-file", (dir_ / "path").string(),
                                  "--trace", (dir_ / "trace").string()};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    pid_ = fork();
    if (pid_ == 0) {
      const int in = open("/dev/null", O_RDONLY);
      const int out = open((dir_ / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(in, STDIN_FILENO);
      dup2(out, STDOUT_FILENO);
      std::vector<char*> argv;
      for (auto& arg : args) argv.push_back(arg.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
  }
  ~ExchangeProcess() {
    if (lineFd_ >= 0) close(lineFd_);
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    fs::remove_all(dir_);
  }

  const fs::path& Dir() const { return dir_; }

  // Waits for the published path and opens it as the agent would.
  bool OpenLine() {
    const auto until = Clock::now() + kDeadline;
    std::string path;
    while (Clock::now() < until) {
      path = ReadFile(dir_ / "path");
      if (!path.empty() && path.back() == '\n') break;
      poll(nullptr, 0, 20);
    }
    if (path.empty()) return false;
    path.pop_back();
    lineFd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (lineFd_ < 0) return false;
    termios tio{};
    tcgetattr(lineFd_, &tio);
    cfmakeraw(&tio);
    tcsetattr(lineFd_, TCSANOW, &tio);
    return true;
  }

  void Send(uint8_t number, const std::vector<uint8_t>& payload) {
    const auto frame = reference::Encode(number, payload);
    ASSERT_EQ(write(lineFd_, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
  }

  // The first complete frame from the exchange.
  std::optional<reference::Frame> Receive() {
    std::vector<uint8_t> bytes;
    const auto until = Clock::now() + kDeadline;
    while (Clock::now() < until) {
      pollfd p{lineFd_, POLLIN, 0};
      if (poll(&p, 1, 50) > 0) {
        uint8_t buffer[512];
        const ssize_t n = read(lineFd_, buffer, sizeof buffer);
        if (n > 0) bytes.insert(bytes.end(), buffer, buffer + n);
        const auto frames = reference::Decode(bytes);
        if (!frames.empty()) return frames.front();
      }
    }
    return std::nullopt;
  }

  // SIGTERM, then the exit status.
  int Stop() {
    kill(pid_, SIGTERM);
    return Wait();
  }

  // The exit status, or -1 when the program did not end in time.
  int Wait() {
    const auto until = Clock::now() + kDeadline;
    while (Clock::now() < until) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      poll(nullptr, 0, 20);
    }
    return -1;
  }

 private:
  fs::path dir_;
  pid_t pid_ = -1;
  int lineFd_ = -1;
  bool exited_ = false;
};

// One control command over the Unix socket, and its reply line.
std::string ControlCommand(const fs::path& socketPath, const std::string& line) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  const auto until = Clock::now() + kDeadline;
  while (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    if (Clock::now() >= until) {
      close(fd);
      return "<no connection>";
    }
    poll(nullptr, 0, 20);
  }
  const std::string text = line + "\n";
  send(fd, text.data(), text.size(), MSG_NOSIGNAL);
  std::string reply;
  char c = 0;
  while (Clock::now() < until) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    if (read(fd, &c, 1) != 1 || c == '\n') break;
    reply += c;
  }
  close(fd);
  return reply;
}

TEST(ExchangeProgram, AnswersOverThePseudoTerminalAndStopsOnSigterm) {
  ExchangeProcess program({});
  ASSERT_TRUE(program.OpenLine());
  program.Send(1, {exchange::kCmdConfig});
  const auto answer = program.Receive();
  ASSERT_TRUE(answer.has_value());
  EXPECT_TRUE(answer->CrcOk);
  EXPECT_EQ(answer->Number, 1);
  EXPECT_EQ(answer->Payload.size(), 1u + exchange::kConfigSize);
  EXPECT_EQ(answer->Payload[0], exchange::kStatusOk);

  EXPECT_EQ(program.Stop(), 0);
  const std::string out = ReadFile(program.Dir() / "stdout");
  EXPECT_NE(out.find("give the agent Port=/dev/pts/"), std::string::npos) << out;
  EXPECT_NE(out.find(":19200,N,8,1"), std::string::npos) << out;
  EXPECT_FALSE(fs::exists(program.Dir() / "path"));
  EXPECT_NE(ReadFile(program.Dir() / "trace").find("RX #1 [1] 0D"), std::string::npos);
}

TEST(ExchangeProgram, StartsSilentUntilTheControlSocketSaysOtherwise) {
  char pattern[] = "/tmp/vx-ctl-XXXXXX";
  const fs::path socketDir = mkdtemp(pattern);
  const fs::path socketPath = socketDir / "control";
  {
    ExchangeProcess program({"--silent", "--control", "unix:" + socketPath.string()});
    ASSERT_TRUE(program.OpenLine());
    program.Send(1, {exchange::kCmdConfig});   // never answered
    EXPECT_EQ(ControlCommand(socketPath, "silence off"), "ok silence off");
    program.Send(2, {exchange::kCmdInfo});
    const auto answer = program.Receive();
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->Number, 2);   // the first frame on the line answers the second request
    EXPECT_EQ(program.Stop(), 0);
    EXPECT_FALSE(fs::exists(socketPath));
  }
  fs::remove_all(socketDir);
}

TEST(ExchangeProgram, RefusesABadScenarioWithAMessage) {
  ExchangeProcess program({"--scenario", "/nonexistent/x.scenario"});
  EXPECT_EQ(program.Wait(), 2);
}

}  // namespace
