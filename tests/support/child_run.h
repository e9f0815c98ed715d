#pragma once
// Runs a piece of work in a child process and reports what it cost: its exit code and its peak
// resident size. A test or benchmark compares the size with that of a child doing nothing, so
// the difference is the work's own; whatever the work does to memory stays in the child.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace j5::test {

struct ChildRun {
  int exitCode = -1;  // -1 when the child did not exit by itself
  long peakKiB = 0;
};

inline ChildRun runInChild(const std::function<int()>& work) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(work());
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

}  // namespace j5::test
