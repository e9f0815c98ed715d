// The kit's loop on Qt's: timers fire for real, and a message box holds its
// handler while timers go on.
#include <QMessageBox>

#include "tests/qt/qt_fixture.h"

namespace qt_test {
namespace {

using Loop = QtFixture;

TEST_F(Loop, TimerTicksFromTheEventLoop) {
  ChildWindow& w = open();
  int ticks = 0;
  w.Timer1.Tick = [&] { ++ticks; };
  w.Timer1.setInterval(20);
  EXPECT_TRUE(waitUntil([&] { return ticks >= 3; }));
  w.Timer1.setEnabled(false);
  const int stopped = ticks;
  pump(60);
  EXPECT_EQ(ticks, stopped);
}

TEST_F(Loop, MessageBoxHoldsTheHandlerWhileTimersGoOn) {
  ChildWindow& w = open();
  w.Timer1.setInterval(20);
  std::string shownText, shownTitle;
  QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
  int ticksWhileOpen = 0;
  w.Timer1.Tick = [&] {
    if (platform.messageBoxOpen()) ++ticksWhileOpen;
  };
  // Closes the box once timers have run under it, as the user would.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || ticksWhileOpen < 2) return;
    shownText = box->text().toStdString();
    shownTitle = box->windowTitle().toStdString();
    shownIcon = box->icon();
    box->close();
  });
  closer.start(10);
  // Opening and closing the box is no focus change or activation.
  w.Activate = [this] { log("Activate"); };
  w.Command1.GotFocus = [this] { log("Command1.GotFocus"); };
  w.Command1.LostFocus = [this] { log("Command1.LostFocus"); };
  w.Command1.Click = [&] {
    log("before");
    platform.messageBox("写入完成", "操作提示", kit::MsgIcon::Information);
    log("after");
  };
  click(platform.widgetOf(w.Command1));
  closer.stop();
  pump(50);
  EXPECT_EQ(log.joined(), "Command1.GotFocus before after");
  EXPECT_GE(ticksWhileOpen, 2);
  EXPECT_EQ(shownText, "写入完成");
  EXPECT_EQ(shownTitle, "操作提示");
  EXPECT_EQ(shownIcon, QMessageBox::Information);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A one-word message must not make a box so narrow that its title bar cuts the title.
TEST_F(Loop, AShortMessageBoxIsAsWideAsItsTitle) {
  open();
  const QString title = "Operate Prompt\"";
  int width = 0;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    width = box->width();
    box->close();
  });
  closer.start(10);
  platform.messageBox("OK", title.toStdString());
  closer.stop();
  const int titleWidth =
      QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(title);
  EXPECT_GE(width, titleWidth + 100);
}

TEST_F(Loop, AnErrorInAHandlerIsReportedAndTheProgramGoesOn) {
  ChildWindow& w = open();
  w.Command1.Click = [] { throw std::runtime_error("Overflow"); };
  std::string shown;
  QTimer::singleShot(20, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text().toStdString();
      box->close();
    }
  });
  click(platform.widgetOf(w.Command1));
  EXPECT_EQ(shown, "Overflow");
  EXPECT_TRUE(child.loaded());
}

}  // namespace
}  // namespace qt_test
