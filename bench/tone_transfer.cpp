// The two-tone and five-tone windows' reads and writes on the Qt platform (offscreen), over the
// serial line on the pseudo-terminal of j5-radio-sim answering in the 50-byte identification,
// paced at 9600 baud. Each time is printed next to its floor and their ratio. The floor is what
// this line allows: the pseudo-terminal hands the tool's bytes over at once and the simulator
// spaces its answer bytes at their wire time, so it is the wire time of every byte the radio
// sends plus the 15 ms before each frame the tool queues (the tool's own bytes are counted for
// information).
//
//   bench_tone_transfer [runs]

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/lang_text.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "platform/qt/qt_platform.h"
#include "qt_transfer.h"
#include "shell/program.h"
#include "sim/sim_process.h"

namespace {

constexpr double kFrameWaitMs = 15;

struct Floor {
  int toRadio = 0, fromRadio = 0, frames = 0;
  double ms() const { return fromRadio * kit::kByteMs9600 + frames * kFrameWaitMs; }
};

// The eight code bytes out, the 50-byte identification back.
Floor opening() {
  return {8, 50, 1};
}

Floor readFloor(int blocks) {
  Floor f = opening();
  f.toRadio += 5 + (blocks - 1) * 4 + blocks;  // requests (the first behind an ACK), their ACKs
  f.fromRadio += blocks * 69;
  f.frames += blocks;
  return f;
}

Floor writeFloor(int rows) {
  Floor f = opening();
  f.toRadio += rows * 21;
  f.fromRadio += rows;
  f.frames += rows;
  return f;
}

bool run(kit::qt::QtPlatform& platform, j5::Tone_Window& w, kit::CommandButton& button,
         const char* what, const char* expected, const Floor& floor) {
  const double ms = bench::timeToBox(
      platform, [&] { button.userClick(); }, what, expected);
  if (ms < 0) return false;
  (void)w;
  std::printf("%-15s %8.1f ms  floor %8.1f ms (%d bytes out, %d back, %d frames)  ratio %.3f\n",
              what, ms, floor.ms(), floor.toRadio, floor.fromRadio, floor.frames, ms / floor.ms());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  simtest::SimProcess radio(bench::simBinary(), {"--pacing", "on", "--ident", "50"});
  setenv("J5_SERIAL_PORTS", radio.ptyPath().c_str(), 1);

  int qtArgc = 1;
  kit::qt::QtPlatform platform(qtArgc, argv);
  j5::Program program(platform);
  program.data.Lang_Chn = j5::kFalse;
  program.data.Comm_Port = 1;
  j5::Set_Lang_Text(program.data);

  const char* readDone = "Complete reading the data from transceiver.";
  const char* writeDone = "Complete writing Signal parameters to the transceiver.";
  for (int n = 0; n < runs; ++n) {
    auto& two = program.frm_2tone.load();
    if (!run(platform, two, two.Command_read, "two-tone read", readDone, readFloor(12)) ||
        !run(platform, two, two.Command_Write, "two-tone write", writeDone, writeFloor(48)))
      return 1;
    program.frm_2tone.unload();
    auto& five = program.frm_5tone.load();
    if (!run(platform, five, five.Command_read, "five-tone read", readDone, readFloor(20)) ||
        !run(platform, five, five.Command_Write, "five-tone write", writeDone, writeFloor(144)))
      return 1;
    program.frm_5tone.unload();
  }
  return 0;
}
