#pragma once
// Factory contents of the parameter image and of the adjustment table, and the repair of the
// work-channel row before a whole write. Each routine changes only the cells it names.

#include <array>
#include <cstdint>
#include <string_view>

#include "data/image_rows.h"
#include "data/shared_data.h"

namespace j5 {

// Start-up's image: rows 0..kImageLastUsedRow (columns 0..15) set to 255, then Def_Option,
// Def_Dtmf, Def_Chann.
void Init_Factory_Image(Shared_Data& data);

// Channel_Record: every channel empty, then the seven factory channels 0..6.
void Def_Chann(Shared_Data& data);

// Option defaults into Option_Val (bytes 1, 2 and 44..58 keep their value), Option_Val 0..63
// into Option_Block, frequency-mode records A and B (Vfo_Record), the FM band texts and the
// power-on message (Pon_Line).
void Def_Option(Shared_Data& data);

// Fm_Band_Text, bytes 0..13 of each row: the two FM band labels.
void Def_FM_Band_Text(Shared_Data& data);

// Dtmf_Block: all 255, then the factory DTMF codes, IDs and flags.
void Def_Dtmf(Shared_Data& data);

// Points the two work channels (Work_Chann_Row bytes 6 and 7) at programmed channels and clears
// its byte 1; with no channel programmed, both become 0 and option byte 44 0.
void Check_Work_Chann(Shared_Data& data);

// The factory DTMF codes (one decimal digit per byte).
struct Dtmf_Defaults {
  std::string_view group1, group15;             // encode groups 1 and 15, five digits
  std::string_view inspection, monitor, alarm;  // three digits each
  std::string_view stun, kill, revive;          // three digits each
  std::string_view masterId, viceId, ownId;     // five digits each
};
inline constexpr Dtmf_Defaults kDtmfDefaults = {"12345", "54321", "101",   "102",   "103",  "104",
                                                "105",   "106",   "10001", "10002", "10000"};

// Adjustment table defaults: the first set (start-up, Default button) and the second set.
void Init_Adj_Default(Shared_Data& data);
void Init_Adj_Default2(Shared_Data& data);
// Copies Adj_Default rows and columns 0..15 into Adj_Value, as start-up and the Default button do.
void Copy_Adj_Default(Shared_Data& data);

// The twelve-character label of the second adjustment set (row 14, columns 0..11).
inline constexpr std::string_view kAdjDefault2Label = "J5 SERIES-02";

}  // namespace j5
