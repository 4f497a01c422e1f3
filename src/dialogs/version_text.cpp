#include "dialogs/version_text.h"

std::string VersionText(int major, int minor, int release) {
  std::string text = std::to_string(major) + ".";
  if (minor < 10) text += "0";
  text += std::to_string(minor);
  if (release != 0) {
    text += ' ';
    text += static_cast<char>(64 + (release & 0xFF));
  }
  return text;
}

std::string AgentVersionText() {
  return VersionText(VESTA_VERSION_MAJOR, VESTA_VERSION_MINOR, VESTA_VERSION_PATCH);
}
