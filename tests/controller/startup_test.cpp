#include <sys/stat.h>

#include <thread>

#include "agent_fixture.h"
#include "platform/ini_file.h"

class Startup : public AgentFixture {};

TEST_F(Startup, LogsEachStepInOrder) {
  WriteIni("[Set]\r\nPort=COM2:19200,N,8,1\r\n");
  Start();
  const std::vector<std::string> expected = {
      "---- Start Vesta Agent ----", "-OK- TCP/IP server open",
      "-OK- Serial port open: COM2:19200,N,8,1", "!Err Mail gateway not available"};
  ASSERT_EQ(LogLines().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(LogLines()[i].substr(12), expected[i]);
  EXPECT_TRUE(form_->Visible());
  EXPECT_TRUE(form_->TimerTick.Enabled());
  EXPECT_EQ(form_->RequestQueue()->Keys(), (std::vector<std::string>{"C", "I", "x", "V"}));
  EXPECT_EQ(line_->Settings.BaudRate, 19200);
}

TEST_F(Startup, AMissingSettingsFileWarnsOnceAndRunsOnDefaults) {
  Start();
  ASSERT_EQ(backend_.MessageBoxes.size(), 1u);
  EXPECT_EQ(backend_.MessageBoxes[0].Type, mtWarning);
  EXPECT_NE(backend_.MessageBoxes[0].Text.find("settings file"), std::string::npos);
  EXPECT_EQ(form_->FPortSettings, "COM2:19200,N,8,1");
  EXPECT_EQ(form_->ServerSocket1.Port, 1234);
  EXPECT_EQ(form_->TimerTick.Interval(), 100);
  EXPECT_EQ(form_->FCacheSize, 110);
  EXPECT_TRUE(line_->Open) << "COM2 is /dev/ttyS1";
  struct stat st {};
  EXPECT_NE(stat(IniPath().c_str(), &st), 0) << "the file is not created";
}

TEST_F(Startup, ReadsTheSettingsTable) {
  WriteIni("[set]\r\nipport=4321\r\nMaxCache=0\r\nUctFile=  BILL.TXT  \r\nReadUct=0\r\n"
           "[Log]\r\nTCP/IP_In=0\r\nCom_Out=7\r\nExtent=yes\r\n"
           "[Timer]\r\nInterval=50\r\nMaxTick=abc\r\nMaxError=3\r\n"
           "[Prefix]\r\n0=00420\r\n9=\r\n");
  Start();
  EXPECT_EQ(form_->ServerSocket1.Port, 4321);
  EXPECT_EQ(form_->FCacheSize, 0);
  EXPECT_EQ(form_->UctFile, "BILL.TXT");
  EXPECT_FALSE(form_->ReadUct);
  EXPECT_FALSE(form_->TCPIP_In);
  EXPECT_TRUE(form_->Com_Out) << "any number but 0 is true";
  EXPECT_FALSE(form_->Extent) << "not a number: the default";
  EXPECT_EQ(form_->TimerTick.Interval(), 50);
  EXPECT_EQ(form_->MaxTick, 9);
  EXPECT_EQ(form_->MaxError, 3);
  EXPECT_EQ(form_->FPrefixes.Lines, (std::vector<std::string>{"0=00420", "9="}));
}

TEST_F(Startup, ABadPortOrTakenTcpPortIsLoggedAndTheAgentRunsOn) {
  struct Case {
    std::string port;
    std::string expectedLine;
  };
  const Case cases[] = {
      {"COM7:19200,N,8,1", "!Err Serial port could not be opened: COM7:19200,N,8,1"},
      {"COM0:19200,N,8,1", "!Err Serial port could not be opened: COM0:19200,N,8,1"},
      {"/dev/nothing-here:9600,N,8,1", "!Err Serial port could not be opened: /dev/nothing-here"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.port);
    form_.reset();
    WriteIni("[Set]\r\nPort=" + c.port + "\r\n");
    Start();
    EXPECT_EQ(CountLines(c.expectedLine), 1);
    EXPECT_FALSE(form_->CommPax1->Enabled());
    Advance(1000);
    EXPECT_TRUE(frames_.empty()) << "nothing is transmitted while the port is closed";
  }
}

TEST_F(Startup, APortStringWithoutColonChangesNothing) {
  WriteIni("[Set]\r\nPort=COM3\r\n");
  Start();
  EXPECT_EQ(form_->CommPax1->DeviceName(), "Com2");
  EXPECT_TRUE(line_->Open);
}

TEST_F(Startup, ATakenTcpPortIsLoggedAndPollingStillRuns) {
  backend_.Network().TakenPorts.push_back(1234);
  WriteIni("[Set]\r\n");
  Start();
  EXPECT_EQ(CountLines("!Err TCP/IP server could not be opened"), 1);
  EXPECT_FALSE(form_->ServerSocket1.Active());
  Advance(100);
  EXPECT_EQ(frames_.size(), 1u);
}

TEST_F(Startup, AGarbledSettingsFileGivesDefaults) {
  WriteIni("\x01\x02garbage\xff\xfe\r\n[Set]\r\nPort\r\nIPPort=12ab\r\n=x\r\nMaxCache=\r\n");
  Start();
  EXPECT_EQ(form_->FPortSettings, "COM2:19200,N,8,1");
  EXPECT_EQ(form_->ServerSocket1.Port, 1234);
  EXPECT_EQ(form_->FCacheSize, 110);
  EXPECT_TRUE(backend_.MessageBoxes.empty()) << "the file exists";
  EXPECT_TRUE(form_->TimerTick.Enabled());
}

TEST_F(Startup, HideStartsInTheTrayAndRetriesWhileNoTrayIsThere) {
  WriteIni("[Set]\r\n");
  backend_.TrayAvailable = false;
  Start({"/hide"});
  EXPECT_FALSE(form_->Visible());
  Advance(300);
  EXPECT_EQ(backend_.TrayAddCalls, 3);
  EXPECT_FALSE(form_->FInTray);
  backend_.TrayAvailable = true;
  Advance(100);
  EXPECT_TRUE(form_->FInTray);
  EXPECT_FALSE(form_->FHideAtStart);
  EXPECT_EQ(backend_.TrayTip, "Vesta Agent");
  Advance(500);
  EXPECT_EQ(backend_.TrayAddCalls, 4);
}

TEST_F(Startup, HideIsCaseSensitiveAndCountsInAnyPosition) {
  WriteIni("[Set]\r\n");
  Start({"/HIDE", "-hide"});
  EXPECT_TRUE(form_->Visible());
  form_.reset();
  Start({"x", "/hide"});
  EXPECT_FALSE(form_->Visible());
}

TEST_F(Startup, TrayMenuAndClose) {
  WriteIni("[Set]\r\n");
  Start();
  form_->ShowOnTrayClickClick();
  EXPECT_TRUE(form_->FInTray);
  EXPECT_FALSE(form_->Visible());
  form_->WMTrayNotify(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(form_->Visible());
  EXPECT_TRUE(backend_.TrayShown) << "showing the window keeps the icon";
  form_->ShutDownClick();
  EXPECT_TRUE(backend_.Quitting);
  EXPECT_FALSE(form_->TimerTick.Enabled());
  form_->FormDestroy();
  EXPECT_FALSE(backend_.TrayShown);
}

TEST_F(Startup, TrayClicksArriveAsWindowMessagesFromAnyThread) {
  WriteIni("[Set]\r\n");
  Start();
  form_->ShowOnTrayClickClick();
  int popupX = 0, popupY = 0;
  form_->PopupMenu1->OnPopup = [&](int x, int y) {
    popupX = x;
    popupY = y;
  };
  std::thread([&] { backend_.Tray->OnNotify(WM_RBUTTONUP); }).join();
  EXPECT_EQ(popupY, 0) << "nothing happens before the main thread runs the message";
  backend_.RunPending();
  EXPECT_EQ(popupX, 500);
  EXPECT_EQ(popupY, 400 - 25);
  backend_.CursorReadable = false;
  backend_.Tray->OnNotify(WM_RBUTTONUP);
  backend_.RunPending();
  EXPECT_TRUE(form_->Visible()) << "without a cursor position the form is shown";
}

TEST_F(Startup, WithoutATrayHidingKeepsTheWindow) {
  WriteIni("[Set]\r\n");
  backend_.TrayAvailable = false;
  Start();
  form_->ShowOnTrayClickClick();
  EXPECT_TRUE(form_->Visible());
}

TEST_F(Startup, WithoutALanguageFileTextsAreEmptyAndCaptionsStay) {
  std::filesystem::remove(std::filesystem::path(ExePath()).parent_path() / "VAgent.Eng");
  WriteIni("[Set]\r\n");
  Start();
  EXPECT_EQ(form_->Zastavit1->Caption(), "Zastavit");
  EXPECT_EQ(LogLines()[1].substr(12), "-OK- ");
  form_->Zastavit1Click();
  EXPECT_EQ(form_->Zastavit1->Caption(), "Zastavit");
}

TEST_F(Startup, TranslatesMenusAndTicksTheLanguage) {
  WriteIni("[Set]\r\nLang=Eng\r\n");
  Start();
  EXPECT_EQ(form_->MainMenu1->Item(0)->Caption(), "&Agent");
  EXPECT_EQ(form_->Ukonit1->Caption(), "&Exit");
  EXPECT_EQ(form_->Button4->Caption(), "Hide");
  EXPECT_TRUE(form_->Volbajazyka1->Item(2)->Checked());
  EXPECT_FALSE(form_->Volbajazyka1->Item(0)->Checked());
  EXPECT_TRUE(form_->N19200->Checked());
}
