// The copies' window: captions, size, defaults, the Default, Close and file buttons.
#include "copy_fixture.h"

namespace j5::copy_test {
namespace {

using CopyWindow = Copy_Fixture;

TEST_F(CopyWindow, LoadsWithItsCaptionsPlaceAndDefaults) {
  for (std::size_t c = 0; c <= 70; ++c) {
    data.Block_Buf(65, c) = 7;
    data.Block_Buf(66, c) = 7;
  }
  frm_Adj_Tune& w = tune();
  EXPECT_EQ(w.caption(), "Optional Features");
  EXPECT_EQ(w.Option_band_b.caption(), "B Bans");
  EXPECT_EQ(w.Option_freq.caption(), "Frequency ");
  EXPECT_EQ(w.Label4.caption(), "MHZ");
  EXPECT_NEAR(w.width(), 15360 / 1.48, 0.01);
  EXPECT_NEAR(w.height(), 11520 / 1.15, 0.01);
  EXPECT_DOUBLE_EQ(w.left(), (program.MDImain->scaleWidth() - w.width()) / 2);
  EXPECT_EQ(data.Block_Buf(65, 70), 0);
  EXPECT_EQ(data.Block_Buf(66, 0), 7);
  EXPECT_FALSE(w.ProgressBar1.visible());

  EXPECT_EQ(w.Text_Freq_a.text(), "130.02500");
  EXPECT_EQ(w.Text_Freq_b.text(), "178.62500");
  EXPECT_EQ(w.Text_pvfo_d0.text(), "130");
  EXPECT_EQ(w.Text_pvfo_t1.text(), "178");
  EXPECT_EQ(w.Text_chann_total.text(), "128");
  EXPECT_EQ(w.Text_menu_pwd.text(), "472915");
  EXPECT_EQ(w.Combo_offset_a.text(), "00.600");
  EXPECT_EQ(w.Combo_step_b.text(), "12.50 KHZ");
  EXPECT_EQ(w.Combo_tot.text(), "60");
  EXPECT_EQ(w.Combo_dtmfst.text(), "KB DTMF Side Tone");
  EXPECT_EQ(w.Combo_wt_led.text(), "Purple");
  EXPECT_TRUE(w.Option_freq.value());
  EXPECT_TRUE(w.Option_band_a.value());
  EXPECT_EQ(w.Check_tdr.value(), 1);
  EXPECT_TRUE(w.Combo_Tdr_ab.enabled());
  EXPECT_EQ(w.Check_comp.value(), 0);
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(CopyWindow, ListsHoldTheirItemsInTheLanguageOfTheLoad) {
  set_language(true);
  data.VHF_Low = 136.5;
  data.VHF_High = 174.5;
  frm_Adj_Mod& w = mod();
  EXPECT_EQ(w.caption(), "可选参数编辑");
  EXPECT_EQ(w.Combo_voice.text(), "英语");
  EXPECT_EQ(w.Combo_MDF_A.text(), "频率+信道号");
  EXPECT_EQ(w.Combo_pf1.text(), "收音");
  EXPECT_EQ(w.Combo_vox.text(), "OFF");
  EXPECT_EQ(w.Combo_Tdr_ab.text(), "A Band");
  EXPECT_EQ(w.Text_Freq_a.text(), "136.02500");
  EXPECT_EQ(w.Text_Freq_b.text(), "173.62500");
  EXPECT_EQ(w.Text_pvfo_d0.text(), "136.5");
  EXPECT_EQ(w.Text_pvfo_d1.text(), "173.5");
  const std::vector<std::pair<int, std::string>> offsets = {
      {1, "00.050"}, {12, "00.600"}, {20, "01.000"}, {21, "01.050"}, {1999, "99.950"}};
  for (const auto& [i, text] : offsets) EXPECT_EQ(w.Combo_offset_a.list(i), text);
  const std::vector<std::pair<int, std::string>> tones = {
      {0, "OFF"},     {1, "67.0"},    {50, "254.1"}, {51, "D023N"},
      {155, "D754N"}, {156, "D023I"}, {260, "D754I"}};
  for (const auto& [i, text] : tones) EXPECT_EQ(w.Combo_t_ctdcs_b.list(i), text);
}

TEST_F(CopyWindow, DefaultRestoresEveryControlButNotTheImage) {
  data.Chann_Total = 64;
  frm_Adj_Tune& w = tune();
  EXPECT_EQ(w.Text_chann_total.text(), "64");
  w.Copy_Image(3, 3) = 9;
  const CopyImage before = w.Copy_Image;
  d.click(w.Check_chann_syn);  // unticks dual watch
  EXPECT_FALSE(w.Combo_Tdr_ab.enabled());
  d.pick(w.Combo_tot, 10);
  d.click(w.Command_def);
  d.click(w.Command_def);
  EXPECT_EQ(data.Chann_Total, 128);
  EXPECT_EQ(w.Text_chann_total.text(), "128");
  EXPECT_EQ(w.Combo_tot.listCount(), 40);
  EXPECT_EQ(w.Combo_r_ctdcs_a.listCount(), 261);
  EXPECT_EQ(w.Combo_offset_b.listCount(), 2000);
  EXPECT_EQ(w.Combo_tot.listIndex(), 3);
  EXPECT_EQ(w.Check_chann_syn.value(), 0);
  EXPECT_TRUE(w.Combo_Tdr_ab.enabled());
  EXPECT_TRUE(w.Copy_Image == before);
}

TEST_F(CopyWindow, CloseShutsThePortAndTheOptionDialogs) {
  frm_Adj_Tune& w = tune();
  d.click(w.Command_open);
  EXPECT_TRUE(program.Form_open_menu.loaded());
  d.click(w.Command_save);
  d.click(w.Command_close);
  EXPECT_FALSE(tune_slot.loaded());
  EXPECT_FALSE(program.Form_open_menu.loaded());
  EXPECT_FALSE(program.Form_save_menu.loaded());
}

// Both copies open on their first list: Enter typed at once starts no exchange, and the keyboard
// goes through the settings before it reaches a button.
TEST_F(CopyWindow, OpensWithTheFocusOnItsFirstList) {
  for (const bool first : {true, false}) {
    Option_Copy_Window* w = first ? static_cast<Option_Copy_Window*>(&tune()) : &mod();
    SCOPED_TRACE(w->name());
    EXPECT_EQ(d.focused(), &w->Combo_tot);
    d.enter();
    d.advance(3000);
    EXPECT_TRUE(radio.log().empty());
    EXPECT_FALSE(w->ProgressBar1.visible());
    EXPECT_TRUE(d.messageBoxes().empty());
    d.tab();
    EXPECT_EQ(d.focused(), &w->Combo_sql_le);
    d.click(w->Command_close);
  }
}

}  // namespace
}  // namespace j5::copy_test
