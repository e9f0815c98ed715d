// A channel's record and name row shown as one grid row, and the procedures
// that give a channel its new-channel defaults or empty it.
#include <span>
#include <string_view>
#include <vector>

#include "data/codecs.h"
#include "data/image_rows.h"
#include "data/tables.h"
#include "editors/channels/channel_text.h"
#include "editors/channels/frm_chann.h"
#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

namespace {

std::vector<std::string> Numbers(int from, int to) {
  std::vector<std::string> items;
  for (int i = from; i <= to; ++i) items.push_back(std::to_string(i));
  return items;
}

// Channel_Name_Row bytes 0..5: one digit or capital per byte, 0xFF where a
// position holds none. Showing skips every other code, so gaps close up; a
// name whose first byte is 0xFF is no name.
fields::Codec Channel_Name_Codec() {
  return {6,
          [](std::span<const std::int16_t> b) {
            std::string name;
            if (b[0] == kEmptyByte) return name;
            for (const std::int16_t code : b)
              if (code >= 0 && code < 128 && chann::Is_Name_Char(static_cast<char32_t>(code)))
                name += static_cast<char>(code);
            return name;
          },
          [](std::span<std::int16_t> b, std::string_view text) {
            for (std::int16_t& byte : b) byte = kEmptyByte;
            const std::string name(text);
            std::size_t pos = 0;
            for (std::size_t j = 0; j < b.size() && pos < name.size(); ++j) {
              const char32_t ch = kit::utf8::decode(name, pos);
              if (chann::Is_Name_Char(ch)) b[j] = static_cast<std::int16_t>(ch);
            }
            return true;
          }};
}

}  // namespace

void frm_chann::Build_Columns() {
  using fields::Bits;
  using fields::Coded;
  std::vector<std::string> tones;
  for (int i = 0; i <= kToneNameLast; ++i)
    tones.push_back(rt::Trim(data_.Tone_Name[static_cast<std::size_t>(i)]));
  const fields::Codec tone = Tone_Code_Codec(data_.Tone_Name);
  std::vector<std::string> scr = Numbers(1, 8);
  scr.insert(scr.begin(), "OFF");

  Columns = {
      {kColRx, Coded{{0, 0}, Freq_Bcd4_Codec()}},
      {kColTx, Coded{{0, 4}, Freq_Bcd4_Codec()}},
      {kColDec, Coded{{0, 8}, tone}, {tones}},
      {kColEnc, Coded{{0, 10}, tone}, {tones}},
      // The display reads three power bits, where a pick writes two.
      {kColPower, Bits{{0, 14}, 0x03, {0, 1, 2}, 0x07}, {{"HIGH", "MID", "LOW"}}},
      {kColWidth, Bits{{0, 15}, 0x40, {1, 0}}, {{"W", "N"}}},
      {kColPttId, Bits{{0, 15}, 0x03}, {{"OFF", "BOT", "EOT", "BOTH"}}},
      {kColBusyLock, Bits{{0, 15}, 0x08}, {{"OFF", "ON"}}},
      {kColScanAdd, Bits{{0, 15}, 0x04}, {{"OFF", "ON"}}},
      // Code 15 has no item and shows as a blank cell.
      {kColSigCode, Bits{{0, 12}, 0x0F}, {Numbers(1, 15)}},
      // A level keeps the blank that a number's text has room for its sign in.
      {kColScr,
       Bits{{0, 14}, 0xF0},
       {scr, [](int level) { return level == 0 ? std::string("OFF") : rt::Str(level); }}},
      {kColName, Coded{{Channel_Name_Row.first, 0}, Channel_Name_Codec()}},
  };
}

std::int16_t& frm_chann::Rec(int r, int k) {
  return data_.Mem_Image(static_cast<std::size_t>(Channel_Record.first + r - 1),
                         static_cast<std::size_t>(k));
}

std::int16_t& frm_chann::Name_Byte(int r, int k) {
  return data_.Mem_Image(static_cast<std::size_t>(Channel_Name_Row.first + r - 1),
                         static_cast<std::size_t>(k));
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
  const int ch = r - 1;
  Col(kColRx).show(MSF_Chann, r, Image, ch);
  Col(kColDec).show(MSF_Chann, r, Image, ch);
  // Without a transmit frequency there is no transmit tone to show.
  const std::string tx = Col(kColTx).text(Image, ch);
  Set_Cell(r, kColTx, tx);
  Set_Cell(r, kColEnc, tx.empty() ? "" : rt::Trim(Col(kColEnc).text(Image, ch)));
  Set_Cell(r, kColBand, kBandText);
  for (int c = kColPower; c <= kColScr; ++c) Col(c).show(MSF_Chann, r, Image, ch);
}

void frm_chann::Show_Channel(int r) {
  Decode_Channel(r);
  Col(kColName).show(MSF_Chann, r, Image, r - 1);
}

void frm_chann::Set_New_Channel(int r) {
  // Every setting at its first item (tones off, code 1, power HIGH, all else
  // off), but wide band and in the scan list; no name. The cells show it.
  for (int k = 8; k <= 15; ++k) Rec(r, k) = 0;
  Col(kColWidth).pick(Image, r - 1, 0);    // "W"
  Col(kColScanAdd).pick(Image, r - 1, 1);  // "ON"
  for (int k = 0; k < 16; ++k) Name_Byte(r, k) = kEmptyByte;
  for (int c = kColDec; c <= kColName; ++c) Col(c).show(MSF_Chann, r, Image, r - 1);
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
