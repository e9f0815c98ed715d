// The FM window's read and write on the Qt platform (offscreen), over the serial line on the
// pseudo-terminal of j5-radio-sim answering the FM opening, paced at 9600 baud. Each time is
// printed next to its floor and their ratio. The tool sends one byte per sender tick, the first
// 15 ms after a frame is queued and every further one 10 ms later; the pseudo-terminal hands those
// bytes over at once and the simulator spaces its answer bytes at their wire time. So the floor
// is, for every frame the tool queues, 15 ms plus 10 ms for each byte after the first, plus the
// wire time of every byte the radio sends. The ACK after each read reply goes out at once.
//
//   bench_fm_transfer [runs]

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "data/lang_text.h"
#include "editors/fm/frm_FM.h"
#include "platform/qt/qt_platform.h"
#include "qt_transfer.h"
#include "shell/program.h"
#include "sim/sim_process.h"

namespace {

struct Floor {
  int fromRadio = 0;
  double pacedMs = 0;
  int frames = 0;
  void frame(int bytes) {
    pacedMs += 15 + 10.0 * (bytes - 1);
    ++frames;
  }
  double ms() const { return pacedMs + fromRadio * kit::kByteMs9600; }
};

// The eight code bytes out; the identification back behind the radio's ACK (9 bytes).
Floor opening() {
  Floor f;
  f.frame(8);
  f.fromRadio = 9;
  return f;
}

Floor readFloor() {
  Floor f = opening();
  f.frame(5);  // the first request behind an ACK
  for (int k = 1; k < 5; ++k) f.frame(4);
  f.fromRadio += 5 * 69;
  return f;
}

Floor writeFloor() {
  Floor f = opening();
  for (int n = 0; n < 17; ++n) f.frame(21);
  f.fromRadio += 17;
  return f;
}

bool run(kit::qt::QtPlatform& platform, kit::CommandButton& button, const char* what,
         const char* expected, const Floor& floor) {
  const double ms = bench::timeToBox(
      platform, [&] { button.userClick(); }, what, expected);
  if (ms < 0) return false;
  std::printf("%-9s %8.1f ms  floor %8.1f ms (%d frames paced, %d bytes back)  ratio %.3f\n", what,
              ms, floor.ms(), floor.frames, floor.fromRadio, ms / floor.ms());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  simtest::SimProcess radio(bench::simBinary(), {"--pacing", "on", "--ident", "dec"});
  setenv("J5_SERIAL_PORTS", radio.ptyPath().c_str(), 1);

  int qtArgc = 1;
  kit::qt::QtPlatform platform(qtArgc, argv);
  j5::Program program(platform);
  program.data.Lang_Chn = j5::kFalse;
  program.data.Comm_Port = 1;
  program.data.Band_A_Low = 136, program.data.Band_A_High = 175;
  program.data.Band_B_Low = 400, program.data.Band_B_High = 480;
  j5::Set_Lang_Text(program.data);

  for (int n = 0; n < runs; ++n) {
    auto& w = program.frm_FM.load();
    if (!run(platform, w.Command_Write, "FM write",
             "Complete writing FM Radio parameters to the transceiver.", writeFloor()) ||
        !run(platform, w.Command_read, "FM read", "Complete reading the data from transceiver.",
             readFloor()))
      return 1;
    program.frm_FM.unload();
  }
  return 0;
}
