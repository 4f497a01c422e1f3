#pragma once
// Command-line options of the vesta-exchange program.
#include <optional>
#include <string>

struct ExchangeOptions {
  std::string ScenarioFile;   // empty: the built-in default scenario
  std::string Tty;            // empty: a new pseudo-terminal
  int Speed = 19200;          // applied to a given tty, shown in the agent's port string
  std::string Control;        // "unix:PATH", "tcp:PORT" (127.0.0.1), or empty
  std::string TraceFile;
  std::string PathFile;
  bool Silent = false;
  bool NoTraffic = false;
  std::optional<int> Seed;
  bool Help = false;
};

bool ParseExchangeOptions(int argc, char** argv, ExchangeOptions& options, std::string& error);
const char* ExchangeUsage();
