// Median time to open the DTMF editor from the Edit menu: the open window unloaded, a fresh one
// loaded, captioned, its lists filled, the record shown, then activated (showing the record
// again). On the Qt platform (offscreen unless QT_QPA_PLATFORM says otherwise) the time includes
// the events Qt runs until the window is drawn; headless it is the window's own share.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "both_platforms.h"
#include "data/defaults.h"
#include "editors/dtmf/frm_dtmf.h"
#include "platform/headless.h"
#include "shell/MDImain.h"
#include "shell/program.h"

namespace {

constexpr int kRuns = 41;

void measure(kit::Platform& platform, const char* label, const std::function<void()>& settle) {
  j5::Program program(platform);
  program.MDImain.show();
  program.MDImain->move(0, 0, 15360, 11520);
  settle();

  std::vector<double> times;
  for (int run = 0; run < kRuns + 1; ++run) {
    const auto t0 = std::chrono::steady_clock::now();
    program.MDImain->Dtmf_edit.userClick();
    settle();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    if (run > 0) times.push_back(ms);  // the first builds Qt's caches
  }
  const bool open = program.frm_dtmf.loaded() && program.frm_dtmf->shown();
  std::printf("%-9s open of the DTMF editor from the Edit menu, median of %d: %.3f ms%s\n", label,
              kRuns, bench::median(times), open ? "" : " (the window did not open)");
}

}  // namespace

int main(int argc, char** argv) {
  return bench::runOnBothPlatforms(argc, argv, measure);
}
