#pragma once
// The data every window shares: the parameter image and the variables through which windows know
// of each other. One Shared_Data belongs to the program; nothing here is a process global, so a
// test simply makes a fresh one. Every value starts at 0, false or empty, as at program start;
// start-up then sets it up (see defaults.h, tables.h, lang_text.h).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/image_rows.h"

namespace j5 {

// Flags hold -1 for true and 0 for false; readers take any non-zero value as true.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

// A fixed table indexed (row, column) from 0, rows 0..Rows-1 and columns 0..Cols-1. An index
// outside the table throws std::out_of_range instead of touching memory it does not own.
template <typename T, std::size_t Rows, std::size_t Cols>
class Table2D {
 public:
  static constexpr std::size_t kRows = Rows;
  static constexpr std::size_t kCols = Cols;

  Table2D() : cells_(Rows * Cols) {}

  T& operator()(std::size_t row, std::size_t col) { return cells_[index(row, col)]; }
  const T& operator()(std::size_t row, std::size_t col) const { return cells_[index(row, col)]; }

  std::span<T, Cols> row(std::size_t r) { return std::span<T, Cols>(&cells_[index(r, 0)], Cols); }
  std::span<const T, Cols> row(std::size_t r) const {
    return std::span<const T, Cols>(&cells_[index(r, 0)], Cols);
  }

  // Sets rows firstRow..lastRow, columns firstCol..lastCol (all inclusive) to `value`.
  void fill(std::size_t firstRow, std::size_t lastRow, std::size_t firstCol, std::size_t lastCol,
            const T& value) {
    for (std::size_t r = firstRow; r <= lastRow; ++r) {
      for (std::size_t c = firstCol; c <= lastCol; ++c) (*this)(r, c) = value;
    }
  }

  bool operator==(const Table2D&) const = default;

 private:
  static std::size_t index(std::size_t row, std::size_t col) {
    if (row >= Rows || col >= Cols) throw std::out_of_range("table index out of range");
    return row * Cols + col;
  }
  std::vector<T> cells_;
};

// Cell (row, col) holds the radio byte at address row * 16 + col; only columns 0..15 are radio
// bytes, and 255 marks an empty byte. image_rows.h says which rows hold what.
using MemImage = Table2D<std::int16_t, 601, 51>;
inline constexpr std::int16_t kEmptyByte = 255;

// One reply frame per row, one byte per column (a block reply's 64 data bytes in columns 5..68).
using FrameStore = Table2D<std::int16_t, 201, 71>;
using NameFrameStore = Table2D<std::int16_t, 101, 71>;
// One 256-byte page: cell (row, col) is page byte row * 16 + col.
using PageBuffer = Table2D<std::int16_t, 16, 16>;
// A tone window's staged block (two-tone rows 0..47, five-tone rows 0..143), kept apart from the
// image: the image's first rows are the channel records, which a build or a signal file must never
// overwrite. It starts erased, as an unprogrammed radio's memory.
using ToneStage = Table2D<std::int16_t, 144, 16>;
inline ToneStage Erased_Tone_Stage() {
  ToneStage t;
  t.fill(0, ToneStage::kRows - 1, 0, ToneStage::kCols - 1, 255);
  return t;
}
// The FM editor's staged rows: rows 0..15 the FM channel records, row 16 the band row (cells
// 0..15 are radio bytes; cells 16..21 only travel in the FM file). Apart from the image for the
// same reason as Tone_Stage. It starts erased.
using FmImage = Table2D<std::int16_t, 17, 22>;
inline FmImage Erased_Fm_Image() {
  FmImage t;
  t.fill(0, FmImage::kRows - 1, 0, FmImage::kCols - 1, 255);
  return t;
}
// A tone window's own table of tone sets or decode actions: rows 0..16, columns 0..60.
using ToneRows = Table2D<std::int16_t, 17, 61>;
// Adjustment table: rows 0..19 and columns 0..15 are the radio's adjustment block.
using AdjTable = Table2D<std::int16_t, 33, 17>;

inline constexpr std::size_t kLangTextCount = 19;
inline constexpr std::size_t kToneTableSize = 2301;  // entries 0..2300 of Tone_Name and Tone_List
inline constexpr std::size_t kModelCount = 11;
inline constexpr std::size_t kModelLimits = 7;
inline constexpr std::size_t kOptIdCount = 61;
inline constexpr std::size_t kOptionValCount = 257;
inline constexpr std::size_t kTone5Standards = 16;  // 15 named standards and an empty one
inline constexpr std::size_t kTone5Digits = 16;

// Period in milliseconds of the tone generator's 2.304 MHz clock.
inline constexpr double kToneTick = 0.000434028;

struct Shared_Data {
  // The parameter image and the frame stores of the block transfers (each tone window keeps its
  // own, see tone_window.h).
  MemImage Mem_Image;
  FrameStore Block_Buf;
  NameFrameStore Name_Block_Buf;
  FmImage Fm_Image = Erased_Fm_Image();

  // Band limits in MHz: the radio's three bands, and the bands of frequency modes A and B.
  double VHF_Low = 0, VHF_High = 0;
  double UHF0_Low = 0, UHF0_High = 0;
  double UHF1_Low = 0, UHF1_High = 0;
  double Band_A_Low = 0, Band_A_High = 0, Band_B_Low = 0, Band_B_High = 0;

  // Band variants (tables.h fills the names and limits).
  std::int16_t Model_Index = 0;
  std::array<std::string, kModelCount> Model_Name{};
  Table2D<std::int16_t, kModelCount, kModelLimits> Model_Band;

  // Serial link.
  std::int16_t Comm_Port = 0;                  // 1..16 for COM1..COM16
  std::int16_t Port_Error = 0;                 // flag: the last attempt to open the port failed
  std::array<std::uint8_t, 10> Access_Code{};  // bytes 0..7 used
  std::int16_t Name_Phase = 0;  // flag: the awaited reply is the name half of a block pair

  // Language: Lang_Chn true is Chinese, false English; Lang_Text filled by Set_Lang_Text.
  std::int16_t Lang_Chn = 0;
  std::array<std::string, kLangTextCount> Lang_Text{};

  std::int16_t Chann_Total = 0;  // channels the channel editor handles, 1..128
  std::string File_Path;         // directory, "/", file name, as chosen in a file dialog

  // Requests raised by file dialogs and served by an editor's timer.
  std::int16_t Open_File_Req = 0, Save_File_Req = 0;
  std::int16_t Open_Adj_Req = 0, Save_Adj_Req = 0;

  // Window-open flags: true from a window's load to its unload.
  std::int16_t Win_Option = 0, Win_Dtmf = 0, Win_Chann = 0, Win_Setup = 0;
  std::int16_t Win_Save_Chann = 0, Win_Open_Chann = 0, Win_Comm_Read = 0, Win_Comm_Write = 0;

  double Tone_Tick = 0;

  // Options by option byte number (0..63 mirror Option_Block); Opt_Id maps an option of the
  // option editor to its byte number.
  std::array<std::int16_t, kOptionValCount> Option_Val{};
  std::array<std::int16_t, kOptIdCount> Opt_Id{};

  // The adjustment table being edited and its factory values.
  AdjTable Adj_Value;
  AdjTable Adj_Default;

  // Tone lists (tables.h): Tone_Name entries 0..260 in tone-code order, Tone_List 0..2210.
  std::vector<std::string> Tone_Name = std::vector<std::string>(kToneTableSize);
  std::vector<std::string> Tone_List = std::vector<std::string>(kToneTableSize);

  // Five-tone standards by (standard, digit) (five_tone.h).
  Table2D<std::string, kTone5Standards, kTone5Digits> Tone5_Std_Name;
  Table2D<std::int16_t, kTone5Standards, kTone5Digits> Tone5_Freq_Lo, Tone5_Freq_Hi;
  Table2D<std::int16_t, kTone5Standards, kTone5Digits> Tone5_Div_Lo, Tone5_Div_Hi;
};

// Puts the program's access code into Access_Code bytes 0..7.
void Fill_Access_Code(Shared_Data& data);

// Option_Val entries 0..63 into Option_Block (entry n is option byte n), and the block back into
// them.
void Option_Val_To_Block(Shared_Data& data);
void Option_Block_To_Val(Shared_Data& data);

}  // namespace j5
