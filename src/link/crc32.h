#pragma once
// CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320), as the exchange
// checks it on every frame.
#include <cstddef>
#include <cstdint>

// One table step: (crc >> 8) ^ table[(crc ^ byte) & 0xFF]. No preset, no final XOR.
uint32_t Update_CRC32(uint32_t crc, uint8_t byte);

// The whole checksum: preset 0xFFFFFFFF, final XOR 0xFFFFFFFF.
uint32_t Crc32(const uint8_t* data, size_t n);
