#pragma once
// The mode part of a port string ("19200,N,8,1"), read as the Windows MODE
// command and BuildCommDCB read it. Two forms, never mixed:
//   old:  b[,p[,d[,s]]]                  positional; an empty field keeps its value
//   new:  baud=b parity=p data=d stop=s  any order, each key at most once
// b: a positive rate, or the MODE abbreviations 11 15 30 60 12 24 48 96 19
//    (110 ... 19200 baud); 110 baud without a stop bit count sets 2 stop bits.
// p: n, o, e, m or s (none, odd, even, mark, space), any letter case.
// d: 5 to 8 data bits.   s: 1, 1.5 or 2 stop bits.
// Rejected: anything else, including the flow-control and modem-line options
// of the MODE command (xon=, octs=, dtr=, a retry/handshake field, ...),
// since this link has no flow control to set.
#include <optional>
#include <string_view>

#include "platform/serial_device.h"

// What the mode string names; members it does not name stay empty.
struct ModeSettings {
  std::optional<int> BaudRate;
  std::optional<TParity> Parity;
  std::optional<int> DataBits;
  std::optional<TStopBits> StopBits;
};

// nullopt when the string is rejected. An empty string names nothing.
std::optional<ModeSettings> ParseModeString(std::string_view mode);
