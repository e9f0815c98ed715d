// What a user does to the widgets reaches the kit as the same events as on
// the headless platform, and what the code sets shows on the widgets.
#include <unistd.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTextLayout>
#include <filesystem>
#include <fstream>

#include "platform/qt/grid_widget.h"
#include "platform/qt/qt_util.h"
#include "tests/qt/qt_fixture.h"

namespace qt_test {
namespace {

using Controls = QtFixture;

TEST_F(Controls, TypedKeysGoThroughKeyPressWhichMayChangeOrSwallowThem) {
  ChildWindow& w = open();
  auto* edit = widget<QLineEdit>(w.Text1);
  ASSERT_NE(edit, nullptr);
  click(edit);
  type(edit, "axb");
  EXPECT_EQ(w.Text1.text(), "AB");
  EXPECT_EQ(edit->text(), "AB");
  key(edit, Qt::Key_Backspace);
  EXPECT_EQ(w.Text1.text(), "A");
  EXPECT_EQ(log.joined(),
            "Text1.KeyPress:97 Text1.Change:A Text1.KeyPress:120 Text1.KeyPress:98 "
            "Text1.Change:AB Text1.KeyPress:8 Text1.Change:A");
  // Delete does not pass KeyPress; Qt's own editing shortcuts change nothing.
  log.clear();
  key(edit, Qt::Key_Home);
  key(edit, Qt::Key_Delete);
  key(edit, Qt::Key_Z, "\x1a", Qt::ControlModifier);
  EXPECT_EQ(w.Text1.text(), "");
  EXPECT_EQ(edit->text(), "");
  EXPECT_EQ(log.joined(), "Text1.Change:");
}

// KeyPress already knows the selection the key replaces: a length limit counts the text as the
// key will leave it, or the text the key lands in.
TEST_F(Controls, CaretAndSelectionMadeInTheWidgetAreTheKitsOnes) {
  ChildWindow& w = open();
  std::string seen, landing;
  w.Text1.KeyPress = [&](int& key) {
    seen = w.Text1.textAfterKey(key);
    landing = w.Text1.textWithoutSelection();
  };
  w.Text1.setText("1234");
  auto* edit = widget<QLineEdit>(w.Text1);
  click(edit);
  edit->setSelection(1, 2);  // as a mouse drag over "23"
  type(edit, "9");
  EXPECT_EQ(seen, "194");
  EXPECT_EQ(landing, "14");
  EXPECT_EQ(w.Text1.text(), "194");
  EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST_F(Controls, PickingAComboItemRaisesClickAndTypingRaisesChange) {
  ChildWindow& w = open();
  auto* combo = widget<QComboBox>(w.Combo1);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->currentText(), "");  // AddItem selects nothing
  mouse(combo, QEvent::MouseButtonPress, combo->rect().center());
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  const QPoint at = view->visualRect(combo->model()->index(1, 0)).center();
  mouse(view->viewport(), QEvent::MouseButtonPress, at);
  mouse(view->viewport(), QEvent::MouseButtonRelease, at);
  EXPECT_EQ(w.Combo1.listIndex(), 1);
  EXPECT_EQ(log.joined(), "Combo1.Click:DCS");
  EXPECT_EQ(combo->currentText(), "DCS");

  log.clear();
  key(combo, Qt::Key_End);
  type(combo, "x");
  EXPECT_EQ(w.Combo1.text(), "DCSx");
  EXPECT_EQ(w.Combo1.listIndex(), -1);
  EXPECT_EQ(combo->lineEdit()->text(), "DCSx");
  key(combo, Qt::Key_Down);  // the next item, as a pick by keyboard
  EXPECT_EQ(log.joined(), "Combo1.Change:DCSx Combo1.Click:CTCSS");
}

TEST_F(Controls, ButtonsCheckBoxesOptionsAndTabsClickThroughTheKit) {
  ChildWindow& w = open();
  click(widget(w.Command1));
  click(widget(w.Check1));
  click(widget(w.Option2));
  auto* tabs = widget(w.TabStrip1)->findChild<QTabBar*>();
  ASSERT_NE(tabs, nullptr);
  click(tabs, tabs->tabRect(1).center());
  EXPECT_EQ(log.joined(), "Command1.Click Check1.Click:1 Option2.Click TabStrip1.Click:b");
  EXPECT_TRUE(widget<QCheckBox>(w.Check1)->isChecked());
  EXPECT_TRUE(widget<QRadioButton>(w.Option2)->isChecked());
  EXPECT_FALSE(widget<QRadioButton>(w.Option1)->isChecked());
  EXPECT_EQ(tabs->currentIndex(), 1);
  // Clicking the chosen option again changes nothing, though Qt would
  // untick a radio button of its own.
  log.clear();
  click(widget(w.Option2));
  EXPECT_EQ(log.joined(), "");
  EXPECT_TRUE(widget<QRadioButton>(w.Option2)->isChecked());
}

TEST_F(Controls, AltAndTheAccessLetterClicksTheButton) {
  ChildWindow& w = open();
  w.Text1.setFocus();
  log.clear();
  key(widget(w.Text1), Qt::Key_R, "r", Qt::AltModifier);
  EXPECT_EQ(log.joined(), "Text1.LostFocus Command1.Click");
  EXPECT_EQ(platform.focused(), &w.Command1);
}

TEST_F(Controls, FocusHeldByLostFocusDropsTheClickAndKeepsQtFocus) {
  ChildWindow& w = open();
  w.Text1.setFocus();
  pump(10);
  w.holdText1 = true;
  click(widget(w.Command1));
  EXPECT_EQ(log.joined(), "Text1.LostFocus");
  EXPECT_EQ(platform.focused(), &w.Text1);
  EXPECT_EQ(QApplication::focusWidget(), widget(w.Text1));
}

TEST_F(Controls, GridClickRaisesLeaveCellThenClickAndDoubleClickFollows) {
  ChildWindow& w = open();
  auto* grid = dynamic_cast<kit::qt::GridWidget*>(widget(w.Grid1));
  ASSERT_NE(grid, nullptr);
  const QRect cell = grid->cellRect(3, 2);
  ASSERT_FALSE(cell.isEmpty());
  // Cells are drawn where the kit measures them.
  EXPECT_EQ(cell.x(), kit::qt::px(w.Grid1.colPos(2)));
  EXPECT_EQ(cell.y(), kit::qt::px(w.Grid1.rowPos(3)));
  doubleClick(grid->viewport(), cell.center());
  EXPECT_EQ(log.joined(), "LeaveCell(1,1) Click(3,2) DblClick");
  EXPECT_EQ(w.Grid1.mouseRow(), 3);
  log.clear();
  key(grid, Qt::Key_Down);  // a move, not a click
  EXPECT_EQ(log.joined(), "LeaveCell(3,2)");
  EXPECT_EQ(w.Grid1.row(), 4);
  // Dragging the scroll bar scrolls the kit's grid; the code's TopRow
  // moves the bar without a second Scroll.
  log.clear();
  grid->verticalScrollBar()->setValue(10);
  EXPECT_EQ(w.Grid1.topRow(), 10);
  w.Grid1.setTopRow(5);
  EXPECT_EQ(grid->verticalScrollBar()->value(), 5);
  EXPECT_EQ(log.joined(), "Scroll:10 Scroll:5");
}

TEST_F(Controls, TabKeyFollowsTheKitsTabOrder) {
  ChildWindow& w = open();
  w.Text1.setFocus();
  pump(10);
  w.Command1.setTabIndex(w.Text1.tabIndex() + 1);  // next after Text1
  w.Text2.setTabIndex(99);
  key(widget(w.Text1), Qt::Key_Tab);
  EXPECT_EQ(platform.focused(), &w.Command1);
  EXPECT_EQ(QApplication::focusWidget(), widget(w.Command1));
  // The button reached by the keyboard draws its focus cue, as Qt's own Tab makes it do.
  QStyleOptionButton option;
  option.initFrom(widget(w.Command1));
  EXPECT_TRUE(option.state & QStyle::State_HasFocus);
  EXPECT_TRUE(option.state & QStyle::State_KeyboardFocusChange);
  key(widget(w.Command1), Qt::Key_Backtab, {}, Qt::ShiftModifier);
  EXPECT_EQ(platform.focused(), &w.Text1);
}

// Qt does not pick where the focus goes when the focused control hides: the kit's next control in
// tab order gets it, and shows its focus cue; a key then reaches that control only.
TEST_F(Controls, AHiddenFocusedControlPassesTheFocusWhereTheKitSays) {
  ChildWindow& w = open();
  w.Text1.setFocus();
  pump(10);
  w.Command1.setTabIndex(w.Text1.tabIndex() + 1);  // Qt's own next would be Text2
  w.Text2.setTabIndex(99);
  log.clear();
  w.Text1.setVisible(false);
  pump(10);
  EXPECT_EQ(platform.focused(), &w.Command1);
  EXPECT_EQ(QApplication::focusWidget(), widget(w.Command1));
  QStyleOptionButton option;
  option.initFrom(widget(w.Command1));
  EXPECT_TRUE(option.state & QStyle::State_KeyboardFocusChange);
  EXPECT_EQ(log.joined(), "Text1.LostFocus");

  // A key that Qt delivers to a button the kit did not give the focus to moves the focus there
  // and presses nothing.
  w.Text2.setFocus();
  pump(10);
  log.clear();
  key(widget(w.Command1), Qt::Key_Return);
  EXPECT_EQ(platform.focused(), &w.Command1);
  EXPECT_EQ(log.joined(), "");
  key(widget(w.Command1), Qt::Key_Return);
  EXPECT_EQ(log.joined(), "Command1.Click");

  // With no control left to take it, no widget of the window keeps it either.
  for (kit::Control* c : std::vector<kit::Control*>{&w.Frame1, &w.Text2, &w.Combo1, &w.Check1,
                                                    &w.TabStrip1, &w.Grid1})
    c->setVisible(false);
  w.Command1.setEnabled(false);
  pump(10);
  EXPECT_EQ(platform.focused(), nullptr);
  QWidget* focus = QApplication::focusWidget();
  for (kit::Control* c : w.controls()) EXPECT_NE(focus, widget(*c)) << c->name();
}

TEST_F(Controls, PropertiesSetByCodeShowWithoutComingBackAsEvents) {
  ChildWindow& w = open();
  w.Text1.setText("145.000");
  w.Combo1.setListIndex(2);
  w.Check1.setValue(2);
  w.Label1.setCaption("读写频率");
  w.Label1.setAlignment(kit::Align::Right);
  w.Label1.setBackColor(0x0000FF);  // red, as 0x00BBGGRR
  w.Text1.setBackColor(kit::systemColor(15));
  w.ProgressBar1.setValue(40);
  w.TabStrip1.setSelectedIndex(2);
  w.Command1.setEnabled(false);
  w.Frame1.setVisible(false);
  w.Text2.setText("secret");
  w.Label1.move(240, 150, 1500, 300);
  w.Grid1.setTextMatrix(1, 1, "1");
  pump(20);
  EXPECT_EQ(log.joined(), "Text1.Change:145.000 Combo1.Click:关 Check1.Click:2 TabStrip1.Click:b");

  EXPECT_EQ(widget<QLineEdit>(w.Text1)->text(), "145.000");
  EXPECT_EQ(widget<QComboBox>(w.Combo1)->currentIndex(), 2);
  EXPECT_EQ(widget<QComboBox>(w.Combo1)->currentText(), "关");
  EXPECT_EQ(widget<QCheckBox>(w.Check1)->checkState(), Qt::PartiallyChecked);
  auto* label = widget<QLabel>(w.Label1);
  EXPECT_EQ(label->text(), "读写频率");
  EXPECT_TRUE(label->alignment() & Qt::AlignRight);
  EXPECT_EQ(label->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_EQ(widget(w.Text1)->palette().color(QPalette::Base),
            QApplication::palette().color(QPalette::Button));
  EXPECT_EQ(label->geometry(), QRect(16, 10, 100, 20));
  EXPECT_EQ(widget<QProgressBar>(w.ProgressBar1)->value(), 400);
  EXPECT_EQ(widget(w.TabStrip1)->findChild<QTabBar*>()->currentIndex(), 1);
  EXPECT_FALSE(widget(w.Command1)->isEnabled());
  EXPECT_FALSE(widget(w.Frame1)->isVisible());
  EXPECT_FALSE(widget(w.Option1)->isVisible());
  EXPECT_EQ(widget<QLineEdit>(w.Text2)->echoMode(), QLineEdit::Password);
  EXPECT_EQ(widget<QLineEdit>(w.Text2)->displayText(), "******");
  // Controls in a frame sit inside it.
  EXPECT_EQ(widget(w.Option1)->parentWidget(), widget(w.Frame1));
  w.Frame1.setVisible(true);
  EXPECT_TRUE(widget(w.Option1)->isVisible());
  // A user's click on the disabled button does nothing.
  log.clear();
  click(widget(w.Command1));
  EXPECT_EQ(log.joined(), "");
}

TEST_F(Controls, ChineseCaptionsHaveGlyphs) {
  ChildWindow& w = open();
  auto* label = widget<QLabel>(w.Label1);
  QTextLayout layout(QString::fromUtf8("读写频率信道编辑"), label->font());
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  int glyphs = 0;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    for (quint32 g : run.glyphIndexes()) {
      EXPECT_NE(g, 0u) << run.rawFont().familyName().toStdString();
      ++glyphs;
    }
  }
  EXPECT_EQ(glyphs, 8);
}

TEST_F(Controls, ChildWindowHasTheFormsClientSizeAndPosition) {
  ChildWindow& w = open();
  auto* sub = qobject_cast<QMdiSubWindow*>(platform.windowOf(w));
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->widget()->size(), QSize(600, 480));
  EXPECT_EQ(sub->pos(), QPoint(20, 20));
  EXPECT_EQ(sub->windowTitle(), "信道编辑");
  EXPECT_EQ(sub->minimumSize(), sub->maximumSize());  // fixed border
  w.setCaption("Channel");
  EXPECT_EQ(sub->windowTitle(), "Channel");
}

TEST_F(Controls, ClosingTheWindowAsksTheFormWhichMayRefuse) {
  ChildWindow& w = open();
  w.refuseUnload = 1;
  QWidget* sub = platform.windowOf(w);
  EXPECT_FALSE(sub->close());
  // Refused, the window and its form are still there for the rest of the test to use.
  ASSERT_TRUE(child.loaded());
  EXPECT_TRUE(sub->isVisible());
  w.refuseUnload = 0;
  sub->close();
  EXPECT_FALSE(child.loaded());
  EXPECT_EQ(log.joined(), "Unload Unload");
  EXPECT_EQ(platform.windowOf(w), nullptr);
}

}  // namespace
}  // namespace qt_test

namespace qt_test {
namespace {

class FilesWindow : public kit::Form {
 public:
  FilesWindow(kit::Platform& p, Log& log, const std::string& dir) : Form(p, "File_Dialog") {
    Drive1.move(120, 120, 3000, 300);
    Dir1.move(120, 480, 3000, 2000);
    File1.move(3240, 120, 3000, 2400);
    File1.setPattern("*.dat");
    Dir1.setPath(dir);
    File1.setPath(dir);
    Dir1.Change = [this, &log] {
      log("Dir1.Change:" + Dir1.path().substr(Dir1.path().rfind('/')));
      File1.setPath(Dir1.path());
    };
    File1.Click = [this, &log] { log("File1.Click:" + File1.fileName()); };
    File1.DblClick = [this, &log] { log("File1.DblClick:" + File1.fileName()); };
    Load = [this] { show(); };
  }
  kit::DriveListBox Drive1{*this, "Drive1"};
  kit::DirListBox Dir1{*this, "Dir1"};
  kit::FileListBox File1{*this, "File1"};
};

TEST_F(Controls, FileListsPickAndOpenThroughTheKit) {
  const auto dir =
      std::filesystem::path(::testing::TempDir()) / ("j5_qt_files_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir / "sub");
  for (const char* f : {"a.dat", "b.dat", "c.txt"}) std::ofstream(dir / f) << "1\r\n";
  kit::FormSlot<FilesWindow> slot{
      [&] { return std::make_unique<FilesWindow>(platform, log, dir.string()); }};
  FilesWindow& w = slot.show();
  pump(20);
  log.clear();

  auto* files = widget<QListWidget>(w.File1);
  ASSERT_NE(files, nullptr);
  ASSERT_EQ(files->count(), 2);
  const QPoint b = files->visualItemRect(files->item(1)).center();
  doubleClick(files->viewport(), b);
  EXPECT_EQ(log.joined(), "File1.Click:b.dat File1.DblClick:b.dat");
  EXPECT_EQ(files->currentRow(), 1);
  key(files, Qt::Key_Up);
  EXPECT_EQ(w.File1.listIndex(), 0);

  log.clear();
  auto* dirs = widget<QListWidget>(w.Dir1);
  const auto found = dirs->findItems("sub", Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  doubleClick(dirs->viewport(), dirs->visualItemRect(found[0]).center());
  EXPECT_EQ(log.joined(), "Dir1.Change:/sub");
  EXPECT_EQ(files->count(), 0);

  auto* drives = widget<QComboBox>(w.Drive1);
  ASSERT_NE(drives, nullptr);
  EXPECT_EQ(drives->count(), static_cast<int>(w.Drive1.drives().size()));
  EXPECT_EQ(drives->currentText().toStdString(), w.Drive1.drive());
  slot.unload();
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qt_test
