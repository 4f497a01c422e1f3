#pragma once
// The most recent billing records, kept for TCP/IP clients, with absolute
// counters: record n (FBillingFirst <= n < FBillingEnd) is Text(n).
#include <deque>
#include <string>

class TBillingList {
 public:
  static constexpr int kKeepAbove = 200;

  // Adds a record unless it equals the last one added.
  void Add(const std::string& text) {
    if (text == lastAdded_) return;
    lastAdded_ = text;
    if (static_cast<int>(texts_.size()) > kKeepAbove) {
      texts_.pop_front();
      ++FBillingFirst;
    }
    texts_.push_back(text);
    ++FBillingEnd;
  }
  int Count() const { return static_cast<int>(texts_.size()); }
  const std::string& Text(int absolute) const { return texts_[static_cast<size_t>(absolute - FBillingFirst)]; }

  int FBillingFirst = 0;
  int FBillingEnd = 0;

 private:
  std::deque<std::string> texts_;
  std::string lastAdded_;
};
