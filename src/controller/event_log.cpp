// The event log: the list of lines and the status bar.
#include <cstdio>

#include "controller/main_form.h"
#include "platform/application.h"
#include "platform/ini_file.h"

namespace {
constexpr int kMaxLogLines = 500;

std::string LogTimeText(TDateTime now) {
  TimeOfDay t = DecodeTime(now);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%d", t.Hour, t.Minute, t.Second,
                t.Millisecond / 100);
  return buf;
}
}  // namespace

void TMainForm::ShowStatus(const std::string& tag, const std::string& text) {
  StatusBar1->SetSimpleText(tag + "     " + text);
}

void TMainForm::LogEvent(const std::string& tag, const std::string& text) {
  ShowStatus(tag, text);
  std::string line = LogTimeText(Application->Now()) + "  " + tag + " " + text;
  bool following = ListBox1->ItemIndex() == ListBox1->Count() - 1;
  ListBox1->AddItem(line);
  if (following) ListBox1->SetItemIndex(ListBox1->Count() - 1);
  if (ListBox1->Count() > kMaxLogLines) {
    int selected = ListBox1->ItemIndex();
    ListBox1->SetItemIndex(-1);
    ListBox1->DeleteItem(0);
    ListBox1->SetItemIndex(selected - 1);
  }
  if (options_.ConsoleEcho) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
}

bool TMainForm::WriteIniString(const std::string& section, const std::string& key,
                               const std::string& value) {
  TIniFile ini(FIniFileName);
  return ini.WriteString(section, key, value);
}
