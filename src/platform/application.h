#pragma once
// The application object: the backend in use, the command line, and the
// screen-wide hooks the forms share. One instance per process.
#include <functional>
#include <string>
#include <vector>

#include "platform/backend.h"

class TApplication {
 public:
  TApplication(IBackend& backend, std::vector<std::string> params);
  ~TApplication();

  IBackend& Backend() { return backend_; }
  TDateTime Now() { return backend_.Now(); }

  // Parameter 0 is the program path; the raw command line joins them all.
  const std::vector<std::string>& Params() const { return params_; }
  std::string CommandLine() const;
  // Full path of the executable, as the settings and language files use it.
  std::string ExeName;

  // No window: message boxes are written to the event log and answered with
  // their default button.
  bool Headless = false;
  std::string HelpFile;
  // The screen's OnActiveFormChange: called whenever a dialog closes.
  std::function<void()> OnActiveFormChange;

  int Run() { return backend_.Run(); }
  void Terminate(int exitCode = 0) { backend_.Quit(exitCode); }

 private:
  IBackend& backend_;
  std::vector<std::string> params_;
};

// The one application of the process; set while a TApplication exists.
extern TApplication* Application;

// The executable's folder, without a trailing slash.
std::string ExtractFileDir(const std::string& path);
// The path with its extension (after the last '.' of the file name)
// replaced by ext; a name without extension gets ext appended.
std::string ChangeFileExt(const std::string& path, const std::string& ext);
// The absolute path of the running executable (/proc/self/exe), or argv0.
std::string ExecutablePath(const std::string& argv0);
