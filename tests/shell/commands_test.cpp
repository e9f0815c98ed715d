// The main window's menus, toolbar keys and shortcuts, and the exit sequence.

#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/options/frm_option.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/Form_setup.h"
#include "main_window_fixture.h"
#include "shell/Form_type.h"
#include "shell/file_dialogs.h"
#include "shell/frmAbout.h"

namespace j5::test {
namespace {

using Commands = MainWindowTest;

// Counts the unloads of the window now in the slot, and optionally refuses
// them as a window busy with a transfer does. The counts outlive the watch,
// since the program unloads its windows after the test body.
class UnloadWatch {
 public:
  explicit UnloadWatch(kit::Form& f) {
    auto previous = f.Unload;
    f.Unload = [s = state_, previous](int& cancel) {
      ++s->unloads;
      if (s->refuse) {
        cancel = 1;
        return;
      }
      if (previous) previous(cancel);
    };
  }
  int unloads() const { return state_->unloads; }
  void refuse(bool on) { state_->refuse = on; }

 private:
  struct State {
    int unloads = 0;
    bool refuse = false;
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

std::vector<std::string> loadedNames(const kit::Platform& p) {
  std::vector<std::string> names;
  for (const kit::Form* f : p.loadedForms()) names.push_back(f->name());
  return names;
}

TEST_F(Commands, MenuBarHoldsSixEntriesAndKeepsTheHiddenOnesOutOfReach) {
  MDImain& m = start();
  std::vector<std::string> bar;
  for (kit::Menu* e : m.menus())
    if (!e->parentMenu() && e->reachable()) bar.push_back(e->caption());
  EXPECT_EQ(bar, (std::vector<std::string>{"文件", "编辑", "编程", "端口", "语言", "退出"}));

  for (kit::Menu* hidden :
       {&m.Band_Range, &m.Adj, &m.Adj_Edit, &m.Adj_Online, &m.PC_PassWord, &m.about}) {
    EXPECT_FALSE(hidden->reachable()) << hidden->name();
    drive.click(*hidden);
  }
  EXPECT_FALSE(program.Form_type.loaded());
  EXPECT_FALSE(program.frm_Adj_Txp.loaded());
  EXPECT_FALSE(program.Form_Write_PassWord.loaded());
  EXPECT_FALSE(program.frmAbout.loaded());
  // The entries that keep their captions in both languages.
  EXPECT_EQ(m.Adj.caption(), "调试");
  EXPECT_EQ(m.Adj_Edit.caption(), "参数编辑");
  EXPECT_EQ(m.Language_chn.caption(), "中文");
  EXPECT_TRUE(m.Language_chn.checked());
  EXPECT_FALSE(m.Language_eng.checked());
}

TEST_F(Commands, ToolbarHasSixKeysWithChineseTooltips) {
  MDImain& m = start();
  ASSERT_EQ(m.Toolbar1.buttonCount(), 6);
  const std::vector<std::pair<std::string, std::string>> want = {
      {"open", "打开参数文件"},     {"save", "保存参数"},          {"edit_chann", "信道参数编辑"},
      {"read", "从对讲机读取数据"}, {"write", "将参数写入对讲机"}, {"exit", "退出"}};
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(m.Toolbar1.button(i).key, want[i - 1].first);
    EXPECT_EQ(m.Toolbar1.button(i).toolTip, want[i - 1].second);
    EXPECT_FALSE(m.Toolbar1.button(i).picture.empty());
  }
}

// Every way to a command that closes its window and builds it anew.
TEST_F(Commands, EachCommandRebuildsItsWindow) {
  MDImain& m = start();
  struct Case {
    std::string how;
    std::function<void()> act;
    kit::FormSlotBase& slot;
  };
  const std::vector<Case> cases = {
      {"File_Open", [&] { drive.click(m.File_Open); }, program.Form_open_chann},
      {"Ctrl+O", [&] { drive.shortcut(m, "Ctrl+O"); }, program.Form_open_chann},
      {"open key", [&] { drive.clickToolbar(m.Toolbar1, "open"); }, program.Form_open_chann},
      {"File_save", [&] { drive.click(m.File_save); }, program.Form_save_chann},
      {"Ctrl+S", [&] { drive.shortcut(m, "Ctrl+S"); }, program.Form_save_chann},
      {"save key", [&] { drive.clickToolbar(m.Toolbar1, "save"); }, program.Form_save_chann},
      {"Channel_edit", [&] { drive.click(m.Channel_edit); }, program.frm_chann},
      {"edit_chann key", [&] { drive.clickToolbar(m.Toolbar1, "edit_chann"); }, program.frm_chann},
      {"Optional_edit", [&] { drive.click(m.Optional_edit); }, program.frm_option},
      {"Dtmf_edit", [&] { drive.click(m.Dtmf_edit); }, program.frm_dtmf},
      {"Prog_read", [&] { drive.click(m.Prog_read); }, program.Form_Comm_Read},
      {"Ctrl+R", [&] { drive.shortcut(m, "Ctrl+R"); }, program.Form_Comm_Read},
      {"read key", [&] { drive.clickToolbar(m.Toolbar1, "read"); }, program.Form_Comm_Read},
      {"Prog_write", [&] { drive.click(m.Prog_write); }, program.Form_Comm_Write},
      {"Ctrl+W", [&] { drive.shortcut(m, "Ctrl+W"); }, program.Form_Comm_Write},
      {"write key", [&] { drive.clickToolbar(m.Toolbar1, "write"); }, program.Form_Comm_Write},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    c.slot.unload();
    c.act();
    ASSERT_TRUE(c.slot.loaded());
    kit::Form* first = c.slot.form();
    const std::string caption = first->caption();
    EXPECT_TRUE(first->shown());
    EXPECT_EQ(first->mdiParent(), &m);

    // The second time the open window is closed and a fresh one is built.
    UnloadWatch watch(*first);
    first->setCaption("stale");
    c.act();
    EXPECT_EQ(watch.unloads(), 1);
    ASSERT_TRUE(c.slot.loaded());
    EXPECT_EQ(c.slot.form()->caption(), caption);
  }
}

TEST_F(Commands, PortWindowIsOnlyLoadedAndStaysAsItIsWhenOpen) {
  MDImain& m = start();
  drive.click(m.proc_setup);
  ASSERT_TRUE(program.Form_setup.loaded());
  UnloadWatch watch(*program.Form_setup);
  program.Form_setup->setCaption("kept");
  drive.click(m.proc_setup);
  EXPECT_EQ(watch.unloads(), 0);
  EXPECT_EQ(program.Form_setup->caption(), "kept");
}

TEST_F(Commands, AWindowThatRefusesToCloseIsNotBuiltAgain) {
  MDImain& m = start();
  drive.click(m.Prog_read);
  UnloadWatch busy(*program.Form_Comm_Read);
  busy.refuse(true);
  program.Form_Comm_Read->setCaption("busy");
  drive.click(m.Prog_read);
  EXPECT_EQ(busy.unloads(), 1);
  EXPECT_EQ(program.Form_Comm_Read->caption(), "busy");
  busy.refuse(false);
}

TEST_F(Commands, NewSaveAsAndCtrlNDoNothing) {
  MDImain& m = start();
  const auto before = loadedNames(platform);
  const auto panels = [&] {
    std::vector<std::string> v;
    for (int n = 1; n <= 11; ++n) v.push_back(panel(n));
    return v;
  }();
  drive.click(m.File_New);
  drive.click(m.File_saveas);
  drive.shortcut(m, "Ctrl+N");
  EXPECT_EQ(loadedNames(platform), before);
  EXPECT_TRUE(platform.messageBoxes().empty());
  for (int n = 1; n <= 11; ++n) EXPECT_EQ(panel(n), panels[n - 1]);
}

// The exit sequence closes four windows one by one, then the main window,
// which takes every other child with it.
TEST_F(Commands, ExitClosesTheWindowsInOrderAndEndsTheProgram) {
  const std::vector<std::pair<std::string, std::function<void(MDImain&)>>> ways = {
      {"File_exit", [&](MDImain& m) { drive.click(m.File_exit); }},
      {"Menu_Exit", [&](MDImain& m) { drive.click(m.Menu_Exit); }},
      {"exit key", [&](MDImain& m) { drive.clickToolbar(m.Toolbar1, "exit"); }},
  };
  for (const auto& [how, exit] : ways) {
    SCOPED_TRACE(how);
    kit::HeadlessPlatform p;
    Program prog(p);
    kit::Driver d(p);
    prog.MDImain.load();
    MDImain& m = *prog.MDImain;
    d.click(m.Dtmf_edit);
    d.click(m.Optional_edit);
    d.click(m.proc_setup);
    std::vector<std::string> order;
    for (kit::Form* f : p.loadedForms()) {
      auto previous = f->Unload;
      f->Unload = [&order, f, previous](int& cancel) {
        order.push_back(f->name());
        if (previous) previous(cancel);
      };
    }
    exit(m);
    ASSERT_GE(order.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + 2),
              (std::vector<std::string>{"frm_chann", "frm_option"}));
    EXPECT_EQ(order.back(), "MDImain");
    EXPECT_FALSE(prog.MDImain.loaded());
    EXPECT_TRUE(p.loadedForms().empty());
    EXPECT_EQ(prog.data.Win_Dtmf, kFalse);
    EXPECT_EQ(prog.data.Win_Setup, kFalse);
  }
}

TEST_F(Commands, ExitWithOnlyTheChannelEditorOpen) {
  MDImain& m = start();
  drive.click(m.File_exit);
  EXPECT_FALSE(program.frm_chann.loaded());
  EXPECT_FALSE(program.MDImain.loaded());
  EXPECT_TRUE(platform.loadedForms().empty());
}

TEST_F(Commands, ExitStopsWhileATransferWindowRefusesToClose) {
  MDImain& m = start();
  drive.click(m.Prog_write);
  UnloadWatch busy(*program.Form_Comm_Write);
  busy.refuse(true);
  drive.click(m.Menu_Exit);
  EXPECT_TRUE(program.MDImain.loaded());
  EXPECT_TRUE(program.Form_Comm_Write.loaded());
  busy.refuse(false);
  drive.click(m.Menu_Exit);
  EXPECT_FALSE(program.MDImain.loaded());
}

// Handlers of hidden entries, and the procedures nothing calls: what they
// would open if anything reached them.
TEST_F(Commands, UnreachableHandlersOpenTheirWindows) {
  MDImain& m = start();
  struct Case {
    std::function<void()> call;
    kit::FormSlotBase& slot;
  };
  const std::vector<Case> cases = {
      {[&] { m.Band_Range_Click(); }, program.Form_type},
      {[&] { m.Adj_Edit_Click(); }, program.frm_Adj_Txp},
      {[&] { m.PC_PassWord_Click(); }, program.Form_Write_PassWord},
      {[&] { m.about_Click(); }, program.frmAbout},
      {[&] { m.Load_Type(); }, program.Form_type},
      {[&] { m.Load_2tone(); }, program.frm_2tone},
      {[&] { m.Load_5tone(); }, program.frm_5tone},
      {[&] { m.Load_Dtmf(); }, program.frm_dtmf},
      {[&] { m.Load_Option(); }, program.frm_option},
      {[&] { m.Load_Chann(); }, program.frm_chann},
  };
  for (const Case& c : cases) {
    c.slot.unload();
    c.call();
    EXPECT_TRUE(c.slot.loaded());
  }
  m.Load_FM();
  EXPECT_TRUE(program.frm_FM.loaded());
  EXPECT_FALSE(program.frm_chann.loaded());
  const auto before = loadedNames(platform);
  m.Load_Unknown();
  EXPECT_EQ(loadedNames(platform), before);
}

}  // namespace
}  // namespace j5::test
