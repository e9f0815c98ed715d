#pragma once
// The eight bytes that open every exchange with the radio. The whole read and write send the
// first seven; the channel editor's direct opening sends all eight, so the eighth byte is STX:
// a radio then answers both openings the same way (ACK, then its identification).
// The radio simulator shares this constant, so it stays free of anything but the standard library.

#include <array>
#include <cstdint>

namespace j5 {

inline constexpr std::array<std::uint8_t, 8> kAccessCode = {0x50, 0x52, 0x4F, 0x47, 0x4A, 0x35, 0x4B, 0x02};

}  // namespace j5
