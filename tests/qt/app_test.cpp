// The program as main() starts it, on the Qt platform drawing offscreen: the
// main window in Chinese with its menus, toolbar and status bar, and the
// channel editor inside it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "editors/channels/frm_chann.h"
#include "platform/qt/grid_widget.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_util.h"
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

// Qt's own texts speak the program's language: a message box's button is Chinese from start-up
// on, "OK" after a switch to English and Chinese again after a switch back; once the program's
// platform is gone, the application is English again.
TEST(App, MessageBoxButtonFollowsTheLanguage) {
  qt_test::testApp();
  const QStringList chinese{QString::fromUtf8("确定")};
  {
    kit::qt::QtPlatform platform;
    j5::Program program(platform);
    qt_test::BoxCloser closer;
    program.MDImain.load();
    qt_test::pump(50);
    j5::MDImain& m = *program.MDImain;
    const auto button = [&] {
      closer.buttons.clear();
      platform.messageBox("x", "t");
      return closer.buttons;
    };
    EXPECT_EQ(button(), chinese);
    platform.actionOf(m.Language_eng)->trigger();
    EXPECT_EQ(button(), QStringList{"OK"});
    platform.actionOf(m.Language_chn)->trigger();
    EXPECT_EQ(button(), chinese);
    m.unload();
  }
  QMessageBox box(QMessageBox::NoIcon, "t", "x", QMessageBox::Ok);
  EXPECT_EQ(box.button(QMessageBox::Ok)->text(), "OK");
}

// The main window and the channel grid on the screen the window sizes itself to, in both
// languages: the window fits the screen, the status panels show their texts whole (those a
// radio's identification writes among them) within the screen's width, and the grid's headers
// and cells fit their columns.
void Check_On_Screen() {
  kit::qt::QtPlatform platform;
  j5::Program program(platform);
  program.MDImain.load();
  qt_test::pump(50);
  j5::MDImain& m = *program.MDImain;
  QMainWindow* window = platform.mainWindow();
  ASSERT_NE(window, nullptr);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  for (const bool chinese : {true, false}) {
    SCOPED_TRACE(chinese ? "Chinese" : "English");
    platform.actionOf(chinese ? m.Language_chn : m.Language_eng)->trigger();
    platform.actionOf(m.Channel_edit)->trigger();
    program.Set_Panel(7, "VHF: 136-- 174 MHZ");  // as a radio's identification writes them
    program.Set_Panel(8, "UHF0: 400-- 520 MHZ");
    program.Set_Panel(9, "UHF1: 400-- 520 MHZ");
    // The tone windows' identification: its name, model, version and second band.
    program.Set_Panel(2, "J5-VHF");
    program.Set_Panel(4, "J5 HAN--DHELD --RADI");
    program.Set_Panel(6, "18.01.2.8");
    program.Set_Panel(10, "400--520 MHZ");
    qt_test::pump(50);
    EXPECT_LE(window->frameGeometry().width(), screen.width());
    EXPECT_LE(window->frameGeometry().height(), screen.height());
    QLabel* last = platform.statusPanel(m.StatusBar1, 11);
    EXPECT_LE(last->mapTo(window, QPoint(last->width(), 0)).x(), window->width());
    for (int n = 1; n <= 11; ++n) {
      QLabel* l = platform.statusPanel(m.StatusBar1, n);
      EXPECT_EQ(l->width(), kit::qt::px(m.StatusBar1.panel(n).width())) << n;
      EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()),
                l->contentsRect().width() - l->indent())
          << n << " " << l->text().toStdString();
      EXPECT_GE(l->font().pixelSize(), 9) << n;
    }
    const kit::Grid& grid = program.frm_chann->MSF_Chann;
    auto* drawn = dynamic_cast<kit::qt::GridWidget*>(platform.widgetOf(grid));
    ASSERT_NE(drawn, nullptr);
    for (int c = 0; c < grid.cols(); ++c) {
      const int room = kit::qt::px(grid.colWidth(c)) - 4;
      const QString header = kit::qt::qs(grid.textMatrix(0, c));
      EXPECT_LE(QFontMetrics(drawn->font()).horizontalAdvance(header), room) << c;
      for (int r = 1; r <= 7; ++r) {
        const QString cell = kit::qt::qs(grid.textMatrix(r, c));
        const QFont f = kit::qt::fittingFont(drawn->font(), cell, room);
        EXPECT_LE(QFontMetrics(f).horizontalAdvance(cell), room) << r << "," << c;
        EXPECT_GE(f.pixelSize(), 10) << r << "," << c;
      }
    }
  }
  m.unload();
}

TEST(App, DISABLED_FitsTheScreen) {
  qt_test::testApp();
  Check_On_Screen();
}

// Each screen needs an application of its own: the program runs again for it.
TEST(App, FitsScreensOf1024x768And1280x1024) {
  const auto self = std::filesystem::read_symlink("/proc/self/exe").string();
  for (const auto& [w, h] : {std::pair{1024, 768}, std::pair{1280, 1024}}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    const auto config = std::filesystem::temp_directory_path() /
                        ("j5-screen-" + std::to_string(::getpid()) + ".json");
    std::FILE* f = std::fopen(config.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fprintf(f,
                 "{\"screens\":[{\"name\":\"test\",\"x\":0,\"y\":0,\"width\":%d,"
                 "\"height\":%d,\"logicalDpi\":96,\"dpr\":1}]}\n",
                 w, h);
    std::fclose(f);
    const std::string command = "QT_QPA_PLATFORM=offscreen:configfile=" + config.string() + " '" +
                                self +
                                "' --gtest_filter=App.DISABLED_FitsTheScreen "
                                "--gtest_also_run_disabled_tests > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0)
        << "run " << command.substr(0, command.size() - 17) << " to see why";
    std::filesystem::remove(config);
  }
}

}  // namespace
