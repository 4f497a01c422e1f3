#pragma once
// A form: a top-level window holding controls and menus.
#include <functional>
#include <string>

#include "platform/component.h"
#include "platform/menus.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };

class TForm : public TControl {
 public:
  explicit TForm(std::string name) : TControl(nullptr, "TForm", std::move(name)) { SetVisible(false); }

  int ClientWidth = 0, ClientHeight = 0;
  TMenu* Menu = nullptr;

  void Show();
  void Hide();
  // Asks OnClose what to do; a main form closed with caFree ends the program.
  void Close();
  // Called by the renderer when the user resizes the window.
  void Resize(int clientWidth, int clientHeight);

  bool IsMainForm = false;
  std::function<void(TCloseAction& action)> OnClose;
  std::function<void()> OnResize;
  std::function<void()> OnActivate;

 private:
  bool closing_ = false;
};
