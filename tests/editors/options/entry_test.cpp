// What the user's choices and entries in the optional features window store.
#include <gtest/gtest.h>

#include <vector>

#include "editors/channels/frm_chann.h"
#include "option_fixture.h"

namespace j5::opt_test {
namespace {

struct Entry : Option_Fixture {
  frm_option& f = open();
  Entry() { d.clearMessageBoxes(); }
  // The user goes to the channel window (open since start-up) and comes back.
  void Leave_And_Return() {
    d.activate(*program.frm_chann);
    ASSERT_EQ(platform.activeForm(), program.frm_chann.get());
    d.activate(f);
    ASSERT_EQ(platform.activeForm(), &f);
  }
};

TEST_F(Entry, EachGeneralListStoresItsIndexInItsOwnByte) {
  const std::pair<kit::ComboBox frm_option::*, int> lists[] = {
      {&frm_option::Combo_vox, 3},      {&frm_option::Combo_sql, 5},
      {&frm_option::Combo_abr, 7},      {&frm_option::Combo_wt_led, 8},
      {&frm_option::Combo_tot, 11},     {&frm_option::Combo_roger, 14},
      {&frm_option::Combo_AL_Mode, 15}, {&frm_option::Combo_save, 16},
      {&frm_option::Combo_sc_rev, 17},  {&frm_option::Combo_voice, 19},
      {&frm_option::Combo_ponmsg, 20},  {&frm_option::Combo_MDF_A, 21},
      {&frm_option::Combo_MDF_B, 22},   {&frm_option::Combo_ste, 31},
      {&frm_option::Combo_Rp_Ste, 32},  {&frm_option::Combo_RPT_RL, 33},
      {&frm_option::Combo_rx_led, 36},  {&frm_option::Combo_tx_led, 37},
      {&frm_option::Combo_ptt_id, 39},  {&frm_option::Combo_ptt_lt, 40},
      {&frm_option::Combo_ab_mode, 41}, {&frm_option::Combo_dtmfst, 42},
      {&frm_option::Combo_mod_A, 62},   {&frm_option::Combo_mod_B, 63},
  };
  for (auto [member, byte] : lists) {
    kit::ComboBox& box = f.*member;
    const MemImage before = data.Mem_Image;
    const int last = box.listCount() - 1;
    d.pick(box, last);
    EXPECT_EQ(opt(byte), last) << box.name();
    d.pick(box, 0);
    EXPECT_EQ(opt(byte), 0) << box.name();
    EXPECT_EQ(data.Option_Val[byte], 0) << box.name();
    // Typing into the list changes nothing.
    d.focus(box);
    d.type("5");
    EXPECT_EQ(box.listIndex(), 0) << box.name();
    for (int n = 0; n < 64; ++n) {
      if (n == byte) continue;
      EXPECT_EQ(opt(n), before(226 + n / 16, n % 16)) << box.name() << " " << n;
    }
  }
  const std::pair<kit::CheckBox frm_option::*, int> checks[] = {{&frm_option::Check_tdr, 6},
                                                                {&frm_option::Check_Beep, 9},
                                                                {&frm_option::Check_bcl, 12},
                                                                {&frm_option::Check_Autolk, 18},
                                                                {&frm_option::Check_Lock, 61}};
  for (auto [member, byte] : checks) {
    kit::CheckBox& box = f.*member;
    opt(byte) = 7;
    d.click(box);
    EXPECT_EQ(opt(byte), box.value() == 1 ? 1 : 0) << box.name();
    d.click(box);
    EXPECT_EQ(opt(byte), box.value() == 1 ? 1 : 0) << box.name();
  }
}

TEST_F(Entry, AClickWritesItsOwnByteOnly) {
  // A byte changed behind the window's back (no display since) stays.
  opt(44) = 7;
  opt(5) = 9;
  d.click(f.Check_Beep);
  EXPECT_EQ(opt(44), 7);
  EXPECT_EQ(opt(5), 9);
  EXPECT_EQ(data.Option_Val[44], 7);  // the working copy follows the image
}

TEST_F(Entry, AlarmModeEnablesTheAlarmSound) {
  d.click(f.Check_Alarm_Sound);
  const int bit = opt(59) & 0x08;
  d.pick(f.Combo_AL_Mode, 0);
  EXPECT_FALSE(f.Check_Alarm_Sound.enabled());
  EXPECT_EQ(opt(59) & 0x08, bit);
  d.pick(f.Combo_AL_Mode, 2);
  EXPECT_TRUE(f.Check_Alarm_Sound.enabled());
}

TEST_F(Entry, FrequencyModeListsKeepTheRestOfTheirByte) {
  setVfo(0, 31, {0xC3});
  setVfo(1, 30, {0x05});
  setVfo(1, 31, {0x01});
  d.pick(f.Combo_txp_a, 1);
  EXPECT_EQ(vfo(0, 31), 0xC1);
  d.pick(f.Combo_wn_b, 1);
  EXPECT_EQ(vfo(1, 31), 0x41);
  d.pick(f.Combo_wn_b, 0);
  EXPECT_EQ(vfo(1, 31), 0x01);
  d.pick(f.Combo_step_b, 7);
  EXPECT_EQ(vfo(1, 30), 0x75);
  d.pick(f.Combo_scr_b, 3);
  EXPECT_EQ(vfo(1, 30), 0x73);
  d.pick(f.Combo_S_info_a, 14);
  EXPECT_EQ(vfo(0, 28) & 0x0F, 14);
}

TEST_F(Entry, FrequenciesAreCheckedSnappedAndStored) {
  const struct {
    const char* typed;
    const char* shown;
    std::vector<int> digits;
    bool message;
  } cases[] = {
      {"136.0137", "136.01250", {1, 3, 6, 0, 1, 2, 5, 0}, false},
      {"136.0065", "136.00625", {1, 3, 6, 0, 0, 6, 2, 5}, false},
      {"145.5437", "145.54250", {1, 4, 5, 5, 4, 2, 5, 0}, false},
      {"145.5438", "145.54375", {1, 4, 5, 5, 4, 3, 7, 5}, false},
      {"130", "130.00000", {1, 3, 0, 0, 0, 0, 0, 0}, false},
      {"179.999", "179.99750", {1, 7, 9, 9, 9, 7, 5, 0}, false},
      {"180", "178.62500", {1, 7, 8, 6, 2, 5, 0, 0}, true},
      {"129.99", "130.02500", {1, 3, 0, 0, 2, 5, 0, 0}, true},
      {"", "130.02500", {1, 3, 0, 0, 2, 5, 0, 0}, true},
  };
  for (const auto& c : cases) {
    d.clearMessageBoxes();
    enter(f.Text_Freq_a, c.typed);
    EXPECT_EQ(f.Text_Freq_a.text(), c.shown) << c.typed;
    EXPECT_EQ(vfoBytes(0, 8, 15), c.digits) << c.typed;
    EXPECT_EQ(!d.messageBoxes().empty(), c.message) << c.typed;
    if (c.message) {
      EXPECT_EQ(d.lastMessageBox().text, "当前工作频率超出范围 ！");
      EXPECT_EQ(d.lastMessageBox().title, "操作提示");
      EXPECT_EQ(d.focused(), &f.Text_Freq_a);
    }
  }
}

TEST_F(Entry, TheFrequencyBoxesFilterKeysAndGuardTheirLength) {
  d.focus(f.Text_Offset_A);
  d.selectAll();
  d.del();
  d.type(".1a2");
  EXPECT_EQ(f.Text_Offset_A.text(), "12");
  d.type("34567");  // the seventh character
  EXPECT_EQ(f.Text_Offset_A.text(), "");
  EXPECT_EQ(d.lastMessageBox().text, "Over the range of  frequency .");
  EXPECT_EQ(d.lastMessageBox().title, "Operate prompt");
}

// A key typed over a selection replaces it: the box's length counts the text as it will stand,
// and a point is refused only in an empty box.
TEST_F(Entry, KeysTypedOverASelectionReplaceIt) {
  const struct {
    int start, length;  // the selection in "145.50000"
    const char* typed;
    const char* shown;
  } cases[] = {
      {0, 9, "146.5", "146.5"},  // the whole text
      {4, 5, "025", "145.025"},  // the decimals
      {8, 1, "5", "145.50005"},  // the last digit
      {0, 9, ".", "."},          // a point starts the number
      {0, 9, ".25", ".25"},
      {0, 0, "1", "145.50000"},  // a full box with nothing selected takes no more
  };
  for (const auto& c : cases) {
    enter(f.Text_Freq_a, "145.5");
    d.clearMessageBoxes();
    d.focus(f.Text_Freq_a);
    f.Text_Freq_a.userSelect(c.start, c.length);
    d.type(c.typed);
    EXPECT_EQ(f.Text_Freq_a.text(), c.shown) << c.typed;
    EXPECT_TRUE(d.messageBoxes().empty()) << c.typed;
  }
  d.selectAll();
  d.type("146.5");
  d.tab();
  EXPECT_EQ(f.Text_Freq_a.text(), "146.50000");
  EXPECT_EQ(vfoBytes(0, 8, 15), (std::vector<int>{1, 4, 6, 5, 0, 0, 0, 0}));
  EXPECT_TRUE(d.messageBoxes().empty());
}

// A point typed over a whole offset starts the value there, on both sides: the digits after it
// count below 1 MHz, without a message.
TEST_F(Entry, APointTypedOverAWholeOffsetStartsTheValue) {
  const struct {
    kit::TextBox& box;
    int side;
    const char* before;
    const char* typed;
    const char* shown;
    std::vector<int> digits;
  } cases[] = {
      {f.Text_Offset_B, 1, "5", ".6", "00.600", {0, 0, 0, 6, 0, 0}},
      {f.Text_Offset_A, 0, "12", ".345", "00.345", {0, 0, 0, 3, 4, 5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box.name());
    enter(c.box, c.before);
    d.clearMessageBoxes();
    d.focus(c.box);
    d.selectAll();
    d.type(c.typed);
    d.tab();
    EXPECT_EQ(c.box.text(), c.shown);
    EXPECT_EQ(vfoBytes(c.side, 16, 21), c.digits);
    EXPECT_TRUE(d.messageBoxes().empty());
  }
}

TEST_F(Entry, ABandChoiceKeepsWhatTheCheckAccepts) {
  enter(f.Text_Freq_a, "179.5");
  d.pick(f.Combo_Band_A, 0);  // the same band chosen again
  EXPECT_EQ(f.Text_Freq_a.text(), "179.50000");
  d.pick(f.Combo_Band_A, 2);
  EXPECT_EQ(f.Text_Freq_a.text(), "400.02500");
  EXPECT_EQ(f.Text_Range_A.text(), "400 - 520.99750");
  EXPECT_EQ(vfo(0, 26), 2);
  d.pick(f.Combo_Band_A, 0);
  EXPECT_EQ(f.Text_Freq_a.text(), "130.02500");
  d.pick(f.Combo_Band_A, 1);
  // Typing is refused; a pasted text that names no band chooses VHF.
  d.focus(f.Combo_Band_A);
  d.type("U");
  EXPECT_EQ(f.Combo_Band_A.text(), "UHF0");
  d.selectAll();
  d.paste("xyz");
  EXPECT_EQ(f.Combo_Band_A.text(), "VHF");
  EXPECT_EQ(vfo(0, 26), 0);
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(Entry, ABandReportedHighFirstIsTheBandBetweenItsLimits) {
  data.UHF1_Low = 520, data.UHF1_High = 400;
  d.pick(f.Combo_Band_A, 2);
  EXPECT_EQ(f.Text_Range_A.text(), "400 - 520.99750");
  EXPECT_EQ(f.Text_Freq_a.text(), "400.02500");
  const struct {
    const char* typed;
    const char* shown;
    bool message;
  } cases[] = {{"450", "450.00000", false},
               {"520.5", "520.50000", false},
               {"399", "400.02500", true},
               {"521", "519.62500", true}};
  for (const auto& c : cases) {
    d.clearMessageBoxes();
    enter(f.Text_Freq_a, c.typed);
    EXPECT_EQ(f.Text_Freq_a.text(), c.shown) << c.typed;
    EXPECT_EQ(d.messageBoxes().size(), c.message ? 1u : 0u) << c.typed;
  }
}

TEST_F(Entry, AfterActivationEachSideIsCheckedAgainstTheBandItShows) {
  d.pick(f.Combo_Band_A, 2);  // UHF1
  ASSERT_EQ(data.Band_A_Low, 400);
  Leave_And_Return();
  EXPECT_EQ(data.Band_A_Low, 400);
  EXPECT_EQ(data.Band_A_High, 520);
  d.clearMessageBoxes();
  enter(f.Text_Freq_a, "450");
  EXPECT_EQ(f.Text_Freq_a.text(), "450.00000");
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(Entry, OffsetsAreClampedAndCut) {
  const struct {
    const char* typed;
    const char* shown;
    std::vector<int> bytes;
    bool message;
  } cases[] = {
      {"0.6", "00.600", {0, 0, 0, 6, 0, 0}, false},
      {"12.347", "12.345", {0, 1, 2, 3, 4, 5}, false},
      {"60", "59.950", {0, 5, 9, 9, 5, 0}, true},
      {"", "00.000", {0, 0, 0, 0, 0, 0}, false},
  };
  for (const auto& c : cases) {
    d.clearMessageBoxes();
    enter(f.Text_Offset_B, c.typed);
    EXPECT_EQ(f.Text_Offset_B.text(), c.shown) << c.typed;
    EXPECT_EQ(vfoBytes(1, 16, 21), c.bytes) << c.typed;
    EXPECT_EQ(!d.messageBoxes().empty(), c.message) << c.typed;
  }
}

TEST_F(Entry, TonesAreChosenOrTyped) {
  const struct {
    const char* typed;
    std::vector<int> bytes;
  } cases[] = {
      {"88.5", {117, 3}},  {"100", {232, 3}},   {"60", {88, 2}},
      {"259.9", {39, 10}}, {"d754i", {210, 0}}, {"D023N", {1, 0}},
      {"88.55", {1, 0}},   {"260", {1, 0}},     {"", {1, 0}},
  };
  for (const auto& c : cases) {
    enter(f.Combo_r_ctdcs_a, c.typed);
    EXPECT_EQ(vfoBytes(0, 22, 23), c.bytes) << c.typed;
  }
  EXPECT_EQ(f.Combo_r_ctdcs_a.text(), "D023N");  // the unmatched texts gave the stored tone back
  d.pick(f.Combo_t_ctdcs_b, "88.5");
  EXPECT_EQ(vfoBytes(1, 24, 25), (std::vector<int>{117, 3}));
  d.pick(f.Combo_t_ctdcs_b, 0);
  EXPECT_EQ(vfoBytes(1, 24, 25), (std::vector<int>{0, 0}));
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(Entry, ACodeNoToneItemNamesShowsAnEmptyBoxAfterAnyTyping) {
  setVfo(0, 22, {211, 0});
  Leave_And_Return();
  d.focus(f.Combo_r_ctdcs_a);
  d.type("359");
  Leave_And_Return();
  EXPECT_EQ(f.Combo_r_ctdcs_a.text(), "");
  EXPECT_EQ(vfoBytes(0, 22, 23), (std::vector<int>{211, 0}));
}

// A box or tone list only clicked into or tabbed through stores nothing: a tone code the list
// shows as off (an erased byte) keeps its bytes.
TEST_F(Entry, ABoxOnlyLookedAtChangesNoByte) {
  setVfo(0, 22, {255, 255});
  setVfo(0, 24, {7, 255});
  setVfo(1, 22, {255, 0});
  setVfo(1, 24, {0, 255});
  Leave_And_Return();
  const MemImage before = data.Mem_Image;
  kit::Control* const boxes[] = {&f.Text_Freq_a,     &f.Text_Offset_A,   &f.Combo_r_ctdcs_a,
                                 &f.Combo_t_ctdcs_a, &f.Text_Freq_b,     &f.Text_Offset_B,
                                 &f.Combo_r_ctdcs_b, &f.Combo_t_ctdcs_b, &f.Text_PON_MSG_U,
                                 &f.Text_PON_MSG_D};
  for (kit::Control* box : boxes) {
    SCOPED_TRACE(box->name());
    d.lookThrough(*box, box == &f.Text_PON_MSG_D ? f.Text_PON_MSG_U : f.Text_PON_MSG_D);
    EXPECT_TRUE(data.Mem_Image == before);
  }
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(Entry, PowerOnLinesAreStoredAsTyped) {
  enter(f.Text_PON_MSG_U, "A B");
  EXPECT_EQ(pon(0, 6), (std::vector<int>{0x20, 0x20, 'A', 0x20, 'B', 0x20, 0x20}));
  enter(f.Text_PON_MSG_D, "abcdefgh");
  EXPECT_EQ(pon(7, 13), (std::vector<int>{'A', 'B', 'C', 'D', 'E', 'F', 'G'}));
  EXPECT_EQ(f.Text_PON_MSG_D.text(), "abcdefgh");
  program.frm_option.unload();
  frm_option& again = open();
  EXPECT_EQ(again.Text_PON_MSG_U.text(), "A B");
  EXPECT_EQ(again.Text_PON_MSG_D.text(), "ABCDEFG");
}

TEST_F(Entry, TheChannelCountReportsOnlyAUsersEntry) {
  opt(0) = 0;
  Leave_And_Return();
  EXPECT_TRUE(d.messageBoxes().empty());
  f.Text_chann_total.setVisible(true);  // the box is hidden in the window as built
  enter(f.Text_chann_total, "129");
  EXPECT_EQ(d.lastMessageBox().text, "Channel select from 1 to 128 .");
  EXPECT_EQ(d.lastMessageBox().title, "Operate Prompt");
  EXPECT_EQ(f.Text_chann_total.text(), "128");
  d.focus(f.Text_chann_total);
  d.selectAll();
  d.type("64.5");  // typed over the selection, every step a count
  d.tab();
  EXPECT_EQ(data.Chann_Total, 64);
  EXPECT_EQ(opt(0), 64);
}

TEST_F(Entry, DefaultRestoresTheFactoryRecords) {
  data.Chann_Total = 50;
  opt(11) = 3;
  setVfo(0, 8, {1, 4, 5, 0, 0, 0, 0, 0});
  data.Mem_Image(246, 0) = 'X';
  d.click(f.Command_def);
  EXPECT_EQ(data.Chann_Total, 128);
  Shared_Data factory;
  Init_Tone_Table(factory);
  Init_Opt_Id(factory);
  Def_Option(factory);
  EXPECT_EQ(f.Text_Freq_a.text(), "136.02500");
  // Record B's factory frequency lies outside the UHF0 band beside it: the
  // window replaces it as a fresh window would.
  EXPECT_EQ(f.Text_Freq_b.text(), "240.02500");
  EXPECT_EQ(f.Text_PON_MSG_U.text(), "WELCOME");
  EXPECT_EQ(opt(11), 3);
  EXPECT_EQ(opt(0), 128);
  EXPECT_FALSE(f.ProgressBar1.visible());
  EXPECT_EQ(f.Label_tr_count.caption(), "");
}

TEST_F(Entry, ABusyTransferRefusesDefaultCloseAndUnload) {
  // A read from a port where no radio answers runs until its time-outs.
  platform.addPort(5);
  data.Comm_Port = 5;
  f.Command_read.Click();  // the button is not visible: nothing else runs it
  ASSERT_TRUE(f.Transfer.Busy());
  data.Chann_Total = 50;
  d.click(f.Command_def);
  EXPECT_EQ(d.lastMessageBox().text, "Read-write operating with transceiver .");
  EXPECT_EQ(data.Chann_Total, 50);
  d.click(f.Command_close);
  EXPECT_EQ(d.lastMessageBox().text, "Read-write operating，don't close the window.,");
  EXPECT_FALSE(d.close(f));
  EXPECT_TRUE(program.frm_option.loaded());
  EXPECT_EQ(data.Win_Option, kTrue);
  ASSERT_TRUE(d.advanceUntil([&] { return !f.Transfer.Busy(); }, 5000));
  f.Open_Menu_File();
  ASSERT_TRUE(program.Form_open_menu.loaded());
  d.click(f.Command_close);
  EXPECT_FALSE(program.Form_open_menu.loaded());
  EXPECT_FALSE(program.frm_option.loaded());
  EXPECT_EQ(data.Win_Option, kFalse);
}

TEST_F(Entry, TheLanguageSwitchReloadsTheWindowInTheOtherLanguage) {
  d.pick(f.Combo_voice, 2);
  d.click(program.MDImain->Language_chn);
  d.runUntilIdle();
  frm_option& chn = *program.frm_option;
  EXPECT_EQ(chn.caption(), "可选参数编辑");
  EXPECT_EQ(chn.Combo_voice.text(), "中文");
  EXPECT_EQ(chn.Label_Tot.caption(), "发射超时定时器（秒）");
  EXPECT_EQ(chn.Frame_band.caption(), "");
}

}  // namespace
}  // namespace j5::opt_test
