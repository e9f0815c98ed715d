#pragma once
// Conversions between the radio's byte encodings and the texts the user sees: frequencies as
// packed decimal digits (Freq_Bcd4), CTCSS tones as two bytes (Tone_Code) and display characters
// as one byte each (Disp_Char). All arithmetic is double precision, as the radio expects it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "data/shared_data.h"

namespace j5 {

// Packed digits of a frequency, most significant first: [100 MHz,10 MHz] [1 MHz,100 kHz]
// [10 kHz,1 kHz] [100 Hz,10 Hz]. The image stores them in the reverse order.
using BcdFreq = std::array<std::uint8_t, 4>;

// Highest frequency (MHz) that four packed bytes can hold is just below this.
inline constexpr double kFreqLimitMHz = 1000.0;

// Snaps the frequency text (MHz) down to the 2.5 kHz or 6.25 kHz raster, whichever lies closer
// (a tie goes to 2.5 kHz; up to 1 Hz below a raster point counts as that point), writes its four
// bytes into Mem_Image(row, column..column + 3), least significant first, and replaces the text
// by the snapped frequency padded to nine characters ("145.01250", "66.006250").
// Refuses a frequency that does not snap into 0 to 999.99999 MHz: returns false and changes
// neither the text nor the image.
bool Set_Freq(MemImage& image, std::string& text, int row, int column);
// The same into four cells given one by one (bytes 0..3 of the frequency).
bool Set_Freq(std::span<std::int16_t* const, 4> cells, std::string& text);

// Packs a frequency text (MHz) into its digits; nothing when it lies outside 0 to 999.99999 MHz.
std::optional<BcdFreq> Cov_Freq2Bcd(std::string_view text);

// The frequency text (MHz) of image bytes p0..p3 of a Freq_Bcd4: eight characters below 100 MHz
// ("66.00625"), nine from 100 MHz up ("136.10000"). Callers test byte 0 for 0xFF (an empty channel)
// first; any input is safe.
std::string Cov_Bcd2Freq(int p0, int p1, int p2, int p3);

// Writes a CTCSS tone (Hz text, 0 < value < 255) as Tone_Code into Mem_Image(row, column) (low)
// and (row, column + 1) (high); "FF" writes 255, 255. Any other value leaves both cells alone.
// Returns whether it wrote.
bool Set_Tone(MemImage& image, std::string_view text, int row, int column);

// Disp_Char code of a one-character text: digits, letters (small ones as capitals), "+", "-" and
// blank have their ASCII code; anything else, including an empty or longer text, is 11.
int Cov_Char2b(std::string_view text);

// The character of a Disp_Char code, or the empty text for a code that stands for none.
std::string Cov_b2Char(int code);

}  // namespace j5
