#include "data/defaults.h"

#include "data/encodings.h"
#include "data/fields.h"
#include "data/image_rows.h"
#include "data/tables.h"
#include "platform/runtime.h"

namespace j5 {

namespace {

constexpr std::array<double, 7> kDefaultChannelMHz = {245.625, 136.1, 173.95, 400.025,
                                                      479.95,  436.5, 155.5};

// Option defaults by Opt_Id entry 0..46 (entry 46 is the channel count in byte 0). The options
// of entries 47..60 have no byte of their own, so their defaults are not stored.
constexpr std::array<std::int16_t, 47> kOptionDefaults = {
    3, 0, 0, 3, 0, 0, 5, 0, 1, 3, 0, 0, 0, 0, 2, 0, 3, 0,    0, 0, 5, 2, 2,  0,
    0, 0, 0, 0, 0, 3, 1, 2, 1, 0, 1, 1, 5, 0, 0, 0, 1, 0x1F, 0, 0, 0, 0, 128};

constexpr std::array<std::string_view, 2> kFmBandTexts = {"   FM   65-75M", "   FM  76-108M"};

// Adjustment sets; -1 marks a cell the set leaves as it was.
using AdjSet = std::array<std::array<std::int16_t, 16>, 16>;
constexpr AdjSet kAdjDefault1 = {{
    {13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13},
    {14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14},
    {15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15},
    {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3},
    {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4},
    {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5},
    {0, 24, 24, 24, 24, 25, 26, 27, 28, 29, -1, -1, -1, -1, -1, 12},
    {3, 4, 4, 4, 4, 4, 4, 4, 3, 2, 1, 0, 0, 0, 0, 0},
    {0, 16, 17, 18, 19, 20, 21, 22, 23, 24, -1, -1, -1, -1, -1, 13},
    {3, 4, 4, 4, 4, 3, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0},
    {0, 16, 17, 18, 19, 20, 21, 22, 23, 24, -1, -1, -1, -1, -1, -1},
    {3, 4, 4, 4, 4, 3, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0},
    {52, 42, 31, 17, 7, 0, 3, 6, 12, 0, 0, 0, 0, 0, 0, 0},
    {5, 5, 7, 7, 7, 7, 10, 8, 5, 0, 0, 0, 0, 0, 0, 0},
    {127, 20, 32, 42, 52, 62, 72, 84, 95, 106, 112, 115, 118, 125, 135, 160},
    {1, 1, 48, 1, 121, 1, 2, 64, 2, 112, 1, 4, 0, 5, 32, -1},
}};
constexpr AdjSet kAdjDefault2 = {{
    {120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120},
    {120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120},
    {55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55},
    {55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55},
    {24, 48, 0, 1, 48, 0, 4, 4, 15, 208, 11, 26, 16, 43, 50, 200},
    {44, 25, 100, 50, 98, 124, 51, 10, 242, 71, 43, 170, 79, 16, 64, 78},
    {41, 58, 86, 6, 82, 110, 6, 45, 112, 24, 27, 113, 108, 30, 127, 0},
    {1, 5, 0, 31, 127, 0, 0, 60, 10, 120, 61, 32, 11, 31, 16, 1},
    {10, 3, 64, 2, 6, 152, 84, 29, 76, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1},
    {0, 11, 21, 31, 34, 37, 39, 41, 43, 45, 60, 18, 12, 255, 0, 136},
    {0, 1, 1, 1, 1, 37, 39, 41, 43, 45, 60, 18, 12, 255, 0, 128},
    {2, 2, 2, 2, 2, 2, 2, 2, 0, 0, 1, 1, 54, 1, 115, -1},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 4, 0, 4, 121, -1},
    {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},  // label below
    {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
}};

void writeAdjSet(Shared_Data& data, const AdjSet& set) {
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 16; ++c) {
      if (set[r][c] >= 0) data.Adj_Default(r, c) = set[r][c];
    }
  }
}

// Writes the characters of `text` as bytes into row `row` from column `column` on.
void writeText(MemImage& image, int row, int column, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    image(row, column + i) = static_cast<std::int16_t>(static_cast<unsigned char>(text[i]));
  }
}

// Writes a string of decimal digits, one digit per byte.
void writeDigits(MemImage& image, int row, int column, std::string_view digits) {
  for (std::size_t i = 0; i < digits.size(); ++i) {
    image(row, column + i) = static_cast<std::int16_t>(digits[i] - '0');
  }
}

void writeBytes(MemImage& image, int row, int column, std::initializer_list<std::int16_t> bytes) {
  for (const auto b : bytes) image(row, column++) = b;
}

bool isProgrammed(const MemImage& image, int channel) {
  for (int k = 0; k < 4; ++k) {
    if (image(Channel_Record.first + channel, k) == kEmptyByte) return false;
  }
  return true;
}

}  // namespace

void Init_Factory_Image(Shared_Data& data) {
  data.Mem_Image.fill(0, kImageLastUsedRow, 0, 15, kEmptyByte);
  Def_Option(data);
  Def_Dtmf(data);
  Def_Chann(data);
}

void Def_Chann(Shared_Data& data) {
  auto& image = data.Mem_Image;
  image.fill(Channel_Record.first, Channel_Record.last, 0, 15, kEmptyByte);
  for (int c = 0; c < static_cast<int>(kDefaultChannelMHz.size()); ++c) {
    const int row = Channel_Record.first + c;
    writeBytes(image, row, 0, {0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0x44});
    std::string receive = rt::Str(kDefaultChannelMHz[c]);
    Set_Freq(image, receive, row, 0);
    std::string transmit = rt::Str(kDefaultChannelMHz[c]);
    Set_Freq(image, transmit, row, 4);
  }
  // Channel 5 has a CTCSS tone and channel 6 a DCS code both ways, both at MID power.
  constexpr int kCtcssRow = Channel_Record.first + 5, kDcsRow = Channel_Record.first + 6;
  Set_Tone(image, "250.3", kCtcssRow, 8);
  Set_Tone(image, "250.3", kCtcssRow, 10);
  image(kCtcssRow, 14) = 1;
  writeBytes(image, kDcsRow, 8, {210, 0, 210, 0});
  image(kDcsRow, 14) = 1;
}

void Def_Option(Shared_Data& data) {
  for (std::size_t k = 0; k < kOptionDefaults.size(); ++k) {
    data.Option_Val[kOptId[k]] = kOptionDefaults[k];
  }
  for (int byte = 60; byte <= 63; ++byte) data.Option_Val[byte] = 0;
  Option_Val_To_Block(data);

  auto& image = data.Mem_Image;
  // Frequency-mode A: 136.02500 MHz, band VHF, tones off.
  const int a = Vfo_Record_Row(0);
  writeBytes(image, a, 8, {1, 3, 6, 0, 2, 5, 0, 0});
  writeBytes(image, a + 1, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  writeBytes(image, a + 1, 12, {0, 0, 0x50, 0});
  // Frequency-mode B: 470.62500 MHz, band UHF0, tones empty.
  const int b = Vfo_Record_Row(1);
  writeBytes(image, b, 8, {4, 7, 0, 6, 2, 5, 0, 0});
  writeBytes(image, b + 1, 0, {0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 1});
  writeBytes(image, b + 1, 12, {0, 0, 0x50, 0});

  Def_FM_Band_Text(data);

  writeText(image, Pon_Line, 0, "WELCOME");
  writeText(image, Pon_Line, 7, "       ");
}

void Def_FM_Band_Text(Shared_Data& data) {
  for (int i = 0; i < Fm_Band_Text.Count(); ++i)
    writeText(data.Mem_Image, Fm_Band_Text.first + i, 0, kFmBandTexts[static_cast<std::size_t>(i)]);
}

void Def_Dtmf(Shared_Data& data) {
  auto& image = data.Mem_Image;
  const auto& codes = kDtmfDefaults;
  image.fill(Dtmf_Block.first, Dtmf_Block.last, 0, 15, kEmptyByte);
  writeDigits(image, Dtmf_Encode_Rows.first, 0, codes.group1);
  writeDigits(image, Dtmf_Encode_Rows.last, 0, codes.group15);
  writeDigits(image, Dtmf_Decode_Row, 0, codes.inspection);
  writeDigits(image, Dtmf_Decode_Row, 5, codes.monitor);
  writeDigits(image, Dtmf_Decode_Row, 10, codes.alarm);
  image(Dtmf_Decode_Row, 15) = 0;
  writeDigits(image, Dtmf_Remote_Row, 0, codes.stun);
  writeDigits(image, Dtmf_Remote_Row, 5, codes.kill);
  writeDigits(image, Dtmf_Remote_Row, 10, codes.revive);
  image(Dtmf_Remote_Row, 15) = 1;
  writeDigits(image, Dtmf_Id_Row, 0, codes.masterId);
  writeDigits(image, Dtmf_Id_Row, 5, codes.viceId);
  writeDigits(image, Dtmf_Id_Row, 10, codes.ownId);
  image(Dtmf_Id_Row, 15) = 2;
  writeBytes(image, Dtmf_Settings_Row, 0, {0x1F, 3, 0, 0, 11});
}

void Check_Work_Chann(Shared_Data& data) {
  auto& image = data.Mem_Image;
  int a = image(Work_Chann_Row, 6);
  int b = image(Work_Chann_Row, 7);
  image(Work_Chann_Row, 1) = 0;
  // A loaded file can hold any number here; only 0..127 name a channel.
  const int channels = Channel_Record.Count();
  if (a < 0 || a >= channels) a = 0;
  if (b < 0 || b >= channels) b = 0;
  int first = -1;
  for (int c = 0; c < channels && first < 0; ++c) {
    if (isProgrammed(image, c)) first = c;
  }
  if (first < 0) {
    const fields::Place byte44 = fields::At(Option_Block.first, 44);
    image(byte44.row, byte44.col) = 0;
    a = 0;
    b = 0;
  } else {
    if (!isProgrammed(image, a)) a = first;
    if (!isProgrammed(image, b)) b = first;
  }
  image(Work_Chann_Row, 6) = static_cast<std::int16_t>(a);
  image(Work_Chann_Row, 7) = static_cast<std::int16_t>(b);
}

void Init_Adj_Default(Shared_Data& data) {
  writeAdjSet(data, kAdjDefault1);
}

void Init_Adj_Default2(Shared_Data& data) {
  writeAdjSet(data, kAdjDefault2);
  for (std::size_t c = 0; c < kAdjDefault2Label.size(); ++c) {
    data.Adj_Default(14, c) = static_cast<std::int16_t>(kAdjDefault2Label[c]);
  }
}

void Copy_Adj_Default(Shared_Data& data) {
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 16; ++c) data.Adj_Value(r, c) = data.Adj_Default(r, c);
  }
}

}  // namespace j5
