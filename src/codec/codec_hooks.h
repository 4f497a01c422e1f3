#pragma once
// What the codec needs from the rest of the agent, kept narrow so the codec
// can be driven alone. Every hook may be left empty.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/datetime.h"

struct TDataHooks {
  // Local time stamped on the stored AN and SW answers (0 when empty).
  std::function<TDateTime()> Now;
  // Empties the response cache for TCP clients.
  std::function<void()> ClearCache;
  // Stops and starts TimerShorts so the short numbers are read afresh.
  std::function<void()> RestartTimerShorts;
  // Language text N of section [Texty] (empty when empty or absent).
  std::function<std::string(int)> Text;
};

// The desktop call-control library as the decoders feed it. The codec calls
// it only while one is attached (call-control mode). Every pointer argument
// stays valid for the call only.
class IDeskCalls {
 public:
  virtual ~IDeskCalls() = default;
  // count numbers of 4 characters each, zero-padded, no terminators.
  virtual void PutLines(int count, const char* numbers) = 0;
  virtual void PutInfo(const uint8_t* info7) = 0;
  virtual void PutPorts(const uint8_t* ports144) = 0;
  // count 4-byte port states.
  virtual void PutStates(int count, const uint8_t* states) = 0;
  // clip: zero-terminated.
  virtual void PutCLIP(int port, const char* clip) = 0;
  // front: the queue data, zero-filled to DESK_FRONT_SIZE bytes.
  virtual void PutFront(int portBase, const uint8_t* front) = 0;
  // shortMem 66 x 236 bytes; personal 30 records of 64 bytes.
  virtual void PutShorts(const uint8_t* shortMem, const uint8_t* personal) = 0;
};
