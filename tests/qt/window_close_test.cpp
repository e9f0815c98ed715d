// Every window of the program, closed every way it goes while a list, a text box or a grid's cell
// editor has the focus, on the Qt platform offscreen; then Qt deletes the window's widgets. Nothing
// of Qt may reach into the window's controls once the window is gone, whatever Qt does while it
// takes the widgets down (focus moving out of a deleted window, a list that reads its items on
// losing the focus): the sanitizer build sees every such read, and every build checks that each
// way did close the window, or reload it, and that Qt deleted the old one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editors/adjust/frm_Adj_Txp.h"
#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/fm/frm_FM.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/Form_Write_PassWord.h"
#include "link/Form_setup.h"
#include "platform/qt/grid_widget.h"
#include "program_session.h"
#include "shell/Form_type.h"
#include "shell/MDImain.h"
#include "shell/file_dialogs.h"
#include "shell/frmAbout.h"
#include "shell/param_file.h"
#include "shell/program.h"
#include "sim/memory.h"
#include "sim/sim_process.h"
#include "support/temp_dir.h"

namespace {

using kit::ControlKind;

using qt_test::Qt_Stage;
using qt_test::Session;
using qt_test::Settle;

enum class Way { Close_Button, Close_Box, Exit, Menu_Reload, Language_Switch, File_Load };
enum class Focus { Its_Own, List, Text_Box, Cell_List, Cell_Text };

std::string Name(Way w) {
  static const char* const names[] = {"its Close button",  "the close box",       "Exit",
                                      "its menu's reload", "the language switch", "a file load"};
  return names[static_cast<int>(w)];
}

std::string Name(Focus f) {
  static const char* const names[] = {"the control it focuses on opening", "a list", "a text box",
                                      "a list over a grid cell", "a text box over a grid cell"};
  return names[static_cast<int>(f)];
}

struct Window_Case {
  const char* name;
  std::function<kit::FormSlotBase&(Session&)> slot;
  // Opens it as the program does.
  std::function<void(Session&)> open;
  // The window's own button that closes it.
  std::function<kit::CommandButton*(kit::Form&)> close_button;
  // The main window's command that closes and opens it again; nullptr for none.
  void (j5::MDImain::*menu)() = nullptr;
  bool reloaded_on_switch = false;
  bool reloaded_on_file_load = false;
  friend void PrintTo(const Window_Case& c, std::ostream* os) { *os << c.name; }
};

template <class T>
std::function<kit::CommandButton*(kit::Form&)> Button(kit::CommandButton T::*button) {
  return [button](kit::Form& f) { return &(static_cast<T&>(f).*button); };
}

template <class T>
std::function<kit::FormSlotBase&(Session&)> Slot(kit::FormSlot<T> j5::Program::*slot) {
  return [slot](Session& s) -> kit::FormSlotBase& { return s.program.*slot; };
}

// Opens a window with the main window's command that opens it.
std::function<void(Session&)> Command(void (j5::MDImain::*command)()) {
  return [command](Session& s) { s.Run([&] { (s.Main().*command)(); }); };
}

std::vector<Way> Ways_Of(const Window_Case& w) {
  std::vector<Way> ways{Way::Close_Button, Way::Close_Box, Way::Exit};
  if (w.menu) ways.push_back(Way::Menu_Reload);
  if (w.reloaded_on_switch) ways.push_back(Way::Language_Switch);
  if (w.reloaded_on_file_load) ways.push_back(Way::File_Load);
  return ways;
}

bool Is_List(const kit::Control& c) {
  switch (c.kind()) {
    case ControlKind::ComboBox:
    case ControlKind::DriveListBox:
    case ControlKind::DirListBox:
    case ControlKind::FileListBox:
      return true;
    default:
      return false;
  }
}

// Gives the focus to a control of that kind, as a user does; false when the window has none. A
// cell's list or text box is the editor the window places over a grid cell the user clicks.
bool Give_Focus(kit::qt::QtPlatform& platform, kit::Form& form, Focus kind) {
  const bool cell = kind == Focus::Cell_List || kind == Focus::Cell_Text;
  auto wanted = [&](const kit::Control& c) {
    return kind == Focus::List || kind == Focus::Cell_List ? Is_List(c)
                                                           : c.kind() == ControlKind::TextBox;
  };
  kit::Control* target = kind == Focus::Its_Own ? platform.focused() : nullptr;
  if (target && &target->form() != &form) target = nullptr;
  for (kit::Control* c : form.controls()) {
    if (target) break;
    if (!c->focusable()) continue;
    if (!cell && wanted(*c)) target = c;
    if (!cell || c->kind() != ControlKind::Grid) continue;
    auto& grid = static_cast<kit::Grid&>(*c);
    auto* view = dynamic_cast<kit::qt::GridWidget*>(platform.widgetOf(grid));
    for (int col = grid.fixedCols(); view && col < grid.cols() && !target; ++col) {
      const QRect rect = view->cellRect(grid.fixedRows(), col);
      if (rect.isEmpty()) continue;
      qt_test::click(view->viewport(), rect.center());
      Settle(platform);
      if (!form.loaded()) return false;
      if (kit::Control* f = platform.focused(); f && f != c && wanted(*f)) target = f;
    }
  }
  if (!target) return false;
  // The program's window is the active one again, as the window system makes it once a message
  // box has closed.
  platform.mainWindow()->activateWindow();
  if (!cell && kind != Focus::Its_Own) target->userFocus();
  Settle(platform);
  EXPECT_EQ(platform.focused(), target) << target->name();
  // Qt's focus is there too: a window that goes takes it down with its widgets.
  QWidget* w = platform.widgetOf(*target);
  QWidget* focus = QApplication::focusWidget();
  EXPECT_TRUE(w && focus && (focus == w || w->isAncestorOf(focus))) << target->name();
  return true;
}

std::string Text_Of(const kit::Control& c) {
  return c.kind() == ControlKind::ComboBox ? static_cast<const kit::ComboBox&>(c).text()
                                           : static_cast<const kit::TextBox&>(c).text();
}

void Close(Session& s, const Window_Case& w, kit::Form& form, Way way) {
  switch (way) {
    case Way::Close_Button:
      qt_test::click(s.platform.widgetOf(*w.close_button(form)));
      break;
    case Way::Close_Box:
      s.platform.windowOf(form)->close();
      break;
    case Way::Exit:
      s.platform.actionOf(s.Main().Menu_Exit)->trigger();
      break;
    case Way::Menu_Reload:
      s.Run([&] { (s.Main().*w.menu)(); });
      break;
    case Way::Language_Switch:
      s.Run([&] {
        if (s.program.Chinese()) {
          s.Main().Language_eng_Click();
        } else {
          s.Main().Language_chn_Click();
        }
      });
      break;
    case Way::File_Load: {
      j5::test::TempDir dir;
      s.program.data.File_Path = dir / "radio.dat";
      s.Run([&] { j5::Param_File_Save(s.program); });
      s.Run([&] { j5::Param_File_Load(s.program); });
      break;
    }
  }
}

class Window_Close : public ::testing::TestWithParam<Window_Case>, protected Qt_Stage {};
class Window_Lifetime : public ::testing::Test, protected Qt_Stage {};

TEST_P(Window_Close, NothingOfQtReachesItsControlsOnceItIsGone) {
  const Window_Case& w = GetParam();
  for (Focus kind :
       {Focus::Its_Own, Focus::List, Focus::Text_Box, Focus::Cell_List, Focus::Cell_Text}) {
    for (Way way : Ways_Of(w)) {
      SCOPED_TRACE(Name(way) + " while " + Name(kind) + " has the focus");
      Session s(platform);
      w.open(s);
      kit::Form* form = w.slot(s).form();
      ASSERT_NE(form, nullptr) << "the window did not open";
      if (!Give_Focus(platform, *form, kind)) break;  // it has no such control
      QPointer<QWidget> window = platform.windowOf(*form);
      ASSERT_FALSE(window.isNull());
      Close(s, w, *form, way);
      Settle(platform);
      EXPECT_TRUE(window.isNull()) << "Qt kept the old window";
      const bool reloaded =
          way == Way::Menu_Reload || way == Way::Language_Switch || way == Way::File_Load;
      EXPECT_EQ(w.slot(s).loaded(), reloaded);
    }
  }
}

// Closes refused while an exchange with the radio runs leave every window whole: the read window
// refuses its close box, the main window refuses Exit, and the editor's box that has the focus
// still takes the user's keys. Once the exchange has ended, Exit takes every window down.
TEST_F(Window_Lifetime, ClosesRefusedDuringAnExchangeLeaveEveryWindowWhole) {
  simtest::SimProcess radio(J5_SIM_BIN, {});
  Session s(platform);
  // The start-up found no radio; the port is the simulator's from now on.
  struct Port {
    explicit Port(const std::string& path) { qputenv("J5_SERIAL_PORTS", path.c_str()); }
    ~Port() { qputenv("J5_SERIAL_PORTS", "/nonexistent/j5-test-port"); }
  } port(radio.ptyPath());
  s.program.data.Comm_Port = 1;
  s.Run([&] { s.Main().Optional_edit_Click(); });
  j5::frm_option& editor = *s.program.frm_option;
  s.Run([&] { s.Main().Prog_read_Click(); });
  j5::Form_Comm_Read& read = *s.program.Form_Comm_Read;
  std::vector<QPointer<QWidget>> windows{platform.windowOf(editor), platform.windowOf(read),
                                         platform.windowOf(*s.program.frm_chann)};
  qt_test::click(platform.widgetOf(read.Command_read));
  ASSERT_TRUE(s.program.Exchange_Running()) << boxes_.texts.join(" / ").toStdString();

  for (Focus kind : {Focus::List, Focus::Text_Box}) {
    SCOPED_TRACE(Name(kind) + " has the focus");
    ASSERT_TRUE(Give_Focus(platform, editor, kind));
    kit::Control& focused = *platform.focused();
    platform.windowOf(read)->close();
    Settle(platform);
    platform.actionOf(s.Main().Menu_Exit)->trigger();
    Settle(platform);
    ASSERT_TRUE(s.program.Exchange_Running()) << "the exchange ended too soon for the test";
    ASSERT_TRUE(s.program.Form_Comm_Read.loaded());
    ASSERT_TRUE(s.program.frm_option.loaded());
    const std::string before = Text_Of(focused);
    if (kind == Focus::List) {
      qt_test::key(platform.widgetOf(focused), Qt::Key_Down);
    } else {
      qt_test::key(platform.widgetOf(focused), Qt::Key_Backspace);
    }
    EXPECT_NE(Text_Of(focused), before) << "the box no longer takes keys";
  }

  // The read takes seconds on the wire. One that never ends fails here, with its own message,
  // after a number of turns of the loop far beyond a whole read, rather than at the harness's
  // time-out.
  for (int turn = 0; turn < 12000 && s.program.Exchange_Running(); ++turn) qt_test::pump(5);
  ASSERT_FALSE(s.program.Exchange_Running()) << "the read did not end";
  platform.actionOf(s.Main().Menu_Exit)->trigger();
  Settle(platform);
  EXPECT_FALSE(s.program.MDImain.loaded());
  for (const auto& w : windows) EXPECT_TRUE(w.isNull());
}

// A form destroyed while it is loaded (its slot goes with the window open) takes its window with
// it, and nothing of Qt reaches the controls on the way.
TEST_F(Window_Lifetime, AWindowWhoseFormGoesWhileOpenGoesWithIt) {
  Session s(platform);
  QPointer<QWidget> window;
  {
    kit::FormSlot<j5::frm_Adj_Tune> slot{
        [&] { return std::make_unique<j5::frm_Adj_Tune>(s.program); }};
    s.Run([&] { slot.show(); });
    ASSERT_TRUE(Give_Focus(platform, *slot, Focus::List));
    qt_test::key(platform.widgetOf(*platform.focused()), Qt::Key_Down);
    window = platform.windowOf(*slot);
  }
  Settle(platform);
  EXPECT_TRUE(window.isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Every_Window, Window_Close,
    ::testing::Values(
        Window_Case{
            "channels", Slot(&j5::Program::frm_chann), Command(&j5::MDImain::Channel_edit_Click),
            Button(&j5::frm_chann::Command_close), &j5::MDImain::Channel_edit_Click, true, true},
        Window_Case{
            "options", Slot(&j5::Program::frm_option), Command(&j5::MDImain::Optional_edit_Click),
            Button(&j5::frm_option::Command_close), &j5::MDImain::Optional_edit_Click, true, true},
        Window_Case{"dtmf", Slot(&j5::Program::frm_dtmf), Command(&j5::MDImain::Dtmf_edit_Click),
                    Button(&j5::frm_dtmf::Command_close), &j5::MDImain::Dtmf_edit_Click, true,
                    true},
        Window_Case{"open_file", Slot(&j5::Program::Form_open_chann),
                    Command(&j5::MDImain::File_Open_Click), Button(&j5::File_Dialog::Command_close),
                    &j5::MDImain::File_Open_Click, true},
        Window_Case{"save_file", Slot(&j5::Program::Form_save_chann),
                    Command(&j5::MDImain::File_save_Click), Button(&j5::File_Dialog::Command_close),
                    &j5::MDImain::File_save_Click, true},
        Window_Case{"port", Slot(&j5::Program::Form_setup), Command(&j5::MDImain::proc_setup_Click),
                    Button(&j5::Form_setup::Command1), nullptr, true},
        Window_Case{
            "read", Slot(&j5::Program::Form_Comm_Read), Command(&j5::MDImain::Prog_read_Click),
            Button(&j5::Form_Comm_Read::Command_Cancel), &j5::MDImain::Prog_read_Click, true},
        Window_Case{
            "write", Slot(&j5::Program::Form_Comm_Write), Command(&j5::MDImain::Prog_write_Click),
            Button(&j5::Form_Comm_Write::Command_Cancel), &j5::MDImain::Prog_write_Click, true},
        Window_Case{"password", Slot(&j5::Program::Form_Write_PassWord),
                    Command(&j5::MDImain::PC_PassWord_Click),
                    Button(&j5::Form_Write_PassWord::Command_Cancel),
                    &j5::MDImain::PC_PassWord_Click},
        Window_Case{"model", Slot(&j5::Program::Form_type), Command(&j5::MDImain::Band_Range_Click),
                    Button(&j5::Form_type::Command_Cancel), &j5::MDImain::Band_Range_Click},
        Window_Case{"about", Slot(&j5::Program::frmAbout), Command(&j5::MDImain::about_Click),
                    Button(&j5::frmAbout::cmdOk)},
        Window_Case{"adjustment", Slot(&j5::Program::frm_Adj_Txp),
                    Command(&j5::MDImain::Adj_Edit_Click), Button(&j5::frm_Adj_Txp::Command_close)},
        Window_Case{"two_tone", Slot(&j5::Program::frm_2tone), Command(&j5::MDImain::Load_2tone),
                    Button(&j5::frm_2tone::Command_close)},
        Window_Case{"five_tone", Slot(&j5::Program::frm_5tone), Command(&j5::MDImain::Load_5tone),
                    Button(&j5::frm_5tone::Command_close)},
        Window_Case{"fm", Slot(&j5::Program::frm_FM), Command(&j5::MDImain::Load_FM),
                    Button(&j5::frm_FM::Command_close)},
        Window_Case{"option_copy_mod", [](Session& s) -> kit::FormSlotBase& { return s.adj_mod; },
                    [](Session& s) { s.Run([&] { s.adj_mod.show(); }); },
                    Button(&j5::frm_Adj_Mod::Command_close)},
        Window_Case{"option_copy_tune", [](Session& s) -> kit::FormSlotBase& { return s.adj_tune; },
                    [](Session& s) { s.Run([&] { s.adj_tune.show(); }); },
                    Button(&j5::frm_Adj_Tune::Command_close)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
