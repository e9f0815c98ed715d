// Memory and time a parameter-file load takes, for files that end where they should and for files
// that go on far beyond their numbers. Each load runs in a child process; its peak resident size
// is printed next to that of a child that loads nothing, so the difference is the load's own.
//
//   bench_file_load [folder]     (default: the system's temporary folder)

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/shared_data.h"
#include "shell/param_file.h"
#include "support/child_run.h"

namespace {

namespace fs = std::filesystem;

void writeTail(const std::string& path, long long bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::app);
  const std::string chunk(1 << 20, '7');
  for (long long done = 0; done < bytes; done += static_cast<long long>(chunk.size()))
    out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = fs::path(argc > 1 ? argv[1] : fs::temp_directory_path().string()) /
                          ("j5-bench-load-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string valid = (folder / "valid.dat").string();
  const std::string tail = (folder / "tail.dat").string();
  const std::string sparse = (folder / "sparse.dat").string();
  const std::string digits = (folder / "digits.dat").string();

  j5::MemImage image;
  image.fill(0, j5::kParamFileRows - 1, 0, j5::kParamFileCols - 1, 255);
  const std::string text = j5::Param_File_Text(image);
  std::ofstream(valid, std::ios::binary) << text;
  std::ofstream(tail, std::ios::binary) << text;
  writeTail(tail, 100LL << 20);
  writeTail(digits, 100LL << 20);
  std::ofstream(sparse, std::ios::binary).close();
  if (::truncate(sparse.c_str(), 6LL << 30) != 0) std::perror("truncate");

  const j5::test::ChildRun none = j5::test::runInChild([] { return 0; });
  std::printf("peak resident size of a child that loads nothing: %ld KiB\n", none.peakKiB);
  const std::pair<const char*, std::string> files[] = {
      {"parameter file (39 KB)", valid},
      {"parameter file + 100 MB of digits", tail},
      {"100 MB of digits, one endless number", digits},
      {"6 GB sparse file of zero bytes", sparse},
  };
  for (const auto& [what, path] : files) {
    // The child's result is the kind of problem the load met, 0 when it loaded.
    const auto start = std::chrono::steady_clock::now();
    const j5::test::ChildRun f = j5::test::runInChild(
        [&] { return static_cast<int>(j5::Read_Param_File(path).problem.kind); });
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "%-36s %+6ld KiB over it, %8.2f ms, %s\n", what, f.peakKiB - none.peakKiB, ms,
        f.exitCode == 0 ? "loaded" : ("refused, problem " + std::to_string(f.exitCode)).c_str());
  }
  fs::remove_all(folder);
  return 0;
}
