#pragma once
// The program on the Qt platform offscreen, its main window loaded at 1024 x 738 pixels: the size
// it takes on a 1024 x 768 screen, for which the windows are laid out.

#include "qt/qt_fixture.h"
#include "shell/MDImain.h"
#include "shell/program.h"

namespace qt_test {

struct Program_On_Screen {
  AppFirst app_;
  BoxCloser closer;  // the start-up's screen advice on a small offscreen screen
  kit::qt::QtPlatform platform;
  j5::Program program{platform};

  Program_On_Screen() {
    program.MDImain.load();
    program.MDImain->move(0, 0, 1024 * 15, 738 * 15);
    pump(50);
  }
  ~Program_On_Screen() {
    if (program.MDImain.loaded()) program.MDImain->unload();
  }
};

}  // namespace qt_test
