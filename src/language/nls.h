#pragma once
// TNLS: the chosen language, its language file "VAgent." + language beside
// the executable, numbered texts and the translation of forms and menus by
// the Tags of their controls. A missing file or key is no error: every
// lookup then falls back to its default.
#include <memory>
#include <string>

#include "platform/ini_file.h"
#include "platform/string_list.h"

class TComponent;
class TForm;

class TNLS {
 public:
  // directory: where the language files are (the executable's folder).
  explicit TNLS(std::string directory) : directory_(std::move(directory)) {}

  const std::string& Language() const { return FLanguage; }
  std::string FileName() const { return directory_ + "/VAgent." + FLanguage; }

  void OpenFile();
  void SetLanguage(const std::string& name);
  void CloseFile();
  bool IsOpen() const { return FIniFile != nullptr; }
  void LoadTexts();
  std::string GetText(int number) const;
  std::string ReadText(int number);

  void TranslateForm(TForm& form, bool openAndClose);
  void TranslateControl(TComponent& control);
  void TranslateMenu(TComponent& item);

  TStringList FTexts;
  std::string FLanguage = "Cz";

 private:
  std::string Lookup(const char* section, int key, const std::string& defaultValue) const;
  void TranslatePageControl(TComponent& pages);

  std::string directory_;
  std::unique_ptr<TIniFile> FIniFile;
};
