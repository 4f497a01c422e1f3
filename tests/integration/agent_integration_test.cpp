// The real agent against the simulated exchange over a pseudo-terminal, its
// server socket on 127.0.0.1, its settings file beside a copy of it.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <filesystem>
#include <memory>
#include <regex>

#include "child_process.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

std::string BuildDir() {
  const char* dir = std::getenv("VESTA_BUILD_DIR");
  return dir ? dir : ".";
}

sockaddr_in LoopbackAddress(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

// A port nothing listens on right now.
int FreeTcpPort() {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = LoopbackAddress(0);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  close(s);
  return ntohs(a.sin_port);
}

// A socket bound (and listening) on 127.0.0.1:port; -1 when it failed.
int ListenOnLoopback(int port) {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = LoopbackAddress(port);
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(s, 1) != 0) {
    close(s);
    return -1;
  }
  return s;
}

bool ConnectsOnLoopback(int port) {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = LoopbackAddress(port);
  bool ok = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  close(s);
  return ok;
}

}  // namespace

class AgentIntegration : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("vesta-it-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::copy_file(BuildDir() + "/vesta-agent", dir_ / "vesta-agent");
    fs::copy_file(BuildDir() + "/VAgent.Eng", dir_ / "VAgent.Eng");
    tcpPort_ = FreeTcpPort();
  }
  void TearDown() override {
    agent_.reset();
    exchange_.reset();
    fs::remove_all(dir_);
  }

  std::string Path(const char* name) const { return (dir_ / name).string(); }

  // Starts the exchange and returns the serial line it offers.
  std::string StartExchange(std::vector<std::string> extra = {}) {
    std::vector<std::string> argv{BuildDir() + "/vesta-exchange", "--path-file", Path("line.path"),
                                  "--control", "unix:" + Path("control.sock"), "--no-traffic"};
    argv.insert(argv.end(), extra.begin(), extra.end());
    exchange_ = std::make_unique<ChildProcess>(argv, Path("exchange.out"), dir_.string());
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < deadline) {
      std::string path = ReadWholeFile(Path("line.path"));
      while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
      if (!path.empty() && fs::exists(Path("control.sock"))) return path;
      std::this_thread::sleep_for(20ms);
    }
    ADD_FAILURE() << "the exchange offered no line: " << ReadWholeFile(Path("exchange.out.err"));
    return "";
  }

  void ExchangeCommand(const std::string& command) {
    int s = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::snprintf(a.sun_path, sizeof a.sun_path, "%s", Path("control.sock").c_str());
    ASSERT_EQ(connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    std::string line = command + "\n";
    ASSERT_EQ(write(s, line.data(), line.size()), static_cast<ssize_t>(line.size()));
    char reply[256];
    ssize_t n = read(s, reply, sizeof reply);  // the reply line: the command has been applied
    close(s);
    ASSERT_GT(n, 0);
    EXPECT_EQ(std::string(reply, 2), "ok");
  }

  void WriteSettings(const std::string& port, const std::string& more = "") {
    std::ofstream(Path("vesta-agent.INI"), std::ios::binary)
        << "[Set]\r\nPort=" << port << "\r\nIPPort=" << tcpPort_ << "\r\n[Log]\r\nCom_LocOut=1\r\n" << more;
  }

  void StartAgent() {
    agent_ = std::make_unique<ChildProcess>(std::vector<std::string>{Path("vesta-agent"), "/console"},
                                            Path("agent.out"), dir_.string());
  }

  bool AgentLogs(const std::string& text, std::chrono::milliseconds limit = 10s, int count = 1) {
    return WaitForText(Path("agent.out"), text, limit, count);
  }
  std::string AgentOutput() const { return ReadWholeFile((dir_ / "agent.out").string()); }

  fs::path dir_;
  int tcpPort_ = 0;
  std::unique_ptr<ChildProcess> exchange_;
  std::unique_ptr<ChildProcess> agent_;
};

TEST_F(AgentIntegration, AnswersTheInitialRequestsServesTcpAndStopsOnSigterm) {
  std::string line = StartExchange();
  ASSERT_FALSE(line.empty());
  WriteSettings(line + ":19200,N,8,1");
  StartAgent();
  ASSERT_TRUE(AgentLogs("<COM Mailbox list received")) << AgentOutput();
  EXPECT_EQ(CountOf(AgentOutput(), "-OK- TCP/IP server open"), 1);
  EXPECT_EQ(CountOf(AgentOutput(), "-OK- Serial port open: " + line), 1);
  for (const char* reply : {"<COM Configuration record", "<COM Information record OK", "<COM PortStruct"})
    EXPECT_EQ(CountOf(AgentOutput(), reply), 1) << reply;
  EXPECT_TRUE(ConnectsOnLoopback(tcpPort_));

  agent_->Signal(SIGTERM);
  EXPECT_EQ(agent_->WaitExit(5s), 0);
  EXPECT_EQ(CountOf(AgentOutput(), ">COM Final mailbox counts"), 1);
  // Standard output holds event-log lines and nothing else.
  std::istringstream lines(AgentOutput());
  std::regex logLine(R"(\d\d:\d\d:\d\d\.\d  \S{4} .*)");
  for (std::string l; std::getline(lines, l);) EXPECT_TRUE(std::regex_match(l, logLine)) << l;
}

TEST_F(AgentIntegration, ASilentExchangeFailsTheLinkOnceAndItsReturnIsReportedOnce) {
  std::string line = StartExchange({"--silent"});
  ASSERT_FALSE(line.empty());
  WriteSettings(line + ":19200,N,8,1", "[Timer]\r\nMaxTick=2\r\nMaxError=2\r\nMaxErrorTick=5\r\n");
  StartAgent();
  ASSERT_TRUE(AgentLogs("!Err Communication with the exchange failed")) << AgentOutput();
  // Further pauses while it stays silent report nothing more.
  ASSERT_TRUE(AgentLogs(">COM Configuration record", 10s, 4)) << AgentOutput();
  ExchangeCommand("silence off");
  ASSERT_TRUE(AgentLogs("<COM Mailbox list received")) << AgentOutput();
  EXPECT_EQ(CountOf(AgentOutput(), "-OK- Communication with the exchange restored"), 1);
  EXPECT_EQ(CountOf(AgentOutput(), "!Err Communication with the exchange failed"), 1);
  agent_->Signal(SIGINT);
  EXPECT_EQ(agent_->WaitExit(5s), 0);
}

TEST_F(AgentIntegration, ATakenTcpPortIsLoggedAndTheAgentPollsOn) {
  std::string line = StartExchange();
  ASSERT_FALSE(line.empty());
  int holder = ListenOnLoopback(tcpPort_);
  ASSERT_GE(holder, 0);
  WriteSettings(line + ":19200,N,8,1");
  StartAgent();
  ASSERT_TRUE(AgentLogs("<COM Mailbox list received")) << AgentOutput();
  EXPECT_EQ(CountOf(AgentOutput(), "!Err TCP/IP server could not be opened"), 1);
  close(holder);
  agent_->Signal(SIGTERM);
  EXPECT_EQ(agent_->WaitExit(5s), 0);
}

TEST_F(AgentIntegration, BadPortSettingsAreLoggedAndTheAgentKeepsRunning) {
  struct Case {
    std::string port;
    std::string line;
  };
  const Case cases[] = {
      {"/dev/vesta-no-such-device:19200,N,8,1", "!Err Serial port could not be opened: /dev/vesta-no-such-device"},
      {"COM2 19200", "-OK- TCP/IP server open"},  // no ":": the design device stays
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.port);
    WriteSettings(c.port);
    StartAgent();
    ASSERT_TRUE(AgentLogs(c.line)) << AgentOutput();
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(agent_->Running());
    agent_->Signal(SIGTERM);
    EXPECT_EQ(agent_->WaitExit(5s), 0);
  }
}
