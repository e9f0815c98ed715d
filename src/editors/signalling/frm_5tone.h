#pragma once
// The five-tone editor: the fifteen standards with their period, group and repeat tones and a
// viewer of one standard's digit frequencies; fifteen encode codes of three frames with transpond
// code and standard, and the encode timing; fifteen decode codes of three frames with their
// functions, the actions of each decode code and the decode timing. The window keeps its tables in
// its controls and Dec_Actions; the block (144 rows at 0x2000) is built only for a write or a
// signal file, and a read brings in the 1280 bytes from 0x2400.
//
// frm_5tone.cpp: controls, captions, layout, defaults, the standards page; tone5_block.cpp: the
// conversions between the block and the controls; tone5_editing.cpp: the encode and decode grids
// and the action boxes.

#include <vector>

#include "data/fields.h"
#include "editors/fields.h"
#include "editors/signalling/tone_window.h"

namespace j5 {

class frm_5tone : public Tone_Window {
 public:
  explicit frm_5tone(Program& program);

  // Standards page.
  kit::Frame Frame_std{*this, "Frame_std"};
  kit::Grid MSF_Chann{*this, "MSF_Chann"};
  kit::ComboBox Combo_edit{*this, "Combo_edit"};
  kit::TextBox Text_Edit{*this, "Text_Edit"};
  kit::Label Label_std_name{*this, "Label_std_name"};
  kit::ComboBox Combo_stxh{*this, "Combo_stxh"};
  kit::ControlArray<kit::Label> Label_code{*this, "Label_code", 16};
  kit::ControlArray<kit::Label> Label_freq{*this, "Label_freq", 16};

  // Encode page.
  kit::Frame Frame_encode{*this, "Frame_encode"};
  kit::Grid MSF_Encode{*this, "MSF_Encode"};
  kit::ComboBox Combo_Encode{*this, "Combo_Encode"};
  kit::TextBox Text_Encode{*this, "Text_Encode"};
  kit::Label Label_enc_ys1{*this, "Label_enc_ys1"};
  kit::Label Label_enc_ys2{*this, "Label_enc_ys2"};
  kit::Label Label_enc_ys3{*this, "Label_enc_ys3"};
  kit::Label Label_enc_ys4{*this, "Label_enc_ys4"};
  kit::ComboBox Combo_Enc_ys1{*this, "Combo_Enc_ys1"};
  kit::ComboBox Combo_Enc_ys2{*this, "Combo_Enc_ys2"};
  kit::ComboBox Combo_enc_ys3{*this, "Combo_enc_ys3"};
  kit::ComboBox Combo_Enc_ys4{*this, "Combo_Enc_ys4"};

  // Decode page.
  kit::Frame Frame_Decode{*this, "Frame_Decode"};
  kit::Grid MSF_Decode{*this, "MSF_Decode"};
  kit::ComboBox Combo_Decode{*this, "Combo_Decode"};
  kit::TextBox Text_Decode{*this, "Text_Decode"};
  kit::Frame Frame_Dec_xx{*this, "Frame_Dec_xx"};
  kit::Label Label_F1{*this, "Label_F1"};
  kit::Label Label_F2{*this, "Label_F2"};
  kit::Label Label_F3{*this, "Label_F3"};
  kit::Label Label_Disp{*this, "Label_Disp"};
  kit::Label Label_led{*this, "Label_led"};
  kit::Label Label_ctrl{*this, "Label_ctrl"};
  kit::Label Label_Tishi{*this, "Label_Tishi"};
  kit::ControlArray<kit::CheckBox> Check_Disp{*this, "Check_Disp", 3};
  kit::ControlArray<kit::CheckBox> Check_Led{*this, "Check_Led", 3};
  kit::ControlArray<kit::CheckBox> Check_Kz{*this, "Check_Kz", 3};
  kit::ControlArray<kit::CheckBox> Check_Ts{*this, "Check_Ts", 3};
  kit::Label Label9{*this, "Label9"};
  kit::Label Label16{*this, "Label16"};
  kit::Label Label17{*this, "Label17"};
  kit::Label Label18{*this, "Label18"};
  kit::Label Label19{*this, "Label19"};
  kit::Label Label20{*this, "Label20"};
  kit::ControlArray<kit::CheckBox> Check_zh0{*this, "Check_zh0", 3};
  kit::ControlArray<kit::CheckBox> Check_zh1{*this, "Check_zh1", 3};
  kit::ControlArray<kit::CheckBox> Check_zh2{*this, "Check_zh2", 3};
  kit::ControlArray<kit::CheckBox> Check_zh3{*this, "Check_zh3", 3};
  kit::ControlArray<kit::CheckBox> Check_zh4{*this, "Check_zh4", 3};
  kit::Label Label_Reset_time{*this, "Label_Reset_time"};
  kit::ComboBox Combo_Dec_Res_Time{*this, "Combo_Dec_Res_Time"};
  kit::CheckBox Check_Dec_back{*this, "Check_Dec_back"};
  kit::CheckBox Check_Dec_Bcl{*this, "Check_Dec_Bcl"};
  kit::Label Label8{*this, "Label8"};
  kit::ComboBox Combo_Dec_Back_Time{*this, "Combo_Dec_Back_Time"};

  // The decode code (grid row - 1) whose actions the check boxes show and store.
  int Cur_Dec_Row = 0;
  // Set while Show_Dec_Actions sets the boxes, so their Click stores nothing.
  bool Dec_Loading = false;
  // The cell each code editor was opened over: what the editor holds goes to that cell, wherever
  // the current cell has moved since (a click or an arrow key that a refused code could not stop).
  struct Code_Cell {
    int row = 0, col = 0;
  };
  Code_Cell Enc_Code, Dec_Code;
  // The grid whose code was refused when last committed, until a code is taken or a code editor
  // opens; and set while the current cell goes back to the refused code's cell (that move commits
  // nothing).
  const kit::Grid* Refused_Grid = nullptr;
  bool Back_To_Refused = false;
  // Row r - 1 belongs to decode code r: element 2f the action bits, 2f + 1 the group-call
  // positions of frame f + 1 (reply bytes 8-13); a read also puts reply bytes 14-15 in 6-7.
  ToneRows Dec_Actions;

  void Load_Defaults() override;
  void Show_Std_Freqs();
  void Show_Dec_Actions(int row);
  void Store_Dec_Actions(int row);
  void Grids_To_Image() override;
  void Image_To_Grids() override;
  void Drop_Pending_Edits() override;
  void Show_Loaded_Rows() override;

 private:
  // The 27 boxes of the actions frame: [frame][box], the four actions then the five positions.
  std::vector<std::array<kit::CheckBox*, 9>> Action_Boxes;
  // Where each grid column lives in its page of the block (field rows are page rows).
  std::vector<fields::Column> Std_Columns, Enc_Code_Columns, Transpond_Columns, Dec_Code_Columns,
      Reply_Columns;

  // frm_5tone.cpp
  void Form_Load();
  void Lay_Out();
  void Lay_Std_Page();
  void Lay_Encode_Page();
  void Lay_Decode_Page();
  void Set_Tab_Order();
  void Fill_Std_Grid();
  void Fill_Dec_Time_Lists();
  void TabStrip1_Click();
  void MSF_Chann_Click();
  void Std_Cell_Edit();
  void MSF_Chann_LeaveCell();

  // tone5_editing.cpp
  void Wire_Editing();
  void MSF_Encode_Click();
  void Encode_Cell_Edit();
  void MSF_Encode_LeaveCell();
  void MSF_Encode_DblClick();
  void Text_Encode_Change();
  void MSF_Decode_Click();
  void Decode_Cell_Edit();
  void MSF_Decode_LeaveCell();
  void MSF_Decode_DblClick();
  void Text_Decode_Change();
  void Check_Dec_back_Click();
  void Clear_Encode_Row(int row);
  void Clear_Decode_Row(int row);
  bool Commit_Code(int tab, kit::Grid& grid, const Code_Cell& cell, kit::TextBox& editor,
                   const Bilingual& lengthMessage);
  bool Code_Waits(const kit::Grid& grid, const Code_Cell& cell, const kit::TextBox& editor) const;
  bool Stay_On_Refused(int tab, kit::Grid& grid, const Code_Cell& cell, kit::TextBox& editor);
  void Caption_Dec_Frame(int code);
};

}  // namespace j5
