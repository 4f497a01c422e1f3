#pragma once
// Settings files with the semantics of the Windows profile functions:
// sections and keys compare without regard to letter case, values are
// trimmed, a missing key or a text that is not a number gives the default.
// Every call reads the file as it is on disk; a write changes one line and
// keeps every other line byte for byte. Written files end lines with CR LF.
// A file that is not valid UTF-8 is read (and written) as code page 1250.
#include <string>
#include <vector>

#include "platform/string_list.h"

class TIniFile {
 public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }
  bool FileExists() const;

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
  // The keys of a section, in file order.
  void ReadSection(const std::string& section, TStringList& keys) const;
  // The key=value lines of a section, in file order.
  void ReadSectionValues(const std::string& section, TStringList& lines) const;
  bool SectionExists(const std::string& section) const;

  // Returns false when the file cannot be written.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value);
  bool WriteInteger(const std::string& section, const std::string& key, int value);
  bool WriteBool(const std::string& section, const std::string& key, bool value);

 private:
  struct Content;
  Content Load() const;
  std::string fileName_;
};

// Parses a whole decimal integer (optionally signed; "$1F" and "0x1F" as hex,
// as Delphi's StrToInt reads them). Returns false for anything else.
bool ParseInteger(const std::string& text, int& value);
bool IsValidUtf8(const std::string& bytes);
std::string Cp1250ToUtf8(const std::string& bytes);
std::string Utf8ToCp1250(const std::string& text);
