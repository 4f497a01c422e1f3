#pragma once
// Menus: a main menu bar or popup menu holding items that may hold items.
#include <functional>
#include <string>

#include "platform/component.h"

class TMenuItem : public TComponent {
 public:
  TMenuItem(TComponent* parent, std::string name, std::string caption, int tag = 0);

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Default = false;
  bool RadioItem = false;
  std::function<void(TMenuItem& sender)> OnClick;

  TMenuItem* AddItem(std::string name, std::string caption, int tag = 0) {
    return Add<TMenuItem>(std::move(name), std::move(caption), tag);
  }
  int Count() const { return ChildCount(); }
  TMenuItem* Item(int i) const { return static_cast<TMenuItem*>(Child(i)); }
  void Click() {
    if (OnClick && Enabled()) OnClick(*this);
  }

 private:
  bool checked_ = false;
};

// TMainMenu and TPopupMenu: the root's children are the menu's items.
class TMenu : public TComponent {
 public:
  TMenu(TComponent* parent, std::string className, std::string name)
      : TComponent(parent, std::move(className), std::move(name)) {}
  TMenuItem* AddItem(std::string name, std::string caption, int tag = 0) {
    return Add<TMenuItem>(std::move(name), std::move(caption), tag);
  }
  int Count() const { return ChildCount(); }
  TMenuItem* Item(int i) const { return static_cast<TMenuItem*>(Child(i)); }
  // Where a popup menu is to be opened; the renderer opens it there.
  std::function<void(int x, int y)> OnPopup;
  void Popup(int x, int y) {
    if (OnPopup) OnPopup(x, y);
  }
};
