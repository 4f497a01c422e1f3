#include "platform/application.h"

#include <unistd.h>

#include <climits>

TApplication* Application = nullptr;

TApplication::TApplication(IBackend& backend, std::vector<std::string> params)
    : backend_(backend), params_(std::move(params)) {
  if (!params_.empty()) ExeName = params_[0];
  Application = this;
}

TApplication::~TApplication() {
  if (Application == this) Application = nullptr;
}

std::string TApplication::CommandLine() const {
  std::string line;
  for (const auto& p : params_) {
    if (!line.empty()) line += ' ';
    line += p;
  }
  return line;
}

std::string ExtractFileDir(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
  auto slash = path.rfind('/');
  auto dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return path + ext;
  return path.substr(0, dot) + ext;
}

std::string ExecutablePath(const std::string& argv0) {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return argv0;
  return std::string(buf, static_cast<size_t>(n));
}
