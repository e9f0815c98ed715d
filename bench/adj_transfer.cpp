// The adjustment window's read and write on the Qt platform (offscreen), over the serial line on
// the pseudo-terminal of j5-radio-sim, which paces its answers at 9600 baud. Each time is
// printed next to its floor: the wire time of every byte both ways plus the 15 ms before each
// frame the tool sends, and their ratio.
//
//   bench_adj_transfer [runs]

#include <cstdio>
#include <cstdlib>

#if __has_include("platform/qt/qt_platform.h")
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "data/defaults.h"
#include "editors/adjust/frm_Adj_Txp.h"
#include "platform/qt/qt_platform.h"
#include "shell/program.h"
#include "sim/sim_process.h"

namespace {

constexpr double kFrameWaitMs = 15;

struct Floor {
  int toRadio = 0, fromRadio = 0, frames = 0;
  double ms() const { return (toRadio + fromRadio) * kit::kByteMs9600 + frames * kFrameWaitMs; }
};

// The opening: seven code bytes, STX and ACK out; ACK, the 14-byte identification and ACK back.
Floor opening() {
  return {7 + 1 + 1, 1 + 14 + 1, 3};
}

// Five requests, each reply acknowledged; the first reply alone, the others behind an ACK.
Floor readFloor() {
  Floor f = opening();
  f.toRadio += 5 * 4 + 5;
  f.fromRadio += 68 + 4 * 69;
  f.frames += 5;
  return f;
}

// The tag frame and sixteen rows, twenty bytes each, each acknowledged.
Floor writeFloor() {
  Floor f = opening();
  f.toRadio += 17 * 20;
  f.fromRadio += 17;
  f.frames += 17;
  return f;
}

// Waits in Qt's loop for the next message box, answers it and returns when it appeared.
double awaitBox(kit::qt::QtPlatform& platform, std::string& text) {
  double at = -1;
  QTimer poll;
  poll.setTimerType(Qt::PreciseTimer);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      at = platform.nowMs();
      text = box->text().toStdString();
      box->accept();
    }
  });
  poll.start(1);
  while (at < 0) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  return at;
}

double report(const char* what, double ms, const Floor& floor) {
  std::printf("%-6s %8.1f ms  floor %8.1f ms (%d bytes out, %d back, %d frames)  ratio %.3f\n",
              what, ms, floor.ms(), floor.toRadio, floor.fromRadio, floor.frames, ms / floor.ms());
  return ms / floor.ms();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // build/bench/.. -> build/sim/j5-radio-sim
  const auto binary = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() /
                      "sim" / "j5-radio-sim";
  simtest::SimProcess radio(binary.string(), {"--pacing", "on"});
  setenv("J5_SERIAL_PORTS", radio.ptyPath().c_str(), 1);

  int qtArgc = 1;
  kit::qt::QtPlatform platform(qtArgc, argv);
  j5::Program program(platform);
  j5::SharedData& data = program.data;
  j5::Fill_Access_Code(data);
  data.Lang_Chn = j5::kFalse;
  data.Comm_Port = 1;
  j5::Init_Adj_Default(data);
  j5::Copy_Adj_Default(data);
  auto& w = program.frm_Adj_Txp.load();
  QApplication::processEvents();

  std::printf("adjustment read and write over %s, byte pause %.3f ms\n", radio.ptyPath().c_str(),
              j5::Byte_Pause_Ms);
  std::vector<double> writes, reads;
  for (int run = 0; run < runs; ++run) {
    std::string text;
    double start = platform.nowMs();
    w.Command_Write.userClick();
    double end = awaitBox(platform, text);
    if (text != "Complete writing optional parameters to the transceiver.") {
      std::fprintf(stderr, "write failed: %s\n", text.c_str());
      return 1;
    }
    writes.push_back(report("write", end - start, writeFloor()));

    start = platform.nowMs();
    w.Command_read.userClick();
    end = awaitBox(platform, text);
    if (text != "Complete reading the data from transceiver.") {
      std::fprintf(stderr, "read failed: %s\n", text.c_str());
      return 1;
    }
    reads.push_back(report("read", end - start, readFloor()));
  }
  std::printf("median ratio over %d runs: write %.3f, read %.3f\n", runs, median(writes),
              median(reads));
  return 0;
}

#else
int main() {
  std::printf("bench_adj_transfer: built without the Qt backend, nothing measured\n");
  return 0;
}
#endif
