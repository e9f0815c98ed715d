#pragma once
// The two eight-byte codes that open an exchange with the radio. The radio simulator shares
// these constants, so this header stays free of anything but the standard library.
//
// kAccessCode opens every exchange of the live windows. The whole read and write send its first
// seven bytes; the direct opening of the editors' own transfers sends all eight, so the eighth
// byte is STX: a radio then answers both openings the same way (ACK, then its identification).
//
// Alt_Access_Code opens the transfers of the signalling, FM and option copy windows, which the
// radio answers with another identification (the 50-byte frame, or the eight bytes ending in
// 0xBB). It shares no first byte with kAccessCode, so it is no prefix of it, and a radio knows
// from the first byte which opening it is in: a seven-byte opening can never be taken for the
// start of the other. None of its bytes is one that starts a frame of the protocol (ACK, STX,
// 'S', 'X'), so a radio that is already in a session does not take it for a frame either.

#include <array>
#include <cstdint>

namespace j5 {

inline constexpr std::array<std::uint8_t, 8> kAccessCode = {0x50, 0x52, 0x4F, 0x47,
                                                            0x4A, 0x35, 0x4B, 0x02};
inline constexpr std::array<std::uint8_t, 8> Alt_Access_Code = {0x4A, 0x35, 0x41, 0x4C,
                                                                0x54, 0x43, 0x4F, 0x44};

}  // namespace j5
