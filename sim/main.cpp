// j5-radio-sim: the simulated radio on a pseudo-terminal, for trying the tool by hand and for
// the tests that run the real serial stack. Prints the terminal's path, serves until SIGINT or
// SIGTERM, then dumps the memory when asked to.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "sim/options.h"
#include "sim/radio.h"
#include "sim/serve_wait.h"

namespace {

volatile sig_atomic_t stopRequested = 0;

void onStop(int) {
  stopRequested = 1;
}

// A pty delivers at once; with pacing each byte is handed over when it would have fully arrived
// on a 9600-baud 8N1 line.
using sim::kByteMicros;

sim::Micros nowMicros() {
  using namespace std::chrono;
  static const auto start = steady_clock::now();
  return duration_cast<microseconds>(steady_clock::now() - start).count();
}

void printLog(const sim::Radio& radio, std::size_t& printed) {
  const auto& log = radio.log();
  for (; printed < log.size(); ++printed) {
    const auto& e = log[printed];
    std::string hex;
    for (auto b : e.bytes) {
      char buf[4];
      std::snprintf(buf, sizeof buf, " %02X", b);
      hex += buf;
    }
    std::fprintf(stderr, "%12.3f ms %s %-15s%s%s%s\n", static_cast<double>(e.time) / 1000.0,
                 e.direction == sim::Direction::ToRadio ? "tool->radio" : "radio->tool",
                 std::string(sim::frameKindName(e.kind)).c_str(), hex.c_str(),
                 e.fault.empty() ? "" : "  fault: ", e.fault.c_str());
  }
}

int serve(const sim::ServerOptions& options, sim::Radio& radio) {
  int master = -1;
  int slave = -1;
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
    std::perror("j5-radio-sim: openpty");
    return 1;
  }
  termios tio{};
  tcgetattr(slave, &tio);
  cfmakeraw(&tio);
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  tcsetattr(slave, TCSANOW, &tio);
  fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
  // Holding the slave open keeps the master readable while no client has the terminal open,
  // so a tool may open and close the port as often as it likes.
  const char* path = ttyname(slave);
  std::printf("%s\n", path ? path : ptsname(master));
  std::fflush(stdout);

  double lineFree = 0;  // when the simulated line has finished the last byte handed over
  std::size_t printed = 0;
  bool blocked = false;
  std::vector<std::uint8_t> buffer(512);
  while (!stopRequested) {
    sim::Micros now = nowMicros();
    timespec ts{};
    timespec* tsp = nullptr;  // no answer due: wait for the tool
    blocked = false;
    while (auto earliest = radio.nextOutputTime()) {
      double start = options.pacing ? std::max(static_cast<double>(*earliest), lineFree)
                                    : static_cast<double>(*earliest);
      double due = options.pacing ? start + kByteMicros : start;
      if (due > static_cast<double>(now)) {
        ts = sim::waitUntilDue(due, now);
        tsp = &ts;
        break;
      }
      auto next = radio.peekOutput();
      if (write(master, &next->value, 1) != 1) {
        // The terminal's queue is full while nobody reads; try again when it drains.
        blocked = true;
        break;
      }
      radio.takeOutput(now);
      lineFree = due;
    }
    pollfd pfd{master, static_cast<short>(blocked ? POLLIN | POLLOUT : POLLIN), 0};
    sigset_t unblocked;
    sigemptyset(&unblocked);
    int ready = ppoll(&pfd, 1, tsp, &unblocked);
    if (ready < 0) {
      if (errno == EINTR) continue;
      std::perror("j5-radio-sim: poll");
      break;
    }
    if (ready > 0 && (pfd.revents & POLLIN)) {
      ssize_t n = read(master, buffer.data(), buffer.size());
      if (n > 0) {
        radio.receive(std::span(buffer.data(), static_cast<std::size_t>(n)), nowMicros());
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        usleep(10'000);
      }
    } else if (ready > 0 && (pfd.revents & (POLLHUP | POLLERR))) {
      usleep(10'000);
    }
    if (options.logFrames) printLog(radio, printed);
  }
  close(master);
  close(slave);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  sim::ServerOptions options;
  try {
    options = sim::parseServerOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const sim::UsageError& e) {
    std::fprintf(stderr, "j5-radio-sim: %s\n%s", e.what(), sim::kServerUsage);
    return 2;
  }
  if (options.help) {
    std::fputs(sim::kServerUsage, stdout);
    return 0;
  }
  sim::Radio radio(options.radio);
  if (options.loadFile) {
    try {
      sim::loadParamFile(*options.loadFile, radio.memory());
    } catch (const sim::ParamFileError& e) {
      std::fprintf(stderr, "j5-radio-sim: %s\n", e.what());
      return 1;
    }
  }
  for (const auto& fault : options.faults) radio.inject(fault);

  struct sigaction sa {};
  sa.sa_handler = onStop;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  // Delivered only inside ppoll, so a stop request cannot slip in between check and wait.
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);

  int rc = serve(options, radio);
  if (options.dumpFile) {
    try {
      sim::saveParamFile(*options.dumpFile, radio.memory());
    } catch (const sim::ParamFileError& e) {
      std::fprintf(stderr, "j5-radio-sim: %s\n", e.what());
      rc = 1;
    }
  }
  return rc;
}
