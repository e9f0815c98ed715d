// The DTMF window: what opening it shows, its place, its lists, Default, closing and reopening.
#include <gtest/gtest.h>

#include "dtmf_fixture.h"
#include "shell/file_dialogs.h"

namespace j5::dtmf_test {
namespace {

TEST(DtmfWindow, OpensFromTheEditMenuWithItsCaptionsInEitherLanguage) {
  for (bool chinese : {false, true}) {
    DtmfFixture f(chinese);
    frm_dtmf& w = f.open();
    EXPECT_EQ(f.data.Win_Dtmf, kTrue);
    EXPECT_EQ(f.platform.activeForm(), &w);
    EXPECT_EQ(w.caption(), chinese ? "DTMF 编解码参数编辑" : "DTMF Encode/Decode ");
    EXPECT_EQ(w.Frame_encode.caption(), chinese ? "DTMF 编码" : "DTMF Encode");
    EXPECT_EQ(w.Label_tx_encode.caption(), chinese ? "发送编码" : " Code ");
    EXPECT_EQ(w.Label_dtmf_ontime.caption(),
              chinese ? "发送DTMF码时码持续时间（MS）" : "DTMF Speed (On Time)");
    EXPECT_EQ(w.Command_def.caption(), chinese ? "默 认" : "Default");
    EXPECT_EQ(w.Command_close.caption(), chinese ? "关  闭" : "Close");
    EXPECT_EQ(w.Command_Write.caption(), chinese ? "写  入" : "Write");
    EXPECT_EQ(w.Check_Ptt_S.caption(), chinese ? "PTT松开发送" : "Release PTT to Send");
    EXPECT_EQ(w.Label_xcjtyyybkj_1.caption(),
              chinese ? " 巡查      监听     遥晕     遥毙      开机 "
                      : "            Monitor                  Kill      ");
    EXPECT_EQ(w.Label_xcjtyyybkj_2.caption(),
              chinese ? "" : "Inspection             Stun                 Revive ");
    EXPECT_EQ(w.Label_PID.alignment(), chinese ? kit::Align::Center : kit::Align::Right);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(w.Label_xh[i].caption(), std::to_string(i + 1));
  }
}

TEST(DtmfWindow, ShowsOnlyTheEncodePartAndIsCentredInTheMainWindow) {
  DtmfFixture f;
  frm_dtmf& w = f.open();
  kit::MdiForm& main = *f.program.Main_Form();
  EXPECT_DOUBLE_EQ(w.width(), 15360 / 1.3);
  EXPECT_DOUBLE_EQ(w.height(), 11520 / 1.7);
  EXPECT_DOUBLE_EQ(w.left(), (main.scaleWidth() - w.width()) / 2);
  EXPECT_DOUBLE_EQ(w.top(), (main.scaleHeight() - w.height()) / 2);
  for (kit::Control* shown : std::initializer_list<kit::Control*>{
           &w.Text_tx_Encode[14], &w.Text_Ani, &w.Check_Ptt_P, &w.Combo_Enc_ys2, &w.Combo_Enc_qh,
           &w.Command_def, &w.Command_close})
    EXPECT_TRUE(shown->shownOnForm()) << shown->name();
  for (kit::Control* hidden : std::initializer_list<kit::Control*>{
           &w.Text_XC, &w.Text_KJ, &w.Text_MID, &w.Check_S[4], &w.Check_Ctrl_En, &w.Check_RX,
           &w.Check_Tx, &w.Command_read, &w.Command_Write})
    EXPECT_FALSE(hidden->shownOnForm()) << hidden->name();
  EXPECT_FALSE(w.Combo_Enc_qh.enabledOnForm());
  EXPECT_EQ(w.Text_tx_Encode[3].top(), 840 + 3 * 240);
}

TEST(DtmfWindow, TheListsOfferTheTimesAndTheGroupCodes) {
  DtmfFixture f;
  frm_dtmf& w = f.open();
  for (kit::ComboBox* times : {&w.Combo_Enc_ys1, &w.Combo_Enc_ys2}) {
    ASSERT_EQ(times->listCount(), 196);
    EXPECT_EQ(times->list(0), "50");
    EXPECT_EQ(times->list(95), "1000");
    EXPECT_EQ(times->list(195), "2000");
  }
  EXPECT_EQ(w.Combo_Enc_qh.items(), (std::vector<std::string>{"*", "#", "A", "B", "C"}));
}

TEST(DtmfWindow, TheKeyboardReachesEveryControlTheUserOperatesInOrder) {
  DtmfFixture f;
  frm_dtmf& w = f.open();
  EXPECT_TRUE(w.Text_tx_Encode[0].hasFocus());
  std::vector<std::string> order;
  for (int i = 0; i < 22; ++i) {
    f.d.tab();
    order.push_back(f.d.focused()->name());
  }
  std::vector<std::string> expected(14, "Text_tx_Encode");
  for (const char* name : {"Combo_Enc_ys1", "Combo_Enc_ys2", "Text_Ani", "Check_Ptt_P",
                           "Check_Ptt_S", "Command_def", "Command_close", "Text_tx_Encode"})
    expected.push_back(name);
  // Text_Ani holds the factory ID, so the focus leaves it.
  EXPECT_EQ(order, expected);
}

TEST(DtmfWindow, DefaultRestoresTheWholeRecordAndReopeningShowsTheImage) {
  DtmfFixture f;
  std::vector<std::vector<int>> factory;
  for (int r = 176; r <= 207; ++r) factory.push_back(f.bytes(r));
  for (int r = 176; r <= 207; ++r) f.set(r, 0, std::vector<int>(16, 0x33));
  frm_dtmf& w = f.open();
  f.d.click(w.Command_def);
  for (int r = 176; r <= 207; ++r) EXPECT_EQ(f.bytes(r), factory[r - 176]) << r;
  EXPECT_EQ(w.Text_tx_Encode[0].text(), "12345");
  EXPECT_EQ(w.Text_tx_Encode[1].text(), "");
  EXPECT_EQ(w.Text_KJ.text(), "106");
  EXPECT_EQ(w.Text_Ani.text(), "10000");
  EXPECT_EQ(w.Check_Ptt_P.value(), 0);
  EXPECT_EQ(w.Check_Ptt_S.value(), 1);
  EXPECT_EQ(w.Check_S[1].value(), 1);
  EXPECT_EQ(w.Check_S[2].value(), 0);
  EXPECT_EQ(w.Combo_Enc_ys1.text(), "50");
  EXPECT_EQ(w.Combo_Enc_qh.text(), "*");
  EXPECT_TRUE(f.box_texts().empty());

  // An edited group lives in the image, not in the window.
  f.d.focus(w.Text_tx_Encode[2]);
  f.d.type("777");
  f.d.click(w.Command_close);
  EXPECT_FALSE(f.program.frm_dtmf.loaded());
  EXPECT_EQ(f.data.Win_Dtmf, kFalse);
  EXPECT_EQ(f.open().Text_tx_Encode[2].text(), "777");
}

TEST(DtmfWindow, OpensTheSignalFileDialogsAndClosesTheOptionFileDialogs) {
  DtmfFixture f;
  frm_dtmf& w = f.open();
  w.Open_Sig_File();
  w.Save_Sig_File();
  EXPECT_TRUE(f.program.Form_open_sig.loaded());
  EXPECT_TRUE(f.program.Form_save_sig.loaded());
  f.program.Form_open_menu.load();
  f.program.Form_save_menu.load();
  f.d.click(w.Command_close);
  EXPECT_FALSE(f.program.Form_open_menu.loaded());
  EXPECT_FALSE(f.program.Form_save_menu.loaded());
}

TEST(DtmfWindow, TheMenuAndTheLanguageSwitchReloadAFreshWindow) {
  DtmfFixture f;
  frm_dtmf& first = f.open();
  f.d.focus(first.Text_tx_Encode[0]);
  f.d.type("9");  // typed, not yet stored: the reload stores it first
  frm_dtmf& second = f.open();
  EXPECT_EQ(second.Text_tx_Encode[0].text(), "9");
  f.d.click(f.program.MDImain->Language_chn);
  ASSERT_TRUE(f.program.frm_dtmf.loaded());
  EXPECT_EQ(f.program.frm_dtmf->Frame_ANI_Code.caption(), "本机 ID 码");
}

}  // namespace
}  // namespace j5::dtmf_test
