// The main form's components, as its form resource lays them out.
#include "controller/main_form.h"
#include "platform/application.h"

void TMainForm::BuildComponents() {
  Tag = 1001;
  SetCaption("Vesta Agent");
  ClientWidth = 640;
  ClientHeight = 420;
  ListBox1 = Add<TListBox>("ListBox1");
  ListBox1->SetBounds(7, 0, ClientWidth - 16, ClientHeight - 70);
  Button4 = Add<TButton>("Button4");
  Button4->Tag = 101;
  Button4->SetCaption("Skrýt");
  Button4->SetBounds(ClientWidth - 8 - 75, ListBox1->Height + 8, 75, 25);
  Button4->OnClick = [this] { ShowOnTrayClickClick(); };
  StatusBar1 = Add<TStatusBar>("StatusBar1");
  BuildMainMenu();
  BuildPopupMenu();
  OnResize = [this] { FormResize(); };
  OnClose = [this](TCloseAction& action) { FormClose(action); };
  OnActivate = [] { Application->HelpFile = "AGENT.HLP"; };
}

void TMainForm::BuildMainMenu() {
  MainMenu1 = Add<TMenu>("TMainMenu", "MainMenu1");
  Menu = MainMenu1;
  TMenuItem* agent = MainMenu1->AddItem("Agent1", "&Agent", 100);
  ShowOnTrayClick = agent->AddItem("ShowOnTrayClick", "&Skrýt", 101);
  ShowOnTrayClick->OnClick = [this](TMenuItem&) { ShowOnTrayClickClick(); };
  Zastavit1 = agent->AddItem("Zastavit1", "Zastavit", 103);
  Zastavit1->OnClick = [this](TMenuItem&) { Zastavit1Click(); };
  Ukonit1 = agent->AddItem("Ukonit1", "&Ukončit", 102);
  Ukonit1->OnClick = [this](TMenuItem&) { ShutDownClick(); };

  // The settings dialogs come with their own subsystems; until then their
  // items are shown disabled.
  TMenuItem* settings = MainMenu1->AddItem("Nastaven1", "Na&stavení", 200);
  settings->AddItem("Mail6021", "Mail&602", 201)->SetEnabled(false);
  settings->AddItem("LokalniTrapy1", "&Lokální Trapy", 202)->SetEnabled(false);
  settings->AddItem("Volbasriovhoportu1", "&Volba sériového portu", 203)->SetEnabled(false);
  TMenuItem* baud = settings->AddItem("x1", "Baudová rychlost COM", 210);
  N57600 = baud->AddItem("N57600", "57600");
  N38400 = baud->AddItem("N38400", "38400");
  N19200 = baud->AddItem("N19200", "19200");
  N9600 = baud->AddItem("N9600", "9600");
  for (TMenuItem* item : {N57600, N38400, N19200, N9600}) item->SetEnabled(false);
  settings->AddItem("Ulo6itdosouboru1", "Uložit do souboru", 211)->SetEnabled(false);
  settings->AddItem("VpisuLogu1", "Výpisu Lo&gu", 204)->SetEnabled(false);
  settings->AddItem("Uctovani1", "Účtování", 205)->SetEnabled(false);
  Volbajazyka1 = settings->AddItem("Volbajazyka1", "Volba jazyka", 206);
  for (const char* language : {"Cz", "De", "Eng", "Spa"}) {
    TMenuItem* item = Volbajazyka1->AddItem(std::string(language) + "1", language);
    item->SetEnabled(false);
  }
  settings->AddItem("Sluzby1", "Služby", 212)->SetEnabled(false);
  DESK1 = settings->AddItem("DESK1", "DESK", 231);
  DESK1->SetEnabled(false);
  Callcentrum1 = settings->AddItem("Callcentrum1", "Callcentrum", 230);
  Callcentrum1->SetVisible(false);

  TMenuItem* help = MainMenu1->AddItem("Napoveda1", "&Nápověda", 300);
  help->AddItem("Obsah1", "Obsah", 301)->SetEnabled(false);
  help->AddItem("Kontextovnpovda1", "Kontextová nápověda", 302)->SetEnabled(false);
  help->AddItem("Pouvnnpovdu1", "Používání nápovědu ", 303)->SetEnabled(false);
  help->AddItem("Oaplikaci1", "&O aplikaci...", 304)->SetEnabled(false);
}

void TMainForm::BuildPopupMenu() {
  PopupMenu1 = Add<TMenu>("TPopupMenu", "PopupMenu1");
  Zobrazit1 = PopupMenu1->AddItem("Zobrazit1", "&Zobrazit", 400);
  Zobrazit1->Default = true;
  Zobrazit1->OnClick = [this](TMenuItem&) { ShowOnClick(); };
  Ukonit2 = PopupMenu1->AddItem("Ukonit2", "&Ukončit", 401);
  Ukonit2->OnClick = [this](TMenuItem&) { ShutDownClick(); };
}

void TMainForm::FormResize() {
  ListBox1->SetBounds(ListBox1->Left, ListBox1->Top, ClientWidth - 16, ClientHeight - 70);
  Button4->SetBounds(ClientWidth - 8 - Button4->Width, ListBox1->Top + ListBox1->Height + 8,
                     Button4->Width, Button4->Height);
}
