#include "desk/desk_codec_bridge.h"

// The records are packed byte arrays, so the codec's stores are passed as
// the contract's record types directly.
void TDeskCodecBridge::PutLines(int count, const char* numbers) { desk_.DESK_PutLines(count, numbers); }

void TDeskCodecBridge::PutInfo(const uint8_t* info7) {
  desk_.DESK_PutInfo(reinterpret_cast<const TInfo*>(info7));
}

void TDeskCodecBridge::PutPorts(const uint8_t* ports144) {
  desk_.DESK_PutPorts(reinterpret_cast<const TPortStruct*>(ports144));
}

void TDeskCodecBridge::PutStates(int count, const uint8_t* states) {
  desk_.DESK_PutStates(count, reinterpret_cast<const TStavLinek*>(states));
}

void TDeskCodecBridge::PutCLIP(int port, const char* clip) { desk_.DESK_PutCLIP(port, clip); }

void TDeskCodecBridge::PutFront(int portBase, const uint8_t* front) {
  desk_.DESK_PutFront(portBase, reinterpret_cast<const TFront*>(front));
}

void TDeskCodecBridge::PutShorts(const uint8_t* shortMem, const uint8_t* personal) {
  // The Personal table is 2-byte aligned; its words stay big-endian.
  desk_.DESK_PutShorts(shortMem,
                       reinterpret_cast<const unsigned short(*)[DESK_PERSONAL_POINTERS]>(personal));
}
