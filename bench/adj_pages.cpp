// Time of the adjustment window's page switch (a tab click: frames swapped, the page shown from
// the table) and of its display after the whole table changed (as after a read or a file load),
// for each of its five pages: median and worst of many runs. On the Qt platform (offscreen
// unless QT_QPA_PLATFORM says otherwise) the time includes the repaint Qt does for it; headless
// it is the window's own share. A frame of a 60 Hz screen is 16.7 ms.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "both_platforms.h"
#include "editors/adjust/frm_Adj_Txp.h"
#include "shell/MDImain.h"
#include "shell/program.h"

namespace {

constexpr int kRuns = 41;

struct Figures {
  double median = 0, worst = 0;
};

Figures figures(const std::vector<double>& v) {
  return {bench::median(v), *std::max_element(v.begin(), v.end())};
}

// A table every list and box can show, different in each run, as a read would leave it.
void fillTable(j5::Shared_Data& d, int run) {
  for (int r = 0; r < 20; ++r)
    for (int c = 0; c < 16; ++c) d.Adj_Value(r, c) = static_cast<std::int16_t>((r + c + run) % 8);
}

void measure(kit::Platform& platform, const char* label, const std::function<void()>& settle) {
  j5::Program program(platform);
  program.MDImain.show();
  program.MDImain->move(0, 0, 15360, 11520);
  settle();
  j5::frm_Adj_Txp& w = program.frm_Adj_Txp.load();
  settle();

  const auto time = [&](const std::function<void()>& step) {
    const auto t0 = std::chrono::steady_clock::now();
    step();
    settle();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  };
  std::vector<double> switches[5], displays[5];
  for (int run = 0; run < kRuns; ++run) {
    for (int page = 0; page < 5; ++page) {
      switches[page].push_back(time([&] { w.TabStrip1.userClickTab(page + 1); }));
      fillTable(program.data, run * 5 + page);
      displays[page].push_back(time([&] { w.Show_Adj_Page(); }));
    }
  }
  for (int page = 0; page < 5; ++page) {
    const Figures s = figures(switches[page]), d = figures(displays[page]);
    std::printf(
        "%-9s page %d, %d runs: switch median %.3f ms worst %.3f ms; display median %.3f ms "
        "worst %.3f ms\n",
        label, page, kRuns, s.median, s.worst, d.median, d.worst);
  }
}

}  // namespace

int main(int argc, char** argv) {
  return bench::runOnBothPlatforms(argc, argv, measure);
}
