// The option image of the copies: which control shows which bytes. The copies edit the radio's
// option block and frequency-mode records as the optional features window does, so they bind
// that window's tables for the settings both have, and a small table of their own for the rest;
// the display and the packing run the same bindings.
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "data/codecs.h"
#include "data/tables.h"
#include "editors/option_copies/copy_text.h"
#include "editors/option_copies/option_copy_window.h"
#include "editors/options/option_codecs.h"
#include "editors/options/option_settings.h"
#include "editors/options/option_text.h"
#include "platform/runtime.h"

namespace j5 {

namespace {

using fields::At;
using fields::Bits;
using fields::Coded;
using fields::Field;
using fields::Tick;

Field Byte(int n) {
  return Bits{At(0, n)};
}

// The channel count: one byte, shown up to 200.
fields::Codec Count_Codec() {
  return {1,
          [](std::span<const std::int16_t> b) { return std::to_string(std::min<int>(b[0], 200)); },
          [](std::span<std::int16_t> b, std::string_view text) {
            const double v = std::clamp(rt::Val_Unbounded(text), 0.0, 255.0);
            b[0] = static_cast<std::int16_t>(std::nearbyint(v));
            return true;
          }};
}

// The password: six bytes, one digit each, the first digit first.
fields::Codec Pwd_Codec() {
  return {6,
          [](std::span<const std::int16_t> b) {
            std::string s;
            for (std::size_t i = 0; i < 6; ++i) s += std::to_string(b[i]);
            return s;
          },
          [](std::span<std::int16_t> b, std::string_view text) {
            opt::Put(b, copy::Pwd_Pack(std::string(text)));
            return true;
          }};
}

// A range limit: Band_Limit_Pair.
fields::Codec Limit_Codec() {
  return {2, [](std::span<const std::int16_t> b) { return copy::Limit_Text(b[0], b[1]); },
          [](std::span<std::int16_t> b, std::string_view text) {
            opt::Put(b, copy::Limit_Pack(std::string(text)));
            return true;
          }};
}

// A record's frequency: Freq_Digits.
fields::Codec Freq_Codec() {
  return {
      8, [](std::span<const std::int16_t> b) { return opt::Freq_Digits_Text(opt::Bytes_Of<8>(b)); },
      [](std::span<std::int16_t> b, std::string_view text) {
        opt::Put(b, copy::Freq_Pack_Digits(std::string(text)));
        return true;
      }};
}

// The copies' own settings: those the optional features window does not have, in option bytes no
// other window uses (the rest of the block belongs to that window or to nobody, and a packing
// keeps it as the last read brought it), and the bits of byte 59 that window leaves alone.
enum class Own { List, Check, Compander, Bit, Buttons, Text };

struct Own_Setting {
  std::string_view control;
  Own kind;
  Field field;
  int bit = 0;                  // the bit of a Bit entry
  std::string_view other = {};  // Buttons: the option button set when the field is 0
};

std::span<const Own_Setting> Own_Settings() {
  static const std::vector<Own_Setting> settings = {
      {"Option_chann", Own::Buttons, Byte(1), 0, "Option_freq"},  // work mode
      {"Combo_ring", Own::List, Byte(2)},
      {"Check_ANI", Own::Check, Byte(4)},
      {"Combo_Tdr_ab", Own::List, Byte(10)},
      {"Combo_pf1", Own::List, Byte(13)},
      {"Text_menu_pwd", Own::Text, Coded{At(0, 23), Pwd_Codec()}},  // 23..28
      {"Check_comp", Own::Compander, Byte(45)},
      {"Combo_pf2", Own::List, Byte(46)},
      {"Text_pvfo_d0", Own::Text, Coded{At(0, 49), Limit_Codec()}},
      {"Text_pvfo_d1", Own::Text, Coded{At(0, 51), Limit_Codec()}},
      {"Text_pvfo_t0", Own::Text, Coded{At(0, 53), Limit_Codec()}},
      {"Text_pvfo_t1", Own::Text, Coded{At(0, 55), Limit_Codec()}},  // ..56
      // After the dual watch of the shared table: showing synchronous display clears it.
      {"Check_chann_syn", Own::Bit, Byte(59), 0x20},
      {"Check_alarm_06old", Own::Bit, Byte(59), 0x40},
      {"Option_band_b", Own::Buttons, Bits{At(0, 59), 0x80}, 0, "Option_band_a"},  // work band
  };
  return settings;
}

// The copies keep a record's transmit power in bit 7 of +31, where the optional features window
// reads bits 0 to 2: their own list, in place of that window's.
const opt::Vfo_Setting kOwnPower{"Combo_txp_a", "Combo_txp_b", Bits{At(0, 31), 0x80}};

bool Has_Control(kit::Form& form, std::string_view name) {
  for (kit::Control* c : form.controls())
    if (c->name() == name) return true;
  return false;
}

}  // namespace

void Option_Copy_Window::Bind_Settings() {
  fields::Bindings& g = Settings;
  CopyImage& t = Work;
  // The settings the copies share with the optional features window, at the same bytes, under
  // the copies' names; those the copies lack are left out. A whole-byte box is cleared before it
  // is ticked, as the copies show every box. The one display step of that table, the channel
  // count, the copies pack as well: it is bound as a text of its own.
  std::vector<opt::Setting> shared;
  std::optional<fields::Field> count;
  for (opt::Setting s : opt::General_Settings()) {
    if (s.control == "Combo_sql") s.control = "Combo_sql_le";
    if (s.kind == opt::Setting_Kind::Check) s.kind = opt::Setting_Kind::Check_Twice;
    if (s.kind == opt::Setting_Kind::Step) count = s.field;
    if (s.kind != opt::Setting_Kind::Step && Has_Control(*this, s.control)) shared.push_back(s);
  }
  opt::Bind_Settings(g, *this, shared, 0, [](std::string_view) {});
  if (count) g.text(Text_chann_total, Coded{count->place(), Count_Codec()}, false);

  for (const Own_Setting& s : Own_Settings()) {
    const Field field = s.field;
    switch (s.kind) {
      case Own::List:
        g.list(opt::Named<kit::ComboBox>(*this, s.control), field);
        break;
      case Own::Check:
        g.check(opt::Named<kit::CheckBox>(*this, s.control), field, Tick::ClearFirst);
        break;
      case Own::Compander:
        // Both windows pack the compander; only frm_Adj_Tune shows it.
        Check_comp.Click = g.custom(
            Check_comp,
            [this, &t, field] {
              if (!showsComp_) return;
              Check_comp.setValue(0);
              Check_comp.setValue(field.number(t) != 0 ? 1 : 0);
            },
            [this, &t, field] { field.setNumber(t, Check_comp.value() == 1 ? 1 : 0); });
        break;
      case Own::Bit:
        g.checks(field.place(), {{opt::Named<kit::CheckBox>(*this, s.control), s.bit}});
        break;
      case Own::Buttons: {
        // The button of a set field is set first, then the other cleared, or the other way.
        auto& on = opt::Named<kit::OptionButton>(*this, s.control);
        auto& off = opt::Named<kit::OptionButton>(*this, s.other);
        g.custom(
            on,
            [&t, &on, &off, field] {
              const bool set = field.number(t) != 0;
              on.setValue(set);
              off.setValue(!set);
            },
            [&t, &on, field] { field.setNumber(t, on.value() ? 1 : 0); });
        break;
      }
      case Own::Text:
        g.text(opt::Named<kit::TextBox>(*this, s.control), field, false);
        break;
    }
  }
}

// A record's controls: frequency, offset, tones, then the packed lists of bytes +28 to +31.
void Option_Copy_Window::Bind_Side(Side& s, int side) {
  fields::Bindings& r = Records;
  CopyImage& t = Work;
  const int row = kPackedVfoRow + 2 * side;
  r.text(s.Text_Freq, Coded{At(row, 8), Freq_Codec()}, false);
  const fields::Place offset = At(row, 16);
  s.Combo_offset.Click = r.custom(
      s.Combo_offset,
      [&t, &s, offset] {
        std::array<int, 6> bytes{};
        for (std::size_t i = 0; i < 6; ++i)
          bytes[i] =
              t(static_cast<std::size_t>(offset.row), static_cast<std::size_t>(offset.col) + i);
        s.Combo_offset.setListIndex(
            std::min(copy::Offset_Index(bytes), s.Combo_offset.listCount() - 1));
      },
      [&t, &s, offset] {
        // "MM.kkk": the 100 MHz byte 0, then the digits around the point.
        const std::string text = rt::Trim(s.Combo_offset.text());
        constexpr std::array<std::size_t, 5> kChars = {0, 1, 3, 4, 5};
        const auto row = static_cast<std::size_t>(offset.row);
        t(row, static_cast<std::size_t>(offset.col)) = 0;
        for (std::size_t i = 0; i < 5; ++i)
          t(row, static_cast<std::size_t>(offset.col) + 1 + i) = static_cast<std::int16_t>(
              kChars[i] < text.size() && text[kChars[i]] >= '0' && text[kChars[i]] <= '9'
                  ? text[kChars[i]] - '0'
                  : 0);
      });
  for (auto [box, k] : {std::pair{&s.Combo_r_ctdcs, 22}, std::pair{&s.Combo_t_ctdcs, 24}}) {
    kit::ComboBox& b = *box;
    const fields::Place at = At(row, k);
    b.Click = r.custom(
        b,
        [&t, &b, at] {
          const auto row = static_cast<std::size_t>(at.row), col = static_cast<std::size_t>(at.col);
          // A DCS number past the last code names no item: shown as off, so what is packed
          // later is a code the radio knows.
          const Tone_Shown shown = Tone_List_Shown(t(row, col), t(row, col + 1), kDcsNameOffset, 0);
          if (shown.text)
            b.setText(*shown.text);
          else
            b.setListIndex(shown.index);
        },
        [&t, &b, at] {
          const auto row = static_cast<std::size_t>(at.row), col = static_cast<std::size_t>(at.col);
          const Tone_Bytes code = Tone_Pick_Code(b.listIndex(), b.text(), kDcsNameOffset);
          t(row, col) = static_cast<std::int16_t>(code[0]);
          t(row, col + 1) = static_cast<std::int16_t>(code[1]);
        });
  }
  // The optional features window's lists of bytes +28 to +31, the transmit power the copies'.
  for (const opt::Vfo_Setting& l : opt::Vfo_Lists()) {
    const opt::Vfo_Setting& own = l.control_a == kOwnPower.control_a ? kOwnPower : l;
    r.list(opt::Named<kit::ComboBox>(*this, side == 0 ? own.control_a : own.control_b),
           own.field.shifted(row));
  }
}

void Option_Copy_Window::Show_Copy_Options(int recordRow) {
  // The option block as it stands; the records from the rows the image holds them in.
  Work = CopyImage{};
  for (std::size_t r = 0; r < 4; ++r)
    for (std::size_t c = 0; c < 16; ++c) Work(r, c) = Copy_Image(r, c);
  Settings.show();
  // Placed only now: a setting shown above may have stored into them (the compander clears the
  // scramblers), and the records must show what the image holds.
  Place_Records(Work, Copy_Image, recordRow);
  Records.show();
}

void Option_Copy_Window::Place_Records(CopyImage& to, const CopyImage& from, int row) {
  for (std::size_t r = 0; r < 4; ++r)
    for (std::size_t c = 0; c < 16; ++c)
      to(kPackedVfoRow + r, c) = from(static_cast<std::size_t>(row) + r, c);
}

void Option_Copy_Window::Pack_Options() {
  // Every byte no control packs keeps what the last read brought (0 before any read).
  Work = Read_Base;
  Settings.storeAll();
  Records.storeAll();
  Copy_Image = Work;
}

}  // namespace j5
