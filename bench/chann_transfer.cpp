// The channel editor's own read and write of 128 channels on the Qt platform (offscreen), over the
// serial line on the pseudo-terminal of j5-radio-sim answering in the 8-byte identification,
// paced at 9600 baud. Each time is printed next to its floor and their ratio. The floor is the
// wire time at 9600 8N1 of every byte the tool paces out (its sender spaces them by a byte time)
// but the last of each frame, whose time the radio's answer overlaps (the pseudo-terminal hands
// the bytes over at once), and of every byte the radio sends, plus the 15 ms before each frame
// the tool queues. The ACK the tool writes at once on each reply leaves while it waits for its
// next frame, so it is counted for information only.
//
//   bench_chann_transfer [runs]

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/defaults.h"
#include "data/lang_text.h"
#include "editors/channels/frm_chann.h"
#include "platform/qt/qt_platform.h"
#include "qt_transfer.h"
#include "shell/program.h"
#include "sim/sim_process.h"

namespace {

constexpr double kFrameWaitMs = 15;

struct Floor {
  int paced = 0, atOnce = 0, fromRadio = 0, frames = 0;
  double ms() const {
    return (paced - frames + fromRadio) * kit::kByteMs9600 + frames * kFrameWaitMs;
  }
};

// The eight code bytes out; the radio's ACK of the code and the identification back.
Floor opening() {
  return {8, 0, 1 + 8, 1};
}

Floor readFloor(int channels) {
  const int blocks = 2 * (channels / 4 + 1);
  Floor f = opening();
  f.paced += 5 + (blocks - 1) * 4;  // the first request behind an ACK
  f.atOnce += blocks;
  f.fromRadio += blocks * 69;
  f.frames += blocks;
  return f;
}

// Each channel's record and name row behind an ACK, whole or as a short row.
Floor writeFloor(const j5::Shared_Data& d, int channels) {
  Floor f = opening();
  for (int n = 0; n < channels; ++n)
    for (int row : {n, 256 + n}) {
      const bool shortRow =
          (n > 0 || row != 0) && d.Mem_Image(static_cast<std::size_t>(row), 0) == 0xFF;
      f.paced += shortRow ? 6 : 21;
      f.fromRadio += 1;
      f.frames += 1;
    }
  return f;
}

// The buttons are never shown: the benchmark presses them through their handlers.
bool run(kit::qt::QtPlatform& platform, kit::CommandButton& button, const char* what,
         const char* expected, const Floor& floor) {
  const double ms = bench::timeToBox(
      platform, [&] { button.Click(); }, what, expected);
  if (ms < 0) return false;
  std::printf(
      "%-14s %8.1f ms  floor %8.1f ms (%d bytes paced out, %d at once, %d back, %d frames)  "
      "ratio %.3f\n",
      what, ms, floor.ms(), floor.paced, floor.atOnce, floor.fromRadio, floor.frames,
      ms / floor.ms());
  return true;
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
  j5::Shared_Data& d = program.data;
  d.Lang_Chn = j5::kFalse;
  d.Comm_Port = 1;
  d.Chann_Total = 128;
  j5::Set_Lang_Text(d);
  j5::Fill_Access_Code(d);
  j5::Init_Factory_Image(d);

  for (int n = 0; n < runs; ++n) {
    auto& w = program.frm_chann.load();
    if (!run(platform, w.Command_read, "channel read",
             "Complete reading data from the transceiver.", readFloor(128)) ||
        !run(platform, w.Command_Write, "channel write",
             "Complete writing the data to transceiver.", writeFloor(d, 128)))
      return 1;
    program.frm_chann.unload();
  }
  return 0;
}
