// The Language menu: the main window's texts, the status panels, and the
// reload of every window whose window-open flag is set.

#include <stdexcept>

#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/options/frm_option.h"
#include "main_window_fixture.h"
#include "shell/frmAbout.h"

namespace j5::test {
namespace {

using LanguageSwitch = MainWindowTest;

std::vector<std::string> menuBar(const MDImain& m) {
  std::vector<std::string> bar;
  for (kit::Menu* e : m.menus())
    if (!e->parentMenu() && e->reachable()) bar.push_back(e->caption());
  return bar;
}

TEST_F(LanguageSwitch, EnglishRecaptionsTheMainWindowAndItsPanels) {
  platform.attachDevice(2, com[2]);
  MDImain& m = start();
  program.Set_Panel(10, "x");
  EXPECT_TRUE(platform.chineseTexts());  // the platform's own buttons and menus too
  drive.click(m.Language_eng);

  EXPECT_EQ(program.data.Lang_Chn, kFalse);
  EXPECT_FALSE(platform.chineseTexts());
  EXPECT_EQ(m.caption(), "TOLVEK J5 Series Program Software. ");
  EXPECT_EQ(menuBar(m), (std::vector<std::string>{"File", "Edit", "Program", "Communication",
                                                  "Language", "Exit"}));
  EXPECT_EQ(m.Channel_edit.caption(), "Channel Information ");
  EXPECT_EQ(m.Optional_edit.caption(), "Optional Features");
  EXPECT_EQ(m.Prog_read.caption(), "Read from radio");
  EXPECT_EQ(m.Band_Range.caption(), "Model");
  EXPECT_EQ(m.PC_PassWord.caption(), "PassWord");
  EXPECT_EQ(m.about.caption(), "About");
  EXPECT_EQ(m.Adj.caption(), "调试");
  EXPECT_EQ(m.Language_eng.caption(), "English");
  EXPECT_TRUE(m.Language_eng.checked());
  EXPECT_FALSE(m.Language_chn.checked());
  EXPECT_EQ(m.Toolbar1.button(1).toolTip, "Open Parameter file");
  EXPECT_EQ(m.Toolbar1.button(6).toolTip, "Exit");

  EXPECT_EQ(panel(1), "State");
  // The start-up identification, still under way, writes its outcome in the new language.
  EXPECT_EQ(panel(2), "正在与对讲机进行连接...");
  EXPECT_EQ(panel(3), "COM2");
  EXPECT_EQ(panel(4), "Version");
  EXPECT_EQ(panel(5), "V18.01.28");
  EXPECT_EQ(panel(6), "Band");
  EXPECT_EQ(panel(7), "VHF: 130 -   179MHZ");
  EXPECT_EQ(panel(8), "UHF0: 240 -   260MHZ");
  EXPECT_EQ(panel(9), "");
  EXPECT_EQ(panel(10), "");
  EXPECT_EQ(panel(11), "XX Electronics ");
  EXPECT_EQ(program.data.Lang_Text[10], "0.Open Speak");
  EXPECT_EQ(program.data.Lang_Text[4], "Confirm");
  drive.advance(2500);  // nothing answers
  EXPECT_EQ(panel(2), "Communication fault.");

  drive.click(m.Language_chn);
  EXPECT_EQ(program.data.Lang_Chn, kTrue);
  EXPECT_TRUE(platform.chineseTexts());
  EXPECT_EQ(m.caption(), "J5 系列对讲机编程软件");
  EXPECT_EQ(menuBar(m), (std::vector<std::string>{"文件", "编辑", "编程", "端口", "语言", "退出"}));
  EXPECT_EQ(m.Toolbar1.button(3).toolTip, "信道参数编辑");
  // The switch's Chinese labels are shorter than the start-up ones.
  EXPECT_EQ(panel(1), "状态");
  EXPECT_EQ(panel(4), "版本");
  EXPECT_EQ(panel(6), "频段");
  EXPECT_EQ(panel(11), "");
  EXPECT_EQ(program.data.Lang_Text[18], "8.开机");
}

TEST_F(LanguageSwitch, ChoosingTheCurrentLanguageStillRunsEveryStepButTheTexts) {
  MDImain& m = start();
  drive.click(m.Optional_edit);
  program.frm_option->setCaption("stale");
  program.data.Lang_Text[10] = "untouched";
  drive.click(m.Language_chn);
  EXPECT_EQ(program.data.Lang_Text[10], "untouched");
  EXPECT_EQ(panel(9), "");
  EXPECT_EQ(panel(4), "版本");
  EXPECT_EQ(program.frm_option->caption(), "可选参数编辑");
}

TEST_F(LanguageSwitch, StartUpChannelEditorIsReloadedOnlyAfterItWasReopened) {
  MDImain& m = start();
  ASSERT_TRUE(program.frm_chann.loaded());
  const std::string chinese = program.frm_chann->caption();
  drive.click(m.Language_eng);
  ASSERT_TRUE(program.frm_chann.loaded());
  EXPECT_EQ(program.frm_chann->caption(), chinese);

  drive.click(m.Channel_edit);
  const std::string english = program.frm_chann->caption();
  EXPECT_NE(english, chinese);
  drive.click(m.Language_chn);
  EXPECT_EQ(program.frm_chann->caption(), chinese);
  drive.click(m.Language_eng);
  EXPECT_EQ(program.frm_chann->caption(), english);
}

TEST_F(LanguageSwitch, ReloadsExactlyTheFlaggedWindowsLastOneInFront) {
  MDImain& m = start();
  const std::string channChinese = program.frm_chann->caption();
  drive.click(m.Dtmf_edit);
  drive.click(m.Optional_edit);
  program.frmAbout.show();  // no window-open flag
  platform.runUntilIdle();
  drive.click(m.Language_eng);

  EXPECT_EQ(program.frm_option->caption(), "Optional Features");
  EXPECT_EQ(program.frm_dtmf->caption(), "DTMF Encode/Decode ");
  EXPECT_EQ(program.frmAbout->caption(), "关于");
  EXPECT_EQ(program.frm_chann->caption(), channChinese);
  const auto& forms = platform.loadedForms();
  ASSERT_GE(forms.size(), 2u);
  EXPECT_EQ(forms[forms.size() - 2]->name(), "frm_option");
  EXPECT_EQ(forms.back()->name(), "frm_dtmf");
  EXPECT_EQ(platform.activeForm(), program.frm_dtmf.get());
  EXPECT_EQ(program.data.Win_Option, kTrue);
  EXPECT_EQ(program.data.Win_Dtmf, kTrue);
}

// The order of the reload, over all eight flags.
TEST_F(LanguageSwitch, VisitsTheFlagsInTheirOrder) {
  MDImain& m = start();
  program.frm_chann.unload();
  Shared_Data& d = program.data;
  for (std::int16_t* flag : {&d.Win_Option, &d.Win_Chann, &d.Win_Setup, &d.Win_Save_Chann,
                             &d.Win_Open_Chann, &d.Win_Comm_Read, &d.Win_Comm_Write, &d.Win_Dtmf})
    *flag = kTrue;
  drive.click(m.Language_eng);
  std::vector<std::string> names;
  for (const kit::Form* f : platform.loadedForms())
    if (f != &m) names.push_back(f->name());
  EXPECT_EQ(names, (std::vector<std::string>{"frm_option", "frm_chann", "Form_setup",
                                             "Form_save_chann", "Form_open_chann", "Form_Comm_Read",
                                             "Form_Comm_Write", "frm_dtmf"}));
}

// An error that escapes a handler ends in the kit's last-resort box; the program words that box
// in the language of the moment (its title left to the program's name, as the kit's own).
TEST_F(LanguageSwitch, TheLastResortBoxSpeaksTheCurrentLanguage) {
  MDImain& m = start();
  drive.clearMessageBoxes();
  const auto failing = [] { throw std::out_of_range("number text too large"); };
  platform.dispatch(failing);
  drive.click(m.Language_eng);
  platform.dispatch(failing);
  ASSERT_EQ(drive.messageBoxes().size(), 2u);
  EXPECT_EQ(drive.messageBoxes()[0].text, "程序出错，本次操作没有完成 ！");
  EXPECT_EQ(drive.messageBoxes()[1].text, "A program error stopped this operation.");
  EXPECT_EQ(drive.messageBoxes()[1].title, "");
  EXPECT_EQ(drive.messageBoxes()[1].icon, kit::MsgIcon::Exclamation);
}

}  // namespace
}  // namespace j5::test
