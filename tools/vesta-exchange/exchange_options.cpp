#include "exchange_options.h"

#include <cstring>

#include "platform/ini_file.h"

namespace {

bool ValidControl(const std::string& endpoint) {
  if (endpoint.rfind("unix:", 0) == 0) return endpoint.size() > 5;
  int port = 0;
  return endpoint.rfind("tcp:", 0) == 0 && ParseInteger(endpoint.substr(4), port) && port > 0 &&
         port < 65536;
}

}  // namespace

const char* ExchangeUsage() {
  return "usage: vesta-exchange [options]\n"
         "  --scenario FILE     exchange content (default: the built-in scenario)\n"
         "  --tty DEVICE        serve this serial device instead of a new pseudo-terminal\n"
         "  --speed BAUD        line speed of --tty (default 19200)\n"
         "  --control WHERE     control socket: unix:PATH or tcp:PORT (on 127.0.0.1)\n"
         "  --trace FILE        write every frame received and sent, with time stamps\n"
         "  --path-file FILE    write the serial line's path to FILE\n"
         "  --silent            start silent (no answers)\n"
         "  --seed N            seed of the traffic model\n"
         "  --no-traffic        no calls start or end by themselves\n"
         "Control commands (socket or standard input, one a line): type help.\n";
}

bool ParseExchangeOptions(int argc, char** argv, ExchangeOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return false;
      }
      out = argv[++i];
      return true;
    };
    std::string text;
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--silent") {
      options.Silent = true;
    } else if (arg == "--no-traffic") {
      options.NoTraffic = true;
    } else if (arg == "--scenario") {
      if (!value(options.ScenarioFile)) return false;
    } else if (arg == "--tty") {
      if (!value(options.Tty)) return false;
    } else if (arg == "--trace") {
      if (!value(options.TraceFile)) return false;
    } else if (arg == "--path-file") {
      if (!value(options.PathFile)) return false;
    } else if (arg == "--control") {
      if (!value(options.Control)) return false;
      if (!ValidControl(options.Control)) {
        error = "--control takes unix:PATH or tcp:PORT, not '" + options.Control + "'";
        return false;
      }
    } else if (arg == "--speed" || arg == "--seed") {
      int number = 0;
      if (!value(text)) return false;
      if (!ParseInteger(text, number) || number < (arg == "--seed" ? 0 : 50)) {
        error = arg + " takes a whole number, not '" + text + "'";
        return false;
      }
      if (arg == "--seed")
        options.Seed = number;
      else
        options.Speed = number;
    } else {
      error = "unknown option '" + arg + "' (see --help)";
      return false;
    }
  }
  return true;
}
