// Median time to open the optional features window from the Edit menu: the
// window built, its 46 lists filled (four of them with 2,211 tones), the
// image shown in every control and, on the Qt platform (offscreen unless
// QT_QPA_PLATFORM says otherwise), the widgets caught up and painted.
// Target: under 50 ms on Qt.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "data/defaults.h"
#include "data/tables.h"
#include "editors/options/frm_option.h"
#include "offscreen_screen.h"
#include "platform/headless.h"
#include "platform/qt/qt_platform.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "start_image.h"

namespace {

constexpr int kRuns = 31;

void measure(kit::Platform& platform, const char* label, const std::function<void()>& settle) {
  j5::Program program(platform);
  j5::Shared_Data& d = program.data;
  bench::startImage(d);
  program.MDImain.show();
  program.MDImain->move(0, 0, 15360, 11520);
  settle();

  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    program.frm_option.unload();
    settle();
    // A whole read may have left anything in the option records.
    d.Mem_Image(226, 11) = static_cast<std::int16_t>(39 + run % 2);
    d.Mem_Image(241, 6) = static_cast<std::int16_t>(run % 2 ? 0x75 : 0xFF);
    const auto t0 = std::chrono::steady_clock::now();
    program.frm_option.load();
    settle();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  j5::frm_option* w = program.frm_option.get();
  if (!w || w->Combo_t_ctdcs_b.listCount() != 2211 || w->Combo_tot.text() != "600" ||
      w->Text_Freq_b.text() != "240.02500") {
    std::printf("%-9s the window did not open as it should: %d %s %s\n", label,
                w ? w->Combo_t_ctdcs_b.listCount() : -1, w ? w->Combo_tot.text().c_str() : "",
                w ? w->Text_Freq_b.text().c_str() : "");
    std::exit(1);
  }
  std::printf("%-9s open the optional features window, median of %d: %.3f ms%s\n", label, kRuns,
              bench::median(times), std::string(label) == "qt" ? " (target < 50 ms)" : "");
}

}  // namespace

int main(int argc, char** argv) {
  {
    kit::HeadlessPlatform headless;
    measure(headless, "headless", [&] { headless.runUntilIdle(); });
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr)
    setenv("QT_QPA_PLATFORM", bench::offscreen1024x768().c_str(), 1);
  setenv("J5_SERIAL_PORTS", "/nonexistent/j5-bench-port", 1);
  QApplication app(argc, argv);
  kit::qt::QtPlatform qt;
  measure(qt, "qt", [] {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  });
  return 0;
}
