#pragma once
// The exchange's store of billing records. A record stays in the store
// until the agent has shown that it arrived: the next command 4 takes the
// record delivered before it, command 5 delivers the same record again.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>

class BillingQueue {
 public:
  // Longest record text the agent accepts (its 'U' answer holds 256 bytes).
  static constexpr size_t kMaxTextLength = 255;

  // Queues a record; texts longer than kMaxTextLength are cut. An empty
  // text would read as "no record" to the agent and is refused.
  bool Add(std::string text);
  // Command 4: takes the record delivered last, then delivers the next one
  // (nothing when the store is empty).
  std::optional<std::string> DeliverNext();
  // Command 5: delivers the record delivered last again, or the first
  // waiting one when none was delivered yet.
  std::optional<std::string> DeliverAgain();

  size_t Waiting() const { return records_.size(); }
  size_t Taken() const { return taken_; }
  const std::deque<std::string>& Records() const { return records_; }

 private:
  std::deque<std::string> records_;
  bool frontDelivered_ = false;
  size_t taken_ = 0;
};
