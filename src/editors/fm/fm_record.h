#pragma once
// The FM editor's records as the radio keeps them, and their texts in the window.
//
// A channel record is 16 bytes: the receive frequency as eight decimal digits, one a byte (100 MHz
// down to 10 Hz), then the station name, placed by its length, every byte it does not cover 0xFF.
// A record whose eight digit bytes add up to 0 is an empty channel. The band row holds the lower
// and upper limits of bands A and B in whole MHz, three digits each, hundreds first.

#include <array>
#include <string>
#include <string_view>

#include "data/fields.h"
#include "editors/fields.h"

namespace j5::fm {

inline constexpr int kChannels = 16;
inline constexpr int kBandRow = 16;  // Fm_Image row of the band row
inline constexpr double kFmLow = 87.5, kFmHigh = 108;
inline constexpr int kNameMax = 6;

// The frequency text of eight digit bytes: their value (a byte above 9 counts as the number it
// holds) with five decimals and two integer digits below 100 MHz, three from 100 MHz on
// ("05.00000", "88.90000", "105.90000"); from 1000 MHz on (bytes that are no digits) its
// shortest decimal form, padded with zeros to nine characters ("1046.5000", "28333.33305").
std::string Cov_Freq(std::span<const std::int16_t> digits);
// Two upper-case hexadecimal digits and a blank.
std::string Cov_i2b(int x);

// Frequency: "" for an empty channel; stores a text's digits at character positions 1-3 and 5-9
// of its three-integer-digit form (zeros put in front of a shorter integer part; any other
// character 0), and eight zero bytes for "".
fields::Codec Fm_Freq_Codec();
// Station name: the codes 33..127 of the name bytes, in order. Stores at most six characters; a
// character beyond one byte goes out as "?", so every stored value is a byte.
fields::Codec Fm_Name_Codec();
// Band limit, three digit bytes: "136.00000"; "" when a byte is no digit (an erased row). Stores
// the text's value rounded to whole MHz; refuses a value outside 0..999.
fields::Codec Fm_Band_Codec();

// Grid columns 1 and 2 over channel 1's record: row r shows Fm_Image row r - 1.
const fields::Column& Freq_Column();
const fields::Column& Name_Column();
// The four band limits in the order A low, A high, B low, B high.
const std::array<fields::Field, 4>& Band_Fields();

// A typed frequency in the grid's form: its value cut (not rounded) to five decimals, "90.00000",
// "100.12345".
std::string Freq_Cell_Text(double mhz);
// A typed name as stored: blanks around it removed, its first six characters, letters upper-case.
std::string Name_Cell_Text(std::string_view text);

}  // namespace j5::fm
