// The copies' display of an image, their packing of the controls and the interlocks that act on
// both.
#include "copy_fixture.h"

namespace j5::copy_test {
namespace {

struct CopyDisplay : Copy_Fixture {
  // A record on side A (first row 10, as a read leaves it) with its bytes +8 to +31.
  static void record(CopyImage& image, int row, std::initializer_list<int> from8) {
    put(image, row * 16 + 8, from8);
  }
};

TEST_F(CopyDisplay, OptionBytesShowInTheirControls) {
  struct Case {
    int byte59, byte6;
    int menu, init, syn, old;
    bool bandB;
    int tdr;
  };
  const Case cases[] = {
      {0x21, 1, 1, 0, 1, 0, false, 0},  // synchronous display clears dual watch
      {0x80, 1, 0, 0, 0, 0, true, 1},
      {0x42, 0, 0, 1, 0, 1, false, 0},
  };
  frm_Adj_Tune& w = tune();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.byte59);
    w.Copy_Image = {};
    put(w.Copy_Image, 59, {c.byte59});
    put(w.Copy_Image, 6, {c.byte6});
    put(w.Copy_Image, 0, {100});  // channel count
    w.Show_Copy_Options();
    EXPECT_EQ(w.Check_chann_menu.value(), c.menu);
    EXPECT_EQ(w.Check_chann_init.value(), c.init);
    EXPECT_EQ(w.Check_chann_syn.value(), c.syn);
    EXPECT_EQ(w.Check_alarm_06old.value(), c.old);
    EXPECT_EQ(w.Option_band_b.value(), c.bandB);
    EXPECT_EQ(w.Option_band_a.value(), !c.bandB);
    EXPECT_EQ(w.Check_tdr.value(), c.tdr);
    EXPECT_EQ(w.Combo_Tdr_ab.enabled(), c.tdr == 1);
  }
  w.Copy_Image = {};
  put(w.Copy_Image, 11, {255});
  put(w.Copy_Image, 0, {64});
  w.Show_Copy_Options();
  EXPECT_EQ(w.Combo_tot.listIndex(), 39);
  EXPECT_EQ(w.Text_chann_total.text(), "64");
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(CopyDisplay, RecordsShowFrequencyOffsetTonesAndPackedLists) {
  frm_Adj_Tune& w = tune();
  CopyImage& im = w.Copy_Image;
  record(im, 10, {4, 3, 8,    1,    2,  5, 0, 0, 0,    0,    5,    0,
                  0, 0, 0x75, 0x03, 23, 0, 0, 0, 0x19, 0x02, 0x3F, 0x80});
  record(im, 12,
         {0, 6, 6, 0, 2, 5, 0, 0, 0, 0, 0, 1, 2, 5, 255, 0, 0xE8, 0x03, 0, 0, 0x0C, 0, 0x38, 0x40});
  w.Show_Copy_Options();
  EXPECT_EQ(w.Text_Freq_a.text(), "438.12500");
  EXPECT_EQ(w.Combo_offset_a.listIndex(), 100);
  EXPECT_EQ(w.Combo_r_ctdcs_a.text(), "88.5");
  EXPECT_EQ(w.Combo_t_ctdcs_a.listIndex(), 73);
  EXPECT_EQ(w.Combo_sft_d_a.listIndex(), 1);
  EXPECT_EQ(w.Combo_S_info_a.listIndex(), 9);
  EXPECT_EQ(w.Combo_Spmute_a.listIndex(), 0);
  EXPECT_EQ(w.Combo_Optsig_a.listIndex(), 1);  // 2 held to the list
  EXPECT_EQ(w.Combo_step_a.listIndex(), 3);
  EXPECT_EQ(w.Combo_scr_a.listIndex(), 8);
  EXPECT_EQ(w.Combo_txp_a.text(), "LOW");
  EXPECT_EQ(w.Combo_wn_a.text(), "WIDE");
  EXPECT_EQ(w.Text_Freq_b.text(), "66.02500");
  EXPECT_EQ(w.Combo_offset_b.listIndex(), 2);  // 125 kHz, half to even
  EXPECT_EQ(w.Combo_r_ctdcs_b.listIndex(), 0);
  EXPECT_EQ(w.Combo_t_ctdcs_b.text(), "100.0");
  EXPECT_EQ(w.Combo_S_info_b.listIndex(), 12);
  EXPECT_EQ(w.Combo_scr_b.listIndex(), 8);
  EXPECT_EQ(w.Combo_txp_b.text(), "HIGH");
  EXPECT_EQ(w.Combo_wn_b.text(), "NARROR");
  // A DCS number past the last code shows off rather than nothing.
  record(im, 10, {1, 3, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 230, 0});
  w.Show_Copy_Options();
  EXPECT_EQ(w.Combo_r_ctdcs_a.listIndex(), 0);
}

TEST_F(CopyDisplay, CompanderShowsOnlyInTuneAndGivesWayToScramblers) {
  frm_Adj_Tune& t = tune();
  put(t.Copy_Image, 45, {1});  // compander
  t.Show_Copy_Options();
  EXPECT_EQ(t.Check_comp.value(), 1);
  put(t.Copy_Image, 13 * 16 + 14, {0x03});  // side B scrambler 3
  t.Show_Copy_Options();
  EXPECT_EQ(t.Check_comp.value(), 0);
  EXPECT_EQ(t.Combo_scr_b.listIndex(), 3);

  frm_Adj_Mod& m = mod();
  put(m.Copy_Image, 45, {1});
  m.Show_Copy_Options();
  EXPECT_EQ(m.Check_comp.value(), 0);
}

TEST_F(CopyDisplay, PackingBuildsThePackedLayoutFromTheControls) {
  frm_Adj_Tune& w = tune();
  for (std::size_t r = 0; r < 16; ++r)
    for (std::size_t c = 0; c < 16; ++c) w.Copy_Image(r, c) = 0x55;
  for (kit::CheckBox* b : {&w.Check_chann_menu, &w.Check_chann_init, &w.Check_Alarm_Sound,
                           &w.Check_radio, &w.Check_chann_syn, &w.Check_alarm_06old, &w.Check_Lock})
    b->setValue(1);
  w.Option_band_b.setValue(true);
  w.Option_chann.setValue(true);
  w.Text_Freq_b.setText("174.90000");
  w.Text_Freq_a.setText("99.12500");
  w.Combo_offset_a.setListIndex(100);
  w.Combo_r_ctdcs_a.setListIndex(51);
  w.Combo_t_ctdcs_a.setListIndex(50);
  w.Combo_r_ctdcs_b.setListIndex(260);
  w.Combo_sft_d_a.setListIndex(2);
  w.Combo_S_info_a.setListIndex(14);
  w.Combo_step_b.setListIndex(4);
  w.Combo_scr_b.setListIndex(8);
  w.Combo_txp_b.setListIndex(1);
  w.Combo_wn_b.setListIndex(1);
  w.Text_pvfo_d0.setText("136");
  w.Text_pvfo_d1.setText("520");
  w.Text_menu_pwd.setText(" 012345 ");
  w.Pack_Options();
  const CopyImage& im = w.Copy_Image;
  for (int r : {4, 5, 10, 11, 12, 13, 14, 15}) EXPECT_EQ(row(im, r), std::vector<int>(16, 0)) << r;
  EXPECT_EQ(im(3, 11), 0xFB);  // byte 59
  EXPECT_EQ(im(3, 12), 0);     // byte 60
  EXPECT_EQ(im(3, 13), 1);     // byte 61, keypad lock
  EXPECT_EQ(im(0, 6), 0);      // dual watch, cleared by synchronous display
  EXPECT_EQ(im(0, 1), 1);      // work mode: channel
  EXPECT_EQ(im(0, 0), 128);    // channel count
  EXPECT_EQ(im(2, 14), 1);     // byte 46, top key: "Alarm"
  EXPECT_EQ(im(2, 13), 0);     // byte 45, compander: cleared by scrambler B
  // Bytes 15 and 20 are the optional features window's (alarm mode, power-on display).
  EXPECT_EQ(im(0, 15), 0);
  EXPECT_EQ(im(1, 4), 0);
  EXPECT_EQ(im(0, 11), 3);  // time-out index
  const std::vector<int> pwd(&im(1, 7), &im(1, 7) + 6);
  EXPECT_EQ(pwd, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(im(3, 1), 1);
  EXPECT_EQ(im(3, 2), 0x36);
  EXPECT_EQ(im(3, 3), 5);
  EXPECT_EQ(im(3, 4), 0x20);
  // Record A in rows 6-7, B in rows 8-9.
  EXPECT_EQ(row(im, 6), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 1, 2, 5, 0, 0}));
  EXPECT_EQ(row(im, 7), (std::vector<int>{0, 0, 5, 0, 0, 0, 1, 0, 237, 9, 0, 0, 0x2E, 0, 0x30, 0}));
  EXPECT_EQ(row(im, 8), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 1, 7, 4, 9, 0, 0, 0, 0}));
  const std::vector<int> b_tail(&im(9, 6), &im(9, 6) + 10);
  EXPECT_EQ(b_tail, (std::vector<int>{210, 0, 0, 0, 0, 0, 0, 0, 0x48, 0xC0}));
  const CopyImage once = im;
  w.Pack_Options();
  EXPECT_TRUE(w.Copy_Image == once);
}

TEST_F(CopyDisplay, ShowingAPackedImageGivesBackEverySetting) {
  frm_Adj_Tune& w = tune();
  w.Check_ANI.setValue(0);
  w.Combo_ring.setListIndex(7);
  w.Combo_Tdr_ab.setListIndex(1);
  w.Combo_pf1.setListIndex(1);
  w.Combo_pf2.setListIndex(0);
  w.Check_comp.setValue(1);
  w.Text_pvfo_t0.setText("140");
  w.Text_pvfo_t1.setText("150");
  w.Text_menu_pwd.setText("123456");
  w.Combo_step_a.setListIndex(0);
  w.Pack_Options();
  // The packed records moved to the rows a read leaves them in.
  for (std::size_t r = 0; r < 4; ++r)
    for (std::size_t c = 0; c < 16; ++c) w.Copy_Image(10 + r, c) = w.Copy_Image(6 + r, c);
  d.click(w.Command_def);
  w.Show_Copy_Options();
  EXPECT_EQ(w.Check_ANI.value(), 0);
  EXPECT_EQ(w.Combo_ring.listIndex(), 7);
  EXPECT_EQ(w.Combo_Tdr_ab.listIndex(), 1);
  EXPECT_EQ(w.Combo_pf1.listIndex(), 1);
  EXPECT_EQ(w.Combo_pf2.listIndex(), 0);
  EXPECT_EQ(w.Check_comp.value(), 1);
  EXPECT_EQ(w.Text_pvfo_t0.text(), "140");
  EXPECT_EQ(w.Text_pvfo_t1.text(), "150");
  EXPECT_EQ(w.Text_menu_pwd.text(), "123456");
  EXPECT_EQ(w.Combo_step_a.listIndex(), 0);
  EXPECT_EQ(w.Text_Freq_a.text(), "130.02500");
  EXPECT_EQ(w.Combo_offset_a.text(), "00.600");
}

// A box only clicked into or tabbed through packs what it showed: a frequency off the raster the
// box would round an entry to is saved and written as it was read.
TEST_F(CopyDisplay, ABoxOnlyLookedAtPacksWhatItShowed) {
  frm_Adj_Tune& w = tune();
  CopyImage& im = w.Copy_Image;
  record(im, 10, {1, 4, 5, 1, 2, 3, 4, 5});
  record(im, 12, {1, 5, 0, 0, 0, 0, 1, 0});
  put(im, 0, {100});                                  // channels
  put(im, 49, {1, 0x30, 1, 0x78, 1, 0x36, 1, 0x74});  // receive 130-178, transmit 136-174
  w.Show_Copy_Options();
  ASSERT_EQ(w.Text_Freq_a.text(), "145.12345");
  w.Pack_Options();
  const CopyImage packed = w.Copy_Image;
  kit::TextBox* const boxes[] = {&w.Text_chann_total, &w.Text_Freq_a,  &w.Text_Freq_b,
                                 &w.Text_menu_pwd,    &w.Text_pvfo_d0, &w.Text_pvfo_d1,
                                 &w.Text_pvfo_t0,     &w.Text_pvfo_t1};
  for (kit::TextBox* box : boxes) {
    SCOPED_TRACE(box->name());
    d.lookThrough(*box, w.Check_ANI);
    w.Pack_Options();
    EXPECT_TRUE(w.Copy_Image == packed);
  }
  EXPECT_TRUE(d.messageBoxes().empty());
  EXPECT_EQ(w.Text_Freq_b.text(), "150.00010");
}

TEST_F(CopyDisplay, InterlocksAndListGuards) {
  frm_Adj_Tune& w = tune();
  d.pick(w.Combo_scr_a, 3);
  d.pick(w.Combo_scr_b, 5);
  d.click(w.Check_comp);
  EXPECT_EQ(w.Combo_scr_a.text(), "OFF");
  EXPECT_EQ(w.Combo_scr_b.text(), "OFF");
  EXPECT_EQ(w.Check_comp.value(), 1);
  d.pick(w.Combo_scr_b, 1);
  EXPECT_EQ(w.Check_comp.value(), 0);
  EXPECT_EQ(w.Combo_scr_a.listIndex(), 0);

  d.click(w.Check_chann_syn);
  EXPECT_EQ(w.Check_tdr.value(), 0);
  EXPECT_FALSE(w.Combo_Tdr_ab.enabled());
  d.click(w.Check_tdr);
  EXPECT_TRUE(w.Combo_Tdr_ab.enabled());
  EXPECT_EQ(w.Check_chann_syn.value(), 1);

  // Typed text that selects no item gives way to the first item, in every list.
  for (kit::ComboBox* box : {&w.Combo_vox, &w.Combo_offset_a, &w.Combo_ring, &w.Combo_MDF_B}) {
    d.focus(*box);
    d.type("x");
    EXPECT_EQ(box->listIndex(), 0) << box->name();
  }
  d.focus(w.Combo_r_ctdcs_a);
  d.type("7");
  EXPECT_EQ(w.Combo_r_ctdcs_a.text(), "OFF");
  EXPECT_FALSE(w.Tone_Typed);
  // A key that changes no text leaves the flag for the next change of any tone list.
  d.focus(w.Combo_t_ctdcs_b);
  d.enter();
  EXPECT_TRUE(w.Tone_Typed);
  put(w.Copy_Image, 10 * 16 + 22, {0x10, 0x01});  // 27.2 Hz: no item
  w.Show_Copy_Options();
  EXPECT_EQ(w.Combo_r_ctdcs_a.text(), "OFF");
  EXPECT_FALSE(w.Tone_Typed);
  w.Show_Copy_Options();
  EXPECT_EQ(w.Combo_r_ctdcs_a.text(), "27.2");
  EXPECT_EQ(w.Combo_r_ctdcs_a.listIndex(), -1);
}

}  // namespace
}  // namespace j5::copy_test
