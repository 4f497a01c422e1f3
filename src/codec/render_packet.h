#pragma once
// One readable log line for a request or reply payload: the command and
// structure by their language texts, the index, the error code, and
// optionally the remaining bytes.
#include <cstdint>
#include <functional>
#include <string>

enum class TPacketDirection { Request, Reply };

// Language text N of section [Texty]; missing texts are empty.
using TTextLookup = std::function<std::string(int)>;

constexpr int kCommandTextBase = 1000;   // + command 0 to 43
constexpr int kStructureTextBase = 2000; // + structure 0 to 49

// Replaces text with the rendering of count payload bytes. requestType is
// byte 0 of the request a reply answers (ignored for requests). A byte
// beyond count reads as 0; nothing past count is read.
void RenderPacket(TPacketDirection direction, std::string& text, const uint8_t* payload, int count,
                  uint8_t requestType, bool dump, const TTextLookup& texts);
