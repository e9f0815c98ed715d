#pragma once
// The bytes of the serial protocol and the pause that spaces a frame's bytes.

#include <cstdint>
#include <string>

namespace j5 {

inline constexpr std::uint8_t ACK = 0x06;
inline constexpr std::uint8_t STX = 0x02;
inline constexpr std::uint8_t Cmd_Read = 0x53;
inline constexpr std::uint8_t Cmd_Data = 0x58;
inline constexpr std::uint8_t Ident_Start = 0xAA;
inline constexpr std::uint8_t Ident_End = 0xDD;
inline constexpr std::uint8_t Ident_Dec_End = 0xBB;
inline constexpr std::uint8_t Ident50_End = 0x55;

// The pause after each byte of a frame: one byte's wire time at 9600 baud, so a frame leaves
// back to back at line speed. Shorter would only queue bytes in the driver; longer slows every
// transfer and, from about two byte times up to about nine, lets the answer to an eight-byte
// access code (its eighth byte is STX) arrive half-way through the sender's tick, where the
// opening then throws the first part away and fails.
inline constexpr double Byte_Pause_Ms = 10.0 * 1000.0 / 9600.0;

// A limit in whole MHz from its two bytes: hundreds in the first, two BCD digits in the second
// (nibbles above 9 count with the same weights).
int Band_Limit_Pair(std::uint8_t hundreds, std::uint8_t tensUnits);
// The status-bar text of one band: label + Str(low) + "--" + Str(high) + " MHZ".
std::string Ident_Band_Text(const std::string& label, double low, double high);

}  // namespace j5
