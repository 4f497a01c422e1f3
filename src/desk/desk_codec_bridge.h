#pragma once
// Feeds the codec's decoder output to a ready TDESK.
#include "codec/codec_hooks.h"
#include "desk/desk.h"

class TDeskCodecBridge : public IDeskCalls {
 public:
  // desk must be ready and outlive the bridge.
  explicit TDeskCodecBridge(TDESK& desk) : desk_(desk) {}

  void PutLines(int count, const char* numbers) override;
  void PutInfo(const uint8_t* info7) override;
  void PutPorts(const uint8_t* ports144) override;
  void PutStates(int count, const uint8_t* states) override;
  void PutCLIP(int port, const char* clip) override;
  void PutFront(int portBase, const uint8_t* front) override;
  void PutShorts(const uint8_t* shortMem, const uint8_t* personal) override;

 private:
  TDESK& desk_;
};
