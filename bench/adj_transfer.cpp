// The adjustment window's read and write on the Qt platform (offscreen), over the serial line on
// the pseudo-terminal of j5-radio-sim, which paces its answers at 9600 baud. Each time is
// printed next to its floor and their ratio (target: within 1.05), then the median ratios: the
// floor is the wire time of every byte both ways plus the 15 ms before each frame the tool sends.
//
//   bench_adj_transfer [runs]

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/defaults.h"
#include "editors/adjust/frm_Adj_Txp.h"
#include "median.h"
#include "platform/qt/qt_platform.h"
#include "qt_transfer.h"
#include "shell/program.h"
#include "sim/sim_process.h"

namespace {

constexpr double kFrameWaitMs = 15;

// A frame of `out` bytes, answered with `back` bytes.
void frame(bench::Floor& f, int out, int back) {
  f.toRadio += out;
  f.fromRadio += back;
  f.frames += 1;
  f.waitsMs += kFrameWaitMs;
}

// The opening: seven code bytes answered by ACK, STX by the 14-byte identification, ACK by ACK.
bench::Floor opening() {
  bench::Floor f;
  frame(f, 7, 1);
  frame(f, 1, 14);
  frame(f, 1, 1);
  return f;
}

// Five requests, each reply acknowledged at once; the first reply alone, the others behind the
// radio's ACK.
bench::Floor readFloor() {
  bench::Floor f = opening();
  for (int k = 0; k < 5; ++k) frame(f, 4 + 1, k == 0 ? 68 : 69);
  return f;
}

// The tag frame and sixteen rows, twenty bytes each, each acknowledged.
bench::Floor writeFloor() {
  bench::Floor f = opening();
  for (int k = 0; k < 17; ++k) frame(f, 20, 1);
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  simtest::SimProcess radio(bench::simBinary(), {"--pacing", "on"});
  setenv("J5_SERIAL_PORTS", radio.ptyPath().c_str(), 1);

  int qtArgc = 1;
  kit::qt::QtPlatform platform(qtArgc, argv);
  j5::Program program(platform);
  j5::Shared_Data& data = program.data;
  j5::Fill_Access_Code(data);
  data.Lang_Chn = j5::kFalse;
  data.Comm_Port = 1;
  j5::Init_Adj_Default(data);
  j5::Copy_Adj_Default(data);
  auto& w = program.frm_Adj_Txp.load();
  QApplication::processEvents();

  std::printf("adjustment read and write over %s\n", radio.ptyPath().c_str());
  std::vector<double> writes, reads;
  for (int run = 0; run < runs; ++run) {
    std::string text;
    double start = platform.nowMs();
    w.Command_Write.userClick();
    double end = bench::awaitBox(platform, text);
    if (text != "Complete writing optional parameters to the transceiver.") {
      std::fprintf(stderr, "write failed: %s\n", text.c_str());
      return 1;
    }
    bench::report("write", end - start, writeFloor());
    writes.push_back((end - start) / writeFloor().ms());

    start = platform.nowMs();
    w.Command_read.userClick();
    end = bench::awaitBox(platform, text);
    if (text != "Complete reading the data from transceiver.") {
      std::fprintf(stderr, "read failed: %s\n", text.c_str());
      return 1;
    }
    bench::report("read", end - start, readFloor());
    reads.push_back((end - start) / readFloor().ms());
  }
  std::printf("median ratio over %d runs: write %.3f, read %.3f\n", runs, bench::median(writes),
              bench::median(reads));
  return 0;
}
