#pragma once
// The optional features editor: the radio's general settings (the option
// block), the settings of the two frequency modes A and B and the two
// power-on lines. Every control writes its change into the parameter image
// at once; the window keeps no copy, so it shows the image anew whenever it
// is loaded or activated.
//
// The work is split by concern: frm_option.cpp (controls, layout, captions,
// load, activation, Default and Close), option_display.cpp (the display and
// the general and frequency-mode settings), option_entry.cpp (band,
// frequency, offset, tones, power-on lines, channel count), option_file.cpp
// (the file service) and option_transfer.cpp (the editor's own transfer).

#include <array>
#include <cstdint>
#include <string>

#include "data/image_rows.h"
#include "editors/fields.h"
#include "link/transfer_link.h"
#include "platform/kit.h"

namespace j5 {

class Program;
struct Shared_Data;

class frm_option : public kit::Form, private Link_Listener {
  Program& prog_;
  Shared_Data& data_;

 public:
  explicit frm_option(Program& program);

  // Buttons first: they lead the keyboard order, so the window opens with
  // the focus on Default (Read and Write are not visible).
  kit::CommandButton Command_read{*this, "Command_read"};
  kit::CommandButton Command_Write{*this, "Command_Write"};
  kit::CommandButton Command_def{*this, "Command_def"};
  kit::CommandButton Command_close{*this, "Command_close"};

  kit::Frame Frame1{*this, "Frame1"};
  kit::Label Label_Tot{*this, "Label_Tot"};
  kit::ComboBox Combo_tot{*this, "Combo_tot"};
  kit::Label Label_Sql{*this, "Label_Sql"};
  kit::ComboBox Combo_sql{*this, "Combo_sql"};
  kit::Label Label_Cht{*this, "Label_Cht"};
  kit::TextBox Text_chann_total{*this, "Text_chann_total"};
  kit::Label Label_Vox{*this, "Label_Vox"};
  kit::ComboBox Combo_vox{*this, "Combo_vox"};
  kit::Label Label_voice{*this, "Label_voice"};
  kit::ComboBox Combo_voice{*this, "Combo_voice"};
  kit::Label Label_Abr{*this, "Label_Abr"};
  kit::ComboBox Combo_abr{*this, "Combo_abr"};

  kit::Frame Frame_Mode{*this, "Frame_Mode"};
  kit::Label Label_mod_A{*this, "Label_mod_A"};
  kit::ComboBox Combo_mod_A{*this, "Combo_mod_A"};
  kit::Label Label_mod_B{*this, "Label_mod_B"};
  kit::ComboBox Combo_mod_B{*this, "Combo_mod_B"};

  kit::Frame Frame_Chann{*this, "Frame_Chann"};
  kit::CheckBox Check_chann_menu{*this, "Check_chann_menu"};
  kit::CheckBox Check_chann_init{*this, "Check_chann_init"};
  kit::CheckBox Check_chann_syn{*this, "Check_chann_syn"};
  kit::Label Label_MDF_A{*this, "Label_MDF_A"};
  kit::ComboBox Combo_MDF_A{*this, "Combo_MDF_A"};
  kit::Label Label_MDF_B{*this, "Label_MDF_B"};
  kit::ComboBox Combo_MDF_B{*this, "Combo_MDF_B"};

  kit::Frame Frame5{*this, "Frame5"};
  kit::Label Label_Stdtmf{*this, "Label_Stdtmf"};
  kit::ComboBox Combo_dtmfst{*this, "Combo_dtmfst"};
  kit::Label Label_save{*this, "Label_save"};
  kit::ComboBox Combo_save{*this, "Combo_save"};
  kit::Label Label_Scan_rev{*this, "Label_Scan_rev"};
  kit::ComboBox Combo_sc_rev{*this, "Combo_sc_rev"};
  kit::Label Label_ptt_id{*this, "Label_ptt_id"};
  kit::ComboBox Combo_ptt_id{*this, "Combo_ptt_id"};
  kit::Label Label_Ptt_Lt{*this, "Label_Ptt_Lt"};
  kit::ComboBox Combo_ptt_lt{*this, "Combo_ptt_lt"};
  kit::CheckBox Check_Lock{*this, "Check_Lock"};
  kit::CheckBox Check_Autolk{*this, "Check_Autolk"};
  kit::CheckBox Check_bcl{*this, "Check_bcl"};
  kit::CheckBox Check_Beep{*this, "Check_Beep"};

  kit::Frame Frame_A{*this, "Frame_A"};
  kit::Label Label_Freq_a{*this, "Label_Freq_a"};
  kit::TextBox Text_Freq_a{*this, "Text_Freq_a"};
  kit::Label Label28{*this, "Label28"};
  kit::Label Label_Band_A{*this, "Label_Band_A"};
  kit::ComboBox Combo_Band_A{*this, "Combo_Band_A"};
  kit::Label Label_Range_A{*this, "Label_Range_A"};
  kit::TextBox Text_Range_A{*this, "Text_Range_A"};
  kit::Label Label_Txp_a{*this, "Label_Txp_a"};
  kit::ComboBox Combo_txp_a{*this, "Combo_txp_a"};
  kit::Label Label_r_ctdcs_a{*this, "Label_r_ctdcs_a"};
  kit::ComboBox Combo_r_ctdcs_a{*this, "Combo_r_ctdcs_a"};
  kit::Label Label_t_ctdcs_a{*this, "Label_t_ctdcs_a"};
  kit::ComboBox Combo_t_ctdcs_a{*this, "Combo_t_ctdcs_a"};
  kit::Label Label_wn_a{*this, "Label_wn_a"};
  kit::ComboBox Combo_wn_a{*this, "Combo_wn_a"};
  kit::Label Label_step_a{*this, "Label_step_a"};
  kit::ComboBox Combo_step_a{*this, "Combo_step_a"};
  kit::Label Label_sft_d_a{*this, "Label_sft_d_a"};
  kit::ComboBox Combo_sft_d_a{*this, "Combo_sft_d_a"};
  kit::Label Label_Offset_A{*this, "Label_Offset_A"};
  kit::TextBox Text_Offset_A{*this, "Text_Offset_A"};
  kit::Label Label3{*this, "Label3"};
  kit::Label Label_S_info_a{*this, "Label_S_info_a"};
  kit::ComboBox Combo_S_info_a{*this, "Combo_S_info_a"};
  kit::Label Label_scr_a{*this, "Label_scr_a"};
  kit::ComboBox Combo_scr_a{*this, "Combo_scr_a"};
  kit::Label Label_Optsig_a{*this, "Label_Optsig_a"};
  kit::ComboBox Combo_Optsig_a{*this, "Combo_Optsig_a"};
  kit::Label Label_Spmute_a{*this, "Label_Spmute_a"};
  kit::ComboBox Combo_Spmute_a{*this, "Combo_Spmute_a"};

  kit::Frame Frame_B{*this, "Frame_B"};
  kit::Label Label_Freq_b{*this, "Label_Freq_b"};
  kit::TextBox Text_Freq_b{*this, "Text_Freq_b"};
  kit::Label Label33{*this, "Label33"};
  kit::Label Label_Band_B{*this, "Label_Band_B"};
  kit::ComboBox Combo_Band_B{*this, "Combo_Band_B"};
  kit::Label Label_Range_B{*this, "Label_Range_B"};
  kit::TextBox Text_Range_B{*this, "Text_Range_B"};
  kit::Label Label_txp_b{*this, "Label_txp_b"};
  kit::ComboBox Combo_txp_b{*this, "Combo_txp_b"};
  kit::Label Label_r_ctdcs_b{*this, "Label_r_ctdcs_b"};
  kit::ComboBox Combo_r_ctdcs_b{*this, "Combo_r_ctdcs_b"};
  kit::Label Label_t_ctdcs_b{*this, "Label_t_ctdcs_b"};
  kit::ComboBox Combo_t_ctdcs_b{*this, "Combo_t_ctdcs_b"};
  kit::Label Label_wn_b{*this, "Label_wn_b"};
  kit::ComboBox Combo_wn_b{*this, "Combo_wn_b"};
  kit::Label Label_step_b{*this, "Label_step_b"};
  kit::ComboBox Combo_step_b{*this, "Combo_step_b"};
  kit::Label Label_sft_d_b{*this, "Label_sft_d_b"};
  kit::ComboBox Combo_sft_d_b{*this, "Combo_sft_d_b"};
  kit::Label Label_Offset_B{*this, "Label_Offset_B"};
  kit::TextBox Text_Offset_B{*this, "Text_Offset_B"};
  kit::Label Label4{*this, "Label4"};
  kit::Label Label_S_info_b{*this, "Label_S_info_b"};
  kit::ComboBox Combo_S_info_b{*this, "Combo_S_info_b"};
  kit::Label Label_scr_b{*this, "Label_scr_b"};
  kit::ComboBox Combo_scr_b{*this, "Combo_scr_b"};
  kit::Label Label_OptSig_b{*this, "Label_OptSig_b"};
  kit::ComboBox Combo_OptSig_b{*this, "Combo_OptSig_b"};
  kit::Label Label_Spmute_b{*this, "Label_Spmute_b"};
  kit::ComboBox Combo_Spmute_b{*this, "Combo_Spmute_b"};

  kit::Frame Frame6{*this, "Frame6"};
  kit::CheckBox Check_radio{*this, "Check_radio"};
  kit::CheckBox Check_Alarm_Sound{*this, "Check_Alarm_Sound"};
  kit::Label Label_Alarm_mode{*this, "Label_Alarm_mode"};
  kit::ComboBox Combo_AL_Mode{*this, "Combo_AL_Mode"};
  kit::Label Label_roger{*this, "Label_roger"};
  kit::ComboBox Combo_roger{*this, "Combo_roger"};
  kit::Label Label_TX_Band{*this, "Label_TX_Band"};
  kit::ComboBox Combo_ab_mode{*this, "Combo_ab_mode"};
  kit::CheckBox Check_tdr{*this, "Check_tdr"};

  kit::Frame Frame_band{*this, "Frame_band"};
  kit::Label Label_wt_led{*this, "Label_wt_led"};
  kit::ComboBox Combo_wt_led{*this, "Combo_wt_led"};
  kit::Label Label_rx_led{*this, "Label_rx_led"};
  kit::ComboBox Combo_rx_led{*this, "Combo_rx_led"};
  kit::Label Label_tx_led{*this, "Label_tx_led"};
  kit::ComboBox Combo_tx_led{*this, "Combo_tx_led"};
  kit::Label Label_ste{*this, "Label_ste"};
  kit::ComboBox Combo_ste{*this, "Combo_ste"};
  kit::Label Label_rp_ste{*this, "Label_rp_ste"};
  kit::ComboBox Combo_Rp_Ste{*this, "Combo_Rp_Ste"};
  kit::Label Label_Rpt_RL{*this, "Label_Rpt_RL"};
  kit::ComboBox Combo_RPT_RL{*this, "Combo_RPT_RL"};
  kit::Label Label_ponmsg{*this, "Label_ponmsg"};
  kit::ComboBox Combo_ponmsg{*this, "Combo_ponmsg"};
  kit::Label Label_pon_text{*this, "Label_pon_text"};
  kit::TextBox Text_PON_MSG_U{*this, "Text_PON_MSG_U"};
  kit::TextBox Text_PON_MSG_D{*this, "Text_PON_MSG_D"};

  // The editor's own transfer: its progress, and the link with MSC and
  // Timer1 to Timer3. Default, Close and every unload refuse while it runs.
  Transfer_Link Transfer;
  Transfer_Progress& Progress = Transfer.Progress;
  kit::Label& Label_tr_count = Progress.Label_tr_count;
  kit::ProgressBar& ProgressBar1 = Progress.ProgressBar1;
  Link_Engine& Link = Transfer.Link;
  kit::Timer Timer4{*this, "Timer4"};

  // Sets every control from the image; the controls' handlers write what
  // they now show back.
  void Show_Options();
  // Fills every list in the current language, selecting nothing.
  void Fill_Option_Lists();

  // The file service (its timer has no interval, so nothing runs it).
  void Timer4_Timer();
  void Load_Param_File();
  void Save_Param_File();
  // Show the option file dialogs unless the transfer runs; no control calls them.
  void Open_Menu_File();
  void Save_Menu_File();

  // One frequency-mode side's controls, its band limits and its record.
  struct Side {
    kit::ComboBox& Combo_Band;
    kit::TextBox& Text_Range;
    kit::TextBox& Text_Freq;
    kit::TextBox& Text_Offset;
    kit::ComboBox& Combo_r_ctdcs;
    kit::ComboBox& Combo_t_ctdcs;
    kit::ComboBox& Combo_sft_d;
    kit::ComboBox& Combo_S_info;
    kit::ComboBox& Combo_Spmute;
    kit::ComboBox& Combo_Optsig;
    kit::ComboBox& Combo_step;
    kit::ComboBox& Combo_scr;
    kit::ComboBox& Combo_txp;
    kit::ComboBox& Combo_wn;
    double& Band_Low;
    double& Band_High;
    int row;  // the record's first image row
  };
  Side Side_A, Side_B;
  // How many frequency checks are redisplaying the window.
  int Freq_Checks_Running = 0;

 private:
  // Every setting the window shows, in the order the display sets them:
  // the general settings, side A, side B, the power-on lines. Each control
  // stores its own bytes into the image; the working copy of the option
  // block follows the image after every store.
  fields::Bindings Settings{data_.Mem_Image, [this] { Mirror_Option_Val(); }};

  // frm_option.cpp
  void Lay_Out();
  void Set_Captions();
  void Form_Load();
  // Side A starts on the VHF limits and side B on the UHF0 limits; the
  // display then brings each side to the band its list shows.
  void Start_Limits();
  void Form_Activate();
  void Form_Unload(int& cancel);
  void Command_def_Click();
  void Command_close_Click();

  // option_display.cpp
  void Wire_Settings();
  void Mirror_Option_Val();
  void Show_Tone(Side& s, kit::ComboBox& box, int column);

  // option_entry.cpp
  void Wire_Entry(Side& s);
  void Combo_Band_Click(Side& s);
  void Combo_Band_Change(Side& s);
  void Band_Limits(Side& s, int band);
  void Text_Freq_KeyPress(kit::TextBox& box, int& key);
  void Text_Length_Guard(kit::TextBox& box, int limit);
  void Text_Freq_LostFocus(Side& s);
  void Text_Offset_LostFocus(Side& s);
  void Combo_ctdcs_Click(Side& s, kit::ComboBox& box, int column);
  void Combo_ctdcs_KeyPress(int& key);
  void Combo_ctdcs_LostFocus(Side& s, kit::ComboBox& box, int column);

  // option_transfer.cpp
  // The replies of a read, which the image takes only once all have come.
  std::array<std::array<std::uint8_t, 64>, 5> Blocks{};
  void Command_read_Click();
  void Command_Write_Click();
  void Link_Block_Stored(int step, std::uint16_t address,
                         std::span<const std::uint8_t> data) override;
  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const Write_Step& step) override;
  void Link_Done() override;
  void Text_chann_total_Change();
  void Text_chann_total_LostFocus();
  std::int16_t& Vfo(const Side& s, int k);
};

}  // namespace j5
