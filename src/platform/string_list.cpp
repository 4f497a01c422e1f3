#include "platform/string_list.h"

#include <cctype>

bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::string TrimBlanks(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

std::string TStringList::NameOf(const std::string& line) {
  auto eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStringList::ValueOf(const std::string& line) {
  auto eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

int TStringList::IndexOfName(const std::string& name) const {
  for (size_t i = 0; i < Lines.size(); ++i) {
    auto eq = Lines[i].find('=');
    if (eq != std::string::npos && SameTextAscii(Lines[i].substr(0, eq), name))
      return static_cast<int>(i);
  }
  return -1;
}

std::string TStringList::Value(const std::string& name) const {
  int i = IndexOfName(name);
  return i < 0 ? std::string() : ValueOf(Lines[static_cast<size_t>(i)]);
}
