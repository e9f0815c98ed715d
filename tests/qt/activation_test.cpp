// Which window is in front once a dialog, a transfer window or a message box closes, in the real
// program on the Qt platform offscreen with the real MDI area: the window that was active before
// it, whatever order the windows were made in, and whether Qt takes the closed window down before
// or after the program's own events run. Where the next key goes is where the user looks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "editors/adjust/frm_Adj_Txp.h"
#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/options/frm_option.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/Form_setup.h"
#include "program_session.h"
#include "shell/file_dialogs.h"
#include "shell/param_file.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using qt_test::Session;
using qt_test::Settle;

using Slot_Of = std::function<kit::FormSlotBase&(Session&)>;

template <class T>
Slot_Of Slot(kit::FormSlot<T> j5::Program::*slot) {
  return [slot](Session& s) -> kit::FormSlotBase& { return s.program.*slot; };
}

QMdiArea* Area(Session& s) {
  return s.platform.mainWindow()->findChild<QMdiArea*>();
}

// The windows shown, from the back to the front.
std::vector<QMdiSubWindow*> Stacking(Session& s) {
  std::vector<QMdiSubWindow*> out;
  for (QMdiSubWindow* w : Area(s)->subWindowList(QMdiArea::StackingOrder))
    if (w->isVisible()) out.push_back(w);
  return out;
}

// The user chooses a menu entry of the main window.
void Choose(Session& s, kit::Menu j5::MDImain::*entry) {
  s.platform.actionOf(s.Main().*entry)->trigger();
  Settle(s.platform);
}

// The user clicks a button of a window.
void Press(Session& s, kit::CommandButton& button) {
  qt_test::click(s.platform.widgetOf(button));
}

// The user clicks into the name box, selects its text and types over it.
void Type_Name(Session& s, j5::File_Dialog& dialog, const QString& name) {
  auto* edit = qobject_cast<QLineEdit*>(s.platform.widgetOf(dialog.Text1));
  ASSERT_NE(edit, nullptr);
  qt_test::click(edit);
  edit->selectAll();
  qt_test::type(edit, name);
}

// The windows the user works in, each left active by the way a user gets there; the windows made
// before it are made in another order than the user went through them.
struct Start {
  const char* name;
  std::function<void(Session&)> open;
  Slot_Of active;
};

const Start kOptions{"options", [](Session& s) { Choose(s, &j5::MDImain::Optional_edit); },
                     Slot(&j5::Program::frm_option)};
const Start kDtmf{"dtmf",
                  [](Session& s) {
                    Choose(s, &j5::MDImain::Optional_edit);
                    Choose(s, &j5::MDImain::Dtmf_edit);
                  },
                  Slot(&j5::Program::frm_dtmf)};
// The channel window made first, then the option window, and the user clicks the channel window.
const Start kChannels{"channels",
                      [](Session& s) {
                        Choose(s, &j5::MDImain::Optional_edit);
                        Area(s)->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(
                            s.platform.windowOf(*s.program.frm_chann)));
                        Settle(s.platform);
                      },
                      Slot(&j5::Program::frm_chann)};
// The adjustment editor, which no visible menu opens, over the option window.
const Start kAdjustment{"adjustment",
                        [](Session& s) {
                          Choose(s, &j5::MDImain::Optional_edit);
                          s.Run([&] { s.Main().Adj_Edit_Click(); });
                        },
                        Slot(&j5::Program::frm_Adj_Txp)};

// A dialog the user opens from there, and how it closes.
struct Dialog {
  const char* name;
  std::function<void(Session&)> open;
  Slot_Of slot;
  std::function<void(Session&, kit::Form&)> close;
  bool rebuilds = false;
};

std::function<void(Session&, kit::Form&)> Cancel_File() {
  return [](Session& s, kit::Form& f) { Press(s, static_cast<j5::File_Dialog&>(f).Command_close); };
}
std::function<void(Session&, kit::Form&)> Confirm_File() {
  return [](Session& s, kit::Form& f) {
    auto& dialog = static_cast<j5::File_Dialog&>(f);
    const bool adj = dialog.Dialog_Kind() == j5::File_Dialog::Kind::Form_open_adj ||
                     dialog.Dialog_Kind() == j5::File_Dialog::Kind::Form_save_adj;
    ASSERT_NO_FATAL_FAILURE(Type_Name(s, dialog, adj ? "radio.adj" : "radio.dat"));
    Press(s, dialog.Command_enter);
  };
}

std::vector<Dialog> Dialogs_Over(const Start& start) {
  auto menu = [](kit::Menu j5::MDImain::*entry) {
    return [entry](Session& s) { Choose(s, entry); };
  };
  std::vector<Dialog> out{
      {"File > Open, cancelled", menu(&j5::MDImain::File_Open), Slot(&j5::Program::Form_open_chann),
       Cancel_File()},
      {"File > Save, cancelled", menu(&j5::MDImain::File_save), Slot(&j5::Program::Form_save_chann),
       Cancel_File()},
      {"File > Save, confirmed", menu(&j5::MDImain::File_save), Slot(&j5::Program::Form_save_chann),
       Confirm_File()},
      {"the read window, cancelled", menu(&j5::MDImain::Prog_read),
       Slot(&j5::Program::Form_Comm_Read),
       [](Session& s, kit::Form& f) {
         Press(s, static_cast<j5::Form_Comm_Read&>(f).Command_Cancel);
       }},
      {"the write window, cancelled", menu(&j5::MDImain::Prog_write),
       Slot(&j5::Program::Form_Comm_Write),
       [](Session& s, kit::Form& f) {
         Press(s, static_cast<j5::Form_Comm_Write&>(f).Command_Cancel);
       }},
      {"the port window, cancelled", menu(&j5::MDImain::proc_setup), Slot(&j5::Program::Form_setup),
       [](Session& s, kit::Form& f) { Press(s, static_cast<j5::Form_setup&>(f).Command1); }},
      {"the port window, confirmed", menu(&j5::MDImain::proc_setup), Slot(&j5::Program::Form_setup),
       [](Session& s, kit::Form& f) { Press(s, static_cast<j5::Form_setup&>(f).Command_ok); }},
  };
  // A confirmed File > Open rebuilds the channel, option and DTMF windows in that order, and the
  // last one rebuilt comes in front: the one the user was in, where it is the last of them.
  if (start.name != kChannels.name)
    out.push_back({"File > Open, confirmed", menu(&j5::MDImain::File_Open),
                   Slot(&j5::Program::Form_open_chann), Confirm_File(), true});
  if (start.name == kAdjustment.name) {
    auto button = [](kit::CommandButton j5::frm_Adj_Txp::*b) {
      return [b](Session& s) {
        Press(s, (*s.program.frm_Adj_Txp).*b);
        Settle(s.platform);
      };
    };
    for (bool open : {true, false}) {
      const auto b = open ? &j5::frm_Adj_Txp::Command_open : &j5::frm_Adj_Txp::Command_save;
      const auto slot =
          open ? Slot(&j5::Program::Form_open_adj) : Slot(&j5::Program::Form_save_adj);
      out.push_back({open ? "its Open dialog, cancelled" : "its Save dialog, cancelled", button(b),
                     slot, Cancel_File()});
      out.push_back({open ? "its Open dialog, confirmed" : "its Save dialog, confirmed", button(b),
                     slot, Confirm_File()});
    }
  }
  return out;
}

class Front_Window : public ::testing::Test, protected qt_test::Qt_Stage {
 protected:
  Front_Window() {
    // The file dialogs open on the program's current directory, where radio.dat is ready to open.
    fs::current_path(dir.path());
  }
  ~Front_Window() override { fs::current_path(start_dir); }

  // The program's window is the active one, as the window system makes it once a message box has
  // closed (offscreen, Qt does not).
  static void Window_System_Activates(Session& s) {
    if (QApplication::activeWindow() == s.platform.mainWindow()) return;
    s.platform.mainWindow()->activateWindow();
    Settle(s.platform);
  }

  // Qt deletes the closed window before the program's loop next runs. The window it then makes
  // active is no choice of the user's: nothing of the program runs inside Qt's deletion, and the
  // program makes the window active before the one that closed when its loop runs.
  static void Qt_Deletes_First(Session& s) {
    ASSERT_EQ(s.platform.activeForm(), nullptr) << "nothing active between the close and the loop";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(s.platform.activeForm(), nullptr) << "the program ran inside Qt's deletion";
  }

  // The window in front, the kit's active window and the window that has Qt's focus are the one
  // expected.
  static void Expect_In_Front(Session& s, kit::Form& expected) {
    Window_System_Activates(s);
    QWidget* window = s.platform.windowOf(expected);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(s.platform.activeForm(), &expected) << "the kit's active window";
    EXPECT_EQ(Area(s)->activeSubWindow(), window) << "the window in front";
    EXPECT_TRUE(window->isVisible());
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus && window->isAncestorOf(focus)) << "the focus is elsewhere";
  }

  const fs::path start_dir = fs::current_path();
  j5::test::TempDir dir;
};

// Qt may take a closed window down before the program's loop next runs, or after it.
enum class First { Program, Qt };

TEST_F(Front_Window, TheWindowActiveBeforeADialogIsActiveOnceItCloses) {
  for (const Start* start : {&kOptions, &kDtmf, &kChannels, &kAdjustment}) {
    for (const Dialog& dialog : Dialogs_Over(*start)) {
      for (First first : {First::Program, First::Qt}) {
        SCOPED_TRACE(std::string(dialog.name) + " over the " + start->name + " window, " +
                     (first == First::Qt ? "Qt" : "the program") + " first");
        Session s(platform);
        s.program.data.File_Path = dir / "radio.dat";
        s.Run([&] { j5::Param_File_Save(s.program); });
        Window_System_Activates(s);
        start->open(s);
        kit::Form* before = start->active(s).form();
        ASSERT_NE(before, nullptr);
        ASSERT_EQ(platform.activeForm(), before);
        const auto stacked = Stacking(s);
        dialog.open(s);
        kit::Form* shown = dialog.slot(s).form();
        ASSERT_NE(shown, nullptr) << "the dialog did not open";
        ASSERT_EQ(platform.activeForm(), shown);

        ASSERT_NO_FATAL_FAILURE(dialog.close(s, *shown));
        if (first == First::Qt) Qt_Deletes_First(s);
        Settle(platform);
        ASSERT_FALSE(dialog.slot(s).loaded()) << "the dialog did not close";
        kit::Form* after = start->active(s).form();
        ASSERT_NE(after, nullptr);
        Expect_In_Front(s, *after);
        // Nor did any other window move over another; only a file load rebuilds windows.
        if (!dialog.rebuilds) {
          EXPECT_EQ(Stacking(s), stacked);
        }
      }
    }
  }
}

// A dialog the user left open with a name typed stays in front, name and all, when a window opened
// over it closes.
TEST_F(Front_Window, ADialogLeftOpenComesBackInFrontOfTheWindowsMadeBeforeIt) {
  for (First first : {First::Program, First::Qt}) {
    SCOPED_TRACE(first == First::Qt ? "Qt first" : "the program first");
    Session s(platform);
    Window_System_Activates(s);
    kOptions.open(s);
    Choose(s, &j5::MDImain::File_save);
    j5::File_Dialog& save = *s.program.Form_save_chann;
    ASSERT_NO_FATAL_FAILURE(Type_Name(s, save, "kept.dat"));
    Choose(s, &j5::MDImain::Prog_write);
    Press(s, s.program.Form_Comm_Write->Command_Cancel);
    if (first == First::Qt) Qt_Deletes_First(s);
    Settle(platform);
    ASSERT_TRUE(s.program.Form_save_chann.loaded());
    Expect_In_Front(s, save);
    EXPECT_EQ(save.Text1.text(), "kept.dat");

    // A message box over it (the name refused) gives it the focus back as well.
    ASSERT_NO_FATAL_FAILURE(Type_Name(s, save, "*.dat"));
    Press(s, save.Command_enter);
    Settle(platform);
    EXPECT_EQ(boxes_.texts.back().toStdString(), "保存文件所需要的文件名无效 ");
    Expect_In_Front(s, save);
  }
}

}  // namespace
