// The lists of the option window copies and the defaults of every setting control.
#include <cmath>
#include <vector>

#include "data/bands.h"
#include "data/tables.h"
#include "editors/option_copies/copy_text.h"
#include "editors/option_copies/option_copy_window.h"
#include "editors/options/option_lists.h"
#include "editors/options/option_text.h"
#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

namespace {

using Items = std::vector<std::string>;

// "first" followed by the numbers from .. to, step apart.
Items Counting(int from, int to, int step = 1, const char* first = nullptr) {
  Items out;
  if (first) out.emplace_back(first);
  for (int v = from; v <= to; v += step) out.push_back(std::to_string(v));
  return out;
}

struct List_Def {
  kit::ComboBox Option_Copy_Window::*box;
  kit::ComboBox Option_Copy_Window::*twin;  // side B's list of the same items, or null
  Items chn, eng;                           // eng empty: the same items in both languages
  int def;
};

using W = Option_Copy_Window;

const std::vector<List_Def>& Lists() {
  static const std::vector<List_Def> lists = [] {
    // The lists whose items are the option editor's take them from its table.
    auto from_editor = [](kit::ComboBox W::*box, kit::ComboBox W::*twin, std::string_view name,
                          int def) {
      const opt::List_Items& l = *opt::Find_List(name);
      return List_Def{box, twin, l.chn, l.eng, def};
    };
    return std::vector<List_Def>{
        {&W::Combo_txp_a, &W::Combo_txp_b, {"HIGH", "LOW"}, {}, 0},
        {&W::Combo_wn_a, &W::Combo_wn_b, {"WIDE", "NARROR"}, {}, 0},
        {&W::Combo_sft_d_a, &W::Combo_sft_d_b, {"OFF", "+", "-"}, {}, 0},
        {&W::Combo_offset_a, &W::Combo_offset_b, copy::Offset_Items(), {}, 12},
        {&W::Combo_scr_a, &W::Combo_scr_b, Counting(1, 8, 1, "OFF"), {}, 0},
        {&W::Combo_step_a,
         &W::Combo_step_b,
         {"5.00 KHZ", "6.25 KHZ", "10.00 KHZ", "12.50 KHZ", "25.00 KHZ"},
         {},
         3},
        {&W::Combo_Optsig_a, &W::Combo_OptSig_b, {"OFF", "DTMF"}, {}, 0},
        {&W::Combo_Spmute_a,
         &W::Combo_Spmute_b,
         {"QT/DQT", "QT/DQT AND OPTSIG", "QT/DQT OR OPTSIG"},
         {},
         0},
        from_editor(&W::Combo_S_info_a, &W::Combo_S_info_b, "Combo_S_info_a", 0),
        from_editor(&W::Combo_tot, nullptr, "Combo_tot", 3),
        {&W::Combo_sql_le, nullptr, Counting(0, 9), {}, 5},
        {&W::Combo_voice, nullptr, {"关", "英语", "中文"}, {"OFF", "English", "Chinese"}, 1},
        from_editor(&W::Combo_MDF_A, nullptr, "Combo_MDF_A", 2),
        from_editor(&W::Combo_MDF_B, nullptr, "Combo_MDF_B", 1),
        {&W::Combo_dtmfst,
         nullptr,
         {"全部关闭", "发射时按键侧音", "发射身份码侧音", "发射时按键侧音+发射身份码侧音"},
         {"OFF All ", "KB DTMF Side Tone", "Send ANI DTMF Side Tone",
          "KB DTMFST + Send ANI DTMFST"},
         1},
        {&W::Combo_vox, nullptr, Counting(1, 10, 1, "OFF"), {}, 0},
        {&W::Combo_abr, nullptr, Counting(1, 5, 1, "OFF"), {}, 3},
        {&W::Combo_ring, nullptr, Counting(1, 10, 1, "OFF"), {}, 5},
        from_editor(&W::Combo_sc_rev, nullptr, "Combo_sc_rev", 0),
        {&W::Combo_ptt_id,
         nullptr,
         {"关", "按下发射", "松开发射", "两者均发"},
         {"OFF", "BOT", "EOT", "BOTH"},
         0},
        from_editor(&W::Combo_ptt_lt, nullptr, "Combo_ptt_lt", 10),
        from_editor(&W::Combo_save, nullptr, "Combo_save", 3),
        {&W::Combo_Tdr_ab, nullptr, {"A Band", "B Band"}, {}, 0},
        {&W::Combo_pf1, nullptr, {"关", "扫描", "收音"}, {"OFF", "Scan", "FM Radio"}, 2},
        {&W::Combo_pf2, nullptr, {"关", "报警"}, {"OFF", "Alarm"}, 1},
        from_editor(&W::Combo_wt_led, nullptr, "Combo_wt_led", 3),
        from_editor(&W::Combo_rx_led, nullptr, "Combo_rx_led", 1),
        from_editor(&W::Combo_tx_led, nullptr, "Combo_tx_led", 2),
    };
  }();
  return lists;
}

}  // namespace

void Option_Copy_Window::Fill_Option_Defaults() {
  auto fill = [](kit::ComboBox& box, const Items& items, int def) {
    box.clear();
    for (const std::string& item : items) box.addItem(item);
    box.setListIndex(def);
  };
  auto list = [&](kit::ComboBox& box) {
    for (const List_Def& l : Lists()) {
      if (&(this->*l.box) != &box && !(l.twin && &(this->*l.twin) == &box)) continue;
      fill(box, !l.eng.empty() && !prog_.Chinese() ? l.eng : l.chn, l.def);
      return;
    }
    // The four tone lists: Tone_Name 0..260 without their blanks.
    Items tones;
    for (int i = 0; i <= kToneNameLast; ++i)
      tones.push_back(rt::Trim(data_.Tone_Name[static_cast<std::size_t>(i)]));
    fill(box, tones, 0);
  };
  auto lists = [&](std::initializer_list<kit::ComboBox*> boxes) {
    for (kit::ComboBox* b : boxes) list(*b);
  };
  auto checks = [](std::initializer_list<std::pair<kit::CheckBox*, int>> boxes) {
    for (auto [b, v] : boxes) b->setValue(v);
  };
  const Band_Span vhf = Radio_Band(data_, 0);
  const double low = vhf.low, high = vhf.high;

  Text_Freq_a.setText(opt::Freq_Below_Text(low));
  lists({&Combo_txp_a, &Combo_r_ctdcs_a, &Combo_t_ctdcs_a, &Combo_wn_a, &Combo_sft_d_a,
         &Combo_offset_a, &Combo_scr_a, &Combo_step_a, &Combo_Optsig_a, &Combo_Spmute_a,
         &Combo_S_info_a});
  Text_Freq_b.setText(opt::Freq_Above_Text(high));
  lists({&Combo_txp_b, &Combo_r_ctdcs_b, &Combo_t_ctdcs_b, &Combo_wn_b, &Combo_sft_d_b,
         &Combo_offset_b, &Combo_scr_b, &Combo_step_b, &Combo_OptSig_b, &Combo_Spmute_b,
         &Combo_S_info_b});
  lists({&Combo_tot, &Combo_sql_le, &Combo_voice});
  checks({{&Check_radio, 1}, {&Check_ANI, 1}, {&Check_Alarm_Sound, 1}, {&Check_alarm_06old, 0}});
  Option_freq.setValue(true);
  Option_chann.setValue(false);
  Text_chann_total.setText(std::to_string(data_.Chann_Total));
  Option_band_a.setValue(true);
  Option_band_b.setValue(false);
  checks({{&Check_tdr, 1}, {&Check_chann_menu, 1}, {&Check_chann_init, 1}, {&Check_chann_syn, 0}});
  lists({&Combo_MDF_A, &Combo_MDF_B, &Combo_dtmfst, &Combo_vox, &Combo_abr, &Combo_ring,
         &Combo_sc_rev, &Combo_ptt_id, &Combo_ptt_lt});
  checks({{&Check_Lock, 0}, {&Check_Autolk, 0}, {&Check_bcl, 0}, {&Check_Beep, 1}});
  list(Combo_save);
  Check_comp.setValue(0);
  lists({&Combo_Tdr_ab, &Combo_pf1, &Combo_pf2, &Combo_wt_led, &Combo_rx_led, &Combo_tx_led});
  Text_menu_pwd.setText("472915");
  Text_pvfo_d0.setText(copy::Number_Text(low));
  Text_pvfo_d1.setText(copy::Number_Text(high - 1));
  Text_pvfo_t0.setText(copy::Number_Text(low));
  Text_pvfo_t1.setText(copy::Number_Text(high - 1));
  // Ticking dual watch enables its transmit band list; a box that was ticked already raised
  // nothing, so the list is brought into line here as well.
  Combo_Tdr_ab.setEnabled(Check_tdr.value() == 1);
}

}  // namespace j5
