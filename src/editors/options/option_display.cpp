// The display of the optional features window and its settings: one table
// of bindings for the general settings, one for frame A's lists that frame B
// takes two image rows further down, and the display steps that no binding
// describes (frequencies, offsets, tones, the channel count).
#include <string>

#include "data/codecs.h"
#include "data/tables.h"
#include "editors/options/frm_option.h"
#include "editors/options/option_codecs.h"
#include "editors/options/option_settings.h"
#include "editors/options/option_text.h"
#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

using fields::At;
using fields::Bits;
using fields::Coded;

void frm_option::Wire_Settings() {
  opt::Bind_Settings(Settings, *this, opt::General_Settings(), Option_Block.first,
                     [this](std::string_view) {
                       // The channel count, the one step of the general settings: the box shows
                       // option byte 0 (at most "200") and stores nothing.
                       const int count = data_.Mem_Image(Option_Block.first, 0);
                       Text_chann_total.setText(count > 200 ? "200" : std::to_string(count));
                     });
  // The alarm sound is the radio's own only while the alarm is sent out.
  Combo_AL_Mode.Click = [this] {
    Settings.store(Combo_AL_Mode);
    Check_Alarm_Sound.setEnabled(Combo_AL_Mode.listIndex() > 0);
  };

  // Frames A and B: the same steps and lists, record B two rows below A.
  for (Side* s : {&Side_A, &Side_B}) {
    Settings.text(s->Text_Freq, Coded{At(s->row, 8), opt::Freq_Digits_Codec()}, false);
    Settings.text(s->Text_Offset, Coded{At(s->row, 16), opt::Offset_Digits_Codec()}, false);
    // Bytes that are no digits (an erased record) show as 0, and the 100 MHz byte shows nothing:
    // the record is made to hold the offset the box shows, so a write sends what the user sees.
    Settings.step([this, s] {
      const auto shown =
          opt::Offset_To_Digits(opt::Offset_Grid_kHz(rt::Val_Or_Zero(s->Text_Offset.text())));
      for (int k = 0; k < 6; ++k)
        if (Vfo(*s, 16 + k) != shown[static_cast<std::size_t>(k)])
          return Settings.store(s->Text_Offset);
    });
    for (kit::ComboBox* tone : {&s->Combo_r_ctdcs, &s->Combo_t_ctdcs}) {
      const int column = tone == &s->Combo_r_ctdcs ? 22 : 24;
      Settings.step([this, s, tone, column] { Show_Tone(*s, *tone, column); });
    }
    Settings.list(s->Combo_Band, Bits{At(s->row, 26)});
    // A side whose band did not change keeps the limits of the band it shows,
    // as the radio reported them last, and its frequency is checked as a band
    // choice checks it when it lies outside them, off the channel raster, or
    // its digits are no digits:
    // the window shows what it would show opened anew (Default writes record
    // B's frequency beside a band that need not hold it; a read may bring
    // anything). A band that holds no frequency the window can store
    // (limits beyond the digits) settles on what the check
    // puts in its place, the lower limit's text, as a band choice does: no
    // correction could end inside the band, and each one would redisplay and
    // correct again.
    Settings.step([this, s] {
      Band_Limits(*s, s->Combo_Band.listIndex());
      s->Text_Range.setText(opt::Range_Text(s->Band_Low, s->Band_High));
      bool digits = true;
      long long units = 0;
      for (int k = 8; k < 16; ++k) {
        digits = digits && Vfo(*s, k) >= 0 && Vfo(*s, k) <= 9;
        units = units * 10 + Vfo(*s, k);
      }
      const double mhz = rt::Val_Or_Zero(s->Text_Freq.text());
      const bool inBand = opt::In_Band(mhz, s->Band_Low, s->Band_High);
      const std::string below = opt::Freq_Box_Text(opt::Freq_Below_Text(s->Band_Low));
      const bool settled = inBand || (!opt::Band_Holds_A_Frequency(s->Band_Low, s->Band_High) &&
                                      units == opt::Freq_Store_Units(rt::Val_Or_Zero(below)));
      // A redisplay inside a frequency check (each check redisplays) corrects
      // nothing more, or a correction that cannot stay put would correct
      // without end. The outer display checks each side in turn.
      if (Freq_Checks_Running > 0 || (digits && settled && opt::Freq_Store_Units(mhz) == units))
        return;
      if (!inBand) s->Text_Freq.setText(below);
      Text_Freq_LostFocus(*s);
    });
    opt::Bind_Vfo_Lists(Settings, *this, s == &Side_A ? 0 : 1, s->row);
  }

  // The power-on lines.
  Settings.text(Text_PON_MSG_U, Coded{{Pon_Line, 0}, opt::Pon_Line_Codec()});
  Settings.text(Text_PON_MSG_D, Coded{{Pon_Line, 7}, opt::Pon_Line_Codec()});
}

void frm_option::Mirror_Option_Val() {
  Option_Block_To_Val(data_);
}

void frm_option::Show_Options() {
  Mirror_Option_Val();
  Settings.show();
}

void frm_option::Show_Tone(Side& s, kit::ComboBox& box, int column) {
  // A code no item names (a high byte of 0 under a low byte past the last DCS code) selects
  // nothing.
  const Tone_Shown shown = Tone_List_Shown(Vfo(s, column), Vfo(s, column + 1), kDcsListOffset, -1);
  if (shown.text) {
    box.setText(*shown.text);
  } else {
    box.setListIndex(shown.index);
    // A code no item names shows an empty box, whatever was typed into it.
    if (shown.index < 0) box.setText("");
  }
}

}  // namespace j5
