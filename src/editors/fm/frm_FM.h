#pragma once
// The FM radio editor: the radio's sixteen FM broadcast channels (frequency and station name) in
// a grid, the lower and upper limits of bands A and B, the window's own transfer of them on the
// link engine, and the FM file requests of the adjustment file dialogs. No menu opens it.
//
// The window keeps the channels in its grid and band boxes; Fm_Image (in Shared_Data, apart from
// the image) holds them as the radio's bytes, rebuilt row by row as cells are left and in whole
// before a write or a file save.

#include <array>

#include "editors/fields.h"
#include "link/transfer_link.h"
#include "platform/kit.h"

namespace j5 {

class Program;
struct Shared_Data;

class frm_FM : public kit::Form, protected Link_Listener {
 public:
  explicit frm_FM(Program& program);

  kit::Grid MSF_Chann{*this, "MSF_Chann"};
  kit::TextBox Text_Edit{*this, "Text_Edit"};
  kit::ComboBox Combo_edit{*this, "Combo_edit"};
  kit::Label Lb_range{*this, "Lb_range"};
  kit::TextBox Text_pvfo1_FM{*this, "Text_pvfo1_FM"};
  kit::Label Lb_TO_FM{*this, "Lb_TO_FM"};
  kit::TextBox Text_pvfo2_FM{*this, "Text_pvfo2_FM"};
  kit::Label Label1{*this, "Label1"};
  kit::Label Label_A{*this, "Label_A"};
  kit::TextBox Text_pvfo1_A{*this, "Text_pvfo1_A"};
  kit::Label LB_TO_A{*this, "LB_TO_A"};
  kit::TextBox Text_pvfo2_A{*this, "Text_pvfo2_A"};
  kit::Label Label2{*this, "Label2"};
  kit::Label Label_B{*this, "Label_B"};
  kit::TextBox Text_pvfo1_B{*this, "Text_pvfo1_B"};
  kit::Label LB_TO_B{*this, "LB_TO_B"};
  kit::TextBox Text_pvfo2_B{*this, "Text_pvfo2_B"};
  kit::Label Label3{*this, "Label3"};
  Transfer_Link Transfer;
  Transfer_Progress& Progress = Transfer.Progress;
  kit::Label& Label_tr_count = Progress.Label_tr_count;
  kit::ProgressBar& ProgressBar1 = Progress.ProgressBar1;
  kit::CommandButton Command_read{*this, "Command_read"};
  kit::CommandButton Command_Write{*this, "Command_Write"};
  kit::CommandButton Command_Clear{*this, "Command_Clear"};
  kit::CommandButton Command_save{*this, "Command_save"};
  kit::CommandButton Command_open{*this, "Command_open"};
  kit::CommandButton Command_close{*this, "Command_close"};
  kit::Label Label_chann{*this, "Label_chann"};
  kit::Timer Timer4{*this, "Timer4"};
  Link_Engine& Link = Transfer.Link;
  kit::SerialPort& MSC = Link.MSC;

  double Fm_Low = 0, Fm_High = 0;
  // The cell the editor was last opened over, or that is being left, and its text then.
  int Cur_Row = 0, Cur_Col = 0;
  std::string Cell_Text;

  // Grid row n (1-16) into Fm_Image row n - 1, the band boxes into the band row; false when a
  // band limit has no three-digit form (that limit's bytes are left as they were).
  bool Encode_Fm_Row(int n);
  // The channels and band limits of a completed read, from Block_Buf rows 2 to 6.
  void Decode_Fm_Frames();
  // Grid row n (1-16) from Fm_Image row n - 1.
  void Decode_Fm_Row(int n);

 private:
  // One band box: its limits and texts.
  struct Band_Box {
    kit::TextBox* box;
    bool upper;
    bool band_b;
  };

  Program& prog_;
  Shared_Data& data_;
  std::array<kit::TextBox*, 4> Band_Boxes{&Text_pvfo1_A, &Text_pvfo2_A, &Text_pvfo1_B,
                                          &Text_pvfo2_B};
  // The editor was laid over (Cur_Row, Cur_Col) and its text is still to be applied there.
  bool Editor_Open = false;

  void Form_Load();
  void Lay_Out();
  double Band_Left() const;
  void Form_Activate();
  void Form_Unload(int& cancel);
  void Command_read_Click();
  void Command_Write_Click();
  void Command_Clear_Click();
  void Command_save_Click();
  void Command_open_Click();
  void Command_close_Click();

  void Show_Cell_Editor();
  void MSF_Chann_LeaveCell();
  void Leave_Freq_Cell();
  void Leave_Name_Cell();
  void MSF_Chann_LostFocus();
  void Show_Row(int n, const fields::Cells& cells, int rows);
  void Show_Band(const fields::Cells& cells);

  void Band_Change(const Band_Box& b);
  void Band_LostFocus(const Band_Box& b);
  double Band_Lo(const Band_Box& b) const;
  double Band_Hi(const Band_Box& b) const;

  void Timer4_Timer();
  void Show_Fm_Rows();
  void Save_Fm_File();

  void Link_Identified(const Ident_Frame& frame) override;
  void Link_Block_Stored(int step, std::uint16_t address,
                         std::span<const std::uint8_t> data) override;
  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const Write_Step& step) override;
  void Link_Done() override;
  void Link_Stopped(const Write_Step& step) override;
};

}  // namespace j5
