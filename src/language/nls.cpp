#include "language/nls.h"

#include "platform/form.h"

void TNLS::OpenFile() { FIniFile = std::make_unique<TIniFile>(FileName()); }

void TNLS::SetLanguage(const std::string& name) {
  FLanguage = name;
  OpenFile();
}

void TNLS::CloseFile() { FIniFile.reset(); }

void TNLS::LoadTexts() {
  if (!FIniFile) return;
  FIniFile->ReadSectionValues("Texty", FTexts);
}

std::string TNLS::GetText(int number) const { return FTexts.Value(std::to_string(number)); }

std::string TNLS::ReadText(int number) {
  if (number % 100 == 0) OpenFile();
  std::string text = Lookup("Text", number, "");
  if (number % 100 == 99) CloseFile();
  return text;
}

std::string TNLS::Lookup(const char* section, int key, const std::string& defaultValue) const {
  if (!FIniFile) return defaultValue;
  return FIniFile->ReadString(section, std::to_string(key), defaultValue);
}

void TNLS::TranslateForm(TForm& form, bool openAndClose) {
  if (openAndClose) OpenFile();
  form.SetCaption(Lookup("Common", form.Tag, form.Caption()));
  for (const auto& child : form.Children()) {
    const std::string& cls = child->ClassName();
    if (cls == "TPanel") {
      for (const auto& inner : child->Children()) TranslateControl(*inner);
    } else if (cls == "TGroupBox") {
      TranslateControl(*child);
      for (const auto& inner : child->Children()) TranslateControl(*inner);
    } else if (cls == "TPageControl") {
      TranslatePageControl(*child);
    } else {
      TranslateControl(*child);
    }
  }
  if (openAndClose) CloseFile();
}

void TNLS::TranslatePageControl(TComponent& pages) {
  for (int j = 0; j < pages.ChildCount(); ++j) {
    TComponent& page = *pages.Child(j);
    page.SetCaption(Lookup("Common", pages.Tag + j, page.Caption()));
    for (const auto& inner : page.Children()) TranslateControl(*inner);
  }
}

void TNLS::TranslateControl(TComponent& control) {
  if (control.Tag == 0) return;
  const std::string& cls = control.ClassName();
  if (cls == "TLabel" || cls == "TButton" || cls == "TBitBtn" || cls == "TGroupBox" ||
      cls == "TCheckBox")
    control.SetCaption(Lookup("Common", control.Tag, control.Caption()));
}

void TNLS::TranslateMenu(TComponent& item) {
  for (const auto& sub : item.Children()) {
    if (sub->Tag != 0) sub->SetCaption(Lookup("Menu", sub->Tag, sub->Caption()));
    if (sub->ChildCount() > 0) TranslateMenu(*sub);
  }
}
