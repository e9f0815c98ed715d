#pragma once
// The cell texts of the tone windows and their bytes, as codecs of the field model: a grid column
// of a tone window is a field over the page a read brings in or the block a build makes, and the
// one codec both shows the bytes in the cell and stores the cell back.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "data/fields.h"
#include "data/shared_data.h"

namespace j5::tone {

// ---- Two-tone ----

// Tone_Pair: 0 "A-B" ... 11 "D-C"; 0xFF no pair.
inline constexpr std::array<std::string_view, 12> kPairText = {
    "A-B", "A-C", "A-D", "B-A", "B-C", "B-D", "C-A", "C-B", "C-D", "D-A", "D-B", "D-C"};

// Tone_Count: the tone's period in tone generator ticks, Int(1000 / f / Tone_Tick + 0.5); -1 when
// it does not fit sixteen bits (no tone, or one below about 35 Hz).
int Tone_Count(double hz);

// An encode tone, two bytes of whole Hz: shown as "1981.0" within 300-3000 Hz, else empty; a cell
// stores Int(Val + 0.5), nothing for an empty cell or a value that is no 16-bit number.
fields::Codec Encode_Tone_Codec();
// One byte each: pair text, response entry (texts of the language in force), alert number.
fields::Codec Pair_Codec();
fields::Codec Response_Codec(const Shared_Data& data);
fields::Codec Alert_Codec();
// A tone of a decode tone set: ten bytes from the tone's Hz bytes, whose Tone_Count stands eight
// bytes further on. Shown as its Hz with ".0", empty for 0 and for an erased FF FF; an empty text
// or a tone without a 16-bit count stores nothing.
fields::Codec Tone_Set_Codec();

// ---- Five-tone ----

// The characters of a text, each as its own UTF-8 string.
std::vector<std::string> Characters(std::string_view text);

// Tone5_Digit: "0"-"9", "A"-"F" are 0-15, anything else 0xFF; back to text 16-255 give a blank.
int Digit_Value(std::string_view ch);
std::string Digit_Char(int value);
// A code of five digits: shown as five characters; stored trimmed and padded with blanks.
fields::Codec Code_Codec();
// A standard: its name, 255 for none.
fields::Codec Standard_Codec();
// A function: the call-type entry of the language in force; stored from the cell's first
// character, 255 for an empty cell.
fields::Codec Function_Codec(const Shared_Data& data);
// A standard's tone period in units of 10 ms: shown as 10 times the byte; stored as the whole
// part of the text's number over 10, nothing when that is no byte.
fields::Codec Period_Codec();
// A group or repeat tone: one digit.
fields::Codec Digit_Codec();

}  // namespace j5::tone
