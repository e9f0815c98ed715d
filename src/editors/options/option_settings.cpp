#include "editors/options/option_settings.h"

#include <vector>

namespace j5::opt {

using fields::At;
using fields::Bits;
using K = Setting_Kind;

namespace {

fields::Field Byte(int n) {
  return Bits{At(0, n)};
}

}  // namespace

std::span<const Setting> General_Settings() {
  static const std::vector<Setting> settings = {
      {"Combo_tot", K::List, Byte(11)},
      {"Combo_sql", K::List, Byte(5)},
      {"Combo_vox", K::List, Byte(3)},
      {"Combo_mod_A", K::List, Byte(62)},
      {"Combo_mod_B", K::List, Byte(63)},
      {"Text_chann_total", K::Step, Byte(0)},
      {"Check_tdr", K::Check, Byte(6)},
      {"Check_chann_menu", K::Bit, Byte(59), 0x01},
      {"Check_chann_init", K::Bit, Byte(59), 0x02},
      {"Check_Alarm_Sound", K::Bit, Byte(59), 0x08},
      {"Check_radio", K::Bit, Byte(59), 0x10},
      {"Combo_MDF_A", K::List, Byte(21)},
      {"Combo_MDF_B", K::List, Byte(22)},
      {"Combo_dtmfst", K::List, Byte(42)},
      {"Combo_abr", K::List, Byte(7)},
      {"Combo_voice", K::List, Byte(19)},
      {"Combo_wt_led", K::List, Byte(8)},
      {"Combo_rx_led", K::List, Byte(36)},
      {"Combo_tx_led", K::List, Byte(37)},
      {"Combo_ste", K::List, Byte(31)},
      {"Combo_Rp_Ste", K::List, Byte(32)},
      {"Combo_RPT_RL", K::List, Byte(33)},
      {"Combo_sc_rev", K::List, Byte(17)},
      {"Combo_ptt_id", K::List, Byte(39)},
      {"Combo_ptt_lt", K::List, Byte(40)},
      {"Check_Lock", K::Check_Twice, Byte(61)},
      {"Check_Autolk", K::Check_Twice, Byte(18)},
      {"Check_bcl", K::Check_Twice, Byte(12)},
      {"Check_Beep", K::Check_Twice, Byte(9)},
      {"Combo_save", K::List, Byte(16)},
      {"Combo_ponmsg", K::List, Byte(20)},
      {"Combo_roger", K::List, Byte(14)},
      {"Combo_ab_mode", K::List, Byte(41)},
      {"Combo_AL_Mode", K::List, Byte(15)},
  };
  return settings;
}

std::span<const Vfo_Setting> Vfo_Lists() {
  static const std::vector<Vfo_Setting> lists = {
      {"Combo_sft_d_a", "Combo_sft_d_b", Bits{At(0, 28), 0xF0}},
      {"Combo_S_info_a", "Combo_S_info_b", Bits{At(0, 28), 0x0F}},
      {"Combo_Spmute_a", "Combo_Spmute_b", Bits{At(0, 29), 0xF0}},
      {"Combo_Optsig_a", "Combo_OptSig_b", Bits{At(0, 29), 0x0F}},
      {"Combo_step_a", "Combo_step_b", Bits{At(0, 30), 0xF0}},
      {"Combo_scr_a", "Combo_scr_b", Bits{At(0, 30), 0x0F}},
      {"Combo_txp_a", "Combo_txp_b", Bits{At(0, 31), 0x07}},
      {"Combo_wn_a", "Combo_wn_b", Bits{At(0, 31), 0x40}},
  };
  return lists;
}

void Bind_Settings(fields::Bindings& bindings, kit::Form& form, std::span<const Setting> settings,
                   int row, const std::function<void(std::string_view)>& step) {
  for (std::size_t i = 0; i < settings.size(); ++i) {
    const Setting& s = settings[i];
    const fields::Field field = s.field.shifted(row);
    switch (s.kind) {
      case K::List:
        bindings.list(Named<kit::ComboBox>(form, s.control), field);
        break;
      case K::Check:
      case K::Check_Twice:
        bindings.check(Named<kit::CheckBox>(form, s.control), field,
                       s.kind == K::Check ? fields::Tick::Once : fields::Tick::ClearFirst);
        break;
      case K::Bit: {
        // The boxes of one byte show together: the byte read once, every box
        // cleared, then each box of a set bit ticked.
        std::vector<fields::BitBox> group;
        const fields::Place byte = field.place();
        for (; i < settings.size() && settings[i].kind == K::Bit &&
               settings[i].field.shifted(row).place().row == byte.row &&
               settings[i].field.shifted(row).place().col == byte.col;
             ++i)
          group.push_back({Named<kit::CheckBox>(form, settings[i].control), settings[i].bit});
        --i;
        bindings.checks(byte, std::move(group));
        break;
      }
      case K::Step:
        bindings.step([step, name = s.control] { step(name); });
        break;
    }
  }
}

void Bind_Vfo_Lists(fields::Bindings& bindings, kit::Form& form, int side, int row) {
  for (const Vfo_Setting& l : Vfo_Lists())
    bindings.list(Named<kit::ComboBox>(form, side == 0 ? l.control_a : l.control_b),
                  l.field.shifted(row));
}

}  // namespace j5::opt
