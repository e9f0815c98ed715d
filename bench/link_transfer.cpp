// A whole read and a whole write of the real windows on the Qt platform (offscreen), over the
// serial line on the pseudo-terminal of j5-radio-sim, which paces its answers at 9600 baud.
// Each time is printed next to its floor: the wire time of every byte both ways plus the 15 ms
// before each frame the tool sends, and their ratio.
//
//   bench_link_transfer [runs]

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/defaults.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "platform/qt/qt_platform.h"
#include "qt_transfer.h"
#include "shell/program.h"
#include "sim/sim_process.h"

namespace {

constexpr double kFrameWaitMs = 15;

using bench::Floor;

// Every frame the tool sends waits 15 ms before its first byte.
Floor withFrameWaits(Floor f) {
  f.waitsMs = f.frames * kFrameWaitMs;
  return f;
}

// The opening: seven code bytes, STX and ACK out; ACK, the 14-byte identification and ACK back.
Floor opening() {
  return {7 + 1 + 1, 1 + 14 + 1, 3, 0};
}

Floor readFloor() {
  Floor f = opening();
  const int blocks = j5::Form_Comm_Read::kBlocks;
  f.toRadio += blocks * 4 + blocks;       // requests and their acknowledgements
  f.fromRadio += 68 + (blocks - 1) * 69;  // the first reply alone, the others behind an ACK
  f.frames += blocks;
  return withFrameWaits(f);
}

Floor writeFloor(const j5::Shared_Data& data) {
  Floor f = opening();
  for (const auto& run : j5::Row_Skip_List)
    for (int row = run.first; row <= run.last; ++row) {
      f.toRadio += j5::Short_Row(data, row) ? 5 : 20;
      f.fromRadio += 1;
      f.frames += 1;
    }
  return withFrameWaits(f);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
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
  j5::Init_Factory_Image(data);

  std::printf("whole read and write over %s, byte pause %.3f ms\n", radio.ptyPath().c_str(),
              j5::Byte_Pause_Ms);
  for (int run = 0; run < runs; ++run) {
    std::string text;
    auto& r = program.Form_Comm_Read.load();
    QApplication::processEvents();
    double start = platform.nowMs();
    r.Command_read.userClick();
    double end = bench::awaitBox(platform, text);
    if (text != "Complete reading the data from transceiver.") {
      std::fprintf(stderr, "read failed: %s\n", text.c_str());
      return 1;
    }
    bench::report("read", end - start, readFloor());
    program.Form_Comm_Read.unload();

    auto& w = program.Form_Comm_Write.load();
    QApplication::processEvents();
    start = platform.nowMs();
    w.Command_Write.userClick();
    end = bench::awaitBox(platform, text);
    if (text != "Complete writing parameters to the transceiver.") {
      std::fprintf(stderr, "write failed: %s\n", text.c_str());
      return 1;
    }
    bench::report("write", end - start, writeFloor(data));
    program.Form_Comm_Write.unload();
  }
  return 0;
}
