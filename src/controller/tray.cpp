// The tray icon, showing and hiding the window, and the "Agent" menu.
#include "controller/main_form.h"
#include "platform/application.h"

namespace {
constexpr size_t kMaxTipLength = 63;

// Without a language file the texts are empty; an item without a caption
// could not be found again.
void SetCaptionUnlessEmpty(TMenuItem& item, const std::string& caption) {
  if (!caption.empty()) item.SetCaption(caption);
}
}  // namespace

int TMainForm::TrayIcon() const {
  return FTrayIconState >= 0 && FTrayIconState <= 2 ? FTrayIconState : -1;
}

std::string TMainForm::TrayTip() {
  if (!trayTipTaken_) {
    trayTip_ = Caption();
    trayTipTaken_ = true;
  }
  return trayTip_;
}

bool TMainForm::TrayMessage(TTrayMessage message) {
  switch (message) {
    case NIM_ADD: return tray_->Add();
    case NIM_MODIFY: return tray_->Modify(TrayIcon(), TrayTip().substr(0, kMaxTipLength));
    case NIM_DELETE: return tray_->Remove();
  }
  return false;
}

void TMainForm::WMTrayNotify(int mouseEvent) {
  if (mouseEvent == WM_LBUTTONDBLCLK) {
    Show();
  } else if (mouseEvent == WM_RBUTTONUP) {
    int x, y;
    if (Application->Backend().CursorPos(x, y)) PopupMenu1->Popup(x, y - 25);
    else Show();
  }
}

void TMainForm::WndProc(TMessage& message) {
  if (message.Msg == WM_TRAYNOTIFY) WMTrayNotify(static_cast<int>(message.LParam));
}

void TMainForm::UpdateMenuChecks() {
  int baud = CommPax1->BaudRate();
  N57600->SetChecked(baud == 57600);
  N38400->SetChecked(baud == 38400);
  N19200->SetChecked(baud == 19200);
  N9600->SetChecked(baud == 9600);
  DESK1->SetChecked(FDeskEnabled);
  Callcentrum1->SetVisible(FDeskActive);
}

void TMainForm::ShowOnTrayClickClick() {
  if (!FInTray && TrayMessage(NIM_ADD)) {
    TrayMessage(NIM_MODIFY);
    FInTray = true;
  }
  // Without a notification area nothing could bring the window back.
  if (FInTray) Hide();
}

void TMainForm::ShutDownClick() {
  FInTray = false;
  Close();
}

void TMainForm::ShowOnClick() { Show(); }

void TMainForm::Zastavit1Click() {
  if (TimerTick.Enabled()) {
    TimerTick.SetEnabled(false);
    SetCaptionUnlessEmpty(*Zastavit1, Text(135));
  } else {
    TimerTick.SetEnabled(true);
    SetCaptionUnlessEmpty(*Zastavit1, Text(136));
  }
}
