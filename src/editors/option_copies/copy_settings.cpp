// The option image of the copies: which control shows which bytes, as bindings of the field
// model, in the order the display sets them; the display and the packing run the same tables.
#include <algorithm>
#include <cmath>

#include "editors/option_copies/copy_text.h"
#include "editors/option_copies/option_copy_window.h"
#include "editors/options/option_codecs.h"
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

// A record's byte +k on side A; side B lies two rows further down.
Field Vfo(int k, int mask = 0xFF) {
  return Bits{At(Option_Copy_Window::kPackedVfoRow, k), mask};
}

// The channel count: one byte, shown up to 200.
fields::Codec Count_Codec() {
  return {1,
          [](std::span<const std::int16_t> b) { return std::to_string(std::min<int>(b[0], 200)); },
          [](std::span<std::int16_t> b, std::string_view text) {
            const double v = std::clamp(rt::Val(text), 0.0, 255.0);
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
            const std::string s = rt::Trim(text);
            for (std::size_t i = 0; i < 6; ++i)
              b[i] = static_cast<std::int16_t>(
                  i < s.size() && s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : 0);
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

}  // namespace

void Option_Copy_Window::Bind_Settings(fields::Bindings& g, CopyImage& t) {
  g.list(Combo_tot, Byte(11));
  g.list(Combo_sql_le, Byte(5));
  g.list(Combo_voice, Byte(19));
  const Field mode = Byte(kWorkModeByte);
  g.custom(
      Option_chann,
      [this, &t, mode] {
        const bool chann = mode.number(t) != 0;
        Option_chann.setValue(chann);
        Option_freq.setValue(!chann);
      },
      [this, &t, mode] { mode.setNumber(t, Option_chann.value() ? 1 : 0); });
  g.text(Text_chann_total, Coded{At(0, kChannCountByte), Count_Codec()}, false);
  const Field band = Bits{At(0, 59), 0x80};
  g.custom(
      Option_band_b,
      [this, &t, band] {
        const bool b = band.number(t) != 0;
        Option_band_b.setValue(b);
        Option_band_a.setValue(!b);
      },
      [this, &t, band] { band.setNumber(t, Option_band_b.value() ? 1 : 0); });
  g.check(Check_tdr, Byte(6), Tick::ClearFirst);
  g.checks(At(0, 59), {{Check_chann_menu, 0x01},
                       {Check_chann_init, 0x02},
                       {Check_chann_syn, 0x20},
                       {Check_alarm_06old, 0x40}});
  g.list(Combo_MDF_A, Byte(21));
  g.list(Combo_MDF_B, Byte(22));
  g.list(Combo_dtmfst, Byte(42));
  g.list(Combo_vox, Byte(3));
  g.list(Combo_abr, Byte(7));
  g.list(Combo_ring, Byte(kRingByte));
  g.list(Combo_sc_rev, Byte(17));
  g.list(Combo_ptt_id, Byte(39));
  g.list(Combo_ptt_lt, Byte(40));
  g.check(Check_Lock, Byte(61), Tick::ClearFirst);
  g.check(Check_Autolk, Byte(18), Tick::ClearFirst);
  g.check(Check_bcl, Byte(12), Tick::ClearFirst);
  g.check(Check_Beep, Byte(9), Tick::ClearFirst);
  g.list(Combo_save, Byte(16));
  // Both windows pack the compander; only frm_Adj_Tune shows it.
  const Field comp = Byte(kCompByte);
  Check_comp.Click = g.custom(
      Check_comp,
      [this, &t, comp] {
        if (!showsComp_) return;
        Check_comp.setValue(0);
        Check_comp.setValue(comp.number(t) != 0 ? 1 : 0);
      },
      [this, &t, comp] { comp.setNumber(t, Check_comp.value() == 1 ? 1 : 0); });
  g.checks(At(0, 59), {{Check_Alarm_Sound, 0x08}, {Check_radio, 0x10}});
  g.check(Check_ANI, Byte(kAniByte), Tick::ClearFirst);
  g.list(Combo_Tdr_ab, Byte(kTdrAbByte));
  g.list(Combo_pf1, Byte(kPf1Byte));
  g.list(Combo_pf2, Byte(kPf2Byte));
  g.list(Combo_wt_led, Byte(8));
  g.list(Combo_rx_led, Byte(36));
  g.list(Combo_tx_led, Byte(37));
  g.text(Text_menu_pwd, Coded{At(0, kPwdByte), Pwd_Codec()}, false);
  int limit = kLimitByte;
  for (kit::TextBox* box : {&Text_pvfo_d0, &Text_pvfo_d1, &Text_pvfo_t0, &Text_pvfo_t1}) {
    g.text(*box, Coded{At(0, limit), Limit_Codec()}, false);
    limit += 2;
  }
}

// A record's controls: frequency, offset, tones, then the packed lists of bytes +28 to +31.
void Option_Copy_Window::Bind_Side(fields::Bindings& r, CopyImage& t, Side& s, int side) {
  const int rows = 2 * side;
  r.text(s.Text_Freq, Field(Coded{At(kPackedVfoRow, 8), Freq_Codec()}).shifted(rows), false);
  const fields::Place offset = At(kPackedVfoRow + rows, 16);
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
    const fields::Place at = At(kPackedVfoRow + rows, k);
    b.Click = r.custom(
        b,
        [&t, &b, at] {
          const auto row = static_cast<std::size_t>(at.row), col = static_cast<std::size_t>(at.col);
          const copy::Tone_Shown shown = copy::Tone_Record(t(row, col), t(row, col + 1));
          if (shown.text)
            b.setText(*shown.text);
          else
            b.setListIndex(shown.index);
        },
        [&t, &b, at] {
          const auto row = static_cast<std::size_t>(at.row), col = static_cast<std::size_t>(at.col);
          const std::array<int, 2> code = copy::Tone_Pack(b.listIndex(), b.text());
          t(row, col) = static_cast<std::int16_t>(code[0]);
          t(row, col + 1) = static_cast<std::int16_t>(code[1]);
        });
  }
  const bool a = side == 0;
  const std::pair<kit::ComboBox*, Field> lists[] = {
      {a ? &Combo_sft_d_a : &Combo_sft_d_b, Vfo(28, 0xF0)},
      {a ? &Combo_S_info_a : &Combo_S_info_b, Vfo(28, 0x0F)},
      {a ? &Combo_Spmute_a : &Combo_Spmute_b, Vfo(29, 0xF0)},
      {a ? &Combo_Optsig_a : &Combo_OptSig_b, Vfo(29, 0x0F)},
      {a ? &Combo_step_a : &Combo_step_b, Vfo(30, 0xF0)},
      {&s.Combo_scr, Vfo(30, 0x0F)},
      {a ? &Combo_txp_a : &Combo_txp_b, Vfo(31, 0x80)},
      {a ? &Combo_wn_a : &Combo_wn_b, Vfo(31, 0x40)},
  };
  for (const auto& [box, field] : lists) r.list(*box, field.shifted(rows));
}

void Option_Copy_Window::Show_Copy_Options(int recordRow) {
  // The option block as it stands; the records from the rows the image holds them in.
  Shown = CopyImage{};
  for (std::size_t r = 0; r < 4; ++r)
    for (std::size_t c = 0; c < 16; ++c) Shown(r, c) = Copy_Image(r, c);
  Shown_General.show();
  Show_Records_From(recordRow);
}

void Option_Copy_Window::Show_Records_From(int row) {
  for (std::size_t r = 0; r < 4; ++r)
    for (std::size_t c = 0; c < 16; ++c)
      Shown(kPackedVfoRow + r, c) = Copy_Image(static_cast<std::size_t>(row) + r, c);
  Shown_Records.show();
}

void Option_Copy_Window::Pack_Options() {
  Work = CopyImage{};
  Packed_General.storeAll();
  Packed_Records.storeAll();
  Copy_Image = Work;
}

}  // namespace j5
