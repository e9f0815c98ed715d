#pragma once
// The factory adjustment editor: the radio's adjustment table (Adj_Value rows 0..19) on five
// pages of a tab strip: transmit power high and low, squelch, modulation and audio, band limits
// and the rest. Every accepted entry goes into the table at once; the window keeps no copy of it,
// so the table outlives the window. Its captions and lists are Chinese in both languages; only
// its messages follow the program's language.
//
// The work is split by concern: frm_Adj_Txp.cpp (controls, layout, captions, pages, Default,
// Close), adj_page.cpp (showing the table and the value boxes' and lists' entry), band_limits.cpp
// (the band-limit boxes and their packing), adj_file.cpp (the file buttons, their requests and the
// adjustment file), adj_transfer.cpp (reading and writing the table over the link).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "editors/fields.h"
#include "link/link_engine.h"
#include "link/transfer_link.h"
#include "platform/kit.h"

namespace j5 {

class Program;
struct Shared_Data;
enum class Adj_Msg;

class frm_Adj_Txp : public kit::Form, private Link_Listener {
 public:
  explicit frm_Adj_Txp(Program& program);

  // Pages of the tab strip (Adj_Page).
  enum Page : int { kPowerHigh = 0, kPowerLow = 1, kSquelch = 2, kAudio = 3, kOther = 4 };

  kit::TabStrip TabStrip1{*this, "TabStrip1"};

  // Pages 0 and 1: transmit power, one column per band.
  kit::Frame Frame_Frame{*this, "Frame_Frame"};
  kit::ControlArray<kit::Frame> Frame_B0{*this, "Frame_B0", 3};
  // Label1(16) is the caption of Combo_Mod(9) on page 3.
  kit::ControlArray<kit::Label> Label1{*this, "Label1", 17};
  kit::ControlArray<kit::TextBox> Text1{*this, "Text1", 16};
  kit::ControlArray<kit::Label> Label_UHF{*this, "Label_UHF", 16};
  kit::ControlArray<kit::TextBox> Text2{*this, "Text2", 16};
  kit::ControlArray<kit::Label> Label_UHF1{*this, "Label_UHF1", 16};
  kit::ControlArray<kit::TextBox> Text_UHF1{*this, "Text_UHF1", 16};

  // Page 2: squelch levels and compensation, one frame per band with four headings each.
  kit::Frame Frame_Sql{*this, "Frame_Sql"};
  kit::Frame Frame1{*this, "Frame1"};
  kit::Frame Frame_Sql_UHF{*this, "Frame_Sql_UHF"};
  kit::Frame Frame_Sql_UHF1{*this, "Frame_Sql_UHF1"};
  kit::ControlArray<kit::Label> Label_Sql_Head{*this, "Label_Sql_Head", 12};
  kit::ControlArray<kit::Label> Label_Sql_VHF{*this, "Label_Sql_VHF", 10};
  kit::ControlArray<kit::TextBox> Text_SQ_VHF{*this, "Text_SQ_VHF", 10};
  kit::ControlArray<kit::Label> Label_Sq_Offset_Vhf{*this, "Label_Sq_Offset_Vhf", 16};
  kit::ControlArray<kit::TextBox> Text_Sq_Offset_VHF{*this, "Text_Sq_Offset_VHF", 16};
  kit::ControlArray<kit::Label> Label_Sql_UHF{*this, "Label_Sql_UHF", 10};
  kit::ControlArray<kit::TextBox> Text_SQ_UHF{*this, "Text_SQ_UHF", 10};
  kit::ControlArray<kit::Label> Label_Sq_Offset_UHF{*this, "Label_Sq_Offset_UHF", 16};
  kit::ControlArray<kit::TextBox> Text_Sq_Offset_UHF{*this, "Text_Sq_Offset_UHF", 16};
  kit::ControlArray<kit::Label> Label_Sql_UHF1{*this, "Label_Sql_UHF1", 10};
  kit::ControlArray<kit::TextBox> Text_SQ_UHF1{*this, "Text_SQ_UHF1", 10};
  kit::ControlArray<kit::Label> Label_Sq_Offset_UHF1{*this, "Label_Sq_Offset_UHF1", 16};
  kit::ControlArray<kit::TextBox> Text_Sq_Offset_UHF1{*this, "Text_Sq_Offset_UHF1", 16};

  // Page 3: modulation and gains (row 12) on the left, drive and audio (row 13) on the right.
  kit::Frame Frame_Dev{*this, "Frame_Dev"};
  kit::Frame Frame_Dev_1{*this, "Frame_Dev_1", 0};
  kit::Frame Frame3{*this, "Frame3", 1};
  kit::ControlArray<kit::Label> Label_Mod{*this, "Label_Mod", 12};
  kit::ControlArray<kit::ComboBox> Combo_Mod{*this, "Combo_Mod", 16};
  kit::ControlArray<kit::Label> Label_Txp{*this, "Label_Txp", 16};
  kit::ControlArray<kit::ComboBox> Combo_Txp{*this, "Combo_Txp", 16};

  // Page 4: band limits, VOX levels, battery thresholds, firmware version.
  kit::Frame Frame_Other{*this, "Frame_Other"};
  kit::ControlArray<kit::Label> Label_Band_Head{*this, "Label_Band_Head", 4};
  kit::Label Label_F0{*this, "Label_F0"};
  kit::Label Label_F1{*this, "Label_F1"};
  kit::Label Label_F2{*this, "Label_F2"};
  kit::ControlArray<kit::Label> Label_From{*this, "Label_From", 3};
  kit::ControlArray<kit::TextBox> Text_Freq_L{*this, "Text_Freq_L", 3};
  kit::ControlArray<kit::Label> Label_To{*this, "Label_To", 3};
  kit::ControlArray<kit::TextBox> Text_Freq_H{*this, "Text_Freq_H", 3};
  kit::ControlArray<kit::CheckBox> Check_Tx{*this, "Check_Tx", 3};
  kit::Frame Frame_vox{*this, "Frame_vox"};
  kit::ControlArray<kit::Label> Label_Vox_Head{*this, "Label_Vox_Head", 2};
  kit::ControlArray<kit::Label> Label_Vox{*this, "Label_Vox", 10};
  kit::ControlArray<kit::ComboBox> Combo_vox{*this, "Combo_vox", 10};
  kit::Frame Frame2{*this, "Frame2"};
  kit::ControlArray<kit::Label> Label_batt{*this, "Label_batt", 6};
  kit::ControlArray<kit::ComboBox> Combo_batt_comp{*this, "Combo_batt_comp", 6};
  kit::Frame Frame_Version{*this, "Frame_Version"};
  kit::Label Label_Version{*this, "Label_Version"};
  kit::TextBox Text_Version{*this, "Text_Version"};

  kit::CommandButton Command_read{*this, "Command_read"};
  kit::CommandButton Command_Write{*this, "Command_Write"};
  kit::CommandButton Command_def{*this, "Command_def"};
  kit::CommandButton Command_save{*this, "Command_save"};
  kit::CommandButton Command_open{*this, "Command_open"};
  kit::CommandButton Command_close{*this, "Command_close"};
  // The transfer: the link engine (its MSC and Timer1..Timer3 are controls of this window) and
  // the progress piece.
  Transfer_Link Transfer;
  Transfer_Progress& Progress = Transfer.Progress;
  Link_Engine& Link = Transfer.Link;
  kit::ProgressBar& ProgressBar1 = Progress.ProgressBar1;
  kit::Label& Label_tr_count = Progress.Label_tr_count;
  kit::Timer Timer4{*this, "Timer4"};

  int Adj_Page = 0;
  std::array<int, 5> Band_Min{};
  std::array<int, 5> Band_Max{};

  // Refreshes the controls of the current page from Adj_Value.
  void Show_Adj_Page();
  // Rebuilds Adj_Value row 15's six band limits from the six limit boxes.
  void Pack_Band_Limits();

 private:
  Program& prog_;
  Shared_Data& data_;

  // The settings, one table of bindings for each part of the display: the power boxes edit rows
  // 0..2 on the high page and rows 3..5 on the low one; the squelch boxes are shown with pages 2
  // to 4; the lists of page 3; the lists, limits, transmit flags and version of page 4.
  fields::Bindings Power_High;
  fields::Bindings Power_Low;
  fields::Bindings Squelch;
  fields::Bindings Audio;
  fields::Bindings Other;

  // frm_Adj_Txp.cpp
  void Form_Load();
  void Form_Unload(int& cancel);
  void Lay_Out();
  void Lay_Out_Power();
  void Lay_Out_Squelch();
  void Lay_Out_Audio();
  void Lay_Out_Other();
  void Set_Adj_Captions();
  void TabStrip1_Click();
  void Command_def_Click();
  void Command_close_Click();
  bool Busy() const { return Link.Link_Busy(); }
  void Busy_Message();

  // adj_transfer.cpp
  void Command_read_Click();
  void Command_Write_Click();
  void Blocks_To_Adj();
  void Unsendable_Message(int row);
  void Link_Identified(const Ident_Frame& frame) override;
  void Link_Block_Stored(int step, std::uint16_t address,
                         std::span<const std::uint8_t> data) override;
  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const Write_Step& step) override;
  void Link_Done() override;

  // adj_page.cpp
  // One array of value boxes: the table row it edits (for the power boxes, the row on the high
  // page; the low page edits the row three further on) and the highest value it accepts.
  struct Value_Boxes {
    kit::ControlArray<kit::TextBox> frm_Adj_Txp::*boxes;
    int row;
    bool power;
    int max;
  };
  static const std::array<Value_Boxes, 9> kValueBoxes;
  void Bind_Settings();
  kit::ControlArray<kit::TextBox>& Boxes(const Value_Boxes& v);
  fields::Bindings& Boxes_Table(const Value_Boxes& v);
  int Box_Row(const Value_Boxes& v) const;
  void Value_Box_Change(const Value_Boxes& v, int k);
  void Refuse_Value(const Value_Boxes& v, int k);
  void Bind_Value_Box(fields::Bindings& table, kit::TextBox& box, int row, int col);
  void Bind_List_Text(kit::ComboBox& box, int row, int col);
  void Bind_List_Pick(kit::ComboBox& box, int row, int col);
  void Show_Version();

  // adj_file.cpp
  void Command_open_Click();
  void Command_save_Click();
  void Timer4_Timer();
  void Adj_File_Load();
  void Adj_File_Save();

  // band_limits.cpp
  void Bind_Band_Limits();
  void Text_Freq_KeyPress(kit::TextBox& box, int& key);
  void Text_Freq_L_LostFocus(int k);
  void Text_Freq_H_LostFocus(int k);
  void Refuse_Limit(kit::TextBox& box, int value, Adj_Msg message);
  void Pack_Entered_Limit(const kit::TextBox& box);
  // The limit box a refusal put the band's outer limit into: its leave packs it.
  const kit::TextBox* Limit_Put_In = nullptr;
};

}  // namespace j5
