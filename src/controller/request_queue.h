#pragma once
// The request queue of request letters and the requests awaiting a reply
// under the packet number they were transmitted with.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

struct TRequestRecord {
  static constexpr int kMaxData = 512;
  char Letter = 0;
  uint8_t Command = 0;
  int32_t Owner = 0;
  uint8_t Data[kMaxData] = {};
  int32_t Length = 0;
};

class TRequestQueue {
 public:
  static constexpr int kMaxEntries = 100;

  struct Entry {
    std::string Key;
    // The command ring slot for '#', the port record index for 'Y', 0 else.
    int Value = 0;
    // The client's request for 'T'.
    std::unique_ptr<TRequestRecord> Record;
    char Letter() const { return Key.empty() ? '\0' : Key[0]; }
  };

  // Adds a request. For 'T' the bytes are the client's request (1 to 512
  // bytes; anything else is refused) and replace that client's queued one.
  // Other letters, but '#', 'Y', 'p' and 's', are not queued twice (keys
  // compare without regard to letter case). Returns whether it was queued.
  bool Queue(char letter, int owner, const uint8_t* bytes = nullptr, int length = 0);
  void Clear() { entries_.clear(); }
  bool Empty() const { return entries_.empty(); }
  int Count() const { return static_cast<int>(entries_.size()); }
  Entry& Head() { return entries_.front(); }
  void RemoveHead() { entries_.pop_front(); }
  // Returns a taken head entry to the front.
  void PutBack(Entry entry) { entries_.push_front(std::move(entry)); }
  std::vector<std::string> Keys() const;

 private:
  int IndexOf(const std::string& key) const;
  std::deque<Entry> entries_;
};

class TPendingRequests {
 public:
  // Remembers a request under a packet number, replacing an older one
  // stored under the same number. Keeps at most 512 bytes.
  void Store(uint8_t packetNumber, char letter, const uint8_t* bytes, int length, int owner);
  // Removes and returns the request stored under the number, or nullptr.
  std::unique_ptr<TRequestRecord> Take(int packetNumber);
  int Count() const { return static_cast<int>(entries_.size()); }
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    std::string Key;
    std::unique_ptr<TRequestRecord> Record;
  };
  std::vector<Entry> entries_;
};
