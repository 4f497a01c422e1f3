#pragma once
// Reaches the query functions of the test library that a TDESK has loaded.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_desksrvr.h"

struct TDeskCall {
  std::string Name;
  int Int;
  std::vector<uint8_t> Bytes;
};

class FakeDeskProbe {
 public:
  // folder must hold the library a TDESK has already loaded.
  explicit FakeDeskProbe(const std::string& folder) {
    handle_ = dlopen((folder + "/" DESKSRVR_LIBRARY_NAME).c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle_) return;
    count_ = reinterpret_cast<DeskTest_CallCount_t>(dlsym(handle_, "DeskTest_CallCount"));
    name_ = reinterpret_cast<DeskTest_CallName_t>(dlsym(handle_, "DeskTest_CallName"));
    int_ = reinterpret_cast<DeskTest_CallInt_t>(dlsym(handle_, "DeskTest_CallInt"));
    bytes_ = reinterpret_cast<DeskTest_CallBytes_t>(dlsym(handle_, "DeskTest_CallBytes"));
    reset_ = reinterpret_cast<DeskTest_Reset_t>(dlsym(handle_, "DeskTest_Reset"));
    setCommand_ = reinterpret_cast<DeskTest_SetCommand_t>(dlsym(handle_, "DeskTest_SetCommand"));
  }
  ~FakeDeskProbe() {
    if (handle_) dlclose(handle_);
  }
  bool Ok() const { return handle_ && count_ && name_ && int_ && bytes_ && reset_ && setCommand_; }

  std::vector<TDeskCall> Calls() const {
    std::vector<TDeskCall> calls;
    for (int i = 0; i < count_(); ++i) {
      int length = 0;
      const uint8_t* bytes = bytes_(i, &length);
      calls.push_back({name_(i), int_(i), std::vector<uint8_t>(bytes, bytes + length)});
    }
    return calls;
  }
  void Reset() { reset_(); }
  void SetCommand(const TStates& command) { setCommand_(&command); }

 private:
  void* handle_ = nullptr;
  DeskTest_CallCount_t count_ = nullptr;
  DeskTest_CallName_t name_ = nullptr;
  DeskTest_CallInt_t int_ = nullptr;
  DeskTest_CallBytes_t bytes_ = nullptr;
  DeskTest_Reset_t reset_ = nullptr;
  DeskTest_SetCommand_t setCommand_ = nullptr;
};
