// What the window shows of the record, and what showing it stores back.
#include <gtest/gtest.h>

#include "dtmf_fixture.h"

namespace j5::dtmf_test {
namespace {

TEST(DtmfDisplay, AnEmptyRecordShowsEmptyCodesSetBoxesAndTheLongestTimes) {
  DtmfFixture f;
  for (int r = 176; r <= 207; ++r) f.set(r, 0, std::vector<int>(16, 255));
  frm_dtmf& w = f.open();
  for (int i = 0; i < 15; ++i) EXPECT_EQ(w.Text_tx_Encode[i].text(), "");
  for (kit::TextBox* box : {&w.Text_XC, &w.Text_JT, &w.Text_BJ, &w.Text_YY, &w.Text_YB, &w.Text_KJ,
                            &w.Text_MID, &w.Text_SID, &w.Text_Ani})
    EXPECT_EQ(box->text(), "") << box->name();
  for (kit::CheckBox* box : {&w.Check_RX, &w.Check_Tx, &w.Check_Ctrl_En, &w.Check_Ptt_P,
                             &w.Check_Ptt_S, &w.Check_M[0], &w.Check_M[4], &w.Check_S[2]})
    EXPECT_EQ(box->value(), 1) << box->name();
  EXPECT_EQ(w.Combo_Enc_ys1.text(), "2000");
  EXPECT_EQ(w.Combo_Enc_ys2.text(), "2000");
  EXPECT_EQ(w.Combo_Enc_qh.text(), "");
  // Only the times and the remote-control byte change.
  std::vector<int> settings(16, 255);
  settings[2] = settings[3] = 195;
  EXPECT_EQ(f.bytes(203), settings);
  std::vector<int> remote(16, 255);
  remote[15] = 1;
  EXPECT_EQ(f.bytes(201), remote);
  for (int r : {176, 190, 200, 202, 204}) EXPECT_EQ(f.bytes(r), std::vector<int>(16, 255)) << r;
}

TEST(DtmfDisplay, CodeFieldsAreStoredAsShownWhileEncodeGroupsKeepTheirBytes) {
  DtmfFixture f;
  frm_dtmf& w = f.open();  // showing the factory codes
  f.set(200, 0, {1, 10, 2, 255, 255, 255, 3, 4, 5, 255, 13, 14, 15, 16, 11});
  f.set(202, 10, {12, 0, 9, 17, 255});
  f.set(177, 0, {1, 10, 2, 255, 255});
  f.set(178, 0, {255, 3, 4, 5, 255});
  f.set(179, 0, {13, 14, 15, 16, 11});
  f.redisplay();
  EXPECT_EQ(w.Text_XC.text(), "12");
  EXPECT_EQ(w.Text_JT.text(), "");
  EXPECT_EQ(w.Text_BJ.text(), "ABCD*");
  EXPECT_EQ(w.Text_Ani.text(), "#09");
  EXPECT_EQ(f.bytes(200, 0, 14),
            (std::vector<int>{1, 2, 255, 255, 255, 255, 255, 255, 255, 255, 13, 14, 15, 16, 11}));
  EXPECT_EQ(f.bytes(202, 10, 14), (std::vector<int>{12, 0, 9, 255, 255}));
  EXPECT_EQ(w.Text_tx_Encode[1].text(), "12");
  EXPECT_EQ(w.Text_tx_Encode[2].text(), "");
  EXPECT_EQ(w.Text_tx_Encode[3].text(), "ABCD*");
  EXPECT_EQ(f.bytes(177, 0, 4), (std::vector<int>{1, 10, 2, 255, 255}));
  EXPECT_EQ(f.bytes(178, 0, 4), (std::vector<int>{255, 3, 4, 5, 255}));
}

TEST(DtmfDisplay, FlagBytesKeepTheirOtherBitsAndOutOfRangeValuesAreHeld) {
  DtmfFixture f;
  f.set(200, 15, {0xFE});
  f.set(201, 15, {7});
  f.set(202, 15, {0xF1});
  f.set(203, 0, {0xE5, 0x02, 200, 95, 16});
  frm_dtmf& w = f.open();
  EXPECT_EQ(w.Check_RX.value(), 0);
  EXPECT_EQ(w.Check_Tx.value(), 1);
  EXPECT_EQ(w.Check_Ptt_P.value(), 1);
  EXPECT_EQ(w.Check_Ptt_S.value(), 0);
  for (int n = 0; n < 5; ++n) {
    EXPECT_EQ(w.Check_M[n].value(), n == 0 || n == 2 ? 1 : 0) << n;
    EXPECT_EQ(w.Check_S[n].value(), n == 1 ? 1 : 0) << n;
  }
  EXPECT_EQ(w.Combo_Enc_ys1.text(), "2000");
  EXPECT_EQ(w.Combo_Enc_ys2.text(), "1000");
  EXPECT_EQ(w.Combo_Enc_qh.text(), "D");
  EXPECT_EQ(f.bytes(200, 15, 15), (std::vector<int>{0xFE}));
  EXPECT_EQ(f.bytes(202, 15, 15), (std::vector<int>{0xF1}));
  EXPECT_EQ(f.bytes(203, 0, 4), (std::vector<int>{0xE5, 0x02, 195, 95, 16}));
  // The box was clear, so showing it set stores 1.
  EXPECT_EQ(f.bytes(201, 15, 15), (std::vector<int>{1}));

  // Hand-edited values outside a byte count by their low byte.
  f.set(203, 2, {-5, 4000, -1});
  f.redisplay();
  EXPECT_EQ(w.Combo_Enc_ys1.text(), "2000");
  EXPECT_EQ(w.Combo_Enc_ys2.text(), "1650");
  EXPECT_EQ(w.Combo_Enc_qh.text(), "");
  EXPECT_EQ(f.data.Mem_Image(203, 3), 160);
}

TEST(DtmfDisplay, ClearingRemoteControlDisablesTheTwelveIdControls) {
  DtmfFixture f;
  frm_dtmf& w = f.open();
  f.set(201, 15, {0});
  f.redisplay();
  EXPECT_EQ(w.Check_Ctrl_En.value(), 0);
  for (kit::Control* c :
       std::initializer_list<kit::Control*>{&w.Text_MID, &w.Text_SID, &w.Check_M[0], &w.Check_S[4]})
    EXPECT_FALSE(c->enabled()) << c->name();
  EXPECT_TRUE(w.Text_Ani.enabled());
  EXPECT_EQ(f.bytes(201, 15, 15), (std::vector<int>{0}));
}

TEST(DtmfDisplay, TheUserSetsPttOptionsAndTimesEachInItsOwnBits) {
  DtmfFixture f;
  f.set(202, 15, {0xF0});
  frm_dtmf& w = f.open();
  f.d.click(w.Check_Ptt_P);
  EXPECT_EQ(f.bytes(202, 15, 15), (std::vector<int>{0xF1}));
  f.d.click(w.Check_Ptt_S);
  EXPECT_EQ(f.bytes(202, 15, 15), (std::vector<int>{0xF3}));
  f.d.click(w.Check_Ptt_P);
  EXPECT_EQ(f.bytes(202, 15, 15), (std::vector<int>{0xF2}));

  for (auto [text, index] : {std::pair{"2000", 195}, {"50", 0}, {"1000", 95}}) {
    f.d.pick(w.Combo_Enc_ys1, text);
    EXPECT_EQ(f.data.Mem_Image(203, 2), index) << text;
  }
  f.d.pick(w.Combo_Enc_ys2, "60");
  EXPECT_EQ(f.bytes(203, 0, 4), (std::vector<int>{0x1F, 0x03, 95, 1, 11}));

  // Typing into a time list stores nothing; the next display shows the stored entry.
  f.d.focus(w.Combo_Enc_ys2);
  f.d.selectAll();
  f.d.type("75");
  EXPECT_EQ(f.data.Mem_Image(203, 3), 1);
  f.redisplay();
  EXPECT_EQ(w.Combo_Enc_ys2.text(), "60");
}

}  // namespace
}  // namespace j5::dtmf_test
