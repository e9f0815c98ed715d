#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace j5::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  // Test processes run in parallel: the process id keeps them apart.
  std::string name = "j5-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
    name += std::string("-") + info->name();
  for (char& c : name)
    if (c == '/') c = '_';
  path_ = (fs::path(::testing::TempDir()) / name).lexically_normal().string();
  while (path_.size() > 1 && path_.back() == '/') path_.pop_back();
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void withFileSizeLimit(std::size_t bytes, const std::function<void()>& fn) {
  // The write then fails with an error instead of a signal that ends the test.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &small);
  fn();
  ::setrlimit(RLIMIT_FSIZE, &old);
}

}  // namespace j5::test
