// The Qt platform offscreen with a main window and a child window holding a
// control of each kind, plus helpers that send Qt input events the way a
// user's mouse and keyboard would.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/kit.h"
#include "platform/qt/qt_platform.h"
#include "support/event_log.h"

namespace qt_test {

// One QApplication for the whole test program, never destroyed.
inline QApplication& testApp() {
  static int argc = 1;
  static char name[] = "test_qt";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The machine's own serial ports stay out of the tests: a test that
    // wants a port points J5_SERIAL_PORTS at a simulator itself.
    if (qEnvironmentVariableIsEmpty("J5_SERIAL_PORTS"))
      qputenv("J5_SERIAL_PORTS", "/nonexistent/j5-test-port");
    return new QApplication(argc, argv);
  }();
  return *app;
}

struct AppFirst {
  AppFirst() { testApp(); }
};

// Runs Qt's event loop for ms milliseconds.
inline void pump(int ms) {
  QElapsedTimer t;
  t.start();
  do {
    QEventLoop loop;
    QTimer::singleShot(5, &loop, &QEventLoop::quit);
    loop.exec();
  } while (t.elapsed() < ms);
}

// Closes every message box that opens while it lives, as a user would, and
// keeps their texts and the texts of their OK buttons.
class BoxCloser {
 public:
  BoxCloser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts << box->text();
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) buttons << ok->text();
        box->accept();
      }
    });
    timer_.start(20);
  }
  QStringList texts;
  QStringList buttons;

 private:
  QTimer timer_;
};

// Runs the loop until pred holds or timeoutMs pass; returns pred().
inline bool waitUntil(const std::function<bool()>& pred, int timeoutMs = 10000) {
  QElapsedTimer t;
  t.start();
  while (!pred() && t.elapsed() < timeoutMs) pump(5);
  return pred();
}

inline void mouse(QWidget* w, QEvent::Type type, QPoint pos) {
  const QPointF local(pos);
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(type, local, w->mapToGlobal(local), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

inline void click(QWidget* w, QPoint pos) {
  mouse(w, QEvent::MouseButtonPress, pos);
  mouse(w, QEvent::MouseButtonRelease, pos);
}
inline void click(QWidget* w) {
  click(w, w->rect().center());
}

inline void doubleClick(QWidget* w, QPoint pos) {
  click(w, pos);
  mouse(w, QEvent::MouseButtonDblClick, pos);
  mouse(w, QEvent::MouseButtonRelease, pos);
}

inline void key(QWidget* w, int key, const QString& text = {},
                Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w, &release);
}

// Each character as the key that types it.
inline void type(QWidget* w, const QString& text) {
  for (QChar c : text) {
    const QChar up = c.toUpper();
    const int k = (up >= 'A' && up <= 'Z') || (up >= '0' && up <= '9') ? up.unicode() : 0;
    key(w, k, QString(c));
  }
}

using test::Log;

class MainWindow : public kit::MdiForm {
 public:
  MainWindow(kit::Platform& p, Log& log) : MdiForm(p, "MDImain"), log(log) {
    setCaption("J5 测试");
    move(0, 0, 12000, 9000);
    File.setCaption("文件(&F)");
    Open.setCaption("打开(&O)");
    Open.setShortcut("Ctrl+O");
    Open.Click = [this] { this->log("Open.Click"); };
    Hidden.setCaption("Hidden");
    Hidden.setVisible(false);
    Hidden.Click = [this] { this->log("Hidden.Click"); };
    Chinese.setCaption("中文");
    Chinese.setChecked(true);
    Chinese.Click = [this] {
      this->log("Chinese.Click");
      Chinese.setChecked(!Chinese.checked());
    };
    Help.setCaption("帮助(&H)");
    Help.Click = [this] { this->log("Help.Click"); };
    Toolbar1.addButton("open", "打开文件", "open");
    Toolbar1.addButton("read", "读频", "read");
    Toolbar1.ButtonClick = [this](const kit::ToolbarButton& b) {
      this->log("Toolbar1.ButtonClick:" + b.key);
    };
    StatusBar1.setPanelCount(3);
    StatusBar1.panel(1).setText("状态");
    StatusBar1.panel(1).setWidth(1500);
    StatusBar1.panel(2).setWidth(3000);
    Load = [this] { show(); };
  }
  Log& log;
  kit::Menu File{*this, "File"};
  kit::Menu Open{*this, "Open", &File};
  kit::Menu Hidden{*this, "Hidden", &File};
  kit::Menu Chinese{*this, "Chinese", &File};
  kit::Menu Help{*this, "Help"};
  kit::Toolbar Toolbar1{*this, "Toolbar1"};
  kit::StatusBar StatusBar1{*this, "StatusBar1"};
};

class ChildWindow : public kit::Form {
 public:
  ChildWindow(kit::Platform& p, Log& log, kit::MdiForm* main)
      : Form(p, "frm_test", main), log(log) {
    setBorder(kit::Border::Fixed);
    setCaption("信道编辑");
    move(300, 300, 9120, 7620);  // client 9000 x 7200 twips: 600 x 480 px
    Label1.move(120, 120, 1500, 255);
    Label1.setCaption("频率");
    Frame1.move(120, 480, 2400, 1200);
    Frame1.setCaption("功率");
    for (auto* o : {&Option1, &Option2}) o->setContainer(Frame1);
    Option1.move(120, 240, 1800, 300);
    Option1.setCaption("高");
    Option1.setValue(true);
    Option2.move(120, 600, 1800, 300);
    Option2.setCaption("低");
    Option2.Click = [this] { this->log("Option2.Click"); };
    Text1.move(2700, 120, 1500, 300);
    Text1.KeyPress = [this](int& k) {
      this->log("Text1.KeyPress:" + std::to_string(k));
      if (k == 'x') k = 0;
      if (k >= 'a' && k <= 'z') k = k - 'a' + 'A';
    };
    Text1.Change = [this] { this->log("Text1.Change:" + Text1.text()); };
    Text1.LostFocus = [this] {
      this->log("Text1.LostFocus");
      if (holdText1) Text1.setFocus();
    };
    Text2.move(2700, 480, 1500, 300);
    Text2.setPasswordChar('*');
    Combo1.move(4400, 120, 1800, 300);
    for (const char* s : {"CTCSS", "DCS", "关"}) Combo1.addItem(s);
    Combo1.Click = [this] { this->log("Combo1.Click:" + Combo1.text()); };
    Combo1.Change = [this] { this->log("Combo1.Change:" + Combo1.text()); };
    Check1.move(4400, 480, 1800, 300);
    Check1.setCaption("锁定");
    Check1.Click = [this] { this->log("Check1.Click:" + std::to_string(Check1.value())); };
    Command1.move(6400, 120, 1200, 400);
    Command1.setCaption("&Read");
    Command1.Click = [this] { this->log("Command1.Click"); };
    ProgressBar1.move(120, 1800, 3000, 300);
    TabStrip1.move(120, 2200, 4000, 1500);
    TabStrip1.addTab("a", "基本");
    TabStrip1.addTab("b", "高级");
    TabStrip1.Click = [this] { this->log("TabStrip1.Click:" + TabStrip1.selectedKey()); };
    Picture1.move(4400, 2200, 960, 960);
    Picture1.setPicture("logo");
    Line1.setPoints(120, 3900, 4000, 3900);
    Grid1.move(120, 4100, 6000, 2000);
    Grid1.setRows(30);
    Grid1.setFormatString("^No|^Freq|^Name");
    Grid1.LeaveCell = [this] {
      this->log("LeaveCell(" + std::to_string(Grid1.row()) + "," + std::to_string(Grid1.col()) +
                ")");
    };
    Grid1.Click = [this] {
      this->log("Click(" + std::to_string(Grid1.row()) + "," + std::to_string(Grid1.col()) + ")");
    };
    Grid1.DblClick = [this] { this->log("DblClick"); };
    Grid1.Scroll = [this] { this->log("Scroll:" + std::to_string(Grid1.topRow())); };
    Timer1.Tick = [this] { this->log("Timer1.Tick"); };
    Load = [this] { show(); };
    Unload = [this](int& cancel) {
      this->log("Unload");
      cancel = refuseUnload;
    };
  }
  Log& log;
  bool holdText1 = false;
  int refuseUnload = 0;
  kit::Label Label1{*this, "Label1"};
  kit::Frame Frame1{*this, "Frame1"};
  kit::OptionButton Option1{*this, "Option1"};
  kit::OptionButton Option2{*this, "Option2"};
  kit::TextBox Text1{*this, "Text1"};
  kit::TextBox Text2{*this, "Text2"};
  kit::ComboBox Combo1{*this, "Combo1"};
  kit::CheckBox Check1{*this, "Check1"};
  kit::CommandButton Command1{*this, "Command1"};
  kit::ProgressBar ProgressBar1{*this, "ProgressBar1"};
  kit::TabStrip TabStrip1{*this, "TabStrip1"};
  kit::PictureBox Picture1{*this, "Picture1"};
  kit::Line Line1{*this, "Line1"};
  kit::Grid Grid1{*this, "Grid1"};
  kit::Timer Timer1{*this, "Timer1"};
  kit::SerialPort MSC{*this, "MSC"};
};

class QtFixture : public ::testing::Test {
 protected:
  AppFirst app_;
  kit::qt::QtPlatform platform;
  Log log;
  kit::FormSlot<MainWindow> main{[this] { return std::make_unique<MainWindow>(platform, log); }};
  kit::FormSlot<ChildWindow> child{
      [this] { return std::make_unique<ChildWindow>(platform, log, main.get()); }};

  // Shows both windows and lets their Activate and focus settle.
  ChildWindow& open() {
    main.show();
    ChildWindow& w = child.show();
    waitUntil([&] { return platform.activeForm() == &w && platform.focused(); });
    log.clear();
    return w;
  }
  void TearDown() override {
    if (main.loaded()) main.unload();
    pump(10);
  }

  QWidget* widget(const kit::Control& c) const { return platform.widgetOf(c); }
  template <class W>
  W* widget(const kit::Control& c) const {
    return qobject_cast<W*>(platform.widgetOf(c));
  }
};

}  // namespace qt_test
