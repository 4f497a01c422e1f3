#pragma once
// The list box and status bar of the event log.
#include <string>
#include <vector>

#include "platform/component.h"

class TListBox : public TControl {
 public:
  TListBox(TComponent* parent, std::string name) : TControl(parent, "TListBox", std::move(name)) {}

  std::string FontName = "Courier New";
  int FontHeight = 15;
  int ItemHeight = 17;

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int i) const { return items_[static_cast<size_t>(i)]; }
  const std::vector<std::string>& Items() const { return items_; }
  void AddItem(const std::string& line);
  void DeleteItem(int index);
  void Clear();
  // -1 when nothing is selected.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

class TStatusBar : public TControl {
 public:
  TStatusBar(TComponent* parent, std::string name)
      : TControl(parent, "TStatusBar", std::move(name)) {}
  bool SimplePanel = true;
  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& text);

 private:
  std::string simpleText_;
};
