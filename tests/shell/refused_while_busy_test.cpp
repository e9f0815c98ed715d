// Exit and the language switch while a window's exchange with the radio is open: both are refused
// before anything is closed or changed, with a message that names what was refused, and the
// exchange runs on to its end.
#include <gtest/gtest.h>

#include "editors/channels/frm_chann.h"
#include "link/Form_Comm_Read.h"
#include "support/radio_program.h"

namespace j5test {
namespace {

struct RefusedWhileBusy : Radio_Program {
  RefusedWhileBusy() : Radio_Program(sim::IdentForm::Ident14, true) {}

  // A whole read under way, in the language asked for.
  j5::Form_Comm_Read& Reading(bool chinese) {
    set_language(chinese);
    j5::Form_Comm_Read& w = program.Form_Comm_Read.load();
    d.click(w.Command_read);
    d.advance(500);
    EXPECT_TRUE(w.Link.Link_Busy());
    d.clearMessageBoxes();
    return w;
  }
  bool Read_Ended(const j5::Form_Comm_Read& w) {
    return d.advanceUntil([&] { return !w.Link.Link_Busy(); }, 20000);
  }
};

// Exit from the menu, the File menu, the toolbar or the main window's close box: nothing is
// unloaded, not even the channel editor that Exit closes first.
TEST_F(RefusedWhileBusy, ExitLeavesEveryWindowAsItWas) {
  j5::MDImain& m = *program.MDImain;
  const struct {
    const char* way;
    std::function<void()> press;
  } ways[] = {
      {"Exit", [&] { d.click(m.Menu_Exit); }},
      {"File > Exit", [&] { d.click(m.File_exit); }},
      {"toolbar", [&] { d.clickToolbar(m.Toolbar1, "exit"); }},
      {"close box", [&] { program.MDImain.unload(); }},
  };
  for (const auto& w : ways) {
    SCOPED_TRACE(w.way);
    j5::Form_Comm_Read& read = Reading(true);
    ASSERT_TRUE(program.frm_chann.loaded());
    const j5::frm_chann* chann = &*program.frm_chann;
    w.press();
    EXPECT_EQ(box_texts(),
              std::vector<std::string>{"正在与对讲机进行读写操作，读写结束后才能退出 ！"});
    EXPECT_TRUE(program.MDImain.loaded());
    ASSERT_TRUE(program.frm_chann.loaded());
    EXPECT_EQ(&*program.frm_chann, chann);
    EXPECT_EQ(&*program.Form_Comm_Read, &read);
    ASSERT_TRUE(Read_Ended(read));
    EXPECT_EQ(d.lastMessageBox().text, "从对讲机中读取数据完毕 ！");
  }
  d.click(m.Menu_Exit);
  EXPECT_FALSE(program.MDImain.loaded());
}

// Either language entry, from either language: the language, the menu's check marks, the
// captions, the panels and the open windows stay as they were; the read completes in the
// language it began in.
TEST_F(RefusedWhileBusy, ALanguageSwitchIsRefusedBeforeAnythingChanges) {
  j5::MDImain& m = *program.MDImain;
  const struct {
    bool chinese;
    kit::Menu j5::MDImain::*entry;
    const char* refusal;
    const char* done;
    const char* cancel;
  } cases[] = {
      {true, &j5::MDImain::Language_eng, "正在与对讲机进行读写操作，读写结束后才能切换语言 ！",
       "从对讲机中读取数据完毕 ！", "取消"},
      {true, &j5::MDImain::Language_chn, "正在与对讲机进行读写操作，读写结束后才能切换语言 ！",
       "从对讲机中读取数据完毕 ！", "取消"},
      {false, &j5::MDImain::Language_chn,
       "Read-write operating with transceiver; the language can be switched when it has ended.",
       "Complete reading the data from transceiver.", "Cancel"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refusal);
    // The menu as the last switch left it.
    d.click(c.chinese ? m.Language_chn : m.Language_eng);
    const std::string caption = m.caption(), panel1 = program.Panel(1), panel10 = "kept";
    program.Set_Panel(10, panel10);
    j5::Form_Comm_Read& read = Reading(c.chinese);
    const j5::frm_chann* chann = program.frm_chann.loaded() ? &*program.frm_chann : nullptr;
    d.click(m.*c.entry);
    EXPECT_EQ(box_texts(), std::vector<std::string>{c.refusal});
    EXPECT_EQ(data.Lang_Chn, c.chinese ? j5::kTrue : j5::kFalse);
    EXPECT_EQ(m.Language_chn.checked(), c.chinese);
    EXPECT_EQ(m.Language_eng.checked(), !c.chinese);
    EXPECT_EQ(m.caption(), caption);
    EXPECT_EQ(program.Panel(1), panel1);
    EXPECT_EQ(program.Panel(10), panel10);
    EXPECT_EQ(&*program.Form_Comm_Read, &read);
    EXPECT_EQ(read.Command_Cancel.caption(), c.cancel);
    if (chann) {
      EXPECT_EQ(&*program.frm_chann, chann);
    }
    ASSERT_TRUE(Read_Ended(read));
    EXPECT_EQ(box_texts(), (std::vector<std::string>{c.refusal, c.done}));
  }
}

}  // namespace
}  // namespace j5test
