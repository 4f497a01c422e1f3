#include "platform/ini_file.h"

#include <iconv.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>

struct TIniFile::Content {
  std::vector<std::string> raw;  // lines as stored, without line ends
  bool cp1250 = false;

  std::string Decoded(size_t i) const { return cp1250 ? Cp1250ToUtf8(raw[i]) : raw[i]; }
  std::string Encoded(const std::string& text) const {
    return cp1250 ? Utf8ToCp1250(text) : text;
  }
};

namespace {

std::optional<std::string> SectionNameOf(const std::string& line) {
  std::string t = TrimBlanks(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  auto close = t.find(']');
  if (close == std::string::npos) return TrimBlanks(t.substr(1));
  return TrimBlanks(t.substr(1, close - 1));
}

bool KeyValueOf(const std::string& line, std::string& key, std::string& value) {
  std::string t = TrimBlanks(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return false;
  auto eq = t.find('=');
  if (eq == std::string::npos) return false;
  key = TrimBlanks(t.substr(0, eq));
  value = TrimBlanks(t.substr(eq + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return true;
}

// The range [first, last) of lines belonging to the first section of that name.
struct SectionRange {
  size_t header = 0, first = 0, last = 0;
  bool found = false;
};

template <typename Decode>
SectionRange FindSection(size_t lineCount, Decode decoded, const std::string& section) {
  SectionRange r;
  for (size_t i = 0; i < lineCount; ++i) {
    auto name = SectionNameOf(decoded(i));
    if (!name) continue;
    if (r.found) {
      r.last = i;
      return r;
    }
    if (SameTextAscii(*name, section)) {
      r.found = true;
      r.header = i;
      r.first = i + 1;
    }
  }
  r.last = lineCount;
  return r;
}

std::string Convert(const char* to, const char* from, const std::string& in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return in;
  std::string out(in.size() * 4 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  while (srcLeft > 0) {
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) break;
    // A byte or character the other side lacks becomes '?'.
    if (dstLeft == 0) break;
    *dst++ = '?';
    --dstLeft;
    size_t skip = 1;
    if (std::string(from) == "UTF-8") {
      auto lead = static_cast<unsigned char>(*src);
      skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      if (skip > srcLeft) skip = srcLeft;
    }
    src += skip;
    srcLeft -= skip;
  }
  iconv_close(cd);
  out.resize(out.size() - dstLeft);
  return out;
}

}  // namespace

bool IsValidUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    auto c = static_cast<unsigned char>(s[i]);
    size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    if (len == 2 && c < 0xC2) return false;  // overlong
    i += len;
  }
  return true;
}

std::string Cp1250ToUtf8(const std::string& bytes) { return Convert("UTF-8", "CP1250", bytes); }
std::string Utf8ToCp1250(const std::string& text) { return Convert("CP1250", "UTF-8", text); }

bool ParseInteger(const std::string& text, int& value) {
  std::string t = TrimBlanks(text);
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  int base = 10;
  if (i < t.size() && t[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    int d;
    char c = t[i];
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    v = v * base + d;
    if (v > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) v = -v;
  if (v > INT_MAX || v < INT_MIN) return false;
  value = static_cast<int>(v);
  return true;
}

bool TIniFile::FileExists() const {
  struct stat st {};
  return stat(fileName_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

TIniFile::Content TIniFile::Load() const {
  Content c;
  std::ifstream in(fileName_, std::ios::binary);
  if (!in) return c;
  std::stringstream ss;
  ss << in.rdbuf();
  std::string all = ss.str();
  if (all.size() >= 3 && all.compare(0, 3, "\xEF\xBB\xBF") == 0) all.erase(0, 3);
  c.cp1250 = !IsValidUtf8(all);
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find('\n', start);
    if (end == std::string::npos) end = all.size();
    std::string line = all.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    c.raw.push_back(line);
    start = end + 1;
  }
  return c;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  Content c = Load();
  auto decoded = [&](size_t i) { return c.Decoded(i); };
  SectionRange r = FindSection(c.raw.size(), decoded, section);
  if (!r.found) return defaultValue;
  for (size_t i = r.first; i < r.last; ++i) {
    std::string k, v;
    if (KeyValueOf(decoded(i), k, v) && SameTextAscii(k, key)) return v;
  }
  return defaultValue;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key,
                          int defaultValue) const {
  int value;
  return ParseInteger(ReadString(section, key, ""), value) ? value : defaultValue;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key,
                        bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::ReadSectionValues(const std::string& section, TStringList& lines) const {
  lines.Clear();
  Content c = Load();
  auto decoded = [&](size_t i) { return c.Decoded(i); };
  SectionRange r = FindSection(c.raw.size(), decoded, section);
  if (!r.found) return;
  for (size_t i = r.first; i < r.last; ++i) {
    std::string k, v;
    if (KeyValueOf(decoded(i), k, v)) lines.Add(k + "=" + v);
  }
}

void TIniFile::ReadSection(const std::string& section, TStringList& keys) const {
  TStringList values;
  ReadSectionValues(section, values);
  keys.Clear();
  for (auto& line : values.Lines) keys.Add(TStringList::NameOf(line));
}

bool TIniFile::SectionExists(const std::string& section) const {
  Content c = Load();
  return FindSection(c.raw.size(), [&](size_t i) { return c.Decoded(i); }, section).found;
}

bool TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  Content c = Load();
  auto decoded = [&](size_t i) { return c.Decoded(i); };
  SectionRange r = FindSection(c.raw.size(), decoded, section);
  if (!r.found) {
    if (!c.raw.empty() && !TrimBlanks(c.raw.back()).empty()) c.raw.push_back("");
    c.raw.push_back(c.Encoded("[" + section + "]"));
    c.raw.push_back(c.Encoded(key + "=" + value));
  } else {
    bool replaced = false;
    size_t lastContent = r.header;
    for (size_t i = r.first; i < r.last && !replaced; ++i) {
      std::string k, v;
      if (!TrimBlanks(c.raw[i]).empty()) lastContent = i;
      if (KeyValueOf(decoded(i), k, v) && SameTextAscii(k, key)) {
        c.raw[i] = c.Encoded(k + "=" + value);
        replaced = true;
      }
    }
    if (!replaced)
      c.raw.insert(c.raw.begin() + static_cast<long>(lastContent + 1), c.Encoded(key + "=" + value));
  }
  std::string tmp = fileName_ + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (auto& line : c.raw) out << line << "\r\n";
    if (!out.flush()) return false;
  }
  return std::rename(tmp.c_str(), fileName_.c_str()) == 0;
}

bool TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}
