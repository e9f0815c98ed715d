#pragma once
// Every transfer of the program as the link engine runs it: one description (opening, sender,
// times, restarts, texts) and its block plans. A window takes its own from here and runs it with
// a Transfer_Link (transfer_link.h), answering what is its own.
//
// Openings: "full" is code, ACK, STX, identification, ACK, ACK; "ident" stops after the
// identification without acknowledging it; "direct" is the whole code answered in nine bytes,
// the identification with the radio's ACK in front of it or behind it, the blocks at once.

#include <array>
#include <cstdint>

#include "data/image_rows.h"
#include "data/shared_data.h"
#include "link/link_engine.h"
#include "link/transfer_progress.h"

namespace j5 {

struct Shared_Data;

// ---- Descriptions (one line each: opening, code, identification, sender, times, restarts) ----

// Whole read: full, Access_Code 7, Ident14; burst, byte-time pause; watch 1000/1000, report 1000;
// no restart.
const Transfer_Description& Whole_Read_Link();
// Whole write: as the whole read, output buffer emptied at opening.
const Transfer_Description& Whole_Write_Link();
// Port window: ident, Access_Code 7, Ident8 or Ident14; burst; watch 1000, report 1000, done 50 ms
// after the identification; no restart; the failure in status panel 2 at the time-out.
const Transfer_Description& Port_Window_Link();
// Start-up identification: ident, Access_Code 7, Ident14; burst; watch 1000, report 1000; no
// restart; no port message; nothing waits for it.
const Transfer_Description& Startup_Ident_Link();
// Password window: full, Access_Code 8, Ident8; burst without pause; watch 2000 per byte, 1000
// after the frame; report 1000; no restart; output buffer emptied; texts in status panel 2, a read
// without its write is the old password refused; after a write the window empties its boxes once
// the message is closed and closes 500 ms later.
const Transfer_Description& Password_Link();
// Channel editor's own transfer: direct, Access_Code 8, Ident8 among nine; burst, byte-time pause;
// watch 1000/1000; report 1500; 1 restart.
const Transfer_Description& Channel_Link();
// Option editor's own transfer: direct, Access_Code 8, Ident8 among nine; one byte per tick (15,
// then 20 ms), a leading ACK not sent; watch 2000 per byte, 1000 after the frame; report 1500;
// 1 restart.
const Transfer_Description& Option_Link();
// DTMF editor's own transfer: as the option editor's, with the DTMF texts.
const Transfer_Description& Dtmf_Link();
// Adjustment transfer: full, Access_Code 7, Ident14; burst, byte-time pause; watch 1000/1000;
// report 2000; 3 restarts; the failure only in status panel 2.
const Transfer_Description& Adjust_Link();
// Two-tone and five-tone transfer: Alt_Access_Code 8, Ident50, blocks at once; burst without
// pause; watch 2000 per byte, 1000 after the frame; report 3000; 3 restarts.
const Transfer_Description& Signalling_Link();
// FM transfer: Alt_Access_Code 8, Ident8_Dec among nine, blocks at once; one byte per tick (15,
// then 10 ms); watch 2000 per byte, 1000 after the frame; report 1500; 3 restarts; panel 4.
const Transfer_Description& Fm_Link();
// Option copies' transfer: as the FM transfer, with the option texts and panel 2.
const Transfer_Description& Option_Copy_Link();

// ---- Block plans ----------------------------------------------------------------------------

// Block plans. A read step's dest names where its data go: image rows, or the rows of the
// window's own table (Adj_Value, Copy_Image), or a Block_Buf row that keeps the reply whole.

// Whole read: 96 blocks of 64 bytes from 0x0000 to image rows 4 k, the first reply without the
// radio's ACK.
Read_Plan Whole_Read_Plan();
// The image rows the whole write sends, in this order (first and last row of each run): the
// channel records and the row after them, sixteen rows without an editor and the DTMF block but
// its last row, the option block with the rows around it up to the row after Work_Chann_Row, the
// frequency-mode records up to Pon_Line, and the channel names with the row after them.
struct Row_Run {
  int first, last;
};
inline constexpr std::array<Row_Run, 5> Row_Skip_List = {
    {{0, 128}, {160, 206}, {224, 232}, {240, 246}, {256, 384}}};

// Whole write: the rows of Row_Skip_List, one 16-byte row per frame to row * 16; the rows that
// Whole_Write_May_Shorten names go out as short row frames when they begin with 0xFF.
Write_Plan Whole_Write_Plan();
// The channel records from 1 on and the rows from the second name row to the last one sent (1-127
// and 257-384). Row 0 opens the block phase and goes out in full, as do rows 128 to 256.
constexpr bool Whole_Write_May_Shorten(int row) {
  return (row > Channel_Record.first && row <= Channel_Record.last) || row > Channel_Name_Row.first;
}
// Password: one 16-byte request for 0x1FF0 behind an ACK (answered with a whole 64-byte block),
// then the window's write (Password_Write_Plan).
Read_Plan Password_Read_Plan();
// The password's write frame to 0x1FF0 (source 0), behind an ACK after a password match; any
// answer ends the exchange.
Write_Plan Password_Write_Plan(bool lead_ack);
// Channel editor: Int(Chann_Total / 4 + 0.9) + 1 pairs of blocks, channel half p * 64 (image rows
// 4 p) then name half 0x1000 + p * 64 (rows 256 + 4 p); the first request behind an ACK.
Read_Plan Channel_Read_Plan(int chann_total);
// Channel editor: for each channel n = 1..chann_last its record (image row n - 1, to (n - 1) * 16)
// then its name row (row 255 + n, to 0x1000 + (n - 1) * 16), each behind an ACK, short when the
// row begins with 0xFF except the very first frame.
Write_Plan Channel_Write_Plan(int chann_last);
// Option editor: 5 blocks from 0x0E00 (the radio's image rows 224-243; the transfer itself
// changes nothing).
Read_Plan Option_Read_Plan();
// Option editor: image rows 224-246 to 0x0E00 + 16 c, each row to its own address.
Write_Plan Option_Write_Plan();
// DTMF editor: 7 blocks from 0x0B00 to image rows 176-203.
Read_Plan Dtmf_Read_Plan();
// DTMF editor: image rows 176-204 to 0x0B00 + 16 c.
Write_Plan Dtmf_Write_Plan();
// Adjustment: 0x1F00, 0x1F40, 0x1F80, 0x1FC0, then 0x1EC0 to Adj_Value rows 0-19, the first reply
// without the radio's ACK.
Read_Plan Adjust_Read_Plan();
// Adjustment: the tag frame (source Adj_Tag_Source) to 0x0DF0, then Adj_Value rows 0-15 to
// 0x1F00 + 16 r.
Write_Plan Adjust_Write_Plan();
inline constexpr int Adj_Tag_Source = -1;
// The twelve letters of the tag frame, its last four data bytes 0.
inline constexpr std::array<std::uint8_t, 16> Adj_Tag_Frame_Data = {
    'F', 'A', 'C', 'T', 'O', 'R', 'Y', 'A', 'D', 'J', 'S', 'T', 0, 0, 0, 0};
// Two-tone: 12 blocks from 0x2D00 into the window's Block_Buf rows 2-13 (Store_Reply_Row: the
// window takes its pages from there).
Read_Plan Tone2_Read_Plan();
// Two-tone: the window's staged rows 0-47 to 0x2D00 + 16 n, each behind an ACK.
Write_Plan Tone2_Write_Plan();
// Five-tone: 20 blocks from 0x2400 into the window's Block_Buf rows 2-21 (as the two-tone read).
Read_Plan Tone5_Read_Plan();
// Five-tone: the window's staged rows 0-143 to 0x2000 + 16 n, each behind an ACK.
Write_Plan Tone5_Write_Plan();
// FM: 0x3000, 0x3040, 0x3080, 0x30C0, then 0x3F80, replies k as Block_Buf rows k + 2 for the FM
// decoder (it could as well take them from Link_Block_Stored: no other window reads them).
Read_Plan Fm_Read_Plan();
// FM: Fm_Image rows 0-15 to 0x3000 + 16 n, row 16 (the band row) to 0x3F80.
Write_Plan Fm_Write_Plan();
// Option copies: 5 blocks from 0x0E20 to Copy_Image rows 0, 4, -, 8, 12 (the 0x0EA0 block reaches
// no row).
Read_Plan Option_Copy_Read_Plan();
// Option copies: Copy_Image rows 0-3 to 0x0E20-0x0E50, row 6 three times to 0x0F00 (so ten
// frames still go out), rows 7-9 to 0x0F10-0x0F30.
Write_Plan Option_Copy_Write_Plan();

// A checked reply as the radio sent it into row `row` of a frame store: ACK, Cmd_Data, the
// address, the length 0x40 and the 64 data bytes in columns 0 to 68. The signalling windows keep
// their replies so in their own store, the FM window and the option copies in the shared
// Block_Buf, the channel editor its channel halves there and its name halves in Name_Block_Buf;
// every other transfer takes the data bytes straight from Link_Block_Stored.
template <typename Store>
void Store_Reply_Row(Store& store, int row, std::uint16_t address,
                     std::span<const std::uint8_t> block) {
  const auto r = static_cast<std::size_t>(row);
  const std::uint8_t header[] = {ACK, Cmd_Data, static_cast<std::uint8_t>(address >> 8),
                                 static_cast<std::uint8_t>(address & 0xFF), 0x40};
  std::size_t c = 0;
  for (std::uint8_t b : header) store(r, c++) = b;
  for (std::size_t i = 0; i < 64 && i < block.size(); ++i) store(r, c++) = block[i];
}

// The sixteen bytes of row `row` of a table of radio bytes (the image, a window's staged rows), or
// nothing when one of them is no byte (a file may hold such values; none of them may reach the
// radio).
template <typename Table>
std::optional<std::array<std::uint8_t, 16>> Row_Bytes(const Table& table, int row) {
  std::array<std::uint8_t, 16> out{};
  for (std::size_t c = 0; c < 16; ++c) {
    const int v = table(static_cast<std::size_t>(row), c);
    if (v < 0 || v > 255) return std::nullopt;
    out[c] = static_cast<std::uint8_t>(v);
  }
  return out;
}
std::optional<std::array<std::uint8_t, 16>> Image_Row_Bytes(const Shared_Data& data, int row);

}  // namespace j5
