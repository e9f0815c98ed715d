#pragma once
// The text and number rules of the optional features window that do not
// depend on its controls: frequency and offset digits with their raster,
// the band test, tone codes and typed tone names, and the power-on lines.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace j5::opt {

// ---- Frequencies: eight decimal digits in 10 Hz units, 100 MHz digit first.
using Freq_Digits = std::array<int, 8>;

// Whether a frequency (MHz) belongs to the band Low..High: the whole of the
// upper limit's last MHz counts, as the range box's ".99750" shows. The band
// choice and the frequency check both use it, so a frequency the check
// accepts is never replaced by a band choice.
bool In_Band(double mhz, double low, double high);

// The frequency snapped down to the 2.5 kHz or the 6.25 kHz raster, whichever
// leaves the smaller remainder (a tie goes to 2.5 kHz; up to 1 Hz below a
// raster point counts as that point), in 10 Hz units.
long long Snap_Freq_Units(double mhz);

// What a frequency check stores for a checked value (MHz): the value snapped to the raster and
// held within what the digits hold, 0 to 999.99750 MHz, in 10 Hz units.
long long Freq_Store_Units(double mhz);

// Whether a band holds a frequency the window can store: the one its check puts in place of a
// frequency below the band (lower limit + 25 kHz) is stored inside it. Limits beyond what the
// digits hold hold none.
bool Band_Holds_A_Frequency(double low, double high);

// The digits of a frequency in 10 Hz units (0 to 999.99999 MHz).
Freq_Digits Freq_To_Digits(long long units);

// The box text of stored digits: a 100 MHz digit of 0 and any byte above 9
// are left out ("136.02500", "45.12500").
std::string Freq_Digits_Text(const Freq_Digits& digits);

// Texts the frequency check puts in place of a frequency below or above the
// band.
std::string Freq_Below_Text(double low);
std::string Freq_Above_Text(double high);
// The frequency box holds nine characters.
inline constexpr int kFreqChars = 9;
// What a correction of the window's own puts in the frequency box: the text, or the empty box
// (0) for a text the box cannot hold (limits of four digits), as the box's guard on typed entries
// would leave it; a correction that went through that guard would move the focus, and the check
// it starts would show the old frequency again before this one stores.
std::string Freq_Box_Text(const std::string& text);
// The range box: "130 - 179.99750".
std::string Range_Text(double low, double high);

// ---- Offsets: six digit bytes in kHz (the 100 MHz digit always 0).
inline constexpr double kOffsetMaxMHz = 59.95;

// The offset (MHz) cut down to the 5 kHz grid, in kHz.
int Offset_Grid_kHz(double mhz);
// "00.000" .. "59.950": two integer digits and three decimals.
std::string Offset_Text(int kHz);
// The six bytes of an offset in kHz.
std::array<int, 6> Offset_To_Digits(int kHz);
// The offset shown for six stored bytes. Bytes that are not digits (an erased
// image) count as 0, and the 100 MHz byte, which is always written 0, is not
// shown, so the text never outgrows the box.
std::string Offset_Digits_Text(const std::array<int, 6>& bytes);

// ---- Tones.
// A typed tone text made ready for the look-up: a text that is exactly one
// number from 60 to 259.9 is written as the list writes it (088.50 -> 88.5,
// 100 -> 100.0); every other text stays as trimmed.
std::string Tone_Typed_Text(const std::string& text);

// ---- Power-on lines: seven Disp_Char bytes each.
using Pon_Bytes = std::array<int, 7>;

// A line as stored: the trimmed text centred with blanks (one position to the
// left when the free room is odd), its first seven characters only, each as
// its Disp_Char code; a blank inside the text stays a blank.
Pon_Bytes Pon_Encode(const std::string& text);
// The text of a stored line: its characters (codes without one show nothing),
// trimmed.
std::string Pon_Decode(const Pon_Bytes& bytes);

// ---- Channel count.
// The count a text commits, or nothing when it lies outside 1..128.
std::optional<int> Chann_Count_Of(const std::string& text);

}  // namespace j5::opt
