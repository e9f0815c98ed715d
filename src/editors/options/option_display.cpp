// The display of the optional features window and its settings: one table
// of bindings for the general settings, one for frame A's lists that frame B
// takes two image rows further down, and the display steps that no binding
// describes (frequencies, offsets, tones, the channel count).
#include <string>

#include "editors/options/frm_option.h"
#include "editors/options/option_codecs.h"
#include "editors/options/option_text.h"
#include "shell/program.h"

namespace j5 {

using fields::At;
using fields::Bits;
using fields::Coded;
using fields::Field;

namespace {

constexpr int kOptionBytes = 64;

// A general list or whole-byte check box and its option byte, in the order
// the display sets them.
struct General_List {
  kit::ComboBox frm_option::*box;
  int byte;
};
struct General_Check {
  kit::CheckBox frm_option::*box;
  int byte;
};

Field Option_Byte(int n) {
  return Bits{At(frm_option::kOptionRow, n)};
}

// Frame A's lists of the packed bytes +28..+31, with frame B's twin; the
// fields are side A's and side B's lie two rows further down.
struct Vfo_List {
  kit::ComboBox frm_option::*box[2];
  Field field;
};

const Vfo_List* Vfo_Lists(std::size_t& count) {
  using F = frm_option;
  const int r = frm_option::kVfoRowA;
  static const Vfo_List lists[] = {
      {{&F::Combo_sft_d_a, &F::Combo_sft_d_b}, Bits{At(r, 28), 0xF0}},
      {{&F::Combo_S_info_a, &F::Combo_S_info_b}, Bits{At(r, 28), 0x0F}},
      {{&F::Combo_Spmute_a, &F::Combo_Spmute_b}, Bits{At(r, 29), 0xF0}},
      {{&F::Combo_Optsig_a, &F::Combo_OptSig_b}, Bits{At(r, 29), 0x0F}},
      {{&F::Combo_step_a, &F::Combo_step_b}, Bits{At(r, 30), 0xF0}},
      {{&F::Combo_scr_a, &F::Combo_scr_b}, Bits{At(r, 30), 0x0F}},
      {{&F::Combo_txp_a, &F::Combo_txp_b}, Bits{At(r, 31), 0x07}},
      {{&F::Combo_wn_a, &F::Combo_wn_b}, Bits{At(r, 31), 0x40}},
  };
  count = std::size(lists);
  return lists;
}

}  // namespace

void frm_option::Wire_Settings() {
  using F = frm_option;
  auto choose_only = [](kit::ComboBox& box) { box.KeyPress = [](int& key) { key = 0; }; };

  // General settings, in display order.
  const General_List first[] = {{&F::Combo_tot, 11},
                                {&F::Combo_sql, 5},
                                {&F::Combo_vox, 3},
                                {&F::Combo_mod_A, 62},
                                {&F::Combo_mod_B, 63}};
  for (const General_List& l : first) Settings.list(this->*l.box, Option_Byte(l.byte));
  Settings.step([this] {
    const int count = Option_Byte(0).number(Settings.cells());
    Text_chann_total.setText(count > 200 ? "200" : std::to_string(count));
  });
  Settings.check(Check_tdr, Option_Byte(6));
  Settings.checks(At(kOptionRow, 59), {{Check_chann_menu, 0x01},
                                       {Check_chann_init, 0x02},
                                       {Check_Alarm_Sound, 0x08},
                                       {Check_radio, 0x10}});
  const General_List lists[] = {
      {&F::Combo_MDF_A, 21},  {&F::Combo_MDF_B, 22},  {&F::Combo_dtmfst, 42},
      {&F::Combo_abr, 7},     {&F::Combo_voice, 19},  {&F::Combo_wt_led, 8},
      {&F::Combo_rx_led, 36}, {&F::Combo_tx_led, 37}, {&F::Combo_ste, 31},
      {&F::Combo_Rp_Ste, 32}, {&F::Combo_RPT_RL, 33}, {&F::Combo_sc_rev, 17},
      {&F::Combo_ptt_id, 39}, {&F::Combo_ptt_lt, 40}};
  for (const General_List& l : lists) Settings.list(this->*l.box, Option_Byte(l.byte));
  const General_Check checks[] = {
      {&F::Check_Lock, 61}, {&F::Check_Autolk, 18}, {&F::Check_bcl, 12}, {&F::Check_Beep, 9}};
  for (const General_Check& c : checks)
    Settings.check(this->*c.box, Option_Byte(c.byte), fields::Tick::ClearFirst);
  const General_List last[] = {{&F::Combo_save, 16},
                               {&F::Combo_ponmsg, 20},
                               {&F::Combo_roger, 14},
                               {&F::Combo_ab_mode, 41},
                               {&F::Combo_AL_Mode, 15}};
  for (const General_List& l : last) Settings.list(this->*l.box, Option_Byte(l.byte));
  // The alarm sound is the radio's own only while the alarm is sent out.
  Combo_AL_Mode.Click = [this] {
    Settings.store(Combo_AL_Mode);
    Check_Alarm_Sound.setEnabled(Combo_AL_Mode.listIndex() > 0);
  };
  for (const General_List& l : first) choose_only(this->*l.box);
  for (const General_List& l : lists) choose_only(this->*l.box);
  for (const General_List& l : last) choose_only(this->*l.box);

  // Frames A and B.
  std::size_t count = 0;
  const Vfo_List* vfo = Vfo_Lists(count);
  for (Side* s : {&Side_A, &Side_B}) {
    const int side = s == &Side_A ? 0 : 1;
    const int rows = 2 * side;
    Settings.text(s->Text_Freq, Coded{At(s->row, 8), opt::Freq_Digits_Codec()}, false);
    Settings.text(s->Text_Offset, Coded{At(s->row, 16), opt::Offset_Digits_Codec()}, false);
    for (kit::ComboBox* tone : {&s->Combo_r_ctdcs, &s->Combo_t_ctdcs}) {
      const int column = tone == &s->Combo_r_ctdcs ? 22 : 24;
      Settings.step([this, s, tone, column] { Show_Tone(*s, *tone, column); });
    }
    Settings.list(s->Combo_Band, Bits{At(s->row, 26)});
    // A side whose band did not change keeps the limits of the band it shows,
    // as the radio reported them last.
    Settings.step([this, s] {
      Band_Limits(*s, s->Combo_Band.listIndex());
      s->Text_Range.setText(opt::Range_Text(s->Band_Low, s->Band_High));
    });
    for (std::size_t i = 0; i < count; ++i) {
      kit::ComboBox& box = this->*vfo[i].box[side];
      Settings.list(box, vfo[i].field.shifted(rows));
      choose_only(box);
    }
  }

  // The power-on lines.
  Settings.text(Text_PON_MSG_U, Coded{{kPonRow, 0}, opt::Pon_Line_Codec()});
  Settings.text(Text_PON_MSG_D, Coded{{kPonRow, 7}, opt::Pon_Line_Codec()});
}

void frm_option::Mirror_Option_Val() {
  for (int n = 0; n < kOptionBytes; ++n)
    data_.Option_Val[static_cast<std::size_t>(n)] = data_.Mem_Image(kOptionRow + n / 16, n % 16);
}

void frm_option::Show_Options() {
  Mirror_Option_Val();
  Settings.show();
}

void frm_option::Show_Tone(Side& s, kit::ComboBox& box, int column) {
  const opt::Tone_Shown shown = opt::Tone_Display(Vfo(s, column), Vfo(s, column + 1));
  if (shown.text) {
    box.setText(*shown.text);
  } else {
    box.setListIndex(shown.index);
  }
}

}  // namespace j5
