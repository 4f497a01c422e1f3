#pragma once
// A form: a top-level window holding controls and menus.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/component.h"
#include "platform/menus.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };

constexpr unsigned WM_APP = 0x8000;

// A window message, as the libraries and the tray icon send them.
struct TMessage {
  unsigned Msg = 0;
  intptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

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

  // Thread-safe: the message reaches OnMessage on the main thread.
  void PostMessage(unsigned msg, intptr_t wParam, intptr_t lParam);
  // On the main thread only: OnMessage at once; returns its Result.
  intptr_t SendMessage(unsigned msg, intptr_t wParam, intptr_t lParam);
  // The form's message map.
  std::function<void(TMessage&)> OnMessage;

  bool IsMainForm = false;
  std::function<void(TCloseAction& action)> OnClose;
  std::function<void()> OnResize;
  std::function<void()> OnActivate;

 private:
  bool closing_ = false;
};
