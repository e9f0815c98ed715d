#pragma once
// The channel editor: one grid row per memory channel, edited in place by a
// text box (frequencies, name) or an editable list (every other column) laid
// over the current cell. Every change goes straight into the parameter image;
// the window keeps no copy of the channels, so it rebuilds the grid from the
// image whenever it is loaded or activated.
//
// The work is split by concern: frm_chann.cpp (controls, layout, buttons,
// rebuild), channel_display.cpp (record <-> row), cell_editors.cpp (placing
// the editors, picks, typing, Enter) and cell_commit.cpp (the leave-cell
// commit with its checks).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/image_rows.h"
#include "editors/fields.h"
#include "link/transfer_link.h"
#include "platform/kit.h"

namespace j5 {

class Program;
struct Shared_Data;

class frm_chann : public kit::Form, Link_Listener {
 public:
  explicit frm_chann(Program& program);

  // Grid columns.
  enum Column : int {
    kColNumber = 0,
    kColBand = 1,
    kColRx = 2,
    kColTx = 3,
    kColDec = 4,
    kColEnc = 5,
    kColPower = 6,
    kColWidth = 7,
    kColPttId = 8,
    kColBusyLock = 9,
    kColScanAdd = 10,
    kColSigCode = 11,
    kColScr = 12,
    kColName = 13,
  };
  static constexpr int kColumns = 14;
  static constexpr int kMaxChannels = Channel_Record.Count();
  // The band cell of every programmed channel.
  static inline const std::string kBandText = "VHF/UHF ";

  kit::Grid MSF_Chann{*this, "MSF_Chann"};
  kit::CommandButton Command_def{*this, "Command_def"};
  kit::CommandButton Command_Clear{*this, "Command_Clear"};
  kit::CommandButton Command_close{*this, "Command_close"};
  kit::CommandButton Command_read{*this, "Command_read"};
  kit::CommandButton Command_Write{*this, "Command_Write"};
  kit::TextBox Text_Edit{*this, "Text_Edit"};
  kit::ComboBox Combo_edit{*this, "Combo_edit"};
  // The window's own transfer of the channel memory, started only by the two invisible buttons.
  Transfer_Link Transfer;
  kit::ProgressBar& ProgressBar1 = Transfer.Progress.ProgressBar1;
  kit::Label& Label_tr_count = Transfer.Progress.Label_tr_count;
  kit::Label Label_chann{*this, "Label_chann"};
  Link_Engine& Link = Transfer.Link;
  kit::SerialPort& MSC = Link.MSC;

  // Display of one grid row r (1..Chann_Total), channel r - 1. They write
  // cells by row and column and never move the current cell.
  void Show_Channel(int r);
  void Decode_Channel(int r);
  void Set_New_Channel(int r);
  void Clear_Channel_Fields(int r);
  void Clear_Channel(int r);

  // The channel transfer and the channel file (chann_transfer.cpp). Nothing in the program calls
  // the file poll, the dialog procedures or the second name decoder; they are kept whole.
  void Poll_File_Req();
  void Load_Chann_File();
  void Save_Chann_File();
  void Show_Open_Chann();
  void Show_Save_Chann();
  void Decode_Name_Frames();
  // One name of a received name frame (Name_Block_Buf row, data offset 0, 16, 32 or 48) into
  // the name column of a grid row; false when the grid has no such row.
  bool Decode_Name_Frame(int frameRow, int gridRow, int offset);

  // Image rows the channel file holds (the last one is written, never read back).
  static constexpr int kChannFileRows = kImageLastUsedRow + 1;
  static constexpr int kChannFileReadRows = kImageLastUsedRow;

  // Two upper-case hexadecimal digits and a blank ("FF ").
  static std::string Cov_i2b(int x);
  // The last character of text that is not a blank; "" when there is none.
  static std::string Last_Nonblank_Char(const std::string& text);

 private:
  Program& prog_;
  Shared_Data& data_;

  // Where each column's setting lives (columns 2..13, channel 0's record and
  // name row), what it shows and what its list editor offers; grid row r
  // shows the channel r - 1 rows further down.
  fields::Cells Image;
  std::vector<fields::Column> Columns;
  const fields::Column& Col(int c) const { return Columns[static_cast<std::size_t>(c - kColRx)]; }

  // Editing state: the cell being placed, picked or committed, and the text
  // the list editor falls back to when typed into outside the tone columns.
  std::int16_t Cell_Row = 0;
  std::int16_t Cell_Col = 0;
  std::string Cell_Old_Text;

  // The cell an editor was last placed over, and the channel memory as it
  // stood then (kept up to date with this window's own writes). A commit is
  // made only for that cell, and only while the channel memory is still as
  // the editor saw it: a cell reached without an editor, or an edit started
  // before a reset or read replaced the image, must not write anything.
  static constexpr int kChannelBytes = 2 * kMaxChannels * 16;
  bool Edit_Placed = false;
  int Edit_Row = 0;
  int Edit_Col = 0;
  std::array<std::int16_t, kChannelBytes> Edit_Image{};
  // The text the editor showed when it was placed: left unchanged, it commits nothing.
  std::string Edit_Opened_Text;
  // Set while a commit or the Enter check runs: a message box there lets the
  // loop run a queued activation, whose rebuild must not commit the same
  // cell a second time from inside the first commit.
  bool Committing = false;

  // The transfer's extent: the channels it covers, and the block pairs read.
  int Chann_Last = 0;
  int Block_Count = 0;

  // chann_transfer.cpp
  void Command_read_Click();
  void Command_Write_Click();
  void Blocks_To_Channels();
  void Link_Connected() override;
  void Link_Block_Stored(int step, std::uint16_t address,
                         std::span<const std::uint8_t> data) override;
  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const Write_Step& step) override;
  void Link_Done() override;

  // frm_chann.cpp
  void Build_Columns();
  void Form_Load();
  void Form_Activate();
  void Form_Unload(int& cancel);
  void Command_def_Click();
  void Command_Clear_Click();
  void Command_close_Click();
  void Lay_Out();
  // What the channel file service shows in Label_tr_count.
  static std::vector<Bilingual> File_Label_Texts();
  int Shown_Channels() const;
  void Number_Rows();
  void Rebuild_Grid();

  // cell_editors.cpp
  void MSF_Chann_Click();
  void Show_Cell_Editor();
  void Fill_List(int col);
  void Combo_edit_Click();
  void Store_Pick(int r, int col, int k);
  void Combo_edit_Change();
  void Combo_edit_GotFocus();
  void Combo_edit_KeyPress(int& key);
  void Text_Edit_KeyPress(int& key);
  bool Enter_Pre_Check(int r, int c);

  // cell_commit.cpp
  void MSF_Chann_LeaveCell();
  void Commit_Rx(int r, std::string t);
  void Commit_Tx(int r, std::string t);
  void Commit_Tone(int r, int c);
  void Commit_Name(int r);
  bool Freq_In_Range(double f) const;
  std::string Lower_Limit_Text() const;
  void Write_Freq(int r, int col, const std::string& text);
  bool Prompt_Range(bool rx);
  bool Prompt_Rx_First();
  bool Prompt_Name_Length();
  bool Edit_Survives_Message();
  void Show_Picked(int r, int c);

  // The pending edit (cell_editors.cpp).
  void Arm_Edit();
  void Refresh_Edit_Image();
  bool Channel_Memory_Unchanged() const;
  bool Edit_Is_Current() const;
  // The editor placed over a cell holds a text other than the one it opened on (typed, picked, or
  // a tone typed into the list).
  bool Edit_Holds_A_Change() const;
  void Drop_Pending_Edit();
  void Read_Channel_Memory(std::array<std::int16_t, kChannelBytes>& out) const;

  // Access to the image and the grid by row and column.
  void Empty_Memory(int r);
  std::int16_t& Rec(int r, int k);
  std::int16_t& Name_Byte(int r, int k);
  const std::string& Cell(int r, int c) const { return MSF_Chann.textMatrix(r, c); }
  void Set_Cell(int r, int c, const std::string& s) { MSF_Chann.setTextMatrix(r, c, s); }
  bool Cell_Blank(int r, int c) const;
};

}  // namespace j5
