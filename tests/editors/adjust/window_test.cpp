// The adjustment window: captions and lists, place and size, page switching, Default and Close.
#include <gtest/gtest.h>

#include <set>

#include "adj_fixture.h"
#include "data/defaults.h"
#include "shell/file_dialogs.h"

namespace j5::adj_test {
namespace {

using Texts = std::vector<std::string>;

Texts Numbers(int last) {
  Texts out;
  for (int n = 0; n <= last; ++n) out.push_back(" " + std::to_string(n));
  return out;
}

TEST(AdjWindow, CaptionsAndListsAreChineseInBothLanguages) {
  for (bool chinese : {true, false}) {
    AdjFixture f(chinese);
    frm_Adj_Txp& w = f.open();
    EXPECT_EQ(w.caption(), "发射功率调整（高功率）");
    ASSERT_EQ(w.TabStrip1.tabCount(), 5);
    EXPECT_EQ(w.TabStrip1.selectedIndex(), 1);
    EXPECT_EQ(w.TabStrip1.tab(1).caption, "发射功率（高）");
    EXPECT_EQ(w.TabStrip1.tab(5).key, "Adj_Other");
    EXPECT_EQ(w.Frame_Frame.caption(), "发射功率调整（高功率）");
    EXPECT_TRUE(w.Frame_Frame.visible());
    EXPECT_FALSE(w.Frame_Sql.visible() || w.Frame_Dev.visible() || w.Frame_Other.visible());
    EXPECT_EQ(w.Label1[0].caption(), "130MHZ");
    EXPECT_EQ(w.Label1[15].caption(), "175MHZ");
    EXPECT_EQ(w.Label_UHF[15].caption(), "290MHZ");
    EXPECT_EQ(w.Label_UHF1[15].caption(), "520MHZ");
    EXPECT_EQ(w.Label_Sq_Offset_UHF1[1].caption(), "408");
    EXPECT_TRUE(w.Text1[15].visible());
    EXPECT_EQ(w.Label1[16].caption(), "话音前置放大器增益");
    EXPECT_EQ(w.Combo_Mod[0].items(), Numbers(63));
    EXPECT_EQ(w.Combo_Mod[9].items(), Numbers(31));
    EXPECT_EQ(w.Combo_Mod[11].items(), Numbers(15));
    EXPECT_EQ(w.Combo_Mod[12].items(), Numbers(15));
    EXPECT_FALSE(w.Combo_Mod[12].visible());
    EXPECT_EQ(w.Combo_Txp[4].items(), Numbers(7));
    EXPECT_EQ(w.Combo_Txp[8].items(), Numbers(15));
    EXPECT_EQ(w.Combo_Txp[9].listCount(), 0);
    EXPECT_FALSE(w.Combo_Txp[14].visible());
    EXPECT_EQ(w.Combo_Txp[15].items(), (Texts{"中文", "英文"}));
    EXPECT_EQ(w.Combo_vox[0].items(), Numbers(127));
    EXPECT_EQ(w.Combo_batt_comp[5].items(), Numbers(255));
    EXPECT_EQ(w.Label_Vox[9].caption(), " 9");
    EXPECT_EQ(w.Label_F0.caption(), "VHF0                    100 - 520");
    EXPECT_EQ(w.Command_read.caption(), "读  取");
    EXPECT_EQ(w.Command_close.caption(), "关  闭");
    EXPECT_FALSE(w.Check_Tx[0].enabled());
    EXPECT_FALSE(w.Text_Version.enabled());
    EXPECT_FALSE(w.ProgressBar1.visible());
    EXPECT_TRUE(f.box_texts().empty());
  }
}

TEST(AdjWindow, TakesTheMainWindowsSizeScaledByTheScreen) {
  for (double scale : {1.0, 2.0}) {
    AdjFixture f;
    f.platform.setScreen(12000 * scale, 9500 * scale);
    frm_Adj_Txp& w = f.open();
    kit::MdiForm& main = *f.program.Main_Form();
    EXPECT_DOUBLE_EQ(w.width(), main.width() / scale);
    EXPECT_DOUBLE_EQ(w.height(), main.height() / scale);
    EXPECT_DOUBLE_EQ(w.left(), (main.scaleWidth() - w.width()) / 2);
    EXPECT_DOUBLE_EQ(w.top(), (main.scaleHeight() - w.height()) / 2);
    EXPECT_DOUBLE_EQ(w.Command_def.top(), w.height() - 1200);
    EXPECT_DOUBLE_EQ(w.ProgressBar1.top(), w.height() - 1800);
    EXPECT_DOUBLE_EQ(w.TabStrip1.width(), w.width() / 1.1);
  }
}

TEST(AdjWindow, TabsSwitchPageCaptionAndFrame) {
  AdjFixture f;
  frm_Adj_Txp& w = f.open();
  struct Step {
    int page;
    const char* caption;
    const char* frameCaption;
    kit::Frame* shown;
  };
  const Step steps[] = {
      {1, "发射功率调整（低功率）", "发射功率调整（低功率）", &w.Frame_Frame},
      {2, "静噪等级调整", "发射功率调整（低功率）", &w.Frame_Sql},
      {3, "调制、音量、滤波", "发射功率调整（低功率）", &w.Frame_Dev},
      {4, "频率范围", "发射功率调整（低功率）", &w.Frame_Other},
      {0, "发射功率调整（高功率）", "发射功率调整（高功率）", &w.Frame_Frame},
  };
  for (const Step& s : steps) {
    f.page(s.page);
    EXPECT_EQ(w.Adj_Page, s.page);
    EXPECT_EQ(w.caption(), s.caption);
    EXPECT_EQ(w.Frame_Frame.caption(), s.frameCaption);
    for (kit::Frame* fr : {&w.Frame_Frame, &w.Frame_Sql, &w.Frame_Dev, &w.Frame_Other})
      EXPECT_EQ(fr->visible(), fr == s.shown) << s.page << " " << fr->name();
  }
}

TEST(AdjWindow, DefaultRestoresRowsZeroTo15AndKeepsTheVersion) {
  AdjFixture f;
  for (int r = 0; r < 20; ++r)
    for (int c = 0; c < 16; ++c) f.data.Adj_Value(r, c) = 1;
  for (int c = 0; c < 7; ++c) f.data.Adj_Value(19, c) = "V1.0.23"[c];
  frm_Adj_Txp& w = f.open();
  f.page(4);
  w.ProgressBar1.setVisible(true);
  w.Label_tr_count.setCaption("x");
  f.d.click(w.Command_def);
  Shared_Data expected;
  Init_Adj_Default(expected);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) EXPECT_EQ(f.data.Adj_Value(r, c), expected.Adj_Default(r, c));
  EXPECT_EQ(f.row(16), std::vector<int>(16, 1));
  EXPECT_EQ(w.Text_Version.text(), "V1.0.23");
  EXPECT_EQ(w.Text_Freq_H[0].text(), "179");
  EXPECT_FALSE(w.ProgressBar1.visible());
  EXPECT_EQ(w.Label_tr_count.caption(), "");
}

// While a transfer runs, Default and Close refuse in the program's language and change nothing.
TEST(AdjWindow, DefaultAndCloseRefuseWhileATransferRuns) {
  for (bool chinese : {true, false}) {
    AdjFixture f(chinese);
    frm_Adj_Txp& w = f.open();
    f.data.Adj_Value(0, 0) = 9;
    f.hangingRead();
    f.d.click(w.Command_def);
    f.d.click(w.Command_close);
    EXPECT_FALSE(f.d.close(w));
    EXPECT_EQ(f.data.Adj_Value(0, 0), 9);
    EXPECT_TRUE(f.program.frm_Adj_Txp.loaded());
    const Texts expected =
        chinese ? Texts{"正在与对讲机进行读写操作 ！", "正在进行读写操作,请勿关窗口 ！,",
                        "正在进行读写操作,请勿关窗口 ！,"}
                : Texts{"Read-write operating with transceiver .",
                        "Read-write operating，don't close the window.,",
                        "Read-write operating，don't close the window.,"};
    EXPECT_EQ(f.box_texts(), expected);
    EXPECT_EQ(f.d.lastMessageBox().title, chinese ? "操作提示" : "Operate prompt");
  }
}

TEST(AdjWindow, CloseUnloadsTheWindowAndItsFileDialogsAndKeepsTheTable) {
  AdjFixture f;
  frm_Adj_Txp& w = f.open();
  f.program.Form_open_adj.load();
  f.program.Form_save_adj.load();
  f.data.Adj_Value(3, 3) = 7;
  f.d.click(w.Command_close);
  f.d.runUntilIdle();
  EXPECT_FALSE(f.program.frm_Adj_Txp.loaded());
  EXPECT_FALSE(f.program.Form_open_adj.loaded());
  EXPECT_FALSE(f.program.Form_save_adj.loaded());
  EXPECT_EQ(f.data.Adj_Value(3, 3), 7);
  frm_Adj_Txp& again = f.open();
  f.page(1);
  EXPECT_EQ(again.Text1[3].text(), "7");
}

// Tab from the tab strip reaches every control the page shows, and the buttons, and comes back.
TEST(AdjWindow, TabReachesEveryControlOfEachPage) {
  AdjFixture f;
  frm_Adj_Txp& w = f.open();
  for (int page = 0; page < 5; ++page) {
    f.page(page);
    std::set<const kit::Control*> expected, reached;
    for (const kit::Control* c : w.controls())
      if (c->focusable()) expected.insert(c);
    f.d.focus(w.TabStrip1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
      reached.insert(f.d.focused());
      f.d.tab();
    }
    EXPECT_EQ(reached, expected) << "page " << page;
    EXPECT_EQ(f.d.focused(), &w.TabStrip1) << "page " << page;
    EXPECT_TRUE(expected.count(&w.Command_close));
  }
}

}  // namespace
}  // namespace j5::adj_test
