// The optional features window's own read and write on the Qt platform (offscreen), over the
// serial line on the pseudo-terminal of j5-radio-sim, which paces its answers at 9600 baud. Each
// time is printed next to its floor and their ratio (target: within 1.05). The transfer's own
// pacing sets the floor: a frame's first byte 15 ms after it is queued, then one byte every 20 ms,
// so a frame of n bytes takes 15 + 20 (n - 1) ms and its last byte's wire time; every byte the
// radio sends back adds its wire time.
//
//   bench_option_transfer [runs]

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editors/options/frm_option.h"
#include "platform/qt/qt_platform.h"
#include "qt_transfer.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "sim/sim_process.h"
#include "start_image.h"

namespace {

constexpr int kCodeBytes = 8, kIdentBytes = 8;
constexpr int kReadBlocks = 5, kRequestBytes = 4, kReplyBytes = 69;
constexpr int kWriteFrames = 23, kFrameBytes = 20;

// A frame of n bytes sent one byte a tick; the answer of `back` bytes.
void frame(bench::Floor& f, int n, int back) {
  f.waitsMs += 15 + 20.0 * (n - 1);
  f.toRadio += 1;  // the bytes before the last leave within the ticks
  f.fromRadio += back;
  f.frames += 1;
}

bench::Floor readFloor() {
  bench::Floor f;
  frame(f, kCodeBytes, kIdentBytes);
  for (int k = 0; k < kReadBlocks; ++k) frame(f, kRequestBytes, kReplyBytes);
  return f;
}

bench::Floor writeFloor() {
  bench::Floor f;
  frame(f, kCodeBytes, kIdentBytes);
  for (int k = 0; k < kWriteFrames; ++k) frame(f, kFrameBytes, 1);
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  simtest::SimProcess radio(bench::simBinary(), {"--pacing", "on", "--ident", "8"});
  setenv("J5_SERIAL_PORTS", radio.ptyPath().c_str(), 1);

  int qtArgc = 1;
  kit::qt::QtPlatform platform(qtArgc, argv);
  j5::Program program(platform);
  j5::Shared_Data& data = program.data;
  bench::startImage(data);
  j5::Fill_Access_Code(data);
  data.Lang_Chn = j5::kFalse, data.Comm_Port = 1;
  auto& w = program.frm_option.load();
  QApplication::processEvents();

  std::printf("optional features transfer over %s\n", radio.ptyPath().c_str());
  for (int run = 0; run < runs; ++run) {
    std::string text;
    double start = platform.nowMs();
    w.Command_read.Click();  // the buttons are not visible: their handlers run directly
    double end = bench::awaitBox(platform, text);
    if (text != "Complete reading the data from transceiver.") {
      std::fprintf(stderr, "read failed: %s\n", text.c_str());
      return 1;
    }
    bench::report("read", end - start, readFloor());

    start = platform.nowMs();
    w.Command_Write.Click();
    end = bench::awaitBox(platform, text);
    if (text != "Complete writing optional parameters to the transceiver.") {
      std::fprintf(stderr, "write failed: %s\n", text.c_str());
      return 1;
    }
    bench::report("write", end - start, writeFloor());
  }
  return 0;
}
