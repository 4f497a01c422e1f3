#pragma once
// The agent's version as the about box shows it: major, a full stop, minor
// in at least two digits, and for a release n a blank and the letter n
// (1 gives 'A'): 2.10.0 reads "2.10", 2.5.1 reads "2.05 A".
#include <string>

std::string VersionText(int major, int minor, int release);
// This build's version.
std::string AgentVersionText();
