// vesta-exchange: a simulated telephone exchange on a pseudo-terminal (or
// a given tty) for the agent's demo, its integration tests and integrators.
// The wall clock is read here only; the exchange itself runs on the
// milliseconds this loop hands it.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>

#include "control_server.h"
#include "exchange_options.h"
#include "scenario.h"
#include "serial_endpoint.h"
#include "simulated_exchange.h"
#include "trace_writer.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = write(signalPipe[1], &byte, 1);
}

bool InstallStopSignals(std::string& error) {
  if (pipe(signalPipe) != 0) {
    error = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  struct sigaction action{};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
  return true;
}

// Written to a temporary name and renamed, so a reader never sees half a path.
bool WritePathFile(const std::string& fileName, const std::string& path, std::string& error) {
  const std::string temporary = fileName + ".tmp";
  {
    std::ofstream out(temporary, std::ios::trunc);
    out << path << "\n";
    if (!out) {
      error = "cannot write " + temporary;
      return false;
    }
  }
  if (std::rename(temporary.c_str(), fileName.c_str()) != 0) {
    error = "cannot write " + fileName + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool LoadScenarioFor(const ExchangeOptions& options, exchange::Scenario& scenario,
                     std::string& error) {
  scenario = exchange::DefaultScenario();
  if (!options.ScenarioFile.empty() && !exchange::LoadScenario(options.ScenarioFile, scenario, error))
    return false;
  if (options.Seed) scenario.Traffic.Seed = static_cast<uint64_t>(*options.Seed);
  if (options.NoTraffic) scenario.Traffic.Enabled = false;
  return true;
}

class ExchangeProgram {
 public:
  ExchangeProgram(const ExchangeOptions& options, exchange::Scenario scenario)
      : options_(options), exchange_(std::move(scenario)) {}

  bool Start(std::string& error);
  void Announce(const std::string& summary);
  int Run();

 private:
  bool ReadLine();
  void ReadStdin();
  void FlushLine();
  void Tick();

  const ExchangeOptions& options_;
  exchange::SimulatedExchange exchange_;
  SerialEndpoint line_;
  ControlServer control_;
  TraceWriter trace_;
  LineSplitter stdinLines_;
  bool stdinOpen_ = true;
  std::vector<uint8_t> pending_;   // answer bytes the line has not taken yet
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
  int64_t carriedUs_ = 0;
};

bool ExchangeProgram::Start(std::string& error) {
  if (!InstallStopSignals(error)) return false;
  if (!options_.TraceFile.empty() && !trace_.Open(options_.TraceFile, error)) return false;
  exchange_.OnTrace = [this](int64_t, const std::string& line) {
    trace_.Write(WallClockStamp(), line);
  };
  exchange_.Faults().Silent = options_.Silent;
  if (!options_.Control.empty()) {
    if (!control_.Listen(options_.Control, error)) return false;
    control_.Handler = [this](const std::string& line) { return exchange_.Control(line); };
  }
  const bool opened = options_.Tty.empty() ? line_.OpenPseudoTerminal(error)
                                           : line_.OpenTty(options_.Tty, options_.Speed, error);
  if (!opened) return false;
  if (!options_.PathFile.empty() && !WritePathFile(options_.PathFile, line_.AgentPath(), error))
    return false;
  return true;
}

void ExchangeProgram::Announce(const std::string& summary) {
  const std::string& path = line_.AgentPath();
  if (options_.Tty.empty())
    std::printf("vesta-exchange: serial line %s \u2014 give the agent Port=%s:%d,N,8,1\n",
                path.c_str(), path.c_str(), options_.Speed);
  else
    std::printf("vesta-exchange: serial line %s at %d baud\n", path.c_str(), options_.Speed);
  std::printf("vesta-exchange: serving %s\n", summary.c_str());
  if (!options_.Control.empty())
    std::printf("vesta-exchange: control commands on %s and standard input (help lists them)\n",
                control_.Describe().c_str());
  if (options_.Silent) std::printf("vesta-exchange: silent (\"silence off\" starts answering)\n");
  std::fflush(stdout);
}

// False when the line is gone (a tty unplugged); poll would report it
// again at once, so the program ends instead of spinning.
bool ExchangeProgram::ReadLine() {
  uint8_t buffer[4096];
  for (;;) {
    const ssize_t n = read(line_.Fd(), buffer, sizeof buffer);
    if (n > 0) {
      exchange_.Receive(buffer, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return true;
    std::fprintf(stderr, "vesta-exchange: serial line %s lost: %s\n", line_.AgentPath().c_str(),
                 n == 0 ? "end of file" : std::strerror(errno));
    return false;
  }
}

void ExchangeProgram::ReadStdin() {
  char buffer[1024];
  const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
  if (n <= 0) {
    stdinOpen_ = false;   // scripts run us with stdin closed; keep serving
    return;
  }
  stdinLines_.Feed(buffer, static_cast<size_t>(n), [this](const std::string& line) {
    if (line.empty()) return;
    const std::string reply =
        line == LineSplitter::kTooLong ? "error: line too long" : exchange_.Control(line);
    std::printf("%s\n", reply.c_str());
    std::fflush(stdout);
  });
}

void ExchangeProgram::FlushLine() {
  auto output = exchange_.TakeOutput();
  pending_.insert(pending_.end(), output.begin(), output.end());
  while (!pending_.empty()) {
    const ssize_t n = write(line_.Fd(), pending_.data(), pending_.size());
    if (n <= 0) return;   // the line is full; poll says when it takes more
    pending_.erase(pending_.begin(), pending_.begin() + n);
  }
}

void ExchangeProgram::Tick() {
  const auto now = std::chrono::steady_clock::now();
  carriedUs_ += std::chrono::duration_cast<std::chrono::microseconds>(now - last_).count();
  last_ = now;
  exchange_.Advance(carriedUs_ / 1000);
  carriedUs_ %= 1000;
}

int ExchangeProgram::Run() {
  for (;;) {
    std::vector<pollfd> fds{{signalPipe[0], POLLIN, 0},
                            {line_.Fd(), short(POLLIN | (pending_.empty() ? 0 : POLLOUT)), 0}};
    if (stdinOpen_) fds.push_back({STDIN_FILENO, POLLIN, 0});
    for (int fd : control_.Fds()) fds.push_back({fd, POLLIN, 0});
    int timeout = 20;   // the traffic model and delayed answers need time to pass
    const int64_t due = exchange_.MsUntilNextAnswer();
    if (due >= 0 && due < timeout) timeout = static_cast<int>(due);
    if (poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) {
      std::fprintf(stderr, "vesta-exchange: poll: %s\n", std::strerror(errno));
      return 1;
    }
    Tick();
    for (const pollfd& p : fds) {
      if (!(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
      if (p.fd == signalPipe[0]) {
        std::printf("vesta-exchange: stopped\n");
        return 0;
      }
      if (p.fd == line_.Fd()) {
        if (!ReadLine()) return 1;
      } else if (p.fd == STDIN_FILENO && stdinOpen_) {
        ReadStdin();
      } else {
        control_.HandleReadable(p.fd);
      }
    }
    FlushLine();
  }
}

}  // namespace

int main(int argc, char** argv) {
  ExchangeOptions options;
  std::string error;
  if (!ParseExchangeOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "vesta-exchange: %s\n%s", error.c_str(), ExchangeUsage());
    return 2;
  }
  if (options.Help) {
    std::printf("%s", ExchangeUsage());
    return 0;
  }
  exchange::Scenario scenario;
  if (!LoadScenarioFor(options, scenario, error)) {
    std::fprintf(stderr, "vesta-exchange: %s\n", error.c_str());
    return 2;
  }
  const std::string summary = exchange::DescribeScenario(scenario);
  ExchangeProgram program(options, std::move(scenario));
  if (!program.Start(error)) {
    std::fprintf(stderr, "vesta-exchange: %s\n", error.c_str());
    return 1;
  }
  program.Announce(summary);
  const int result = program.Run();
  if (!options.PathFile.empty()) std::remove(options.PathFile.c_str());
  return result;
}
