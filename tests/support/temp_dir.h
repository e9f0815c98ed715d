#pragma once
// A fresh directory under the test's own temporary directory, removed with its contents when the
// test ends, and small whole-file helpers for tests that read and write real files.

#include <cstddef>
#include <functional>
#include <string>

namespace j5::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The file's bytes; throws std::runtime_error when it cannot be read.
std::string readFile(const std::string& path);
// Creates or replaces the file with exactly these bytes; throws when it cannot.
void writeFile(const std::string& path, const std::string& bytes);
// Runs fn while no file may grow past `bytes`, as on a volume that fills up.
void withFileSizeLimit(std::size_t bytes, const std::function<void()>& fn);

}  // namespace j5::test
