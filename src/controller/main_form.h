#pragma once
// TMainForm: the agent's controller. It owns the packet link, the server
// socket, the timers, the event log and, through one reference each, the
// codec and the language support; it runs the polling cycle.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "codec/data.h"
#include "controller/billing_list.h"
#include "controller/request_queue.h"
#include "language/nls.h"
#include "link/commpax.h"
#include "platform/backend.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/server_socket.h"
#include "platform/string_list.h"
#include "platform/timer.h"

class ITrayIcon;

enum TLinkState { lsIdle = 0, lsWaitReply = 1, lsLinkDown = 2, lsResend = 5, lsWaitClient = 20 };

struct TSendZal {
  static constexpr int kMaxData = 1003;
  std::string Tag;
  std::string Text;
  int32_t Length = 0;
  uint8_t PacketNumber = 0;
  uint8_t Data[kMaxData] = {};
};

enum TTrayMessage { NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2 };
// The tray icon's callback message; the mouse event comes in LParam.
constexpr unsigned WM_TRAYNOTIFY = WM_APP + 100;
constexpr int kTrayIconId = 1006;
enum TTrapKind { trapFailure = 1, trapRecovery = 2 };

struct TMainFormOptions {
  // Every event-log line is also printed to standard output.
  bool ConsoleEcho = false;
  // Started with "/service": the form stays hidden.
  bool RunAsService = false;
};

class TMainForm : public TForm {
 public:
  explicit TMainForm(TMainFormOptions options = {});
  ~TMainForm() override;

  // Start-up and shutdown.
  void FormCreate();
  void FormClose(TCloseAction& action);
  void FormDestroy();

  // Event log.
  void LogEvent(const std::string& tag, const std::string& text);
  void ShowStatus(const std::string& tag, const std::string& text);
  bool WriteIniString(const std::string& section, const std::string& key, const std::string& value);

  // Tray icon.
  bool TrayMessage(TTrayMessage message);
  int TrayIcon() const;
  std::string TrayTip();
  void WMTrayNotify(int mouseEvent);
  // The form's message map.
  void WndProc(TMessage& message);
  void UpdateMenuChecks();

  // Menu handlers.
  void ShowOnTrayClickClick();
  void ShutDownClick();
  void Zastavit1Click();
  void ShowOnClick();
  void FormResize();

  // Request queue and polling cycle.
  bool QueueRequest(char letter, int owner = 0, const uint8_t* bytes = nullptr, int length = 0);
  void ClearRequestQueue();
  void QueueInitialRequests();
  void StorePendingRequest(char letter, const uint8_t* bytes, int length, int owner);
  std::unique_ptr<TRequestRecord> TakePendingRequest(int packetNumber);
  void TransmitPacket(const std::string& tag, const std::string& text, const uint8_t* bytes,
                      int length);
  void RetransmitLastPacket();
  void TimerTickTimer();

  // Periodic requests and the billing download.
  void TimerANTimer();
  void TimerSWTimer();
  void TimerSMSTimer();
  void TimerMSGTimer();
  void TimerURTimer();
  void TimerShortsTimer();
  void CheckAnTimeOut();
  void CheckSwTimeOut();
  void HandleBillingReply(const uint8_t* payload, int n);

  // Replies from the exchange.
  void CommPax1RxPacket(TCommPax& sender, int count, const uint8_t* data);
  void CommPax1RxChr(TCommPax& sender, uint8_t chr);
  void HandleConfigReply(uint8_t* payload, int n);
  void HandleInfoReply(uint8_t* payload, int n);
  void HandleMailboxListReply(uint8_t* payload, int n);

  // Alarms to the mail gateway; the gateway sets the sink when it runs.
  void SendTrap(TTrapKind kind);
  std::function<void(TTrapKind)> TrapSink;

  std::string Text(int number) const { return FNls->GetText(number); }
  const std::string& SettingsFileName() const { return FIniFileName; }
  const TRequestQueue* RequestQueue() const { return FRequestQueue.get(); }
  const TPendingRequests* PendingRequests() const { return FPendingRequests.get(); }

  // --- components ---
  std::unique_ptr<TCommPax> CommPax1;
  TServerSocket ServerSocket1;
  TTimer TimerTick{100}, TimerAN{600}, TimerMSG{11000}, TimerSMS{5000}, TimerUR{1000},
      TimerSW{600}, TimerShorts{40000};
  TListBox* ListBox1 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TButton* Button4 = nullptr;
  TMenu* MainMenu1 = nullptr;
  TMenu* PopupMenu1 = nullptr;
  TMenuItem *ShowOnTrayClick = nullptr, *Zastavit1 = nullptr, *Ukonit1 = nullptr,
            *Ukonit2 = nullptr, *Zobrazit1 = nullptr, *Volbajazyka1 = nullptr,
            *N57600 = nullptr, *N38400 = nullptr, *N19200 = nullptr, *N9600 = nullptr,
            *DESK1 = nullptr, *Callcentrum1 = nullptr;

  // --- settings ---
  std::string FPortSettings = "COM2:19200,N,8,1";
  bool Com_In = true, Com_PureIn = true, Com_Out = false, Com_LocOut = false;
  bool TCPIP_In = true, TCPIP_Out = false, Extent = false;
  int ANTimeOut = 10, SWTimeOut = 10, URInterval = 1000, URIntervalBezDat = 3000;
  int MaxTick = 9, MaxError = 6, MaxErrorTick = 600;
  int FCacheSize = 110;
  bool ReadUct = true, SendUct = false;
  std::string UctFile = "DATA.NEW";
  bool FDeskEnabled = false;
  bool FDeskActive = false;
  TStringList FPrefixes;
  bool FHideAtStart = false;
  bool FInTray = false;
  int FTrayIconState = 0;

  // When a client last asked for the port states and the short status.
  TDateTime FAnAskedAt = 0, FSwAskedAt = 0;
  TBillingList FBillingList;

  // --- polling cycle ---
  int FLinkState = lsIdle;
  int FTickCount = 0;
  int FErrorCount = 0;
  bool FLinkFailed = false;
  TSendZal FLastSent;
  uint8_t PacketCounter = 1;
  bool TickBusy = false;

  // --- owned objects ---
  std::unique_ptr<TNLS> FNls;
  std::unique_ptr<TData> FData;

 private:
  void BuildComponents();
  void BuildMainMenu();
  void BuildPopupMenu();
  void ReadSettings(const TIniFile& ini);
  void TranslateAtStart(bool settingsFileExists);
  void OpenServerSocket();
  void OpenSerialPort();
  void QueueFromTimer(char letter, int noteText);
  void DispatchHead();
  void DispatchOwnRequest(char letter, int value);
  void DispatchSeriesBlock(char letter);
  void DispatchMailboxCounts();
  void DispatchClientRequest(TRequestRecord& record);
  void HandleReply(TRequestRecord& request, const uint8_t* payload, int n);
  void AdvanceWait();
  TModalResult MessageDlg(const std::string& text, const std::string& caption, TMsgDlgType type,
                          TMsgDlgButtons buttons);

  TMainFormOptions options_;
  std::string FIniFileName;
  std::unique_ptr<TRequestQueue> FRequestQueue;
  std::unique_ptr<TPendingRequests> FPendingRequests;
  std::unique_ptr<ITrayIcon> tray_;
  std::string trayTip_;
  bool trayTipTaken_ = false;
  bool created_ = false;
  bool destroyed_ = false;
};

// The one main form; set while it exists.
extern TMainForm* MainForm;
