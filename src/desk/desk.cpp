#include "desk/desk.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

TDESK::TDESK(const std::string& folder, const std::string& fileName) {
  Load(folder, fileName);
  ready_ = handle_ && LookUpAll();
}

TDESK::~TDESK() {
  if (handle_) dlclose(handle_);
}

std::string TDESK::ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return std::string();
  const std::string exe(path, static_cast<size_t>(length));
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

void TDESK::Load(const std::string& folder, const std::string& fileName) {
  if (!folder.empty()) handle_ = dlopen((folder + "/" + fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) handle_ = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* why = dlerror();
    error_ = why ? why : "cannot load " + fileName;
  }
}

template <typename Fn>
bool TDESK::LookUp(const char* name, Fn& entry) {
  void* symbol = dlsym(handle_, name);
  if (!symbol) {
    error_ = std::string("missing ") + name;
    return false;
  }
  entry = reinterpret_cast<Fn>(symbol);
  return true;
}

// The contract's order; the first missing name ends the lookup.
bool TDESK::LookUpAll() {
  return LookUp("DESK_Init", DESK_Init) && LookUp("DESK_DeInit", DESK_DeInit) &&
         LookUp("DESK_PutLines", DESK_PutLines) && LookUp("DESK_PutInfo", DESK_PutInfo) &&
         LookUp("DESK_PutPorts", DESK_PutPorts) && LookUp("DESK_PutStates", DESK_PutStates) &&
         LookUp("DESK_PutCLIP", DESK_PutCLIP) && LookUp("DESK_PutFront", DESK_PutFront) &&
         LookUp("DESK_GetCommand", DESK_GetCommand) &&
         LookUp("DESK_PutAccLine", DESK_PutAccLine) && LookUp("DESK_PutShorts", DESK_PutShorts) &&
         LookUp("DESK_Users", DESK_Users);
}
