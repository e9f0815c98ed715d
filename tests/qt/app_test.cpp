// The program as main() starts it, on the Qt platform drawing offscreen: the
// main window in Chinese with its menus, toolbar and status bar, and the
// channel editor inside it.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QToolBar>

#include "editors/channels/frm_chann.h"
#include "platform/qt/qt_platform.h"
#include "qt_fixture.h"
#include "shell/MDImain.h"
#include "shell/program.h"

namespace {

TEST(App, StartsWithTheMainWindowInChinese) {
  qt_test::testApp();
  kit::qt::QtPlatform platform;
  j5::Program program(platform);
  // The offscreen screen is smaller than 1024 x 768 unless configured
  // otherwise, so start-up stops at its advice; the user closes the box.
  auto closer = std::make_unique<qt_test::BoxCloser>();
  program.MDImain.load();
  qt_test::pump(50);
  const QStringList boxes = closer->texts;
  closer.reset();
  const kit::ScreenSize screen = platform.screen();
  if (screen.width < 15300 || screen.height < 11500)
    EXPECT_EQ(boxes, QStringList{QString::fromUtf8("建议将计算机的显示模式设置为 1024 X 768 ")});
  else
    EXPECT_TRUE(boxes.isEmpty());
  j5::MDImain& m = *program.MDImain;

  QMainWindow* window = platform.mainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("J5 系列对讲机编程软件"));

  QStringList bar;
  for (QAction* a : window->menuBar()->actions())
    if (a->isVisible()) bar << a->text();
  EXPECT_EQ(bar, QStringList({QString::fromUtf8("文件"), QString::fromUtf8("编辑"),
                              QString::fromUtf8("编程"), QString::fromUtf8("端口"),
                              QString::fromUtf8("语言"), QString::fromUtf8("退出")}));

  for (const char* key : {"open", "save", "edit_chann", "read", "write", "exit"}) {
    QAction* button = platform.toolbarAction(m.Toolbar1, key);
    ASSERT_NE(button, nullptr) << key;
    EXPECT_TRUE(button->isVisible()) << key;
    EXPECT_FALSE(button->icon().isNull()) << key;
  }
  EXPECT_EQ(platform.toolbarAction(m.Toolbar1, "open")->toolTip(),
            QString::fromUtf8("打开参数文件"));

  for (int n = 1; n <= 11; ++n) EXPECT_NE(platform.statusPanel(m.StatusBar1, n), nullptr) << n;
  EXPECT_EQ(platform.statusPanel(m.StatusBar1, 1)->text(), QString::fromUtf8("状态"));
  EXPECT_EQ(platform.statusPanel(m.StatusBar1, 3)->text(), QString("COM1"));
  EXPECT_EQ(platform.statusPanel(m.StatusBar1, 5)->text(), QString("V18.01.28"));

  ASSERT_TRUE(program.frm_chann.loaded());
  QWidget* chann = platform.windowOf(*program.frm_chann);
  ASSERT_NE(chann, nullptr);
  EXPECT_TRUE(chann->isVisible());
  auto* area = window->findChild<QMdiArea*>();
  ASSERT_NE(area, nullptr);
  bool inside = false;
  for (QMdiSubWindow* sub : area->subWindowList())
    if (sub == chann || sub->widget() == chann || sub->isAncestorOf(chann)) inside = true;
  EXPECT_TRUE(inside);

  // Exit ends the program: the main window goes.
  QAction* exit = platform.actionOf(m.Menu_Exit);
  ASSERT_NE(exit, nullptr);
  exit->trigger();
  EXPECT_TRUE(qt_test::waitUntil([&] { return !program.MDImain.loaded(); }));
  EXPECT_EQ(platform.mainWindow(), nullptr);
}

}  // namespace
