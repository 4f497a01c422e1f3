#include "platform/qt/qt_tray.h"

#include <QIcon>
#include <QSystemTrayIcon>

QtTrayIcon::QtTrayIcon(bool widgets) : widgets_(widgets) {}
QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::Add() {
  if (!widgets_ || !QSystemTrayIcon::isSystemTrayAvailable()) return false;
  if (!icon_) {
    icon_ = std::make_unique<QSystemTrayIcon>();
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                       if (!OnNotify) return;
                       if (reason == QSystemTrayIcon::DoubleClick) OnNotify(WM_LBUTTONDBLCLK);
                       else if (reason == QSystemTrayIcon::Context) OnNotify(WM_RBUTTONUP);
                     });
  }
  icon_->show();
  return true;
}

bool QtTrayIcon::Modify(int iconIndex, const std::string& tip) {
  if (!icon_) return false;
  static const char* const kIcons[] = {":/icons/tray0.svg", ":/icons/tray1.svg", ":/icons/tray2.svg"};
  icon_->setIcon(iconIndex >= 0 && iconIndex <= 2 ? QIcon(kIcons[iconIndex]) : QIcon());
  icon_->setToolTip(QString::fromStdString(tip));
  return true;
}

bool QtTrayIcon::Remove() {
  if (!icon_) return false;
  icon_->hide();
  icon_.reset();
  return true;
}
