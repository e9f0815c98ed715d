// Time from starting the program to its main window on screen (offscreen
// Qt on a 1024 x 768 screen, so no advice box waits for a user; no serial
// port). Runs build/src/j5tool with J5_QUIT_WHEN_SHOWN=1 a
// number of times and prints the median, measured from just before the
// process is created to the line it prints once the window is shown.
//
//   bench_startup [path/to/j5tool] [runs]

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "offscreen_screen.h"

namespace {

std::string defaultProgram() {
  // build/bench/bench_startup -> build/src/j5tool
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "build/src/j5tool";
  return (self.parent_path().parent_path() / "src" / "j5tool").string();
}

// Milliseconds until the program reported its window, or a negative value
// when it did not.
double runOnce(const std::string& program, const std::string& qpa, double& inProcessMs) {
  int out[2];
  if (pipe(out) != 0) return -1;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    // Qt's notes about the offscreen plugin would drown the figures.
    if (int null = open("/dev/null", O_WRONLY); null >= 0) dup2(null, STDERR_FILENO);
    setenv("QT_QPA_PLATFORM", qpa.c_str(), 1);
    setenv("J5_QUIT_WHEN_SHOWN", "1", 1);
    // No serial port: every run probes the same empty set.
    setenv("J5_SERIAL_PORTS", "/nonexistent/j5-bench-port", 1);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  std::string line;
  double ms = -1;
  pollfd pfd{out[0], POLLIN, 0};
  char c;
  while (poll(&pfd, 1, 20'000) > 0 && read(out[0], &c, 1) == 1) {
    if (c != '\n') {
      line += c;
      continue;
    }
    if (line.rfind("main window shown", 0) == 0) {
      ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
               .count();
      inProcessMs = std::atof(line.c_str() + std::string("main window shown").size());
      break;
    }
    line.clear();
  }
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return ms;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = argc > 1 ? argv[1] : defaultProgram();
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
  const std::string qpa = bench::offscreen1024x768();
  if (qpa.empty()) {
    std::fprintf(stderr, "bench_startup: cannot write the offscreen screen file\n");
    return 1;
  }
  std::vector<double> total, inside;
  double unused = 0;
  runOnce(program, qpa, unused);  // warms the file cache; not counted
  for (int i = 0; i < runs; ++i) {
    double in = 0;
    const double ms = runOnce(program, qpa, in);
    if (ms < 0) {
      std::fprintf(stderr, "bench_startup: %s did not show its main window\n", program.c_str());
      return 1;
    }
    total.push_back(ms);
    inside.push_back(in);
  }
  std::printf(
      "start-up to main window shown (offscreen, %d runs): median %.1f ms, min %.1f ms, "
      "max %.1f ms (target under 300 ms)\n",
      runs, median(total), *std::min_element(total.begin(), total.end()),
      *std::max_element(total.begin(), total.end()));
  std::printf("  of which from main() on: median %.1f ms\n", median(inside));
  return 0;
}
