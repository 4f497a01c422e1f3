#include "platform/controls.h"

void TListBox::AddItem(const std::string& line) {
  items_.push_back(line);
  Changed(TChange::ItemAdded, Count() - 1);
}

void TListBox::DeleteItem(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  // Deleting a line before the selection moves the selection with it.
  if (itemIndex_ == index) itemIndex_ = -1;
  else if (itemIndex_ > index) --itemIndex_;
  Changed(TChange::ItemDeleted, index);
}

void TListBox::Clear() {
  items_.clear();
  itemIndex_ = -1;
  Changed(TChange::ItemsCleared);
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  Changed(TChange::ItemIndex, index);
}

void TStatusBar::SetSimpleText(const std::string& text) {
  if (text == simpleText_) return;
  simpleText_ = text;
  Changed(TChange::Text);
}
