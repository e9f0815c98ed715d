#pragma once
// The bytes and frames the radio exchanges with the programming tool, seen from the radio.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace sim {

inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kCmdRead = 0x53;  // 'S'
inline constexpr std::uint8_t kCmdData = 0x58;  // 'X'
inline constexpr std::uint8_t kIdentStart = 0xAA;
inline constexpr std::uint8_t kIdentEnd = 0xDD;
inline constexpr std::uint8_t kIdentDecEnd = 0xBB;
inline constexpr std::uint8_t kIdent50End = 0x55;

// The wire time of one byte at 9600 baud 8N1 (start bit, eight data bits, stop bit).
inline constexpr double kByteMicros = 10.0 * 1e6 / 9600.0;

// What a logged frame is. The tool sends the first seven kinds; the radio answers with Ack,
// the identifications and DataFrame; Stray marks a byte the radio was told to send unasked.
enum class FrameKind {
  AccessCode,
  AltAccessCode,
  Stx,
  Ack,
  ReadRequest,
  DataFrame,
  ShortRowFrame,
  Ident14,
  Ident8,
  Ident50,
  Ident8Dec,
  Stray,
  Unknown,  // bytes that form no frame (or an incomplete one); the radio ignores them
};

std::string_view frameKindName(FrameKind kind);

// The form a radio identifies itself in. Ident14 and Ident8 answer STX after the access code
// (a direct opening's eighth code byte is STX); Ident50 and Ident8Dec answer the other code.
enum class IdentForm { Ident14, Ident8, Ident50, Ident8Dec };

// Band limits in whole MHz, as the identification frames carry them.
struct BandLimits {
  int vhfLow = 136;
  int vhfHigh = 174;
  int uhf0Low = 400;
  int uhf0High = 520;
  int uhf1Low = 220;
  int uhf1High = 260;
};

// Hundreds in the first byte, tens and units as two BCD digits in the second.
std::array<std::uint8_t, 2> bandLimitPair(int mhz);

// 0xAA, the six limits as band limit pairs, 0xDD.
std::vector<std::uint8_t> ident14Frame(const BandLimits& limits);

// 0xAA, VHF low and high as BCD above 100 MHz, UHF0 low and high as band limit pairs, 0xDD.
// UHF1 does not travel in this form.
std::vector<std::uint8_t> ident8Frame(const BandLimits& limits);

// 50 bytes: 0xAA; VHF low and high, UHF0 low and high as three digits 0-9 each; zeros; the
// model "J5-VHF" (panel text); the version "180128"; zeros; sixteen characters of the radio's
// description; 0x55.
std::vector<std::uint8_t> ident50Frame(const BandLimits& limits);

// 0xAA, VHF low and high as three digits 0-9 each, 0xBB.
std::vector<std::uint8_t> ident8DecFrame(const BandLimits& limits);

std::vector<std::uint8_t> identFrame(IdentForm form, const BandLimits& limits);
FrameKind identKind(IdentForm form);

// Throws std::invalid_argument when a limit cannot be written in the form: the 8-byte frame
// only holds VHF limits from 100 to 199 MHz; a band limit pair holds 0 to 25599 MHz; three
// digits 0 to 999.
void checkBandLimits(IdentForm form, const BandLimits& limits);

}  // namespace sim
