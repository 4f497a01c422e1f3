#include "codec/data.h"

#include <algorithm>
#include <cstring>
#include <utility>

TData::TData(TDataHooks hooks) : hooks_(std::move(hooks)) {}

void TData::RenderPacket(TPacketDirection direction, std::string& text, const uint8_t* payload,
                         int count, uint8_t requestType, bool dump) const {
  ::RenderPacket(direction, text, payload, count, requestType, dump, hooks_.Text);
}

int TData::PersonalCount() const { return std::min<int>(FInfo[3], kPersonalRecords); }

bool TData::ShortMemUsed(int block) const {
  return ShortMemBlockUsed(FPersonal, PersonalCount(), block);
}

void TData::NoteStructureWrite(const uint8_t* payload, int length) {
  if (!payload || length < 2 || payload[0] != 1 || !DeskMode()) return;
  const uint8_t structure = payload[1];
  if ((structure == 13 || structure == 18 || structure == 24) && hooks_.RestartTimerShorts)
    hooks_.RestartTimerShorts();
}

bool TData::StoreChanged(uint8_t* store, const uint8_t* bytes, int length) {
  if (length <= 0) return false;
  const bool changed = std::memcmp(store, bytes, length) != 0;
  std::memcpy(store, bytes, length);
  return changed;
}

TDateTime TData::Now() const { return hooks_.Now ? hooks_.Now() : 0; }

void TData::ClearCache() const {
  if (hooks_.ClearCache) hooks_.ClearCache();
}
