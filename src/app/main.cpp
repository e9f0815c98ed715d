// The program: the Qt platform, the program object, the main window, the
// event loop. The main window's start-up does everything else.
//
// J5_QUIT_WHEN_SHOWN=1 is a hook for the start-up benchmark: once the main
// window is on screen the program prints "main window shown" with the time
// since main() began, and ends.

#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/qt/qt_platform.h"
#include "shell/MDImain.h"
#include "shell/program.h"

int main(int argc, char** argv) {
  const auto began = std::chrono::steady_clock::now();
  kit::qt::QtPlatform platform(argc, argv);
  j5::Program program(platform);
  program.MDImain.load();

  const char* quitWhenShown = std::getenv("J5_QUIT_WHEN_SHOWN");
  if (quitWhenShown && std::strcmp(quitWhenShown, "1") == 0) {
    // Runs once the loop has handled the window's showing.
    QTimer::singleShot(0, [&] {
      const double ms =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began)
              .count();
      std::printf("main window shown %.1f ms\n", ms);
      std::fflush(stdout);
      program.MDImain.unload();
    });
  }
  return platform.exec();
}
