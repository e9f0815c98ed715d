// The main window: menu bar, toolbar and status bar built from the kit's
// menus, buttons and panels, and the user's choices coming back as Click.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QToolBar>

#include "platform/qt/qt_util.h"
#include "tests/qt/qt_fixture.h"

namespace qt_test {
namespace {

using MainWindowTest = QtFixture;

TEST_F(MainWindowTest, MenusMirrorCaptionsCheckedVisibleAndShortcuts) {
  open();
  MainWindow& m = *main;
  QMainWindow* mw = platform.mainWindow();
  ASSERT_NE(mw, nullptr);
  EXPECT_EQ(mw->windowTitle(), "J5 测试");
  QAction* open = platform.actionOf(m.Open);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->text(), "打开(&O)");
  EXPECT_EQ(open->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_FALSE(platform.actionOf(m.Hidden)->isVisible());
  EXPECT_TRUE(platform.actionOf(m.Chinese)->isChecked());
  // A menu-bar entry without children is a command of the bar itself.
  QAction* help = platform.actionOf(m.Help);
  EXPECT_EQ(help->menu(), nullptr);
  EXPECT_TRUE(mw->menuBar()->actions().contains(help));
  EXPECT_NE(platform.actionOf(m.File)->menu(), nullptr);

  open->trigger();
  help->trigger();
  platform.actionOf(m.Chinese)->trigger();
  EXPECT_EQ(log.joined(), "Open.Click Help.Click Chinese.Click");
  EXPECT_FALSE(platform.actionOf(m.Chinese)->isChecked());
  // An unchecked entry shows no empty box, whether or not it was ever checked: as Open does.
  EXPECT_FALSE(platform.actionOf(m.Chinese)->isCheckable());
  EXPECT_FALSE(open->isCheckable());
  // The handler decides the tick, not Qt's toggling.
  m.Chinese.Click = [] {};
  platform.actionOf(m.Chinese)->trigger();
  EXPECT_FALSE(platform.actionOf(m.Chinese)->isChecked());

  m.Open.setCaption("Open");
  m.Open.setEnabled(false);
  m.Hidden.setVisible(true);
  EXPECT_EQ(open->text(), "Open");
  EXPECT_FALSE(open->isEnabled());
  EXPECT_TRUE(platform.actionOf(m.Hidden)->isVisible());
}

// The menu's shortcuts reach the menu whichever child is active: the children's own window
// menus claim none of them (a child closes from its title bar and its own buttons).
TEST_F(MainWindowTest, MenuShortcutsWorkWhileAChildIsActive) {
  ChildWindow& w = open();
  QMainWindow* mw = platform.mainWindow();
  QApplication::setActiveWindow(mw);
  ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == mw; }));
  QWidget* focus = widget(w.Text1);
  w.Text1.setFocus();
  ASSERT_TRUE(waitUntil([&] { return focus->hasFocus(); }));
  for (const char* keys : {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+R", "Ctrl+W"}) {
    SCOPED_TRACE(keys);
    main->Open.setShortcut(keys);
    log.clear();
    const QKeyCombination k = QKeySequence(keys)[0];
    QTest::keyClick(focus, k.key(), k.keyboardModifiers());
    pump(10);
    EXPECT_EQ(log.joined(), "Open.Click");
    EXPECT_TRUE(child.loaded());
  }
}

TEST_F(MainWindowTest, ToolbarButtonsClickWithTheirKeys) {
  open();
  MainWindow& m = *main;
  QAction* read = platform.toolbarAction(m.Toolbar1, "read");
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->toolTip(), "读频");
  EXPECT_FALSE(read->icon().isNull());
  QToolBar* bar = platform.mainWindow()->findChild<QToolBar*>();
  click(bar->widgetForAction(read));
  EXPECT_EQ(log.joined(), "Toolbar1.ButtonClick:read");
  m.Toolbar1.setToolTip(2, "Read");
  EXPECT_EQ(read->toolTip(), "Read");
  m.Toolbar1.addButton("exit", "Exit", "exit");
  ASSERT_NE(platform.toolbarAction(m.Toolbar1, "exit"), nullptr);
}

TEST_F(MainWindowTest, StatusPanelsShowTextsAndWidths) {
  open();
  MainWindow& m = *main;
  QLabel* p1 = platform.statusPanel(m.StatusBar1, 1);
  ASSERT_NE(p1, nullptr);
  EXPECT_EQ(p1->text(), "状态");
  EXPECT_EQ(p1->width(), 100);
  m.StatusBar1.panel(2).setText("COM1");
  EXPECT_EQ(platform.statusPanel(m.StatusBar1, 2)->text(), "COM1");
  m.StatusBar1.setPanelCount(4);
  EXPECT_NE(platform.statusPanel(m.StatusBar1, 4), nullptr);
  EXPECT_EQ(platform.statusPanel(m.StatusBar1, 2)->text(), "COM1");
}

TEST_F(MainWindowTest, TheChildAreaIsTheKitsClientArea) {
  open();
  MainWindow& m = *main;
  QMainWindow* mw = platform.mainWindow();
  pump(20);
  const QSize area = mw->findChild<QMdiArea*>()->size();
  EXPECT_EQ(area.width(), kit::qt::px(m.scaleWidth()));
  EXPECT_EQ(area.height(), kit::qt::px(m.scaleHeight()));
}

// A plain child that logs its activation.
class Extra : public kit::Form {
 public:
  Extra(kit::Platform& p, kit::MdiForm* m, Log& log, const std::string& name) : Form(p, name, m) {
    Activate = [&log, name] { log(name + ".Activate"); };
    Load = [this] { show(); };
  }
};

TEST_F(MainWindowTest, UserActivationAndUnloadingActivateOneChildEach) {
  ChildWindow& w = open();
  auto slot = [&](const std::string& name) {
    return kit::FormSlot<Extra>{
        [this, name] { return std::make_unique<Extra>(platform, main.get(), log, name); }};
  };
  auto second = slot("Second");
  auto third = slot("Third");
  second.show();
  waitUntil([&] { return platform.activeForm() == second.get(); });
  w.Activate = [this] { log("frm_test.Activate"); };
  auto* area = platform.mainWindow()->findChild<QMdiArea*>();
  area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(platform.windowOf(w)));
  waitUntil([&] { return platform.activeForm() == &w; });
  EXPECT_EQ(log.joined(), "Second.Activate frm_test.Activate");

  // The window active before the one that goes becomes active again, once.
  third.show();
  waitUntil([&] { return platform.activeForm() == third.get(); });
  log.clear();
  third.unload();
  pump(50);
  EXPECT_EQ(log.joined(), "frm_test.Activate");
  EXPECT_EQ(area->activeSubWindow(), platform.windowOf(w));
  second.unload();
}

// A fixed-size window opened while another window is maximized opens framed, at its own size and
// place, in front: the main window's caption does not take its caption.
TEST_F(MainWindowTest, AFixedSizeWindowIsNeverMaximized) {
  main.show();
  auto sizable = kit::FormSlot<Extra>{
      [this] { return std::make_unique<Extra>(platform, main.get(), log, "Sizable"); }};
  sizable.show();
  ASSERT_TRUE(waitUntil([&] { return platform.activeForm() == sizable.get(); }));
  auto* big = qobject_cast<QMdiSubWindow*>(platform.windowOf(*sizable));
  ASSERT_NE(big, nullptr);
  // The user double-clicks its title bar.
  const QPoint title(big->width() / 2, big->style()->pixelMetric(QStyle::PM_TitleBarHeight) / 2);
  doubleClick(big, title);
  ASSERT_TRUE(waitUntil([&] { return big->isMaximized(); }));

  ChildWindow& w = child.show();
  ASSERT_TRUE(waitUntil([&] { return platform.activeForm() == &w; }));
  auto* fixed = qobject_cast<QMdiSubWindow*>(platform.windowOf(w));
  auto* area = platform.mainWindow()->findChild<QMdiArea*>();
  pump(20);
  EXPECT_EQ(area->activeSubWindow(), fixed);
  EXPECT_FALSE(fixed->isMaximized());
  EXPECT_EQ(fixed->pos(), QPoint(kit::qt::px(w.left()), kit::qt::px(w.top())));
  EXPECT_EQ(fixed->widget()->size(),
            QSize(kit::qt::px(w.scaleWidth()), kit::qt::px(w.scaleHeight())));
  EXPECT_FALSE(platform.mainWindow()->windowTitle().contains("信道编辑"));
  // The maximized window behind it stays as the user left it.
  EXPECT_TRUE(big->isMaximized());
  // Nor does a double click on its own title bar maximize it.
  doubleClick(fixed, QPoint(fixed->width() / 2, title.y()));
  pump(20);
  EXPECT_FALSE(fixed->isMaximized());
}

TEST_F(MainWindowTest, UnloadingTheMainWindowUnloadsItsChildren) {
  ChildWindow& w = open();
  (void)w;
  platform.mainWindow()->close();
  EXPECT_FALSE(child.loaded());
  EXPECT_FALSE(main.loaded());
  EXPECT_EQ(platform.mainWindow(), nullptr);
}

}  // namespace
}  // namespace qt_test
