#pragma once
// The option window copies frm_Adj_Mod and frm_Adj_Tune: two copies of one optional features
// window, apart from frm_option, that edits an option image of its own (Copy_Image), reads and
// writes it over the FM editor's kind of exchange and keeps it in option files. The controls
// change only the controls; the image follows them only when it is packed, before a write and
// before a file save, and the controls show the image only after a read and after a file load.
// Nothing in the program opens these windows.
//
// option_copy_window.cpp: controls, layout, captions, load and the plain buttons;
// copy_lists.cpp: lists and defaults; copy_settings.cpp: the image's byte map, display and
// packing; copy_handlers.cpp: the list guards, the interlocks and the text checks;
// copy_file.cpp and copy_transfer.cpp: the option file and the transfer.

#include <array>
#include <cstdint>
#include <string>

#include "data/shared_data.h"
#include "editors/fields.h"
#include "link/transfer_link.h"
#include "platform/kit.h"

namespace j5 {

class Program;

// Copy_Image: sixteen rows of sixteen radio bytes.
using CopyImage = Table2D<std::int16_t, 16, 16>;

class Option_Copy_Window : public kit::Form, private Link_Listener {
 protected:
  // `showsComp`: the display sets the compander box from its byte (frm_Adj_Tune only).
  Option_Copy_Window(Program& program, std::string name, bool showsComp);

 public:
  Program& prog_;
  Shared_Data& data_;

  kit::CommandButton Command_read{*this, "Command_read"};
  kit::CommandButton Command_Write{*this, "Command_Write"};
  kit::CommandButton Command_def{*this, "Command_def"};
  kit::CommandButton Command_open{*this, "Command_open"};
  kit::CommandButton Command_save{*this, "Command_save"};
  kit::CommandButton Command_close{*this, "Command_close"};

  kit::Frame Frame_alarm{*this, "Frame_alarm"};
  kit::CheckBox Check_alarm_06old{*this, "Check_alarm_06old"};
  kit::CheckBox Check_radio{*this, "Check_radio"};
  kit::CheckBox Check_Alarm_Sound{*this, "Check_Alarm_Sound"};
  kit::CheckBox Check_ANI{*this, "Check_ANI"};

  kit::Frame Frame_band{*this, "Frame_band"};
  kit::CheckBox Check_tdr{*this, "Check_tdr"};
  kit::OptionButton Option_band_a{*this, "Option_band_a"};
  kit::OptionButton Option_band_b{*this, "Option_band_b"};

  kit::Frame Frame_tot{*this, "Frame_tot"};
  kit::Label Label_Tot{*this, "Label_Tot"};
  kit::ComboBox Combo_tot{*this, "Combo_tot"};
  kit::Label Label_Sql{*this, "Label_Sql"};
  kit::ComboBox Combo_sql_le{*this, "Combo_sql_le"};
  kit::Label Label_voice{*this, "Label_voice"};
  kit::ComboBox Combo_voice{*this, "Combo_voice"};

  kit::Frame Frame_Mode{*this, "Frame_Mode"};
  kit::Label Label_Cht{*this, "Label_Cht"};
  kit::TextBox Text_chann_total{*this, "Text_chann_total"};
  kit::OptionButton Option_freq{*this, "Option_freq"};
  kit::OptionButton Option_chann{*this, "Option_chann"};

  kit::Frame Frame_Chann{*this, "Frame_Chann"};
  kit::CheckBox Check_chann_syn{*this, "Check_chann_syn"};
  kit::CheckBox Check_chann_init{*this, "Check_chann_init"};
  kit::CheckBox Check_chann_menu{*this, "Check_chann_menu"};
  kit::Label Label_MDF_A{*this, "Label_MDF_A"};
  kit::ComboBox Combo_MDF_A{*this, "Combo_MDF_A"};
  kit::Label Label_MDF_B{*this, "Label_MDF_B"};
  kit::ComboBox Combo_MDF_B{*this, "Combo_MDF_B"};

  kit::Frame Frame_A{*this, "Frame_A"};
  kit::Label Label_Freq_a{*this, "Label_Freq_a"};
  kit::TextBox Text_Freq_a{*this, "Text_Freq_a"};
  kit::Label Label28{*this, "Label28"};
  kit::Label Label_Txp_a{*this, "Label_Txp_a"};
  kit::ComboBox Combo_txp_a{*this, "Combo_txp_a"};
  kit::Label Label_r_ctdcs_a{*this, "Label_r_ctdcs_a"};
  kit::ComboBox Combo_r_ctdcs_a{*this, "Combo_r_ctdcs_a"};
  kit::Label Label_t_ctdcs_a{*this, "Label_t_ctdcs_a"};
  kit::ComboBox Combo_t_ctdcs_a{*this, "Combo_t_ctdcs_a"};
  kit::Label Label_wn_a{*this, "Label_wn_a"};
  kit::ComboBox Combo_wn_a{*this, "Combo_wn_a"};
  kit::Label Label_sft_d_a{*this, "Label_sft_d_a"};
  kit::ComboBox Combo_sft_d_a{*this, "Combo_sft_d_a"};
  kit::ComboBox Combo_offset_a{*this, "Combo_offset_a"};
  kit::Label Label_step_a{*this, "Label_step_a"};
  kit::ComboBox Combo_step_a{*this, "Combo_step_a"};
  kit::Label Label_scr_a{*this, "Label_scr_a"};
  kit::ComboBox Combo_scr_a{*this, "Combo_scr_a"};
  kit::Label Label_Optsig_a{*this, "Label_Optsig_a"};
  kit::ComboBox Combo_Optsig_a{*this, "Combo_Optsig_a"};
  kit::Label Label_S_info_a{*this, "Label_S_info_a"};
  kit::ComboBox Combo_S_info_a{*this, "Combo_S_info_a"};
  kit::Label Label_Spmute_a{*this, "Label_Spmute_a"};
  kit::ComboBox Combo_Spmute_a{*this, "Combo_Spmute_a"};

  kit::Frame Frame_B{*this, "Frame_B"};
  kit::Label Label_Freq_b{*this, "Label_Freq_b"};
  kit::TextBox Text_Freq_b{*this, "Text_Freq_b"};
  kit::Label Label33{*this, "Label33"};
  kit::Label Label_txp_b{*this, "Label_txp_b"};
  kit::ComboBox Combo_txp_b{*this, "Combo_txp_b"};
  kit::Label Label_r_ctdcs_b{*this, "Label_r_ctdcs_b"};
  kit::ComboBox Combo_r_ctdcs_b{*this, "Combo_r_ctdcs_b"};
  kit::Label Label_t_ctdcs_b{*this, "Label_t_ctdcs_b"};
  kit::ComboBox Combo_t_ctdcs_b{*this, "Combo_t_ctdcs_b"};
  kit::Label Label_wn_b{*this, "Label_wn_b"};
  kit::ComboBox Combo_wn_b{*this, "Combo_wn_b"};
  kit::Label Label_sft_d_b{*this, "Label_sft_d_b"};
  kit::ComboBox Combo_sft_d_b{*this, "Combo_sft_d_b"};
  kit::ComboBox Combo_offset_b{*this, "Combo_offset_b"};
  kit::Label Label_step_b{*this, "Label_step_b"};
  kit::ComboBox Combo_step_b{*this, "Combo_step_b"};
  kit::Label Label_scr_b{*this, "Label_scr_b"};
  kit::ComboBox Combo_scr_b{*this, "Combo_scr_b"};
  kit::Label Label_OptSig_b{*this, "Label_OptSig_b"};
  kit::ComboBox Combo_OptSig_b{*this, "Combo_OptSig_b"};
  kit::Label Label_S_info_b{*this, "Label_S_info_b"};
  kit::ComboBox Combo_S_info_b{*this, "Combo_S_info_b"};
  kit::Label Label_Spmute_b{*this, "Label_Spmute_b"};
  kit::ComboBox Combo_Spmute_b{*this, "Combo_Spmute_b"};

  kit::Frame Frame_general{*this, "Frame_general"};
  kit::Label Label_save{*this, "Label_save"};
  kit::ComboBox Combo_save{*this, "Combo_save"};
  kit::Label Label_ptt_id{*this, "Label_ptt_id"};
  kit::ComboBox Combo_ptt_id{*this, "Combo_ptt_id"};
  kit::Label Label_Ptt_Lt{*this, "Label_Ptt_Lt"};
  kit::ComboBox Combo_ptt_lt{*this, "Combo_ptt_lt"};
  kit::Label Label_Scan_rev{*this, "Label_Scan_rev"};
  kit::ComboBox Combo_sc_rev{*this, "Combo_sc_rev"};
  kit::Label Label_Ring{*this, "Label_Ring"};
  kit::ComboBox Combo_ring{*this, "Combo_ring"};
  kit::Label Label_Abr{*this, "Label_Abr"};
  kit::ComboBox Combo_abr{*this, "Combo_abr"};
  kit::Label Label_Vox{*this, "Label_Vox"};
  kit::ComboBox Combo_vox{*this, "Combo_vox"};
  kit::Label Label_Stdtmf{*this, "Label_Stdtmf"};
  kit::ComboBox Combo_dtmfst{*this, "Combo_dtmfst"};
  kit::CheckBox Check_comp{*this, "Check_comp"};
  kit::CheckBox Check_Lock{*this, "Check_Lock"};
  kit::CheckBox Check_bcl{*this, "Check_bcl"};
  kit::CheckBox Check_Autolk{*this, "Check_Autolk"};
  kit::CheckBox Check_Beep{*this, "Check_Beep"};

  kit::Frame Frame_keys{*this, "Frame_keys"};
  kit::Label Label_TX_Band{*this, "Label_TX_Band"};
  kit::ComboBox Combo_Tdr_ab{*this, "Combo_Tdr_ab"};
  kit::Label Label_PF1{*this, "Label_PF1"};
  kit::ComboBox Combo_pf1{*this, "Combo_pf1"};
  kit::Label Label_PF2{*this, "Label_PF2"};
  kit::ComboBox Combo_pf2{*this, "Combo_pf2"};
  kit::Label Label_wt_led{*this, "Label_wt_led"};
  kit::ComboBox Combo_wt_led{*this, "Combo_wt_led"};
  kit::Label Label_rx_led{*this, "Label_rx_led"};
  kit::ComboBox Combo_rx_led{*this, "Combo_rx_led"};
  kit::Label Label_tx_led{*this, "Label_tx_led"};
  kit::ComboBox Combo_tx_led{*this, "Combo_tx_led"};
  kit::Label Label_MODE_PASS{*this, "Label_MODE_PASS"};
  kit::TextBox Text_menu_pwd{*this, "Text_menu_pwd"};

  kit::Frame Frame_vfo{*this, "Frame_vfo"};
  kit::Label Label_rf{*this, "Label_rf"};
  kit::TextBox Text_pvfo_d0{*this, "Text_pvfo_d0"};
  kit::Label Label_rt{*this, "Label_rt"};
  kit::TextBox Text_pvfo_d1{*this, "Text_pvfo_d1"};
  kit::Label Label4{*this, "Label4"};
  kit::Label Label_tf{*this, "Label_tf"};
  kit::TextBox Text_pvfo_t0{*this, "Text_pvfo_t0"};
  kit::Label Label_tt{*this, "Label_tt"};
  kit::TextBox Text_pvfo_t1{*this, "Text_pvfo_t1"};
  kit::Label Label8{*this, "Label8"};

  // The transfer: the engine with MSC and Timer1 to Timer3, and the progress piece.
  Transfer_Link Transfer;
  kit::ProgressBar& ProgressBar1 = Transfer.Progress.ProgressBar1;
  kit::Label& Label_tr_count = Transfer.Progress.Label_tr_count;
  kit::SerialPort& MSC = Transfer.Link.MSC;
  kit::Timer Timer4{*this, "Timer4"};

  // The window's option image.
  CopyImage Copy_Image;
  // A key typed into one of the four tone lists, until the next change of any of them.
  bool Tone_Typed = false;

  void Fill_Option_Defaults();
  // Shows the image in the controls, the records from their rows in the layout the image has:
  // kReadVfoRow after a read, kPackedVfoRow after a file load.
  void Show_Copy_Options(int recordRow = kReadVfoRow);
  void Pack_Options();
  void Timer4_Timer();
  void Load_Option_File();
  void Save_Option_File();

  // The rows of the records in the packed layout, and in the layout a read leaves.
  static constexpr int kPackedVfoRow = 6;  // A at 6-7, B at 8-9
  static constexpr int kReadVfoRow = 10;   // A at 10-11, B at 12-13

 private:
  const bool showsComp_;

  // One frequency-mode side's controls.
  struct Side {
    kit::TextBox& Text_Freq;
    kit::ComboBox& Combo_offset;
    kit::ComboBox& Combo_r_ctdcs;
    kit::ComboBox& Combo_t_ctdcs;
    kit::ComboBox& Combo_scr;
  };
  Side Side_A, Side_B;

  // The image as the bindings see it: option bytes in rows 0-3, the records at kPackedVfoRow. The
  // display fills it from the image and shows it; the packing builds it from Read_Base and the
  // controls and copies it into the image. Each table of settings is bound once, to it.
  CopyImage Work;
  fields::Bindings Settings{Work}, Records{Work};
  // What the last read brought, in the packed layout (all 0 before any read): the bytes of the
  // block and records that no control packs are written back as the radio held them.
  CopyImage Read_Base;

  // option_copy_window.cpp
  void Lay_Out();
  void Set_Captions();
  void Form_Load();
  void Form_Activate();
  void Form_Unload(int& cancel);
  void Command_close_Click();
  void Command_def_Click();
  void Command_open_Click();
  void Command_save_Click();

  // copy_settings.cpp
  void Bind_Settings();
  void Bind_Side(Side& s, int side);
  // Rows `row` to `row` + 3 of `from` into the packed record rows of `to`.
  static void Place_Records(CopyImage& to, const CopyImage& from, int row);

  // copy_handlers.cpp
  void Wire_Handlers();
  void List_Guard(kit::ComboBox& box);
  void Tone_Guard(kit::ComboBox& box);
  void Check_tdr_Click();
  void Check_chann_syn_Click();
  void Check_comp_Click();
  void Combo_scr_Click(kit::ComboBox& box);
  void Text_chann_total_Change();
  void Text_chann_total_LostFocus();
  void Text_Freq_LostFocus(kit::TextBox& box, bool chineseOnly);
  void Text_menu_pwd_LostFocus();
  void Text_pvfo_d0_LostFocus();
  void Text_pvfo_d1_LostFocus();
  void Text_pvfo_t0_LostFocus();
  void Text_pvfo_t1_LostFocus();
  void Reset_Receive_Limits();

  // copy_transfer.cpp
  void Command_read_Click();
  void Command_Write_Click();
  void Link_Identified(const Ident_Frame& frame) override;
  void Link_Block_Stored(int step, std::uint16_t address,
                         std::span<const std::uint8_t> data) override;
  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const Write_Step& step) override;
  void Link_Done() override;
  // The replies of a read, which the image takes whole once the last has come.
  CopyImage Read_Rows;
};

class frm_Adj_Mod : public Option_Copy_Window {
 public:
  explicit frm_Adj_Mod(Program& program) : Option_Copy_Window(program, "frm_Adj_Mod", false) {}
};

class frm_Adj_Tune : public Option_Copy_Window {
 public:
  explicit frm_Adj_Tune(Program& program) : Option_Copy_Window(program, "frm_Adj_Tune", true) {}
};

}  // namespace j5
