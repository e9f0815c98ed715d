#pragma once
// The text rules of the option window copies that need no control: the offset list, the
// frequency the band check writes back, the password test and the two-byte range limits. The
// windows' handlers and their display and packing use them.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace j5::copy {

// Offset list item i: i x 50 kHz as "MM.kkk" (00.000 .. 99.950), 2000 items.
inline constexpr int kOffsetItems = 2000;
std::vector<std::string> Offset_Items();

// The offset index of six stored digit bytes (kHz, each byte as its decimal text), rounded half to
// even and held to the list.
int Offset_Index(const std::array<int, 6>& bytes);

// The five decimals of a frequency the band check accepted: the kHz rounded, then 00, 25 or 50
// for the rest. A fraction that rounds to a whole MHz carries into the MHz ("136.9996" gives
// "137.00000"), so the text always has three places before the decimal digits it can carry.
std::string Freq_Accepted_Text(double mhz);
// The eight digit bytes a frequency text packs into: trimmed, a "0" put in front of an
// eight-character text, the point skipped; a character that is no digit packs 0.
std::array<int, 8> Freq_Pack_Digits(const std::string& text);

// Why a password text is refused, or nothing: an empty (blank) text is accepted; otherwise it
// must be six digits. Characters are counted, not bytes.
enum class Pwd_Problem { None, Length, Range };
Pwd_Problem Pwd_Check(const std::string& text);
// The six digit bytes a password text packs into: its trimmed characters in order, a character
// that is no digit (or none, past the text's end) packing 0.
std::array<int, 6> Pwd_Pack(const std::string& text);

// A range limit as its Band_Limit_Pair bytes, from the whole MHz of the text's number (0 .. 999).
std::array<int, 2> Limit_Pack(const std::string& text);
// The text of a stored limit pair: hundreds from the first byte's low nibble, tens and units from
// the second byte's nibbles.
std::string Limit_Text(int h, int t);

// The channel count a text stands for when it lies within 1 to 128, rounded half to even.
std::optional<int> Count_Accepted(const std::string& text);

// A number written as the copies write numbers into their boxes: shortest decimal, no blanks.
std::string Number_Text(double value);

}  // namespace j5::copy
