// Start-up, settings file and shutdown of the main form.
#include <cstdio>

#include "controller/main_form.h"
#include "platform/application.h"
#include "platform/ini_file.h"
#include "platform/system_log.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(TMainFormOptions options) : TForm("MainForm"), options_(options) {
  IsMainForm = true;
  MainForm = this;
  BuildComponents();
  CommPax1 = std::make_unique<TCommPax>([](const std::string& path, int& error) {
    return Application->Backend().OpenSerial(path, error);
  });
  CommPax1->SetDeviceName("Com2");
  CommPax1->MaxPacketSize = 512;
  CommPax1->OnRxPacket = [this](TCommPax& s, int count, const uint8_t* data) {
    CommPax1RxPacket(s, count, data);
  };
  CommPax1->OnRxChr = [this](TCommPax& s, uint8_t chr) { CommPax1RxChr(s, chr); };
  TimerTick.OnTimer = [this] { TimerTickTimer(); };
  TimerAN.OnTimer = [this] { TimerANTimer(); };
  TimerSW.OnTimer = [this] { TimerSWTimer(); };
  TimerSMS.OnTimer = [this] { TimerSMSTimer(); };
  TimerMSG.OnTimer = [this] { TimerMSGTimer(); };
  TimerUR.OnTimer = [this] { TimerURTimer(); };
  TimerShorts.OnTimer = [this] { TimerShortsTimer(); };
  FNls = std::make_unique<TNLS>(ExtractFileDir(Application->ExeName));
  tray_ = Application->Backend().CreateTrayIcon();
  OnMessage = [this](TMessage& message) { WndProc(message); };
  tray_->OnNotify = [this](int mouseEvent) { PostMessage(WM_TRAYNOTIFY, kTrayIconId, mouseEvent); };
}

TMainForm::~TMainForm() {
  FormDestroy();
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::ReadSettings(const TIniFile& ini) {
  FPortSettings = ini.ReadString("Set", "Port", "COM2:19200,N,8,1");
  ServerSocket1.Port = ini.ReadInteger("Set", "IPPort", 1234);
  Com_In = ini.ReadBool("Log", "Com_In", true);
  Com_PureIn = ini.ReadBool("Log", "Com_PureIn", true);
  Com_Out = ini.ReadBool("Log", "Com_Out", false);
  Com_LocOut = ini.ReadBool("Log", "Com_LocOut", false);
  TCPIP_In = ini.ReadBool("Log", "TCP/IP_In", true);
  TCPIP_Out = ini.ReadBool("Log", "TCP/IP_Out", false);
  Extent = ini.ReadBool("Log", "Extent", false);
  TimerTick.SetInterval(ini.ReadInteger("Timer", "Interval", 100));
  TimerAN.SetInterval(ini.ReadInteger("Timer", "ANInterval", 600));
  ANTimeOut = ini.ReadInteger("Timer", "ANTimeOut", 10);
  TimerSMS.SetInterval(ini.ReadInteger("Timer", "TrapInterval", 5000));
  TimerMSG.SetInterval(ini.ReadInteger("Timer", "MSGInterval", 11000));
  URInterval = ini.ReadInteger("Timer", "URInterval", 1000);
  TimerUR.SetInterval(URInterval);
  URIntervalBezDat = ini.ReadInteger("Timer", "URIntervalBezDat", 3000);
  TimerSW.SetInterval(ini.ReadInteger("Timer", "SWInterval", 600));
  SWTimeOut = ini.ReadInteger("Timer", "SWTimeOut", 10);
  TimerShorts.SetInterval(ini.ReadInteger("Timer", "Shorts", 40000));
  MaxTick = ini.ReadInteger("Timer", "MaxTick", 9);
  MaxError = ini.ReadInteger("Timer", "MaxError", 6);
  MaxErrorTick = ini.ReadInteger("Timer", "MaxErrorTick", 600);
  FCacheSize = ini.ReadInteger("Set", "MaxCache", 110);
  ReadUct = ini.ReadBool("Set", "ReadUct", true);
  SendUct = ini.ReadBool("Set", "SendUct", false);
  UctFile = ini.ReadString("Set", "UctFile", "DATA.NEW");
  FDeskEnabled = ini.ReadBool("Set", "DESK", false);
  ini.ReadSectionValues("Prefix", FPrefixes);
}

void TMainForm::TranslateAtStart(bool settingsFileExists) {
  if (!settingsFileExists) {
    FNls->OpenFile();
    FNls->LoadTexts();
    MessageDlg(Text(122), Text(123), mtWarning, mbOK);
    FNls->CloseFile();
  }
  FNls->OpenFile();
  FNls->TranslateForm(*this, false);
  FNls->TranslateMenu(*MainMenu1);
  FNls->TranslateMenu(*PopupMenu1);
  FNls->LoadTexts();
  FNls->CloseFile();
  for (int i = 0; i < Volbajazyka1->Count(); ++i)
    if (Volbajazyka1->Item(i)->Caption() == FNls->Language()) Volbajazyka1->Item(i)->SetChecked(true);
}

void TMainForm::FormCreate() {
  created_ = true;
  LogEvent("----", "Start Vesta Agent ----");
  if (options_.RunAsService) ReportSystemEvent("Start", TEventType::Information);
  for (const auto& param : Application->Params())
    if (param == "/hide") FHideAtStart = true;
  if (!FHideAtStart && !options_.RunAsService) Show();

  FIniFileName = ChangeFileExt(Application->ExeName, ".INI");
  TIniFile ini(FIniFileName);
  FNls->FLanguage = ini.ReadString("Set", "Lang", "Eng");
  TranslateAtStart(ini.FileExists());
  ReadSettings(ini);

  OpenServerSocket();
  OpenSerialPort();
  FPendingRequests = std::make_unique<TPendingRequests>();
  FRequestQueue = std::make_unique<TRequestQueue>();
  QueueInitialRequests();
  if (FCacheSize < 0) FCacheSize = 0;

  FData = std::make_unique<TData>(TDataHooks{
      [] { return Application->Now(); }, nullptr,
      [this] {
        TimerShorts.SetEnabled(false);
        TimerShorts.SetEnabled(true);
      },
      [this](int n) { return Text(n); }});

  // The mail gateway is not part of this build: it is reported as not ready.
  LogEvent("!Err", Text(127));
  if (options_.RunAsService) ReportSystemEvent(Text(127), TEventType::Error);

  TimerTick.SetEnabled(true);
  Application->OnActiveFormChange = [this] { UpdateMenuChecks(); };
  UpdateMenuChecks();
}

void TMainForm::OpenServerSocket() {
  try {
    ServerSocket1.Open();
    LogEvent("-OK-", Text(119));
  } catch (const ESocketError& e) {
    std::string status = Text(120) + e.what();
    StatusBar1->SetSimpleText(status);
    LogEvent("!Err", Text(121));
    if (options_.RunAsService) ReportSystemEvent(status, TEventType::Error);
  }
}

void TMainForm::OpenSerialPort() {
  try {
    // The port is closed at start-up, so Set applies the whole string.
    CommPax1->Set(FPortSettings);
    CommPax1->Open();
    LogEvent("-OK-", Text(124) + FPortSettings);
  } catch (const ECommError& e) {
    std::string status = Text(125) + FPortSettings;
    StatusBar1->SetSimpleText(status);
    LogEvent("!Err", status);
    // Why it failed goes to the diagnostics.
    std::fprintf(stderr, "vesta-agent: %s: %s\n", FPortSettings.c_str(), e.what());
    if (options_.RunAsService) ReportSystemEvent(status, TEventType::Error);
  }
}

void TMainForm::FormClose(TCloseAction& action) {
  TimerTick.SetEnabled(false);
  action = caFree;
}

void TMainForm::FormDestroy() {
  if (destroyed_ || !created_) return;
  destroyed_ = true;
  Application->OnActiveFormChange = nullptr;
  if (FData) {
    FData->ClearMailboxCounts();
    uint8_t payload[kCodecBufferSize];
    int length = FData->MailboxCountsData(payload);
    TransmitPacket(">COM", Text(133), payload, length);
  }
  TrayMessage(NIM_DELETE);
  for (TTimer* t : {&TimerTick, &TimerAN, &TimerSMS, &TimerMSG, &TimerSW}) t->SetEnabled(false);
  if (FPendingRequests) FPendingRequests->Clear();
  FPendingRequests.reset();
  FRequestQueue.reset();
  if (CommPax1->Enabled()) CommPax1->Close();
  ListBox1->Clear();
  if (ServerSocket1.Active()) ServerSocket1.Close();
  FData.reset();
}

TModalResult TMainForm::MessageDlg(const std::string& text, const std::string& caption,
                                   TMsgDlgType type, TMsgDlgButtons buttons) {
  if (!Application->Headless) return Application->Backend().MessageBox(text, caption, type, buttons);
  // Nobody can answer: the box goes to the event log and its default
  // button (the first) answers.
  LogEvent("-MSG", caption + ": " + text);
  return buttons == mbYesNo ? mrYes : mrOK;
}
