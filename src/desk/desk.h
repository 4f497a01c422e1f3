#pragma once
// TDESK holds the loaded desktop call-control library: its handle, its
// twelve entry points and whether all of them were found.
#include <string>

#include "vesta/desksrvr.h"

class TDESK {
 public:
  // Loads fileName from folder (beside the executable by default), then by
  // its bare name through the system search path, and looks the twelve
  // names up in contract order. Ready only when all were found; a missing
  // name stops the lookup and leaves the library loaded.
  explicit TDESK(const std::string& folder = ExecutableFolder(),
                 const std::string& fileName = DESKSRVR_LIBRARY_NAME);
  ~TDESK();
  TDESK(const TDESK&) = delete;
  TDESK& operator=(const TDESK&) = delete;

  bool Ready() const { return ready_; }
  bool Loaded() const { return handle_ != nullptr; }
  // Why the library is not ready (empty when it is).
  const std::string& LoadError() const { return error_; }

  // The folder of the running executable, from /proc/self/exe.
  static std::string ExecutableFolder();

  DESK_Init_t DESK_Init = nullptr;
  DESK_DeInit_t DESK_DeInit = nullptr;
  DESK_PutLines_t DESK_PutLines = nullptr;
  DESK_PutInfo_t DESK_PutInfo = nullptr;
  DESK_PutPorts_t DESK_PutPorts = nullptr;
  DESK_PutStates_t DESK_PutStates = nullptr;
  DESK_PutCLIP_t DESK_PutCLIP = nullptr;
  DESK_PutFront_t DESK_PutFront = nullptr;
  DESK_GetCommand_t DESK_GetCommand = nullptr;
  DESK_PutAccLine_t DESK_PutAccLine = nullptr;
  DESK_PutShorts_t DESK_PutShorts = nullptr;
  DESK_Users_t DESK_Users = nullptr;

 private:
  void Load(const std::string& folder, const std::string& fileName);
  bool LookUpAll();
  template <typename Fn>
  bool LookUp(const char* name, Fn& entry);

  void* handle_ = nullptr;
  bool ready_ = false;
  std::string error_;
};
