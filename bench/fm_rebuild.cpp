// Median time of a full rebuild of the FM window's grid and band boxes from the blocks a read
// brings in (Decode_Fm_Frames), as a completed read does it. On the Qt platform (offscreen unless
// QT_QPA_PLATFORM says otherwise) the time includes the repaint Qt does for it; headless it is the
// window's own share.
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "both_platforms.h"
#include "data/lang_text.h"
#include "editors/fm/frm_FM.h"
#include "median.h"
#include "shell/MDImain.h"
#include "shell/program.h"

namespace {

constexpr int kRuns = 41;

// Block_Buf rows 2-6 as a read of a programmed radio leaves them, different in every run.
void fillBlocks(j5::Shared_Data& d, int variant) {
  const int address[5] = {0x3000, 0x3040, 0x3080, 0x30C0, 0x3F80};
  for (std::size_t k = 0; k < 5; ++k) {
    const std::size_t row = k + 2;
    d.Block_Buf(row, 2) = static_cast<std::int16_t>(address[k] >> 8);
    d.Block_Buf(row, 3) = static_cast<std::int16_t>(address[k] & 0xFF);
    for (std::size_t j = 0; j < 4; ++j) {
      const std::int16_t rec[16] = {1,
                                    0,
                                    static_cast<std::int16_t>((variant + j) % 8),
                                    5,
                                    0,
                                    0,
                                    0,
                                    0,
                                    0xFF,
                                    'F',
                                    'M',
                                    static_cast<std::int16_t>('A' + variant % 26),
                                    static_cast<std::int16_t>('0' + j),
                                    '1',
                                    0xFF,
                                    0xFF};
      for (std::size_t i = 0; i < 16; ++i) d.Block_Buf(row, 5 + 16 * j + i) = rec[i];
    }
  }
  const std::int16_t band[12] = {1, 3, 6, 1, 7, static_cast<std::int16_t>(variant % 5),
                                 4, 0, 0, 4, 7, 9};
  for (std::size_t i = 0; i < 12; ++i) d.Block_Buf(6, 5 + i) = band[i];
}

void measure(kit::Platform& platform, const char* label, const std::function<void()>& settle) {
  j5::Program program(platform);
  program.data.Lang_Chn = j5::kFalse;
  j5::Set_Lang_Text(program.data);
  program.data.Band_A_Low = 136, program.data.Band_A_High = 175;
  program.data.Band_B_Low = 400, program.data.Band_B_High = 480;
  program.MDImain.show();
  program.MDImain->move(0, 0, 15360, 11520);
  auto& w = program.frm_FM.load();
  settle();
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    fillBlocks(program.data, run);
    const auto t0 = std::chrono::steady_clock::now();
    w.Decode_Fm_Frames();
    settle();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  std::printf("%-9s FM grid and band rebuild, median of %d: %.3f ms (limit 16 ms)\n", label, kRuns,
              bench::median(times));
}

}  // namespace

int main(int argc, char** argv) {
  return bench::runOnBothPlatforms(argc, argv, measure);
}
