#pragma once
// The retained component model: a tree of components with the class names,
// Tags and captions the system uses. A renderer may watch any component
// through its observer; the model itself knows nothing about widgets.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TComponent;

enum class TChange { Caption, Visible, Checked, Enabled, Items, ItemAdded, ItemDeleted,
                     ItemsCleared, ItemIndex, Text, Bounds };

class IComponentObserver {
 public:
  virtual ~IComponentObserver() = default;
  virtual void ComponentChanged(TComponent& component, TChange change, int index) = 0;
};

class TComponent {
 public:
  TComponent(TComponent* parent, std::string className, std::string name);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& ClassName() const { return className_; }
  const std::string& Name() const { return name_; }
  TComponent* Parent() const { return parent_; }
  const std::vector<std::unique_ptr<TComponent>>& Children() const { return children_; }
  int ChildCount() const { return static_cast<int>(children_.size()); }
  TComponent* Child(int i) const { return children_[static_cast<size_t>(i)].get(); }
  TComponent* FindChild(const std::string& name) const;

  int Tag = 0;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  IComponentObserver* Observer = nullptr;

  // Creates a child of type T owned by this component.
  template <typename T, typename... Args>
  T* Add(Args&&... args) {
    auto child = std::make_unique<T>(this, std::forward<Args>(args)...);
    T* raw = child.get();
    children_.push_back(std::move(child));
    return raw;
  }

 protected:
  void Changed(TChange change, int index = -1);

 private:
  std::string className_;
  std::string name_;
  TComponent* parent_;
  std::vector<std::unique_ptr<TComponent>> children_;
  std::string caption_;
  bool visible_ = true;
  bool enabled_ = true;
};

// A visual control placed in its parent's client area.
class TControl : public TComponent {
 public:
  using TComponent::TComponent;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  void SetBounds(int left, int top, int width, int height);
};

class TButton : public TControl {
 public:
  TButton(TComponent* parent, std::string name, std::string className = "TButton")
      : TControl(parent, std::move(className), std::move(name)) {}
  std::function<void()> OnClick;
  void Click() {
    if (OnClick && Enabled()) OnClick();
  }
};

class TLabel : public TControl {
 public:
  TLabel(TComponent* parent, std::string name) : TControl(parent, "TLabel", std::move(name)) {}
};
