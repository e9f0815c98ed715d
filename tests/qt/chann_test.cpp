// The channel window on the Qt platform offscreen: a user clicks a cell on
// screen, types and confirms, and the image changes.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <array>
#include <string>

#include "data/defaults.h"
#include "data/tables.h"
#include "editors/channels/frm_chann.h"
#include "editors/options/frm_option.h"
#include "platform/qt/grid_widget.h"
#include "qt/qt_fixture.h"
#include "shell/MDImain.h"
#include "shell/program.h"

namespace {

using qt_test::waitUntil;

struct ChannOnScreen : ::testing::Test {
  qt_test::AppFirst app_;
  // Start-up of the main window may advise a larger screen mode.
  qt_test::BoxCloser boxes_;
  kit::qt::QtPlatform platform;
  j5::Program program{platform};
  j5::Shared_Data& data = program.data;

  j5::frm_chann& open() {
    // Start-up advises a larger screen on the small offscreen one (the box is
    // answered), opens a channel window of its own and sets the data up in
    // Chinese; the test opens its window on the data below.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    closer.start(20);
    program.MDImain.show();
    closer.stop();
    program.frm_chann.unload();
    data.Lang_Chn = j5::kFalse;
    j5::Init_Model_Band(data);
    data.VHF_Low = 130, data.VHF_High = 179, data.UHF0_Low = 240, data.UHF0_High = 260;
    data.UHF1_Low = 400, data.UHF1_High = 520;
    j5::Init_Tone_Table(data);
    data.Chann_Total = 128;
    j5::Init_Factory_Image(data);
    program.MDImain->move(0, 0, 15360, 11520);
    j5::frm_chann& w = program.frm_chann.load();
    waitUntil([&] { return platform.activeForm() == &w && platform.focused(); });
    return w;
  }
  void TearDown() override {
    if (program.MDImain.loaded()) program.MDImain.unload();
    qt_test::pump(10);
  }
  kit::qt::GridWidget* grid(j5::frm_chann& w) {
    return dynamic_cast<kit::qt::GridWidget*>(platform.widgetOf(w.MSF_Chann));
  }
  void clickCell(j5::frm_chann& w, int row, int col) {
    qt_test::click(grid(w)->viewport(), grid(w)->cellRect(row, col).center());
  }
};

TEST_F(ChannOnScreen, TypingAFrequencyIntoACellChangesTheImage) {
  j5::frm_chann& w = open();
  ASSERT_NE(grid(w), nullptr);
  clickCell(w, 2, 2);
  ASSERT_TRUE(waitUntil([&] { return w.Text_Edit.hasFocus(); }));
  auto* edit = qobject_cast<QLineEdit*>(platform.widgetOf(w.Text_Edit));
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->isVisible());
  EXPECT_EQ(edit->text(), "136.10000");
  qt_test::key(edit, Qt::Key_A, {}, Qt::ControlModifier);
  qt_test::type(edit, "150.0125");
  qt_test::key(edit, Qt::Key_Return);
  ASSERT_TRUE(waitUntil([&] { return data.Mem_Image(1, 3) == 0x15; }));
  for (int k = 0; k < 8; ++k)
    EXPECT_EQ(data.Mem_Image(1, k),
              (std::array<int, 8>{0x50, 0x12, 0x00, 0x15, 0x50, 0x12, 0x00, 0x15}[k]))
        << k;
  EXPECT_EQ(w.MSF_Chann.textMatrix(2, 2), "150.01250");
  EXPECT_EQ(w.MSF_Chann.col(), 3);  // Enter moved on to the TX cell
  EXPECT_TRUE(w.Text_Edit.hasFocus());

  // A pick in a list on screen is stored at once.
  clickCell(w, 2, 6);
  ASSERT_TRUE(waitUntil([&] { return w.Combo_edit.hasFocus(); }));
  auto* combo = qobject_cast<QComboBox*>(platform.widgetOf(w.Combo_edit));
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->count(), 3);
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  const QPoint low = view->visualRect(combo->model()->index(2, 0)).center();
  qt_test::mouse(view->viewport(), QEvent::MouseButtonPress, low);
  qt_test::mouse(view->viewport(), QEvent::MouseButtonRelease, low);
  ASSERT_TRUE(waitUntil([&] { return (data.Mem_Image(1, 14) & 0x03) == 2; }));
  clickCell(w, 2, 0);
  ASSERT_TRUE(waitUntil([&] { return w.MSF_Chann.textMatrix(2, 6) == "LOW"; }));
}

// A click on a filled cell opens its editor with the whole text selected on screen: what the user
// types replaces it, for the cell Enter moves on to as well.
TEST_F(ChannOnScreen, TypingIntoAClickedFilledCellReplacesItsText) {
  j5::frm_chann& w = open();
  clickCell(w, 2, 2);
  ASSERT_TRUE(waitUntil([&] { return w.Text_Edit.hasFocus(); }));
  auto* edit = qobject_cast<QLineEdit*>(platform.widgetOf(w.Text_Edit));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->selectedText(), "136.10000");
  qt_test::type(edit, "150.5");
  qt_test::key(edit, Qt::Key_Return);
  ASSERT_TRUE(waitUntil([&] { return w.MSF_Chann.col() == 3 && w.Text_Edit.hasFocus(); }));
  EXPECT_EQ(edit->selectedText(), "150.50000");
  qt_test::type(edit, "151");
  qt_test::key(edit, Qt::Key_Return);
  ASSERT_TRUE(waitUntil([&] { return w.MSF_Chann.textMatrix(2, 3) == "151.00000"; }));
  EXPECT_EQ(w.MSF_Chann.textMatrix(2, 2), "150.50000");
}

// A click into a cell of a window that is not the active one makes it active first: its editor
// opens over the cell and stays for the typing, rather than an activation that comes after the
// click rebuilding the grid from under it.
TEST_F(ChannOnScreen, AClickThatActivatesTheWindowOpensTheEditorForTyping) {
  j5::frm_chann& w = open();
  kit::Form& other = program.frm_option.show();
  ASSERT_TRUE(waitUntil([&] { return platform.activeForm() == &other; }));
  // As the window system delivers the click: the press brings the window to the front, then
  // reaches the cell, with no turn of the loop between.
  auto* sub = qobject_cast<QMdiSubWindow*>(platform.windowOf(w));
  ASSERT_NE(sub, nullptr);
  sub->mdiArea()->setActiveSubWindow(sub);
  clickCell(w, 10, 2);
  qt_test::pump(50);
  ASSERT_EQ(platform.activeForm(), &w);
  ASSERT_TRUE(w.Text_Edit.hasFocus());
  auto* edit = qobject_cast<QLineEdit*>(platform.widgetOf(w.Text_Edit));
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->isVisible());
  qt_test::type(edit, "150");
  qt_test::key(edit, Qt::Key_Return);
  ASSERT_TRUE(waitUntil([&] { return w.MSF_Chann.textMatrix(10, 2) == "150.00000"; }));
}

// A list editor over a narrow cell shows its whole value, and its drop-down every item whole.
TEST_F(ChannOnScreen, ListEditorsShowTheirWholeTextAndItems) {
  j5::frm_chann& w = open();
  auto* combo = qobject_cast<QComboBox*>(platform.widgetOf(w.Combo_edit));
  ASSERT_NE(combo, nullptr);
  for (int col : {1, 6, 7, 8, 9, 10, 11, 12}) {
    SCOPED_TRACE(col);
    clickCell(w, 1, col);
    ASSERT_TRUE(waitUntil([&] { return w.Combo_edit.hasFocus() && w.MSF_Chann.col() == col; }));
    qt_test::pump(10);
    QLineEdit* edit = combo->lineEdit();
    ASSERT_FALSE(edit->text().isEmpty());
    EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance(edit->text()) + 4)
        << edit->text().toStdString();
    combo->showPopup();
    qt_test::pump(10);
    QAbstractItemView* view = combo->view();
    for (int i = 0; i < combo->count(); ++i)
      EXPECT_GE(view->viewport()->width(),
                view->fontMetrics().horizontalAdvance(combo->itemText(i)) + 8)
          << combo->itemText(i).toStdString();
    combo->hidePopup();
    qt_test::pump(10);
  }
}

}  // namespace

namespace {

// A stray Enter after a cell editor hid under the focus (the wheel scrolled the grid, or Enter
// closed the name) reaches the grid, never Default: every channel stays as it was.
TEST_F(ChannOnScreen, AStrayEnterAfterACellEditorHidesPressesNoButton) {
  for (bool byWheel : {true, false}) {
    SCOPED_TRACE(byWheel ? "wheel" : "name");
    j5::frm_chann& w = open();
    for (int k = 0; k < 16; ++k) data.Mem_Image(20, k) = static_cast<std::int16_t>(k);
    auto* edit = qobject_cast<QLineEdit*>(platform.widgetOf(w.Text_Edit));
    ASSERT_NE(edit, nullptr);
    if (byWheel) {
      clickCell(w, 2, 2);
      ASSERT_TRUE(waitUntil([&] { return w.Text_Edit.hasFocus(); }));
      const QPointF at = grid(w)->cellRect(3, 3).center();
      QWheelEvent wheel(at, grid(w)->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(grid(w)->viewport(), &wheel);
    } else {
      w.MSF_Chann.setLeftCol(8);
      qt_test::pump(10);
      clickCell(w, 2, 13);
      ASSERT_TRUE(waitUntil([&] { return w.Text_Edit.hasFocus(); }));
      qt_test::type(edit, "AB");
      qt_test::key(edit, Qt::Key_Return);
    }
    ASSERT_TRUE(waitUntil([&] { return !edit->isVisible(); }));
    EXPECT_EQ(QApplication::focusWidget(), grid(w));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    qt_test::key(QApplication::focusWidget(), Qt::Key_Return);
    qt_test::pump(20);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(data.Mem_Image(20, k), k) << k;
    EXPECT_EQ(platform.focused(), &w.MSF_Chann);
  }
}

}  // namespace

namespace {

// A list editor over the grid hides when the wheel or either scroll bar moves the cells under it,
// the focus back to the grid: the Down that follows moves the grid and picks for no channel.
TEST_F(ChannOnScreen, AScrollHidesTheListEditorSoDownPicksNothing) {
  for (const char* how : {"wheel", "vertical bar", "horizontal bar"}) {
    SCOPED_TRACE(how);
    j5::frm_chann& w = open();
    kit::Grid& g = w.MSF_Chann;
    const j5::MemImage before = data.Mem_Image;
    auto* combo = qobject_cast<QComboBox*>(platform.widgetOf(w.Combo_edit));
    ASSERT_NE(combo, nullptr);
    clickCell(w, 2, 7);
    ASSERT_TRUE(waitUntil([&] { return w.Combo_edit.hasFocus() && combo->isVisible(); }));
    // Narrower than its columns, so that the horizontal bar shows.
    g.move(g.left(), g.top(), 6000, g.height());
    qt_test::pump(10);
    if (std::string(how) == "wheel") {
      const QPointF at = grid(w)->cellRect(3, 3).center();
      QWheelEvent wheel(at, grid(w)->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(grid(w)->viewport(), &wheel);
    } else if (std::string(how) == "vertical bar") {
      grid(w)->verticalScrollBar()->setValue(10);
    } else {
      ASSERT_TRUE(grid(w)->horizontalScrollBar()->isVisible());
      grid(w)->horizontalScrollBar()->setValue(3);
    }
    ASSERT_TRUE(waitUntil([&] { return !combo->isVisible(); }));
    EXPECT_EQ(QApplication::focusWidget(), grid(w));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    qt_test::key(QApplication::focusWidget(), Qt::Key_Down);
    qt_test::pump(20);
    EXPECT_TRUE(data.Mem_Image == before);
    EXPECT_EQ(g.row(), 3);
    EXPECT_FALSE(combo->isVisible());
  }
}

}  // namespace
