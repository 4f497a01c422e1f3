#include "link/mode_string.h"

#include <cctype>
#include <string>
#include <vector>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::optional<int> ParseBaud(std::string_view s) {
  if (s.empty() || s.size() > 7 || s[0] == '0') return std::nullopt;
  int rate = 0;
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    rate = rate * 10 + (c - '0');
  }
  // The MODE command's two-digit abbreviations.
  switch (rate) {
    case 11: return 110;
    case 15: return 150;
    case 30: return 300;
    case 60: return 600;
    case 12: return 1200;
    case 24: return 2400;
    case 48: return 4800;
    case 96: return 9600;
    case 19: return 19200;
    default: return rate;
  }
}

std::optional<TParity> ParseParity(std::string_view s) {
  if (s.size() != 1) return std::nullopt;
  switch (std::tolower(static_cast<unsigned char>(s[0]))) {
    case 'n': return TParity::None;
    case 'o': return TParity::Odd;
    case 'e': return TParity::Even;
    case 'm': return TParity::Mark;
    case 's': return TParity::Space;
    default: return std::nullopt;
  }
}

std::optional<int> ParseDataBits(std::string_view s) {
  if (s.size() != 1 || s[0] < '5' || s[0] > '8') return std::nullopt;
  return s[0] - '0';
}

std::optional<TStopBits> ParseStopBits(std::string_view s) {
  if (s == "1") return TStopBits::One;
  if (s == "1.5") return TStopBits::OnePointFive;
  if (s == "2") return TStopBits::Two;
  return std::nullopt;
}

// Parses one named value into its member; false when it is invalid or the
// member was already given.
template <typename T, typename Parser>
bool Take(std::optional<T>& member, std::string_view text, Parser parse) {
  if (member) return false;
  member = parse(text);
  return member.has_value();
}

std::vector<std::string_view> Split(std::string_view s, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == separator) {
      parts.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

std::optional<ModeSettings> ParseOldForm(std::string_view mode) {
  const auto fields = Split(mode, ',');
  if (fields.size() > 4) return std::nullopt;
  ModeSettings out;
  for (size_t i = 0; i < fields.size(); ++i) {
    const std::string_view field = Trim(fields[i]);
    if (field.empty()) continue;
    bool ok = false;
    switch (i) {
      case 0: ok = Take(out.BaudRate, field, ParseBaud); break;
      case 1: ok = Take(out.Parity, field, ParseParity); break;
      case 2: ok = Take(out.DataBits, field, ParseDataBits); break;
      case 3: ok = Take(out.StopBits, field, ParseStopBits); break;
    }
    if (!ok) return std::nullopt;
  }
  return out;
}

std::vector<std::string_view> SplitBlanks(std::string_view s) {
  std::vector<std::string_view> tokens;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    const size_t start = i;
    while (i < s.size() && !IsBlank(s[i])) ++i;
    if (i > start) tokens.push_back(s.substr(start, i - start));
  }
  return tokens;
}

std::optional<ModeSettings> ParseNewForm(std::string_view mode) {
  ModeSettings out;
  for (std::string_view token : SplitBlanks(mode)) {
    const size_t eq = token.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    const std::string key = Lower(token.substr(0, eq));
    const std::string_view value = token.substr(eq + 1);
    bool ok = false;
    if (key == "baud") ok = Take(out.BaudRate, value, ParseBaud);
    else if (key == "parity") ok = Take(out.Parity, value, ParseParity);
    else if (key == "data") ok = Take(out.DataBits, value, ParseDataBits);
    else if (key == "stop") ok = Take(out.StopBits, value, ParseStopBits);
    if (!ok) return std::nullopt;
  }
  return out;
}

}  // namespace

std::optional<ModeSettings> ParseModeString(std::string_view mode) {
  mode = Trim(mode);
  auto out = mode.find('=') != std::string_view::npos ? ParseNewForm(mode) : ParseOldForm(mode);
  // As the MODE command: 110 baud goes with 2 stop bits unless told otherwise.
  if (out && out->BaudRate == 110 && !out->StopBits) out->StopBits = TStopBits::Two;
  return out;
}
