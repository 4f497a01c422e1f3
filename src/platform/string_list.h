#pragma once
// An ordered list of text lines, read as name=value pairs where asked.
#include <string>
#include <vector>

class TStringList {
 public:
  std::vector<std::string> Lines;

  int Count() const { return static_cast<int>(Lines.size()); }
  void Clear() { Lines.clear(); }
  void Add(const std::string& line) { Lines.push_back(line); }
  // Index of the first line whose name (text before '=') equals name,
  // compared without regard to ASCII letter case; -1 when none.
  int IndexOfName(const std::string& name) const;
  // The value of the first line named name, or "" when there is none.
  std::string Value(const std::string& name) const;
  static std::string NameOf(const std::string& line);
  static std::string ValueOf(const std::string& line);
};

bool SameTextAscii(const std::string& a, const std::string& b);
std::string TrimBlanks(const std::string& s);
