#pragma once
// The benchmarks that time a window do it on both platforms: headless (the window's own share)
// and Qt, offscreen on a 1024 x 768 screen unless QT_QPA_PLATFORM says otherwise (the work Qt
// does to draw it included). Each platform comes with its way of letting pending events run.

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "median.h"
#include "offscreen_screen.h"
#include "platform/headless.h"
#include "platform/qt/qt_platform.h"

namespace bench {

// measure(platform, label, settle) times its window on the platform and prints the figures.
using Measure = std::function<void(kit::Platform& platform, const char* label,
                                   const std::function<void()>& settle)>;

inline int runOnBothPlatforms(int argc, char** argv, const Measure& measure) {
  {
    kit::HeadlessPlatform headless;
    measure(headless, "headless", [&] { headless.runUntilIdle(); });
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr)
    setenv("QT_QPA_PLATFORM", offscreen1024x768().c_str(), 1);
  setenv("J5_SERIAL_PORTS", "/nonexistent/j5-bench-port", 1);
  QApplication app(argc, argv);
  kit::qt::QtPlatform qt;
  measure(qt, "qt", [] { QCoreApplication::processEvents(); });
  return 0;
}

}  // namespace bench
