#pragma once
// Runs j5-radio-sim as a child process and talks to it over its pseudo-terminal, for the tests
// and benchmarks that use the real program.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace simtest {

class SimProcess {
 public:
  // Starts `binary` with `args`; its stderr goes to `stderrPath` when given.
  SimProcess(const std::string& binary, const std::vector<std::string>& args,
             const std::string& stderrPath = {}) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      if (!stderrPath.empty()) {
        int err = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err >= 0) dup2(err, STDERR_FILENO);
      }
      close(out[0]);
      std::vector<char*> argv{const_cast<char*>(binary.c_str())};
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(binary.c_str(), argv.data());
      _exit(127);
    }
    close(out[1]);
    stdout_ = out[0];
    path_ = readLine(30'000);
    if (path_.empty()) {
      stop();
      throw std::runtime_error("j5-radio-sim printed no terminal path");
    }
  }

  ~SimProcess() { stop(); }

  const std::string& ptyPath() const { return path_; }

  // Asks the program to end and returns its exit status (-1 when it did not end normally).
  int stop() {
    if (pid_ <= 0) return status_;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    close(stdout_);
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return status_;
  }

 private:
  std::string readLine(int timeoutMs) {
    std::string line;
    char c;
    pollfd pfd{stdout_, POLLIN, 0};
    while (poll(&pfd, 1, timeoutMs) > 0 && read(stdout_, &c, 1) == 1) {
      if (c == '\n') return line;
      line += c;
    }
    return {};
  }

  pid_t pid_ = -1;
  int stdout_ = -1;
  int status_ = -1;
  std::string path_;
};

// Opens a terminal raw at 9600 8N1 without flow control, as the tool opens its port.
inline int openRawTerminal(const std::string& path) {
  int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return -1;
  termios tio{};
  tcgetattr(fd, &tio);
  cfmakeraw(&tio);
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
  tio.c_cflag |= CLOCAL | CREAD;
  tcsetattr(fd, TCSANOW, &tio);
  tcflush(fd, TCIOFLUSH);
  return fd;
}

inline bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Reads until `count` bytes have come or nothing has come for `quietMs`.
inline std::vector<std::uint8_t> readBytes(int fd, std::size_t count, int quietMs) {
  std::vector<std::uint8_t> got;
  std::uint8_t buf[256];
  pollfd pfd{fd, POLLIN, 0};
  while (got.size() < count && poll(&pfd, 1, quietMs) > 0) {
    ssize_t n = read(fd, buf, std::min(sizeof buf, count - got.size()));
    if (n <= 0) break;
    got.insert(got.end(), buf, buf + n);
  }
  return got;
}

}  // namespace simtest
