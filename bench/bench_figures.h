#pragma once
// What the benchmarks share: the median of their runs and, on the Qt platform, the wait for the
// message box that ends a transfer.

#include <algorithm>
#include <string>
#include <vector>

#if __has_include(<QApplication>) && __has_include("platform/qt/qt_platform.h")
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "platform/qt/qt_platform.h"
#endif

namespace bench {

inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

#if __has_include(<QApplication>) && __has_include("platform/qt/qt_platform.h")
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
#endif

}  // namespace bench
