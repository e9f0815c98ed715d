// A channel's record and name row shown as one grid row, and the procedures
// that give a channel its new-channel defaults or empty it.
#include <array>

#include "data/encodings.h"
#include "data/tables.h"
#include "editors/channels/frm_chann.h"
#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

namespace {

constexpr int kNameRowBase = 255;  // grid row r has its name in image row r + 255

// Cells 4..13 of a new channel.
const std::array<std::string, 10> kNewChannelCells = {"OFF", "OFF", "HIGH", "W",   "OFF",
                                                      "OFF", "ON",  "1",    "OFF", ""};

// The text of a Tone_Code. Codes with a high byte of 0x80 and up (other than
// the pair FF FF) are never written by the editors; they show as the plain
// tone value. A DCS low byte with no name leaves the cell empty.
std::string Tone_Display(const SharedData& data, int low, int high, bool trimDcs) {
  if ((low == 0 && high == 0) || (low == 255 && high == 255)) return "OFF";
  if (high != 0) return Tone_Text((high * 256 + low) / 10.0);
  const int entry = low + kDcsNameOffset;
  if (entry < 0 || entry >= static_cast<int>(data.Tone_Name.size())) return "";
  const std::string& name = data.Tone_Name[static_cast<std::size_t>(entry)];
  return trimDcs ? rt::Trim(name) : name;
}

}  // namespace

std::int16_t& frm_chann::Rec(int r, int k) {
  return data_.Mem_Image(static_cast<std::size_t>(r - 1), static_cast<std::size_t>(k));
}

std::int16_t& frm_chann::Name_Byte(int r, int k) {
  return data_.Mem_Image(static_cast<std::size_t>(r + kNameRowBase), static_cast<std::size_t>(k));
}

bool frm_chann::Cell_Blank(int r, int c) const {
  return rt::Trim(Cell(r, c)).empty();
}

void frm_chann::Decode_Channel(int r) {
  if (Rec(r, 0) == kEmptyByte) {
    Set_Cell(r, kColRx, "");
    Set_Cell(r, kColTx, "");
    Clear_Channel_Fields(r);
    return;
  }
  Set_Cell(r, kColRx, Cov_Bcd2Freq(Rec(r, 0), Rec(r, 1), Rec(r, 2), Rec(r, 3)));
  Set_Cell(r, kColDec, Tone_Display(data_, Rec(r, 8), Rec(r, 9), false));
  if (Rec(r, 4) == kEmptyByte) {
    Set_Cell(r, kColTx, "");
    Set_Cell(r, kColEnc, "");
  } else {
    Set_Cell(r, kColTx, Cov_Bcd2Freq(Rec(r, 4), Rec(r, 5), Rec(r, 6), Rec(r, 7)));
    Set_Cell(r, kColEnc, Tone_Display(data_, Rec(r, 10), Rec(r, 11), true));
  }
  Set_Cell(r, kColBand, kBandText);

  const int sig = Rec(r, 12) & 0x0F;
  Set_Cell(r, kColSigCode, sig == 15 ? "" : std::to_string(sig + 1));
  const int power = Rec(r, 14) & 0x07;
  Set_Cell(r, kColPower, power == 1 ? "MID" : power == 2 ? "LOW" : "HIGH");
  const int scr = (Rec(r, 14) >> 4) & 0x0F;
  Set_Cell(r, kColScr, scr == 0 ? "OFF" : rt::Str(scr));

  const int flags = Rec(r, 15);
  static const std::array<std::string, 4> kPttId = {"OFF", "BOT", "EOT", "BOTH"};
  Set_Cell(r, kColPttId, kPttId[static_cast<std::size_t>(flags & 0x03)]);
  Set_Cell(r, kColScanAdd, (flags & 0x04) ? "ON" : "OFF");
  Set_Cell(r, kColBusyLock, (flags & 0x08) ? "ON" : "OFF");
  Set_Cell(r, kColWidth, (flags & 0x40) ? "W" : "N");
}

void frm_chann::Show_Channel(int r) {
  Decode_Channel(r);
  std::string name;
  if (Name_Byte(r, 0) != kEmptyByte) {
    for (int k = 0; k < 6; ++k) {
      const int code = Name_Byte(r, k);
      // Only digits and capitals are names; 0xFF and anything else is a gap.
      if (code < 0 || code > 127) continue;
      const std::string ch = rt::Trim(Last_Nonblank_Char(rt::Trim(std::string(1, char(code)))));
      if (ch.size() == 1 && ((ch[0] >= '0' && ch[0] <= '9') || (ch[0] >= 'A' && ch[0] <= 'Z')))
        name += ch;
    }
  }
  Set_Cell(r, kColName, name);
}

void frm_chann::Set_New_Channel(int r) {
  for (std::size_t i = 0; i < kNewChannelCells.size(); ++i)
    Set_Cell(r, kColDec + static_cast<int>(i), kNewChannelCells[i]);
  for (int k = 8; k <= 14; ++k) Rec(r, k) = 0;
  Rec(r, 15) = 0x44;
  for (int k = 0; k < 16; ++k) Name_Byte(r, k) = kEmptyByte;
}

void frm_chann::Clear_Channel_Fields(int r) {
  Set_Cell(r, kColBand, "");
  for (int c = kColDec; c <= kColName; ++c) Set_Cell(r, c, "");
  Empty_Memory(r);
}

void frm_chann::Clear_Channel(int r) {
  for (int c = kColRx; c <= kColName; ++c) Set_Cell(r, c, "");
  Empty_Memory(r);
}

void frm_chann::Empty_Memory(int r) {
  for (int k = 0; k < 16; ++k) Rec(r, k) = kEmptyByte;
  for (int k = 0; k < 16; ++k) Name_Byte(r, k) = kEmptyByte;
}

std::string frm_chann::Cov_i2b(int x) {
  const auto digit = [](int d) { return static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10); };
  const int high = x / 16;
  return std::string{digit(high), digit(x - 16 * high), ' '};
}

std::string frm_chann::Last_Nonblank_Char(const std::string& text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string::npos ? "" : text.substr(last, 1);
}

}  // namespace j5
