#include "platform/form.h"

#include "platform/application.h"

void TForm::Show() {
  SetVisible(true);
  if (Application) Application->Backend().FormVisibilityChanged(*this);
}

void TForm::Hide() {
  SetVisible(false);
  if (Application) Application->Backend().FormVisibilityChanged(*this);
}

void TForm::Close() {
  if (closing_) return;
  closing_ = true;
  TCloseAction action = IsMainForm ? caFree : caHide;
  if (OnClose) OnClose(action);
  closing_ = false;
  if (action == caNone) return;
  if (IsMainForm && Application) {
    Hide();
    Application->Terminate(0);
  } else if (action == caHide || action == caFree) {
    Hide();
  }
}

void TForm::Resize(int clientWidth, int clientHeight) {
  ClientWidth = clientWidth;
  ClientHeight = clientHeight;
  if (OnResize) OnResize();
}

void TForm::PostMessage(unsigned msg, intptr_t wParam, intptr_t lParam) {
  Application->Backend().Post([this, msg, wParam, lParam] { SendMessage(msg, wParam, lParam); });
}

intptr_t TForm::SendMessage(unsigned msg, intptr_t wParam, intptr_t lParam) {
  TMessage message{msg, wParam, lParam, 0};
  if (OnMessage) OnMessage(message);
  return message.Result;
}
