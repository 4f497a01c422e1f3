#pragma once
// The tray icon over QSystemTrayIcon; unavailable without widgets or
// without a notification area.
#include <memory>

#include "platform/backend.h"

class QSystemTrayIcon;

class QtTrayIcon final : public ITrayIcon {
 public:
  explicit QtTrayIcon(bool widgets);
  ~QtTrayIcon() override;
  bool Add() override;
  bool Modify(int iconIndex, const std::string& tip) override;
  bool Remove() override;

 private:
  bool widgets_;
  std::unique_ptr<QSystemTrayIcon> icon_;
};
