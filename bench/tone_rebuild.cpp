// Median time of a full table rebuild in the two-tone and five-tone windows: every grid cell,
// list and box shown again from the pages a read brings in (Image_To_Grids), as a completed read
// does it. On the Qt platform (offscreen unless QT_QPA_PLATFORM says otherwise) the time includes
// the repaint Qt does for it; headless it is the window's own share.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "both_platforms.h"
#include "data/lang_text.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "platform/headless.h"
#include "shell/MDImain.h"
#include "shell/program.h"

namespace {

constexpr int kRuns = 41;

// Block_Buf rows 2-21 as a read of a programmed radio leaves them, different in every run.
void fillPages(j5::Shared_Data& d, int variant) {
  for (std::size_t row = 2; row <= 21; ++row)
    for (std::size_t i = 0; i < 64; ++i)
      d.Block_Buf(row, 5 + i) =
          static_cast<std::int16_t>((row * 64 + i + static_cast<std::size_t>(variant)) % 16);
}

void measure(kit::Platform& platform, const char* label, const std::function<void()>& settle) {
  j5::Program program(platform);
  program.data.Lang_Chn = j5::kFalse;
  j5::Set_Lang_Text(program.data);
  program.MDImain.show();
  program.MDImain->move(0, 0, 15360, 11520);
  auto& two = program.frm_2tone.load();
  auto& five = program.frm_5tone.load();
  settle();
  const auto time = [&](j5::Tone_Window& w, int run) {
    fillPages(program.data, run);
    const auto t0 = std::chrono::steady_clock::now();
    if (&w == &two)
      two.Image_To_Grids();
    else
      five.Image_To_Grids();
    settle();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  };
  std::vector<double> t2, t5;
  for (int run = 0; run < kRuns; ++run) {
    t2.push_back(time(two, run));
    t5.push_back(time(five, run));
  }
  std::printf("%-9s full table rebuild, median of %d: two-tone %.3f ms, five-tone %.3f ms\n", label,
              kRuns, bench::median(t2), bench::median(t5));
}

}  // namespace

int main(int argc, char** argv) {
  return bench::runOnBothPlatforms(argc, argv, measure);
}
