// Program entry: the switches, the backend and the main form.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "controller/main_form.h"
#include "platform/application.h"
#include "platform/qt/qt_backend.h"

int main(int argc, char** argv) {
  std::vector<std::string> params(argv, argv + argc);
  bool console = false;
  for (const auto& p : params) console = console || p == "/console";
  std::string commandLine;
  for (const auto& p : params) commandLine += p + " ";
  // The service switch counts anywhere in the command line, even inside a
  // longer word. Service mode runs headless.
  bool service = commandLine.find("/service") != std::string::npos;
  bool widgets = !console && !service && DisplayAvailable();

  try {
    QtBackend backend(argc, argv, widgets);
    TApplication application(backend, params);
    application.ExeName = ExecutablePath(argv[0]);
    application.Headless = !widgets;
    TMainForm form({.ConsoleEcho = !widgets, .RunAsService = service});
    backend.OnTerminateSignal([&form] { form.Close(); });
    form.FormCreate();
    int exitCode = application.Run();
    form.FormDestroy();
    return exitCode;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vesta-agent: %s\n", e.what());
    return 1;
  }
}
