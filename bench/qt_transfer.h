#pragma once
// What the transfer benchmarks share on the Qt platform: waiting for the message box that ends a
// transfer, and printing a time next to its floor.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/qt/qt_platform.h"

namespace bench {

// The simulator built beside this benchmark: build/bench/.. -> build/sim/j5-radio-sim.
inline std::string simBinary() {
  return (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "sim" /
          "j5-radio-sim")
      .string();
}

// Waits in Qt's loop for the next message box, answers it and returns when it appeared.
inline double awaitBox(kit::qt::QtPlatform& platform, std::string& text) {
  double at = -1;
  QTimer poll;
  poll.setTimerType(Qt::PreciseTimer);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      at = platform.nowMs();
      text = box->text().toStdString();
      box->accept();
    }
  });
  poll.start(1);
  while (at < 0) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  return at;
}

// Presses through `press` and waits for the box that ends the transfer: the time between, or -1
// (with a line on stderr) when the box says something other than `expected`.
inline double timeToBox(kit::qt::QtPlatform& platform, const std::function<void()>& press,
                        const char* what, const char* expected) {
  std::string text;
  QApplication::processEvents();
  const double start = platform.nowMs();
  press();
  const double end = awaitBox(platform, text);
  if (text != expected) {
    std::fprintf(stderr, "%s failed: %s\n", what, text.c_str());
    return -1;
  }
  return end - start;
}

// The wire time of every byte both ways at 9600 8N1 plus the waits the transfer must make.
struct Floor {
  int toRadio = 0, fromRadio = 0, frames = 0;
  double waitsMs = 0;
  double ms() const { return (toRadio + fromRadio) * kit::kByteMs9600 + waitsMs; }
};

inline void report(const char* what, double ms, const Floor& floor) {
  std::printf("%-6s %9.1f ms  floor %9.1f ms (%d bytes out, %d back, %d frames)  ratio %.3f\n",
              what, ms, floor.ms(), floor.toRadio, floor.fromRadio, floor.frames, ms / floor.ms());
}

}  // namespace bench
