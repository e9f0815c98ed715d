#pragma once
// The byte encodings that editors' fields share, as codecs for fields::Coded (data/fields.h).
// An editor with an encoding of its own keeps that codec beside its record.

#include <string>
#include <utility>
#include <vector>

#include "data/fields.h"

namespace j5 {

// Freq_Bcd4: four packed-digit bytes, least significant first. Shows "" when byte 0 is 0xFF (no
// frequency there); stores through Set_Freq, which snaps the text to the channel raster and
// refuses a frequency it cannot pack.
fields::Codec Freq_Bcd4_Codec();

// Tone_Code: two bytes, low first. Shows "OFF" for 0 0 or FF FF, a CTCSS tone as "67.0", and a
// DCS code as its toneNames entry (Tone_Name, padded as stored; "" for a code without a name).
// Stores "OFF", a tone of 60 to 259.9 Hz in 0.1 Hz steps, or a DCS name ("D023N").
fields::Codec Tone_Code_Codec(const std::vector<std::string>& toneNames);

// A tone in Hz as the two bytes (low, high) of its Tone_Code. The whole code in 0.1 Hz is
// rounded first (a half to even), so a second decimal can never push the low byte to 256.
std::pair<int, int> Tone_Code_Bytes(double hz);

}  // namespace j5
