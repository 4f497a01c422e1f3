#include "platform/component.h"

TComponent::TComponent(TComponent* parent, std::string className, std::string name)
    : className_(std::move(className)), name_(std::move(name)), parent_(parent) {}

TComponent::~TComponent() = default;

TComponent* TComponent::FindChild(const std::string& name) const {
  for (const auto& c : children_) {
    if (c->Name() == name) return c.get();
    if (TComponent* deeper = c->FindChild(name)) return deeper;
  }
  return nullptr;
}

void TComponent::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed(TChange::Caption);
}

void TComponent::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed(TChange::Visible);
}

void TComponent::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed(TChange::Enabled);
}

void TComponent::Changed(TChange change, int index) {
  if (Observer) Observer->ComponentChanged(*this, change, index);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  Left = left;
  Top = top;
  Width = width;
  Height = height;
  Changed(TChange::Bounds);
}
