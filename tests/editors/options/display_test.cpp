// What the optional features window shows of the image, and what its display
// writes back.
#include <gtest/gtest.h>

#include <algorithm>

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

// Image bytes in, bytes and control states out, for the first opening.
TEST_F(Display, OpeningShowsAndNormalisesTheImage) {
  opt(11) = 45;    // beyond the time-out list
  opt(6) = 5;      // dual watch, not 0
  opt(9) = 0;      // key beep off
  opt(59) = 0xE4;  // none of the four boxes' bits
  opt(0) = 250;    // channel count out of range
  opt(15) = 0;     // alarm at the site
  setVfo(0, 8, {1, 3, 6, 0, 2, 5, 0, 0});
  setVfo(0, 16, {255, 255, 255, 255, 255, 255});  // erased offset
  setVfo(0, 22, {0x9E, 0x02, 211, 0});            // 67.0 Hz; a DCS code no item names
  setVfo(0, 28, {0x19, 0x00, 0x18, 0x41});
  setVfo(1, 8, {4, 7, 0, 6, 2, 5, 0, 0});
  setVfo(1, 16, {0, 0, 5, 0, 0, 0});
  setVfo(1, 22, {0xFF, 0xFF, 0xD2, 0x00});
  setVfo(1, 26, {5});  // beyond the band list
  setVfo(1, 28, {0x0F, 0x00, 0x50, 0x07});
  for (int k = 0; k < 7; ++k) data.Mem_Image(246, k) = 255;
  for (int k = 7; k < 14; ++k) data.Mem_Image(246, k) = "  A B  "[k - 7];

  frm_option& f = open();
  EXPECT_TRUE(driver.messageBoxes().empty());

  EXPECT_EQ(f.Combo_tot.text(), "600");
  EXPECT_EQ(opt(11), 39);
  EXPECT_EQ(f.Check_tdr.value(), 1);
  EXPECT_EQ(opt(6), 1);
  EXPECT_EQ(f.Check_Beep.value(), 0);
  EXPECT_EQ(opt(9), 0);
  for (kit::CheckBox* b :
       {&f.Check_chann_menu, &f.Check_chann_init, &f.Check_Alarm_Sound, &f.Check_radio})
    EXPECT_EQ(b->value(), 0) << b->name();
  EXPECT_EQ(opt(59), 0xE4);
  EXPECT_EQ(f.Text_chann_total.text(), "200");
  EXPECT_EQ(opt(0), 250);
  EXPECT_FALSE(f.Check_Alarm_Sound.enabled());

  EXPECT_EQ(f.Text_Freq_a.text(), "136.02500");
  EXPECT_EQ(f.Text_Offset_A.text(), "00.000");
  EXPECT_EQ(vfoBytes(0, 16, 21), std::vector<int>(6, 255));  // shown, not stored
  EXPECT_EQ(f.Combo_r_ctdcs_a.text(), "67.0");
  EXPECT_EQ(f.Combo_t_ctdcs_a.listIndex(), -1);
  EXPECT_EQ(vfoBytes(0, 22, 25), (std::vector<int>{0x9E, 0x02, 211, 0}));
  EXPECT_EQ(f.Combo_sft_d_a.text(), "+");
  EXPECT_EQ(f.Combo_S_info_a.text(), "10");
  EXPECT_EQ(f.Combo_step_a.text(), "5.00 KHZ");
  EXPECT_EQ(f.Combo_scr_a.text(), "8");
  EXPECT_EQ(f.Combo_txp_a.text(), "LOW");
  EXPECT_EQ(f.Combo_wn_a.text(), "NARROR");
  EXPECT_EQ(vfoBytes(0, 28, 31), (std::vector<int>{0x19, 0x00, 0x18, 0x41}));

  EXPECT_EQ(f.Text_Offset_B.text(), "05.000");
  EXPECT_EQ(f.Combo_r_ctdcs_b.text(), "OFF");
  EXPECT_EQ(f.Combo_t_ctdcs_b.text(), "D754I");
  EXPECT_EQ(vfoBytes(1, 22, 25), (std::vector<int>{0, 0, 0xD2, 0}));
  EXPECT_EQ(f.Combo_Band_B.text(), "UHF1");
  EXPECT_EQ(f.Text_Range_B.text(), "400 - 520.99750");
  EXPECT_EQ(f.Text_Freq_b.text(), "470.62500");  // inside UHF1: kept
  EXPECT_EQ(vfoBytes(1, 26, 26), std::vector<int>{2});
  EXPECT_EQ(vfoBytes(1, 28, 31), (std::vector<int>{0x0E, 0x00, 0x50, 0x01}));

  EXPECT_EQ(f.Text_PON_MSG_U.text(), "");
  EXPECT_EQ(pon(0, 6), std::vector<int>(7, 0x20));
  EXPECT_EQ(f.Text_PON_MSG_D.text(), "A B");
  EXPECT_EQ(pon(7, 13), (std::vector<int>{0x20, 0x20, 'A', 0x20, 'B', 0x20, 0x20}));
}

TEST_F(Display, AFrequencyOutsideItsBandIsReplacedWithoutAMessage) {
  setVfo(1, 26, {1});  // UHF0 240-260 holds no 470.625
  frm_option& f = open();
  EXPECT_EQ(f.Text_Freq_b.text(), "240.02500");
  EXPECT_EQ(vfoBytes(1, 8, 15), (std::vector<int>{2, 4, 0, 0, 2, 5, 0, 0}));
  EXPECT_TRUE(driver.messageBoxes().empty());
}

TEST_F(Display, OpeningASecondTimeChangesNothing) {
  opt(11) = 45;
  opt(6) = 5;
  setVfo(0, 22, {0xFF, 0xFF, 0x01, 0x00});
  setVfo(1, 26, {5});
  setVfo(1, 31, {0xC7});
  for (int k = 0; k < 14; ++k) data.Mem_Image(246, k) = "  HI  AB  XY  "[k];
  driver.click(program.MDImain->Optional_edit);
  frm_option* first = program.frm_option.get();
  const MemImage after = data.Mem_Image;
  driver.click(program.MDImain->Optional_edit);  // the menu unloads and loads it again
  EXPECT_NE(program.frm_option.get(), first);
  EXPECT_EQ(program.frm_option->Combo_tot.text(), "600");
  EXPECT_TRUE(data.Mem_Image == after);
  EXPECT_TRUE(driver.messageBoxes().empty());
}

// Bytes 59's boxes keep the bits no box stands for.
TEST_F(Display, BitBoxesKeepTheOtherBits) {
  opt(59) = 0x1F;
  frm_option& f = open();
  for (kit::CheckBox* b :
       {&f.Check_chann_menu, &f.Check_chann_init, &f.Check_Alarm_Sound, &f.Check_radio})
    EXPECT_EQ(b->value(), 1) << b->name();
  driver.click(f.Check_chann_menu);
  EXPECT_EQ(opt(59), 0x1E);
  for (kit::CheckBox* b : {&f.Check_chann_init, &f.Check_Alarm_Sound, &f.Check_radio})
    driver.click(*b);
  EXPECT_EQ(opt(59), 0x04);
  driver.click(f.Check_radio);
  EXPECT_EQ(opt(59), 0x14);
}

}  // namespace
}  // namespace j5::opt_test

namespace j5::opt_test {
namespace {

TEST_F(Display, TheKeyboardReachesEveryControlInOrder) {
  frm_option& f = open();
  ASSERT_EQ(driver.focused(), &f.Command_def);
  std::vector<std::string> order;
  for (int i = 0; i < 200 && (order.empty() || driver.focused() != &f.Command_def); ++i) {
    order.push_back(driver.focused()->name());
    driver.tab();
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
