#pragma once
// Five-tone standards (the tone of each digit in 15 signalling standards, with the bytes the
// radio's tone generator needs) and the small lookups the signalling and FM editors share.

#include <array>
#include <string>
#include <string_view>

#include "data/shared_data.h"

namespace j5 {

inline constexpr int kTone5NamedStandards = 15;  // standards 0..14; standard 15 stays empty
inline constexpr int kNoStandard = 255;          // Std_Name2Index of an unknown name

inline constexpr std::array<std::string_view, kTone5NamedStandards> kTone5StdNames = {
    "CCIR1",  "CCIR2", "PCCIR", "ZVEI1", "ZVEI2", "ZVEI3", "PZVEI", "DZVEI",
    "PDZVEI", "EEA",   "EIA",   "EURO",  "CCITT", "NATEL", "MODAT"};

// Tone in Hz of digits 0..F of each standard; 0 means the digit has no tone.
inline constexpr std::array<std::array<double, 16>, kTone5NamedStandards> kTone5Freq = {{
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 2400, 930, 2247, 991, 2110, 1055},
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 2400, 930, 2247, 991, 2110, 1055},
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 1050, 930, 2400, 991, 2110, 0},
    {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 2800, 810, 970, 885, 2600, 680},
    {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 885, 810, 740, 680, 970, 2600},
    {2200, 970, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 885, 0, 0, 0, 2400, 0},
    {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 970, 810, 2800, 885, 2600, 680},
    {2200, 970, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 825, 740, 2600, 885, 2400, 680},
    {2200, 970, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 825, 886, 2600, 856, 2400, 0},
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 1055, 930, 2400, 991, 2110, 2247},
    {600, 741, 882, 1023, 1164, 1305, 1446, 1587, 1728, 1869, 2151, 2433, 2010, 2292, 459, 1091},
    {979.8, 903.1, 832.5, 767.4, 707.4, 652, 601, 554, 510.7, 470.8, 0, 0, 0, 0, 1062.9, 0},
    {400, 697, 770, 852, 941, 1209, 1335, 1477, 1633, 1800, 1900, 2000, 2100, 2200, 2300, 0},
    {1633, 631, 697, 770, 852, 941, 1040, 1209, 1336, 1477, 1995, 571, 2205, 2437, 1805, 2694},
    {657.5, 787.5, 937.5, 1087.5, 1237.5, 1387.5, 1537.5, 1687.5, 1837.5, 1987.5, 0, 0, 0, 0, 487.5,
     0},
}};

// Clock of the tone generator in Hz; a tone's divider counts its periods.
inline constexpr double kToneClockHz = 2304000.0;

// The generator divider of a tone: the largest whole number below clock / f; 0 for no tone.
int Tone5_Divider(double hz);

// Fills Tone5_Std_Name, Tone5_Freq_Lo/Hi and Tone5_Div_Lo/Hi for standards 0..14.
void Init_Tone5_Std(Shared_Data& data);
// Digit d of standard s sounds f Hz: its name, frequency bytes and divider.
void Set_Tone5_Digit(Shared_Data& data, std::size_t s, std::size_t d, double f);

// Trims the caller's text of blanks in place and returns the number of the standard of that exact
// name (case-sensitive), or kNoStandard.
int Std_Name2Index(std::string& name);

// The name of standard 0..14, the empty text for any other number.
std::string Std_Index2Name(int index);

// Copies the 64 data bytes of the four reply frames in rows r..r+3 of a window's Block_Buf into
// its Page_Buf and leaves r at r + 3.
void Load_Page_Buf(const FrameStore& blocks, PageBuffer& page, int& r);

// Lang_Text entry 10 + n for call type n = 0..8, the empty text otherwise.
std::string Get_Call_Type(const Shared_Data& data, int n);

// An FM band limit text: the frequency rounded to whole MHz (half to even), then ".00000"
// ("87.5" -> "88.00000"). The mode is accepted for every value and changes nothing.
std::string Fmt_FM_Freq(std::string_view text, int mode);

}  // namespace j5
