// The real program on the Qt platform offscreen, started as a user starts it, with a user who
// closes every message box: for the tests that work its windows as a user does.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <functional>
#include <memory>

#include "editors/option_copies/option_copy_window.h"
#include "platform/qt/qt_platform.h"
#include "qt_fixture.h"
#include "shell/MDImain.h"
#include "shell/program.h"

namespace qt_test {

// What the event loop does once the handler of a click has returned, in the order that tries the
// windows' widgets hardest: the kit frees the forms that unloaded, then Qt delivers what is pending
// and deletes what waits for deletion.
inline void Settle(kit::Platform& platform) {
  for (int i = 0; i < 3; ++i) {
    platform.runDue();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  pump(10);
}

// One run of the program, started as a user starts it.
struct Session {
  explicit Session(kit::qt::QtPlatform& p) : platform(p) {
    program.MDImain.show();
    Settle(platform);
  }
  ~Session() {
    if (program.MDImain.loaded()) program.MDImain.unload();
    Settle(platform);
  }
  j5::MDImain& Main() { return *program.MDImain; }
  // What a menu entry or a button runs, run as the program's own handler.
  void Run(const std::function<void()>& fn) {
    platform.dispatch(fn);
    Settle(platform);
  }

  kit::qt::QtPlatform& platform;
  j5::Program program{platform};
  // The option window copies: nothing in the program opens them.
  kit::FormSlot<j5::frm_Adj_Mod> adj_mod{
      [this] { return std::make_unique<j5::frm_Adj_Mod>(program); }};
  kit::FormSlot<j5::frm_Adj_Tune> adj_tune{
      [this] { return std::make_unique<j5::frm_Adj_Tune>(program); }};
};

// The Qt platform offscreen, with a user who closes every message box.
struct Qt_Stage {
  AppFirst app_;
  BoxCloser boxes_;
  kit::qt::QtPlatform platform;
};

}  // namespace qt_test
