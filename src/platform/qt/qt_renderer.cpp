#include "platform/qt/qt_renderer.h"

#include <QCloseEvent>
#include <QFont>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QLabel>
#include <QResizeEvent>
#include <QStatusBar>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/menus.h"

namespace {

// Delphi captions mark the access key with '&', as Qt does.
QString Caption(const TComponent& c) { return QString::fromStdString(c.Caption()); }

// Keeps one widget in step with its component.
class View : public IComponentObserver {
 public:
  View(TComponent& component, QObject* target) : component_(component), target_(target) {
    component_.Observer = this;
  }
  ~View() override {
    if (component_.Observer == this) component_.Observer = nullptr;
  }
  void ComponentChanged(TComponent& c, TChange change, int index) override { Apply(c, change, index); }

 private:
  void Apply(TComponent& c, TChange change, int index);
  TComponent& component_;
  QObject* target_;
};

void ApplyListBox(TListBox& box, QListWidget& list, TChange change, int index) {
  switch (change) {
    case TChange::ItemAdded: list.addItem(QString::fromStdString(box.Item(index))); break;
    case TChange::ItemDeleted: delete list.takeItem(index); break;
    case TChange::ItemsCleared: list.clear(); break;
    case TChange::ItemIndex:
      if (index < 0) {
        list.clearSelection();
      } else {
        list.setCurrentRow(index);
        list.scrollToItem(list.item(index));
      }
      break;
    default: break;
  }
}

void View::Apply(TComponent& c, TChange change, int index) {
  if (auto* action = qobject_cast<QAction*>(target_)) {
    auto& item = static_cast<TMenuItem&>(c);
    action->setText(Caption(item));
    action->setVisible(item.Visible());
    action->setEnabled(item.Enabled());
    action->setChecked(item.Checked());
    return;
  }
  if (auto* list = qobject_cast<QListWidget*>(target_)) {
    ApplyListBox(static_cast<TListBox&>(c), *list, change, index);
  } else if (auto* bar = qobject_cast<QStatusBar*>(target_)) {
    bar->showMessage(QString::fromStdString(static_cast<TStatusBar&>(c).SimpleText()));
  } else if (auto* button = qobject_cast<QAbstractButton*>(target_)) {
    button->setText(Caption(c));
  } else if (auto* label = qobject_cast<QLabel*>(target_)) {
    label->setText(Caption(c));
  }
  if (auto* widget = qobject_cast<QWidget*>(target_)) {
    if (change == TChange::Visible) widget->setVisible(c.Visible());
    if (change == TChange::Enabled) widget->setEnabled(c.Enabled());
    if (change == TChange::Bounds) {
      auto& control = static_cast<TControl&>(c);
      widget->setGeometry(control.Left, control.Top, control.Width, control.Height);
    }
  }
}

}  // namespace

class FormWindow : public QMainWindow {
 public:
  explicit FormWindow(TForm& form) : form_(form) {
    setWindowTitle(Caption(form));
    auto* client = new QWidget(this);
    setCentralWidget(client);
    for (const auto& child : form.Children()) Build(*child, client);
    resize(form.ClientWidth, form.ClientHeight + menuBar()->sizeHint().height() + 24);
  }
  ~FormWindow() override { views_.clear(); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    // The form decides; the window goes when the form hides it.
    event->ignore();
    form_.Close();
  }
  void changeEvent(QEvent* event) override {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && form_.OnActivate)
      form_.OnActivate();
  }
  void resizeEvent(QResizeEvent* event) override {
    QMainWindow::resizeEvent(event);
    form_.Resize(centralWidget()->width(), centralWidget()->height());
  }

 private:
  void Watch(TComponent& c, QObject* target) { views_.push_back(std::make_unique<View>(c, target)); }

  void Build(TComponent& c, QWidget* client) {
    const std::string& cls = c.ClassName();
    if (cls == "TListBox") BuildListBox(static_cast<TListBox&>(c), client);
    else if (cls == "TStatusBar") BuildStatusBar(static_cast<TStatusBar&>(c));
    else if (cls == "TButton" || cls == "TBitBtn") BuildButton(static_cast<TButton&>(c), client);
    else if (cls == "TLabel") BuildLabel(static_cast<TControl&>(c), client);
    else if (cls == "TMainMenu") BuildMenu(c, menuBar());
    else if (cls == "TPopupMenu") BuildPopup(static_cast<TMenu&>(c));
  }

  void Place(QWidget* w, TControl& c) {
    w->setGeometry(c.Left, c.Top, c.Width, c.Height);
    w->setVisible(c.Visible());
  }

  void BuildListBox(TListBox& box, QWidget* client) {
    auto* list = new QListWidget(client);
    QFont font(QString::fromStdString(box.FontName));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(box.FontHeight);
    list->setFont(font);
    list->setUniformItemSizes(true);
    for (const auto& line : box.Items()) list->addItem(QString::fromStdString(line));
    if (box.ItemIndex() >= 0) list->setCurrentRow(box.ItemIndex());
    // A selection by the user goes back to the model (it stops the log
    // from following its end).
    QObject::connect(list, &QListWidget::currentRowChanged, [&box](int row) {
      if (row != box.ItemIndex()) box.SetItemIndex(row);
    });
    Place(list, box);
    Watch(box, list);
  }

  void BuildStatusBar(TStatusBar& bar) {
    statusBar()->showMessage(QString::fromStdString(bar.SimpleText()));
    Watch(bar, statusBar());
  }

  void BuildButton(TButton& button, QWidget* client) {
    auto* b = new QPushButton(Caption(button), client);
    QObject::connect(b, &QPushButton::clicked, [&button] { button.Click(); });
    Place(b, button);
    Watch(button, b);
  }

  void BuildLabel(TControl& label, QWidget* client) {
    auto* l = new QLabel(Caption(label), client);
    Place(l, label);
    Watch(label, l);
  }

  void BuildItems(TComponent& parent, QMenu* menu) {
    for (const auto& child : parent.Children()) {
      auto& item = static_cast<TMenuItem&>(*child);
      QAction* action;
      if (item.Count() > 0) {
        QMenu* sub = menu->addMenu(Caption(item));
        BuildItems(item, sub);
        action = sub->menuAction();
      } else {
        action = menu->addAction(Caption(item));
        action->setCheckable(true);
        QObject::connect(action, &QAction::triggered, [&item, action] {
          action->setChecked(item.Checked());
          item.Click();
        });
      }
      action->setChecked(item.Checked());
      action->setVisible(item.Visible());
      action->setEnabled(item.Enabled());
      if (item.Default) {
        QFont f = action->font();
        f.setBold(true);
        action->setFont(f);
      }
      Watch(item, action);
    }
  }

  void BuildMenu(TComponent& menu, QMenuBar* bar) {
    for (const auto& child : menu.Children()) {
      auto& top = static_cast<TMenuItem&>(*child);
      QMenu* m = bar->addMenu(Caption(top));
      BuildItems(top, m);
      Watch(top, m->menuAction());
    }
  }

  void BuildPopup(TMenu& popup) {
    auto* menu = new QMenu(this);
    BuildItems(popup, menu);
    popup.OnPopup = [menu](int x, int y) { menu->popup(QPoint(x, y)); };
  }

  TForm& form_;
  std::vector<std::unique_ptr<View>> views_;
};

QtRenderer::QtRenderer() = default;
QtRenderer::~QtRenderer() = default;

void QtRenderer::FormVisibilityChanged(TForm& form) {
  auto& window = windows_[&form];
  if (!window) window = std::make_unique<FormWindow>(form);
  window->setWindowTitle(Caption(form));
  if (form.Visible()) {
    window->show();
    window->raise();
    window->activateWindow();
  } else {
    window->hide();
  }
}
