#include "billing_queue.h"

bool BillingQueue::Add(std::string text) {
  if (text.empty()) return false;
  if (text.size() > kMaxTextLength) text.resize(kMaxTextLength);
  records_.push_back(std::move(text));
  return true;
}

std::optional<std::string> BillingQueue::DeliverNext() {
  if (frontDelivered_ && !records_.empty()) {
    records_.pop_front();
    ++taken_;
  }
  return DeliverAgain();
}

std::optional<std::string> BillingQueue::DeliverAgain() {
  frontDelivered_ = !records_.empty();
  if (records_.empty()) return std::nullopt;
  return records_.front();
}
