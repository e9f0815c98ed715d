// How long j5-radio-sim with 9600-baud pacing takes to answer a 64-byte block request over its
// pseudo-terminal, next to the time the same 68 reply bytes take on a 9600 8N1 line.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "src/data/access_code.h"
#include "tests/sim/sim_process.h"

int main() {
  // The program is built beside this benchmark: build/bench/.. -> build/sim/j5-radio-sim.
  auto binary = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() /
                "sim" / "j5-radio-sim";
  simtest::SimProcess radio(binary.string(), {"--pacing", "on"});
  int fd = simtest::openRawTerminal(radio.ptyPath());
  if (fd < 0) {
    std::fprintf(stderr, "cannot open %s\n", radio.ptyPath().c_str());
    return 1;
  }
  using Bytes = std::vector<std::uint8_t>;
  simtest::writeAll(fd, Bytes(j5::kAccessCode.begin(), j5::kAccessCode.begin() + 7));
  simtest::readBytes(fd, 1, 5000);
  simtest::writeAll(fd, {0x02});
  simtest::readBytes(fd, 14, 5000);
  simtest::writeAll(fd, {0x06});
  simtest::readBytes(fd, 1, 5000);

  constexpr int kRounds = 30;
  constexpr std::size_t kReply = 68;
  const double wireMs = kReply * 10.0 / 9600.0 * 1000.0;
  std::vector<double> ms;
  for (int i = 0; i < kRounds; ++i) {
    auto address = static_cast<std::uint8_t>(i * 0x40 & 0xFF);
    auto start = std::chrono::steady_clock::now();
    simtest::writeAll(fd, {0x53, static_cast<std::uint8_t>(i / 4), address, 0x40});
    auto got = simtest::readBytes(fd, kReply, 5000);
    auto end = std::chrono::steady_clock::now();
    if (got.size() != kReply) {
      std::fprintf(stderr, "round %d: %zu bytes instead of %zu\n", i, got.size(), kReply);
      return 1;
    }
    ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  close(fd);
  std::sort(ms.begin(), ms.end());
  double median = ms[ms.size() / 2];
  std::printf("64-byte block request over the pty, 9600 pacing, %d rounds\n", kRounds);
  std::printf("  answer time: median %.3f ms, min %.3f ms, max %.3f ms\n", median, ms.front(),
              ms.back());
  std::printf("  wire time of the %zu reply bytes at 9600 8N1: %.3f ms\n", kReply, wireMs);
  std::printf("  ratio median/wire: %.4f (target <= 1.02), max/wire: %.4f\n", median / wireMs,
              ms.back() / wireMs);
  return 0;
}
