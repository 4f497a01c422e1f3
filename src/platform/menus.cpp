#include "platform/menus.h"

TMenuItem::TMenuItem(TComponent* parent, std::string name, std::string caption, int tag)
    : TComponent(parent, "TMenuItem", std::move(name)) {
  SetCaption(caption);
  Tag = tag;
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed(TChange::Checked);
}
