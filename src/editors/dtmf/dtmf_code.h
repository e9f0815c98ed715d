#pragma once
// The one-byte DTMF character code of the DTMF record, and the code fields and encode groups
// built from it. A code field is five bytes: the code's characters from the first byte on and
// 255 in the positions after them; a field whose first byte is 255 is an empty code.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "data/fields.h"

namespace j5 {

inline constexpr int kDtmfFieldLen = 5;
inline constexpr std::int16_t kDtmfNoChar = 255;

// "0".."9" 0..9, "*" 11, "#" 12, "A".."D" and "a".."d" 13..16; anything else 255.
std::int16_t Dtmf_Char_To_Code(std::string_view ch);
// 0..9 the digit, 11 "*", 12 "#", 13..16 "A".."D"; every other code "".
std::string Dtmf_Code_To_Char(int code);
// The characters of the codes joined; codes without a character add nothing.
std::string Dtmf_Codes_To_Text(std::span<const std::int16_t> codes);

// What a code box shows for its field: "" when the first byte is 255, else the field's text.
std::string Code_Field_Text(std::span<const std::int16_t, kDtmfFieldLen> field);
// What a code box stores for its text: the codes of its first five characters after trimming,
// 255 after them.
std::array<std::int16_t, kDtmfFieldLen> Code_Field_Bytes(const std::string& text);
// A whole encode-group row for the text typed into its box: every position of the trimmed text
// coded on its own (a character without a code gives 255 there), bytes 5..15 255.
std::array<std::int16_t, 16> Encode_Group_Bytes(const std::string& text);

// The record's encodings as field codecs: a code field (five bytes) as its code box shows and
// stores it; an encode group's whole row (shown from bytes 0..4, stored as Encode_Group_Bytes);
// one character (the group call code).
fields::Codec Dtmf_Field_Codec();
fields::Codec Dtmf_Group_Codec();
fields::Codec Dtmf_Char_Codec();

// Why a code box refuses its text, in the order the box looks: more than five characters, or a
// character other than "0".."9", "A".."D", "*", "#" (blanks and lower case included).
enum class Code_Fault { None, Too_Long, Bad_Char };
Code_Fault Code_Text_Fault(const std::string& text);
// A code box lets the focus go only with three to five acceptable characters.
bool Code_Text_Accepted(const std::string& text);

}  // namespace j5
