#pragma once
// Where each record lies in the parameter image. Row r of Mem_Image holds the sixteen radio bytes
// from address r * 16, so a record's rows are also its place in the radio's memory. Every window,
// transfer, file and default names the rows it works on from here, so a record's rows are written
// down once.

#include <cstddef>
#include <cstdint>
#include <span>

namespace j5 {

// Rows first..last of the image, both included.
struct Image_Rows {
  int first;
  int last;

  constexpr int Count() const { return last - first + 1; }
  constexpr bool Holds(int row) const { return row >= first && row <= last; }
};

inline constexpr int kRowBytes = 16;  // radio bytes in one row (columns 0..15)
inline constexpr int kBlockRows = 4;  // rows of one 64-byte block of the block transfers

// The radio address of byte 0 of row `row`.
constexpr std::uint16_t Row_Address(int row) {
  return static_cast<std::uint16_t>(row * kRowBytes);
}

// Puts radio bytes into a table of 16-byte rows (the image or a window's own table) from column 0
// of `row` on: byte i at row + i / 16, column i % 16. A block reply fills four rows so.
template <typename Table>
void Bytes_To_Rows(Table& table, int row, std::span<const std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i)
    table(static_cast<std::size_t>(row) + i / kRowBytes, i % kRowBytes) = bytes[i];
}

// ---- The image as a whole -------------------------------------------------------------------

// Rows 0..383 are the radio's parameter memory 0x0000-0x17FF (the whole read fills them), rows up
// to 480 travel in the parameter file, and rows up to 495 are the rows the program uses at all:
// start-up empties them, and the option and channel editors' files hold them.
inline constexpr int kImageLastRadioRow = 383;
inline constexpr int kImageLastFileRow = 480;
inline constexpr int kImageLastUsedRow = 495;

// ---- The records, in address order ----------------------------------------------------------

// Channel_Record: channel c (0..127) in row c; byte 0 = 0xFF marks an empty channel.
inline constexpr Image_Rows Channel_Record{0, 127};

// Dtmf_Block (0x0B00-0x0CFF), and the rows of it that hold settings.
inline constexpr Image_Rows Dtmf_Block{176, 207};
inline constexpr Image_Rows Dtmf_Encode_Rows{176, 190};  // encode group g (1..15) in row 175 + g
inline constexpr int Dtmf_Decode_Row = 200;    // inspection, monitor, alarm; receive/transmit off
inline constexpr int Dtmf_Remote_Row = 201;    // stun, kill, revive; remote control by the IDs
inline constexpr int Dtmf_Id_Row = 202;        // master, vice and own ID; PTT send options
inline constexpr int Dtmf_Settings_Row = 203;  // the IDs' rights, on and off time, group code

// The option area (0x0E00-0x0F6F) that the option editor's own transfer carries: the option block
// with the rows around it, the work-channel row, both frequency-mode records, the FM band texts
// and the power-on line.
inline constexpr Image_Rows Option_Area{224, 246};
// Option_Block (0x0E20-0x0E5F): option byte n in row 226 + n / 16, column n % 16; Option_Val
// entries 0..63 mirror it.
inline constexpr Image_Rows Option_Block{226, 229};
// Work_Chann_Row (0x0E70): the two work channels in bytes 6 and 7.
inline constexpr int Work_Chann_Row = 231;
// Vfo_Record A (rows 240-241) and B (rows 242-243), 32 bytes each.
inline constexpr Image_Rows Vfo_Record{240, 243};
// The first row of frequency-mode record A (side 0) or B (side 1).
constexpr int Vfo_Record_Row(int side) {
  return Vfo_Record.first + 2 * side;
}
// Fm_Band_Text: the two 14-character FM band labels, one a row.
inline constexpr Image_Rows Fm_Band_Text{244, 245};
// Pon_Line: the power-on message, its upper line in bytes 0-6 and its lower line in bytes 7-13.
inline constexpr int Pon_Line = 246;

// Channel_Name_Row: channel c's name in row 256 + c.
inline constexpr Image_Rows Channel_Name_Row{256, 383};

// The records fit together as the radio lays them out.
static_assert(Channel_Name_Row.Count() == Channel_Record.Count());
static_assert(Channel_Name_Row.last == kImageLastRadioRow);
static_assert(Dtmf_Block.Holds(Dtmf_Encode_Rows.first) && Dtmf_Block.Holds(Dtmf_Settings_Row));
static_assert(Option_Area.Holds(Option_Block.first) && Option_Area.last == Pon_Line);
static_assert(Vfo_Record_Row(1) + 1 == Vfo_Record.last);

// ---- Outside the image ----------------------------------------------------------------------

// Password_Block: the radio's 16-byte password record at 0x1FF0, which only the password window
// reads and writes; the image holds no copy.
inline constexpr std::uint16_t Password_Block = 0x1FF0;

}  // namespace j5
