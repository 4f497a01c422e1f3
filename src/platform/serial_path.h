#pragma once
// Where a serial device name of the settings file lives on this system.
#include <string>

// "COM" + n (any letter case, n from 1 to 256 without leading zeros) is
// /dev/ttyS(n-1); a name starting with "/" is a path used as it is. Anything
// else, the empty name included, is unknown: the result is "".
std::string SerialDevicePath(const std::string& deviceName);
