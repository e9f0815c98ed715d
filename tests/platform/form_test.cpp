// Rules 6, 9 and 10: form lifetime, message boxes, errors; the main
// window's menus, toolbar and status bar.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "test_window.h"

namespace {

using kit_test::Fixture;
using kit_test::Log;
using kit_test::TestWindow;

TEST(Form, LoadsOnceShowsFromLoadAndActivatesAfterLoadReturned) {
  Fixture f;
  TestWindow& w = f.slot.load();
  EXPECT_EQ(f.log.joined(), "Load");  // Activate is queued, not nested
  EXPECT_TRUE(w.shown());
  EXPECT_EQ(&f.slot.load(), &w);
  f.platform.runUntilIdle();
  EXPECT_EQ(f.log.joined(), "Load Activate Text1.GotFocus");
}

TEST(Form, UnloadMayBeCancelledAndANewLoadBuildsAFreshForm) {
  Fixture f;
  TestWindow* first = &f.open();
  ASSERT_EQ(f.driver.focused(), &first->Text1);
  first->Text1.setText("shown");
  first->cancelUnload = 1;
  EXPECT_FALSE(f.slot.unload());
  // The close box runs the leave of the box that has the focus before the window goes, where the
  // user has typed into it: a text the program put there waits for nothing.
  EXPECT_FALSE(f.driver.close(*first));
  EXPECT_TRUE(f.slot.loaded());
  f.driver.selectAll();
  f.driver.paste("old");
  first->cancelUnload = 0;
  EXPECT_TRUE(f.driver.close(*first));
  EXPECT_FALSE(f.slot.loaded());
  EXPECT_EQ(f.slot.get(), nullptr);
  EXPECT_TRUE(f.slot.unload());  // not loaded: nothing
  TestWindow& second = f.slot.load();
  EXPECT_EQ(second.Text1.text(), "");
  EXPECT_EQ(f.log.joined(),
            "Text1.Change:shown Unload Unload Text1.Change:old Text1.LostFocus Unload Load");
}

TEST(Form, UnloadStopsTimersClosesPortsAndDropsPendingEvents) {
  Fixture f;
  f.platform.addPort(3);
  TestWindow& w = f.slot.load();  // its Activate is still queued
  w.Timer1.Tick = [&] { f.log("tick"); };
  w.Timer1.setInterval(100);
  w.MSC.setCommPort(3);
  w.MSC.setPortOpen(true);
  EXPECT_TRUE(f.platform.serialHeld(3));
  f.slot.unload();
  f.driver.advance(500);
  EXPECT_EQ(f.log.joined(), "Load Unload");
  EXPECT_FALSE(f.platform.serialHeld(3));
}

TEST(Form, UnloadingItselfInsideItsOwnClickHandlerFinishesTheHandler) {
  Fixture f;
  TestWindow& w = f.open();
  w.Command1.Click = [&] {
    w.unload();
    // The object lives on until the handler is done.
    w.Text1.setText("after");
    f.log(f.slot.loaded() ? "loaded" : "gone");
  };
  f.driver.click(w.Command1);
  EXPECT_EQ(f.log.joined(), "Text1.LostFocus Command1.GotFocus Unload Text1.Change:after gone");
  EXPECT_FALSE(f.slot.loaded());
}

TEST(Form, UserActivationQueuesActivateAndMessageBoxesRaiseNone) {
  Fixture f;
  Log log2;
  kit::FormSlot<TestWindow> other{[&] { return std::make_unique<TestWindow>(f.platform, log2); }};
  TestWindow& a = f.open();
  TestWindow& b = other.load();
  b.Deactivate = [&] { log2("Deactivate"); };
  f.platform.runUntilIdle();
  EXPECT_EQ(f.platform.activeForm(), &b);
  f.log.clear();
  f.driver.activate(a);
  f.driver.activate(a);  // already active: nothing
  a.Command1.Click = [&] { f.platform.messageBox("note"); };
  f.driver.click(a.Command1);
  EXPECT_EQ(f.log.joined(), "Activate Text1.GotFocus Text1.LostFocus Command1.GotFocus");
  // The window left hears of it first, then its control loses the focus.
  EXPECT_EQ(log2.joined(), "Load Activate Text1.GotFocus Deactivate Text1.LostFocus");
  EXPECT_EQ(f.driver.lastMessageBox().text, "note");
}

// The window active before the one that closes becomes active again: the order the user went
// through the windows, not the order they were made in. Closing a window that is not active
// activates none.
TEST(Form, ClosingTheActiveWindowActivatesThePreviousOne) {
  Fixture f;
  Log logs[3];
  std::vector<std::unique_ptr<kit::FormSlot<TestWindow>>> slots;
  for (Log& log : logs)
    slots.push_back(std::make_unique<kit::FormSlot<TestWindow>>(
        [&] { return std::make_unique<TestWindow>(f.platform, log); }));
  for (auto& slot : slots) slot->load();
  f.platform.runUntilIdle();
  TestWindow& first = **slots[0];
  f.driver.activate(first);
  TestWindow& dialog = f.open();
  ASSERT_EQ(f.platform.activeForm(), &dialog);
  for (Log& log : logs) log.clear();
  f.driver.close(dialog);
  EXPECT_EQ(logs[0].joined(), "Activate Text1.GotFocus");
  EXPECT_EQ(logs[2].joined(), "");
  EXPECT_EQ(f.platform.activeForm(), &first);
  f.driver.close(**slots[2]);
  f.driver.close(**slots[1]);
  EXPECT_EQ(f.platform.activeForm(), &first);
  EXPECT_EQ(logs[0].joined(), "Activate Text1.GotFocus");
}

TEST(MessageBox, RecordsTheBoxAndLetsTimersRunWhileOpenOnlyWhenAsked) {
  Fixture f;
  TestWindow& w = f.open();
  w.Timer1.Tick = [&] { f.log("tick@" + std::to_string(int(f.platform.nowMs()))); };
  w.Timer1.setInterval(100);
  w.Command1.Click = [&] {
    f.platform.messageBox("Fail connect with transceiver.", "Operate prompt",
                          kit::MsgIcon::Exclamation);
    f.log("closed");
  };
  f.driver.click(w.Command1);  // answered at once, no time passes
  f.platform.onMessageBox = [&](const kit::MessageBoxRecord&) { f.platform.advance(250); };
  f.driver.click(w.Command1);
  EXPECT_EQ(f.log.joined(), "Text1.LostFocus Command1.GotFocus closed tick@100 tick@200 closed");
  ASSERT_EQ(f.driver.messageBoxes().size(), 2u);
  const auto& box = f.driver.messageBoxes()[0];
  EXPECT_EQ(box.text, "Fail connect with transceiver.");
  EXPECT_EQ(box.title, "Operate prompt");
  EXPECT_EQ(box.icon, kit::MsgIcon::Exclamation);
}

TEST(Errors, AnExceptionInAHandlerIsReportedAndTheProgramGoesOn) {
  Fixture f;
  TestWindow& w = f.open();
  w.Text1.Change = [&] { throw std::runtime_error("Type mismatch"); };
  w.Timer1.Tick = [&] {
    f.log("tick");
    throw std::out_of_range("Subscript out of range");
  };
  w.Timer1.setInterval(10);
  w.Command1.Click = [&] {
    w.Text1.setText("x");  // the nested handler fails; this one goes on
    f.log("click done");
  };
  f.driver.click(w.Command1);
  f.driver.advance(25);
  EXPECT_EQ(f.log.joined(), "Text1.LostFocus Command1.GotFocus click done tick tick");
  ASSERT_EQ(f.driver.messageBoxes().size(), 3u);
  EXPECT_EQ(f.driver.messageBoxes()[0].text, "Type mismatch");
  EXPECT_EQ(f.driver.messageBoxes()[2].text, "Subscript out of range");
}

// A main window with a menu tree, toolbar and status bar, and one child.
class MainWindow : public kit::MdiForm {
 public:
  MainWindow(kit::Platform& p, Log& log) : MdiForm(p, "MDImain"), log(log) {
    File.setCaption("File");
    File_Open.setCaption("Open");
    File_Open.setShortcut("Ctrl+O");
    File_Open.Click = [this] { this->log("File_Open"); };
    Band_Range.setVisible(false);
    Band_Range.setEnabled(false);
    Band_Range.Click = [this] { this->log("Band_Range"); };
    Menu_Exit.Click = [this] { this->log("Menu_Exit"); };
    Toolbar1.addButton("open", "Open Parameter file", "open");
    Toolbar1.addButton("exit", "Exit", "exit");
    Toolbar1.ButtonClick = [this](const kit::ToolbarButton& b) { this->log("tool:" + b.key); };
    StatusBar1.setPanelCount(11);
    Load = [this] { show(); };
  }
  Log& log;
  kit::Menu File{*this, "File"};
  kit::Menu File_Open{*this, "File_Open", &File};
  kit::Menu Band_Range{*this, "Band_Range"};
  kit::Menu Menu_Exit{*this, "Menu_Exit"};
  kit::Toolbar Toolbar1{*this, "Toolbar1"};
  kit::StatusBar StatusBar1{*this, "StatusBar1"};
};

TEST(MdiForm, MenusToolbarStatusBarAndUnloadingItUnloadsEveryChild) {
  kit::HeadlessPlatform p;
  kit::Driver d(p);
  Log log;
  kit::FormSlot<MainWindow> main{[&] { return std::make_unique<MainWindow>(p, log); }};
  MainWindow& m = main.load();
  kit::FormSlot<TestWindow> child{[&] { return std::make_unique<TestWindow>(p, log, &m); }};
  child.load();
  p.runUntilIdle();
  log.clear();

  d.click(m.File);  // opens its menu
  d.click(m.File_Open);
  d.shortcut(m, "Ctrl+O");
  d.shortcut(m, "Ctrl+N");  // no entry
  d.click(m.Band_Range);    // hidden
  d.click(m.Menu_Exit);     // menu-bar entry without children
  d.clickToolbar(m.Toolbar1, "exit");
  m.StatusBar1.panel(3).setText("COM7");
  EXPECT_EQ(log.joined(), "File_Open File_Open Menu_Exit tool:exit");
  EXPECT_EQ(kit::Driver::statusPanel(m.StatusBar1, 3), "COM7");
  EXPECT_THROW(m.StatusBar1.panel(12), std::out_of_range);
  EXPECT_LT(m.scaleHeight(), m.height() - kit::Form::kFrameHeight - kit::Toolbar::kHeight);

  log.clear();
  child->cancelUnload = 1;
  EXPECT_FALSE(main.unload());
  EXPECT_TRUE(main.loaded());
  child->cancelUnload = 0;
  EXPECT_TRUE(main.unload());
  EXPECT_FALSE(child.loaded());
  EXPECT_EQ(log.joined(), "Unload Unload");
}

}  // namespace
