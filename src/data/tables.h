#pragma once
// Constant tables of the radio: tone names, tone list, band variants and option byte numbers,
// and the initialisers that start-up runs to fill them into Shared_Data.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/shared_data.h"

namespace j5 {

// The 50 CTCSS tones in 0.1 Hz, in Tone_Code order (Tone_Name entries 1..50).
inline constexpr std::array<int, 50> kCtcssTenths = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
    1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

// The 105 DCS codes (octal digits), the same order for normal (code 1..105, Tone_Name 51..155)
// and inverted (code 106..210, Tone_Name 156..260).
inline constexpr std::array<std::string_view, 105> kDcsCodes = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065",
    "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134",
    "143", "145", "152", "155", "156", "162", "165", "172", "174", "205", "212", "223",
    "225", "226", "243", "244", "245", "246", "251", "252", "255", "261", "263", "265",
    "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446",
    "452", "454", "455", "462", "464", "465", "466", "503", "506", "516", "523", "526",
    "532", "546", "565", "606", "612", "624", "627", "631", "632", "645", "654", "662",
    "664", "703", "712", "723", "731", "732", "734", "743", "754"};

inline constexpr int kToneNameLast = 260;    // Tone_Name entries 0..260 are filled
inline constexpr int kToneListLast = 2210;   // Tone_List entries 0..2210 are filled
inline constexpr int kDcsNameOffset = 50;    // a DCS Tone_Code with low byte n is Tone_Name n + 50
inline constexpr int kDcsListOffset = 2000;  // ... and Tone_List 2000 + n

// Band variants: names and limits in whole MHz (VHF low/high, UHF0 low/high, UHF1 low/high,
// unused). Variants 7..10 are all empty; only variant 0 is used.
inline constexpr std::array<std::string_view, kModelCount> kModelNames = {
    "VHF/UHF0/UHF1", "VHF1/UHF1", "VHF2/UHF2", "", "", "", "", "", "", "", ""};
inline constexpr std::array<std::array<std::int16_t, kModelLimits>, kModelCount> kModelBands = {{
    {130, 179, 240, 260, 400, 520, 0},
    {136, 174, 240, 250, 0, 0, 0},
    {144, 146, 430, 440, 0, 0, 0},
    {400, 471, 0, 0, 0, 0, 0},
    {450, 521, 0, 0, 0, 0, 0},
    {100, 701, 0, 0, 0, 0, 0},
    {66, 89, 0, 0, 0, 0, 0},
}};

// Option byte number of each option of the option editor (entry k addresses Option_Val(Opt_Id(k))).
// Entries 46..60 hold 0: 46 is the channel count in byte 0, 47..60 have no byte of their own.
inline constexpr std::array<std::int16_t, kOptIdCount> kOptId = {
    5,  29, 4,  16, 3,  30, 7,  6,  9, 11, 24, 25, 26, 27, 19, 10, 42, 38, 17, 39, 40,
    21, 22, 12, 18, 28, 23, 34, 35, 8, 36, 37, 15, 13, 41, 31, 32, 33, 20, 14, 43, 59,
    60, 62, 63, 61, 0,  0,  0,  0,  0, 0,  0,  0,  0,  0,  0,  0,  0,  0,  0};

// A tone in Hz with at least one decimal, as the lists show it: 60 -> "60.0", 67.3 -> "67.3".
std::string Tone_Text(double hz);

// Fills Tone_Name entries 0..260 (padded display texts) and Tone_List entries 0..2210.
void Init_Tone_Table(Shared_Data& data);

// Fills Model_Name and Model_Band, then VHF_Low/VHF_High from the variant Model_Index (the UHF
// limits are left alone).
void Init_Model_Band(Shared_Data& data);

// Fills Opt_Id entries 0..45 (46..60 stay 0).
void Init_Opt_Id(Shared_Data& data);

}  // namespace j5
