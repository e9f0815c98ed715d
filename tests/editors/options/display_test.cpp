// What the optional features window shows of the image, and what its display
// writes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "editors/channels/frm_chann.h"
#include "editors/options/option_lists.h"
#include "option_fixture.h"

namespace j5::opt_test {
namespace {

struct Display : Option_Fixture {};

TEST_F(Display, ListsHoldTheSameItemCountsInBothLanguages) {
  for (bool chinese : {true, false}) {
    data.Lang_Chn = chinese ? kTrue : kFalse;
    frm_option& f = open();
    const std::pair<kit::ComboBox*, int> counts[] = {
        {&f.Combo_tot, 40},         {&f.Combo_sql, 10},      {&f.Combo_vox, 11},
        {&f.Combo_abr, 6},          {&f.Combo_voice, 3},     {&f.Combo_mod_B, 2},
        {&f.Combo_MDF_B, 3},        {&f.Combo_dtmfst, 4},    {&f.Combo_save, 5},
        {&f.Combo_sc_rev, 3},       {&f.Combo_ptt_id, 4},    {&f.Combo_ptt_lt, 31},
        {&f.Combo_tx_led, 4},       {&f.Combo_ste, 2},       {&f.Combo_RPT_RL, 11},
        {&f.Combo_ponmsg, 3},       {&f.Combo_roger, 2},     {&f.Combo_AL_Mode, 3},
        {&f.Combo_ab_mode, 2},      {&f.Combo_Band_B, 3},    {&f.Combo_txp_b, 2},
        {&f.Combo_t_ctdcs_b, 2211}, {&f.Combo_wn_b, 2},      {&f.Combo_step_b, 8},
        {&f.Combo_sft_d_b, 3},      {&f.Combo_S_info_b, 15}, {&f.Combo_scr_b, 9},
        {&f.Combo_OptSig_b, 2},     {&f.Combo_Spmute_b, 3},
    };
    for (auto [box, n] : counts) EXPECT_EQ(box->listCount(), n) << box->name();
    program.frm_option.unload();
  }
  frm_option& f = open();  // English
  EXPECT_EQ(f.Combo_r_ctdcs_a.list(0), "OFF");
  EXPECT_EQ(f.Combo_r_ctdcs_a.list(1), "60.0");
  EXPECT_EQ(f.Combo_r_ctdcs_a.list(401), "100.0");
  EXPECT_EQ(f.Combo_r_ctdcs_a.list(2000), "259.9");
  EXPECT_EQ(f.Combo_r_ctdcs_a.list(2001), "D023N");
  EXPECT_EQ(f.Combo_r_ctdcs_a.list(2210), "D754I");
  EXPECT_EQ(f.Combo_step_a.list(2), "6.25 KHZ");
  EXPECT_EQ(f.Combo_wn_a.list(1), "NARROR");
  EXPECT_EQ(f.Combo_dtmfst.list(0), "OFF All ");
}

// What a control shows: a list's or box's text, a check box's state.
std::string Shown(frm_option& f, std::string_view name) {
  for (kit::Control* c : f.controls()) {
    if (c->name() != name) continue;
    if (auto* box = dynamic_cast<kit::ComboBox*>(c)) return box->text();
    if (auto* box = dynamic_cast<kit::TextBox*>(c)) return box->text();
    if (auto* box = dynamic_cast<kit::CheckBox*>(c)) return std::to_string(box->value());
  }
  throw std::logic_error("no control " + std::string(name));
}

// Image bytes in, bytes and control states out, for the first opening. Rows
// 240/241 hold record A, 242/243 record B, 246 the power-on lines.
TEST_F(Display, OpeningShowsAndNormalisesTheImage) {
  struct Byte {
    int row, col, value;
  };
  struct Case {
    std::vector<Byte> in;
    std::vector<Byte> out;
    std::vector<std::pair<const char*, const char*>> shown;
  };
  const Case cases[] = {
      {{{226, 11, 45}}, {{226, 11, 39}}, {{"Combo_tot", "600"}}},
      {{{226, 6, 5}, {226, 9, 0}},
       {{226, 6, 1}, {226, 9, 0}},
       {{"Check_tdr", "1"}, {"Check_Beep", "0"}}},
      {{{229, 11, 0x1F}}, {{229, 11, 0x1F}}, {{"Check_chann_menu", "1"}, {"Check_radio", "1"}}},
      {{{229, 11, 0xE4}},
       {{229, 11, 0xE4}},
       {{"Check_chann_init", "0"}, {"Check_Alarm_Sound", "0"}}},
      {{{226, 0, 112}}, {{226, 0, 112}}, {{"Text_chann_total", "112"}}},
      {{{226, 0, 250}}, {{226, 0, 250}}, {{"Text_chann_total", "200"}}},  // and no message
      {{{241, 6, 0x9E}, {241, 7, 0x02}},
       {{241, 6, 0x9E}, {241, 7, 0x02}},
       {{"Combo_r_ctdcs_a", "67.0"}}},
      {{{241, 8, 0x01}, {241, 9, 0x00}}, {{241, 8, 1}}, {{"Combo_t_ctdcs_a", "D023N"}}},
      {{{243, 6, 0xD2}, {243, 7, 0x00}}, {{243, 6, 0xD2}}, {{"Combo_r_ctdcs_b", "D754I"}}},
      {{{243, 8, 0xFF}, {243, 9, 0xFF}}, {{243, 8, 0}, {243, 9, 0}}, {{"Combo_t_ctdcs_b", "OFF"}}},
      // A DCS code no item names: nothing selected, the bytes kept.
      {{{241, 6, 211}, {241, 7, 0}}, {{241, 6, 211}, {241, 7, 0}}, {{"Combo_r_ctdcs_a", ""}}},
      {{{240, 8, 1}, {240, 9, 3}, {240, 10, 6}, {240, 11, 0}, {240, 12, 2}, {240, 13, 5}},
       {},
       {{"Text_Freq_a", "136.02500"}}},
      {{{241, 0, 0}, {241, 1, 0}, {241, 2, 5}, {241, 3, 0}}, {}, {{"Text_Offset_A", "05.000"}}},
      // An erased offset shows a zero that fits its box and is stored as shown, so a write sends
      // the offset the window shows; a non-zero 100 MHz byte, which no text shows, goes too.
      {{{243, 0, 255}, {243, 1, 255}, {243, 2, 255}, {243, 3, 255}, {243, 4, 255}, {243, 5, 255}},
       {{243, 0, 0}, {243, 1, 0}, {243, 2, 0}, {243, 3, 0}, {243, 4, 0}, {243, 5, 0}},
       {{"Text_Offset_B", "00.000"}}},
      {{{241, 0, 7}, {241, 1, 1}, {241, 2, 2}, {241, 3, 3}, {241, 4, 0xFF}, {241, 5, 5}},
       {{241, 0, 0}, {241, 1, 1}, {241, 2, 2}, {241, 3, 3}, {241, 4, 0}, {241, 5, 5}},
       {{"Text_Offset_A", "12.305"}}},
      {{{241, 12, 0x19}}, {{241, 12, 0x19}}, {{"Combo_sft_d_a", "+"}, {"Combo_S_info_a", "10"}}},
      {{{241, 14, 0x18}}, {{241, 14, 0x18}}, {{"Combo_step_a", "5.00 KHZ"}, {"Combo_scr_a", "8"}}},
      {{{241, 15, 0x41}}, {{241, 15, 0x41}}, {{"Combo_txp_a", "LOW"}, {"Combo_wn_a", "NARROR"}}},
      {{{243, 15, 0x07}}, {{243, 15, 0x01}}, {{"Combo_txp_b", "LOW"}}},
      {{{241, 15, 0x87}}, {{241, 15, 0x81}}, {{"Combo_txp_a", "LOW"}, {"Combo_wn_a", "WIDE"}}},
      {{{229, 13, 3}}, {{229, 13, 1}}, {{"Check_Lock", "1"}}},
      {{{243, 12, 0x0F}}, {{243, 12, 0x0E}}, {{"Combo_S_info_b", "15"}}},
      {{{243, 10, 5}},
       {{243, 10, 2}},
       {{"Combo_Band_B", "UHF1"}, {"Text_Range_B", "400 - 520.99750"}}},
      {{{246, 0, 'W'},
        {246, 1, 'E'},
        {246, 2, 'L'},
        {246, 3, 'C'},
        {246, 4, 'O'},
        {246, 5, 'M'},
        {246, 6, 'E'}},
       {{246, 0, 'W'}, {246, 6, 'E'}},
       {{"Text_PON_MSG_U", "WELCOME"}}},
      {{{246, 7, 255}, {246, 10, 255}, {246, 13, 255}},
       {{246, 7, 0x20}, {246, 10, 0x20}},
       {{"Text_PON_MSG_D", ""}}},
      // The inner blank of a line stays; the line is centred again.
      {{{246, 0, 'A'},
        {246, 1, ' '},
        {246, 2, 'B'},
        {246, 3, ' '},
        {246, 4, ' '},
        {246, 5, ' '},
        {246, 6, ' '}},
       {{246, 0, ' '}, {246, 1, ' '}, {246, 2, 'A'}, {246, 3, ' '}, {246, 4, 'B'}},
       {{"Text_PON_MSG_U", "A B"}}},
  };
  for (std::size_t n = 0; n < std::size(cases); ++n) {
    program.frm_option.unload();
    Init_Factory_Image(data);
    for (const Byte& b : cases[n].in)
      data.Mem_Image(b.row, b.col) = static_cast<std::int16_t>(b.value);
    d.clearMessageBoxes();
    frm_option& f = open();
    EXPECT_TRUE(d.messageBoxes().empty()) << "case " << n;
    for (const Byte& b : cases[n].out)
      EXPECT_EQ(data.Mem_Image(b.row, b.col), b.value)
          << "case " << n << " row " << b.row << " col " << b.col;
    for (const auto& [name, text] : cases[n].shown) EXPECT_EQ(Shown(f, name), text) << "case " << n;
  }
}

// Band limits as a radio may report them. A band given high-first is the band between its limits,
// and equal limits hold their one MHz: opening the window puts the side's frequency into the band
// as a band choice does, without a message, and later displays leave it alone.
TEST_F(Display, OddBandLimitsCorrectTheFrequencyAtMostOnce) {
  const struct {
    double low, high;
    const char* range;
    const char* shown;
    std::vector<int> digits;
    std::size_t messages;
  } cases[] = {
      {260, 240, "240 - 260.99750", "240.02500", {2, 4, 0, 0, 2, 5, 0, 0}, 0},
      {250, 250, "250 - 250.99750", "250.02500", {2, 5, 0, 0, 2, 5, 0, 0}, 0},
      {0, 0, "0 - 0.99750", "00.02500", {0, 0, 0, 0, 2, 5, 0, 0}, 0},
  };
  for (const auto& c : cases) {
    program.frm_option.unload();
    Init_Factory_Image(data);
    data.UHF0_Low = c.low, data.UHF0_High = c.high;
    setVfo(1, 26, {1});
    d.clearMessageBoxes();
    frm_option& f = open();
    EXPECT_EQ(f.Text_Range_B.text(), c.range) << c.low;
    EXPECT_EQ(f.Text_Freq_b.text(), c.shown) << c.low;
    EXPECT_EQ(vfoBytes(1, 8, 15), c.digits) << c.low;
    EXPECT_EQ(d.messageBoxes().size(), c.messages) << c.low;
    for (const auto& box : d.messageBoxes()) EXPECT_EQ(box.text, "当前工作频率超出范围 ！");
    // Coming back to the window changes nothing more; leaving the box is let go.
    const MemImage after = data.Mem_Image;
    d.focus(f.Text_Freq_b);
    d.tab();
    EXPECT_NE(d.focused(), &f.Text_Freq_b) << c.low;
    d.activate(*program.frm_chann);
    d.activate(f);
    EXPECT_TRUE(data.Mem_Image == after) << c.low;
  }
}

// Limits beyond what the frequency box holds, reported while the user is in frame B's box: the
// correction of frame A ("3355.02500", one character too many) must not trip the box's guard on
// typed entries, whose focus move checked frame B and put A's old frequency back in its box
// before A's check stored it. Both windows show, and hold, what a fresh one shows.
TEST_F(Display, LimitsBeyondTheBoxCorrectBothSidesAsAFreshWindowDoes) {
  frm_option& f = open();
  d.focus(f.Text_Freq_b);
  data.VHF_Low = 3355, data.VHF_High = 3321;
  data.UHF0_Low = 3355, data.UHF0_High = 3321;
  data.UHF1_Low = 3355, data.UHF1_High = 3321;
  d.activate(*program.frm_chann);
  d.activate(f);
  for (const char* window : {"worked in", "fresh"}) {
    EXPECT_EQ(program.frm_option->Text_Freq_a.text(), "00.00000") << window;
    EXPECT_EQ(program.frm_option->Text_Freq_b.text(), "00.00000") << window;
    EXPECT_EQ(vfoBytes(0, 8, 15), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0})) << window;
    EXPECT_EQ(vfoBytes(1, 8, 15), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0})) << window;
    program.frm_option.unload();
    open();
  }
}

TEST_F(Display, TheAlarmSoundIsEnabledOnlyForAnAlarmSentOut) {
  opt(15) = 0;
  EXPECT_FALSE(open().Check_Alarm_Sound.enabled());
  program.frm_option.unload();
  opt(15) = 2;
  EXPECT_TRUE(open().Check_Alarm_Sound.enabled());
}

TEST_F(Display, AFrequencyOutsideItsBandIsReplacedWithoutAMessage) {
  setVfo(1, 26, {1});  // UHF0 240-260 holds no 470.625
  frm_option& f = open();
  EXPECT_EQ(f.Text_Freq_b.text(), "240.02500");
  EXPECT_EQ(vfoBytes(1, 8, 15), (std::vector<int>{2, 4, 0, 0, 2, 5, 0, 0}));
  EXPECT_TRUE(d.messageBoxes().empty());
}

// Whatever the image brings while the window is open shows as a fresh window
// would show it: a frequency off the raster, with bytes that are no digits, or
// outside the band the side shows is checked and stored again.
TEST_F(Display, AnActivationShowsWhatAFreshWindowShows) {
  const std::vector<int> stored[] = {
      {1, 3, 6, 0, 1, 3, 7, 0}, {1, 3, 6, 0, 2, 5, 0, 12}, {4, 7, 0, 6, 2, 5, 0, 0}};
  for (const auto& digits : stored) {
    frm_option& f = open();
    setVfo(0, 8, digits);
    d.activate(*program.frm_chann);
    d.activate(f);
    const std::string shown = f.Text_Freq_a.text();
    const std::vector<int> bytes = vfoBytes(0, 8, 15);
    program.frm_option.unload();
    setVfo(0, 8, digits);
    EXPECT_EQ(open().Text_Freq_a.text(), shown);
    EXPECT_EQ(vfoBytes(0, 8, 15), bytes);
    program.frm_option.unload();
  }
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(Display, OpeningASecondTimeChangesNothing) {
  opt(11) = 45;
  opt(6) = 5;
  setVfo(0, 22, {0xFF, 0xFF, 0x01, 0x00});
  setVfo(1, 26, {5});
  setVfo(1, 31, {0xC7});
  for (int k = 0; k < 14; ++k) data.Mem_Image(246, k) = "  HI  AB  XY  "[k];
  d.click(program.MDImain->Optional_edit);
  frm_option* first = program.frm_option.get();
  const MemImage after = data.Mem_Image;
  d.click(program.MDImain->Optional_edit);  // the menu unloads and loads it again
  EXPECT_NE(program.frm_option.get(), first);
  EXPECT_EQ(program.frm_option->Combo_tot.text(), "600");
  EXPECT_TRUE(data.Mem_Image == after);
  EXPECT_TRUE(d.messageBoxes().empty());
}

// Bytes 59's boxes keep the bits no box stands for.
TEST_F(Display, BitBoxesKeepTheOtherBits) {
  opt(59) = 0x1F;
  frm_option& f = open();
  for (kit::CheckBox* b :
       {&f.Check_chann_menu, &f.Check_chann_init, &f.Check_Alarm_Sound, &f.Check_radio})
    EXPECT_EQ(b->value(), 1) << b->name();
  d.click(f.Check_chann_menu);
  EXPECT_EQ(opt(59), 0x1E);
  for (kit::CheckBox* b : {&f.Check_chann_init, &f.Check_Alarm_Sound, &f.Check_radio}) d.click(*b);
  EXPECT_EQ(opt(59), 0x04);
  d.click(f.Check_radio);
  EXPECT_EQ(opt(59), 0x14);
}

}  // namespace
}  // namespace j5::opt_test

namespace j5::opt_test {
namespace {

// The window opens on its first list: an Enter typed at once changes nothing.
TEST_F(Display, OpensOnItsFirstListWhereEnterChangesNothing) {
  data.Chann_Total = 50;
  opt(0) = 50;
  opt(11) = 3;
  frm_option& f = open();
  const MemImage before = data.Mem_Image;
  EXPECT_EQ(d.focused(), &f.Combo_tot);
  d.enter();
  d.runUntilIdle();
  EXPECT_EQ(data.Mem_Image, before);
  EXPECT_EQ(data.Chann_Total, 50);
  EXPECT_EQ(f.Text_chann_total.text(), "50");
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(Display, TheKeyboardReachesEveryControlInOrder) {
  frm_option& f = open();
  std::vector<std::string> order;
  d.focus(f.Command_def);
  for (int i = 0; i < 200 && (order.empty() || d.focused() != &f.Command_def); ++i) {
    order.push_back(d.focused()->name());
    d.tab();
  }
  std::vector<std::string> reachable;
  for (kit::Control* c : f.controls())
    if (c->focusable()) reachable.push_back(c->name());
  EXPECT_EQ(order.size(), reachable.size());
  std::vector<std::string> sorted = order, all = reachable;
  std::sort(sorted.begin(), sorted.end());
  std::sort(all.begin(), all.end());
  EXPECT_EQ(sorted, all);
  // Each frame's controls in turn, top to bottom.
  const std::vector<std::string> first = {"Command_def", "Command_close", "Combo_tot",
                                          "Combo_sql",   "Combo_vox",     "Combo_voice",
                                          "Combo_abr",   "Combo_mod_A"};
  EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + 8), first);
  EXPECT_EQ(order.back(), "Text_PON_MSG_D");
  EXPECT_EQ(std::count(order.begin(), order.end(), "Text_Range_A"), 0);
  EXPECT_EQ(std::count(order.begin(), order.end(), "Combo_Optsig_a"), 0);
}

}  // namespace
}  // namespace j5::opt_test
