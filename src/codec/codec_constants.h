#pragma once
// Shared values of the codec's block operations.

// First argument of every block operation.
enum CodecMode : int {
  cmBuild = 0,   // build the request payload into the buffer, return its length
  cmDecode = 1,  // decode the reply payload in the buffer (parameter = its length)
  cmSkip = 80,   // step a series without a request
};

constexpr int BlockDone = 128;  // the record or series is complete
constexpr int BlockMore = 129;  // another block of the series follows
// InfoData only: the configuration record says the agent does not fit the
// exchange (130) or may not fit it (131).
constexpr int InfoVersionMismatch = 130;
constexpr int InfoVersionWarning = 131;

// Size of the buffer the controller hands to the builders.
constexpr int kCodecBufferSize = 4096;
