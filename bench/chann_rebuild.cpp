// Median time of one activation rebuild of the channel window with 128
// channels: the grid renumbered and every row shown again from the image.
// Two cases: the image as it was (an ordinary activation) and every channel
// changed (the first activation after a whole read). On the Qt platform
// (offscreen unless QT_QPA_PLATFORM says otherwise) the time includes the
// repaint Qt does for it; headless it is the window's own share.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "both_platforms.h"
#include "data/defaults.h"
#include "data/tables.h"
#include "editors/channels/frm_chann.h"
#include "platform/headless.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "start_image.h"

namespace {

constexpr int kRuns = 41;

// Every channel programmed, its contents depending on `variant`, as a whole
// read would leave them.
void fillChannels(j5::Shared_Data& d, int variant) {
  for (int ch = 0; ch < 128; ++ch) {
    const int mhz = 400 + (ch + variant) % 100;
    const int bcd3 = 0x40 + (mhz / 10 % 10), bcd2 = (mhz % 10) << 4;
    const int row[16] = {0x00,
                         0x25,
                         bcd2,
                         bcd3,
                         0x00,
                         0x25,
                         bcd2,
                         bcd3,
                         (ch + variant) % 2 ? 0x9E : 1,
                         (ch + variant) % 2 ? 0x02 : 0,
                         0x75,
                         0x03,
                         (ch + variant) % 15,
                         0,
                         (ch + variant) % 3,
                         0x44 | variant % 4};
    for (int k = 0; k < 16; ++k) d.Mem_Image(ch, k) = static_cast<std::int16_t>(row[k]);
    for (int k = 0; k < 6; ++k)
      d.Mem_Image(256 + ch, k) = static_cast<std::int16_t>('A' + (ch + k + variant) % 26);
  }
}

void measure(kit::Platform& platform, const char* label, const std::function<void()>& settle) {
  j5::Program program(platform);
  bench::startImage(program.data);
  program.MDImain.show();
  program.MDImain->move(0, 0, 15360, 11520);
  j5::frm_chann& w = program.frm_chann.load();
  settle();

  const auto timeRebuild = [&] {
    const auto t0 = std::chrono::steady_clock::now();
    w.Activate();
    settle();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  };
  std::vector<double> same, changed;
  for (int run = 0; run < kRuns; ++run) {
    fillChannels(program.data, run);
    changed.push_back(timeRebuild());
    same.push_back(timeRebuild());
  }
  std::printf(
      "%-9s rebuild of 128 channels, median of %d: unchanged image %.3f ms, "
      "every channel changed %.3f ms\n",
      label, kRuns, bench::median(same), bench::median(changed));
}

}  // namespace

int main(int argc, char** argv) {
  return bench::runOnBothPlatforms(argc, argv, measure);
}
