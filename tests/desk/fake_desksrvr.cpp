// Test stand-in for the desktop call-control library. It copies the bytes
// each call may read by contract, so a test (and AddressSanitizer) sees
// exactly what the agent passed.
#include <cstring>
#include <string>
#include <vector>

#include "fake_desksrvr.h"

namespace {
struct TCall {
  std::string Name;
  int Int = 0;
  std::vector<uint8_t> Bytes;
};
std::vector<TCall> calls;
TStates nextCommand{};

void Record(const char* name, int value, const void* bytes, size_t length) {
  const auto* begin = static_cast<const uint8_t*>(bytes);
  calls.push_back({name, value, std::vector<uint8_t>(begin, begin + (bytes ? length : 0))});
}
}  // namespace

extern "C" {
DESKSRVR_EXPORT int DeskTest_CallCount(void) { return static_cast<int>(calls.size()); }
DESKSRVR_EXPORT const char* DeskTest_CallName(int i) { return calls.at(i).Name.c_str(); }
DESKSRVR_EXPORT int DeskTest_CallInt(int i) { return calls.at(i).Int; }
DESKSRVR_EXPORT const uint8_t* DeskTest_CallBytes(int i, int* length) {
  *length = static_cast<int>(calls.at(i).Bytes.size());
  return calls.at(i).Bytes.data();
}
DESKSRVR_EXPORT void DeskTest_Reset(void) { calls.clear(); }
DESKSRVR_EXPORT void DeskTest_SetCommand(const TStates* command) { nextCommand = *command; }

void DESK_Init(void* window, unsigned int message) {
  Record("Init", static_cast<int>(message), &window, sizeof window);
}
void DESK_DeInit(void) { Record("DeInit", 0, nullptr, 0); }
void DESK_PutLines(int count, const char* numbers) {
  Record("PutLines", count, numbers, 4 * static_cast<size_t>(count));
}
void DESK_PutInfo(const TInfo* info) { Record("PutInfo", 0, info, sizeof *info); }
void DESK_PutPorts(const TPortStruct* ports) { Record("PutPorts", 0, ports, sizeof *ports); }
#ifndef FAKE_DESK_WITHOUT_PUTSTATES
void DESK_PutStates(int count, const TStavLinek* states) {
  Record("PutStates", count, states, sizeof *states * static_cast<size_t>(count));
}
#endif
void DESK_PutCLIP(int port, const char* clip) { Record("PutCLIP", port, clip, std::strlen(clip)); }
void DESK_PutFront(int portBase, const TFront* front) {
  Record("PutFront", portBase, front, sizeof *front);
}
void DESK_GetCommand(int parameter, TStates* command) {
  *command = nextCommand;
  Record("GetCommand", parameter, nullptr, 0);
}
void DESK_PutAccLine(const char* text) { Record("PutAccLine", 0, text, std::strlen(text)); }
void DESK_PutShorts(const unsigned char* shortMem,
                    const unsigned short (*personal)[DESK_PERSONAL_POINTERS]) {
  std::vector<uint8_t> both(shortMem, shortMem + DESK_SHORTMEM_SIZE);
  const auto* p = reinterpret_cast<const uint8_t*>(personal);
  both.insert(both.end(), p, p + DESK_PERSONAL_RECORDS * DESK_PERSONAL_POINTERS * 2);
  Record("PutShorts", 0, both.data(), both.size());
}
void DESK_Users(TRect rect, const TDeskTextList* texts) {
  std::string bytes(reinterpret_cast<const char*>(&rect), sizeof rect);
  for (int i = 0; i < texts->Count; ++i) bytes += std::string(texts->Lines[i]) + "\n";
  Record("Users", texts->Count, bytes.data(), bytes.size());
}
}
