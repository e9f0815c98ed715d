#pragma once
// The byte encodings that editors' fields share, as codecs for fields::Coded (data/fields.h).
// An editor with an encoding of its own keeps that codec beside its record.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/fields.h"

namespace j5 {

// Freq_Bcd4: four packed-digit bytes, least significant first. Shows "" when byte 0 is 0xFF (no
// frequency there); stores through Set_Freq, which snaps the text to the channel raster and
// refuses a frequency it cannot pack.
fields::Codec Freq_Bcd4_Codec();

// ---- Tone_Code: two bytes, low first. 0 0 is off; a DCS code n (1..105 normal, 106..210
// inverted) is n 0; a CTCSS tone is its frequency in 0.1 Hz (its high byte is never 0). The
// channel, option and option copy windows all read and write tones through what follows.
using Tone_Bytes = std::array<int, 2>;
inline constexpr Tone_Bytes kToneOff{0, 0};
inline constexpr int kDcsCodeCount = 210;

// A CTCSS tone in Hz as its two bytes. The whole code in 0.1 Hz is rounded first (a half to
// even), so a second decimal can never push the low byte to 256; nothing when the code does not
// fit two bytes.
std::optional<Tone_Bytes> Tone_Code_Bytes(double hz);
// The text of a CTCSS code: "67.0", "25.6".
std::string Tone_Code_Text(int low, int high);

// A tone list holds OFF as item 0, then CTCSS tones, then the DCS codes: code n is item
// dcsOffset + n. What such a list shows for a stored code: OFF for 0 0 or any 0xFF byte, the DCS
// item for a high byte of 0 and a low byte 1..210, `unknownDcs` for another low byte under a
// high byte of 0, else the CTCSS text written into the list.
struct Tone_Shown {
  int index = 0;                    // ignored when text is set
  std::optional<std::string> text;  // a CTCSS tone
};
Tone_Shown Tone_List_Shown(int low, int high, int dcsOffset, int unknownDcs);
// The code a pick of such a list stores: item 0 off, a DCS item its code, any other item the
// CTCSS tone its text names (off when that tone does not fit two bytes).
Tone_Bytes Tone_Pick_Code(int index, std::string_view text, int dcsOffset);

// Tone_Code as a channel cell shows it: "OFF" for 0 0 or FF FF, a CTCSS tone as "67.0", and a
// DCS code as its toneNames entry (Tone_Name, padded as stored; "" for a code without a name).
// Stores "OFF", a tone of 60 to 259.9 Hz in 0.1 Hz steps, or a DCS name ("D023N").
fields::Codec Tone_Code_Codec(const std::vector<std::string>& toneNames);

}  // namespace j5
