// termios and a socket notifier rather than QSerialPort: the control's
// OutBufferCount must count what still waits in the driver (TIOCOUTQ), and
// closing must let that output drain, while QSerialPort only knows its own
// buffer and drops it on close. The device is opened exclusively, as the
// port of another program would be.
#include "platform/qt/serial_line.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <cerrno>
#include <deque>

#include "platform/port_map.h"

namespace kit::qt {

namespace {

class TermiosLine : public SerialLine {
 public:
  TermiosLine(int fd, SerialReceiver receiver) : fd_(fd), receiver_(std::move(receiver)) {
    reader_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(reader_.get(), &QSocketNotifier::activated, [this] { readAvailable(); });
    writer_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Write);
    writer_->setEnabled(false);
    QObject::connect(writer_.get(), &QSocketNotifier::activated, [this] { flush(); });
  }

  ~TermiosLine() override { close(); }

  void write(const std::vector<std::uint8_t>& bytes) override {
    if (fd_ < 0 || hungUp_) return;
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    flush();
  }

  std::size_t outputPending() const override {
    if (hungUp_) return 0;  // nothing will leave
    int queued = 0;
    if (fd_ >= 0 && ioctl(fd_, TIOCOUTQ, &queued) != 0) queued = 0;
    return pending_.size() + static_cast<std::size_t>(std::max(0, queued));
  }

  void discardOutput() override {
    pending_.clear();
    if (fd_ < 0) return;
    writer_->setEnabled(false);
    tcflush(fd_, TCOFLUSH);
  }

  void discardInput() override {
    if (fd_ >= 0) tcflush(fd_, TCIFLUSH);
  }

  void close() override {
    if (fd_ < 0) return;
    receiver_ = nullptr;
    reader_.reset();
    writer_.reset();
    if (!hungUp_) drain();
    ::close(fd_);
    fd_ = -1;
  }

  bool hungUp() const override { return hungUp_; }

 private:
  int fd_;
  SerialReceiver receiver_;
  std::unique_ptr<QSocketNotifier> reader_;
  std::unique_ptr<QSocketNotifier> writer_;
  std::deque<std::uint8_t> pending_;
  bool hungUp_ = false;

  // The far end is gone: stop listening and writing (a notifier on a dead line would fire without
  // end), and drop what can never leave.
  void hangUp() {
    hungUp_ = true;
    pending_.clear();
    if (reader_) reader_->setEnabled(false);
    if (writer_) writer_->setEnabled(false);
  }

  void flush() {
    while (!pending_.empty()) {
      std::uint8_t buf[512];
      const std::size_t n = std::min(sizeof buf, pending_.size());
      std::copy_n(pending_.begin(), n, buf);
      const ssize_t done = ::write(fd_, buf, n);
      if (done < 0 && errno == EINTR) continue;
      if (done < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return hangUp();
      if (done <= 0) break;
      pending_.erase(pending_.begin(), pending_.begin() + done);
    }
    if (writer_) writer_->setEnabled(!pending_.empty() && !hungUp_);
  }

  void readAvailable() {
    std::vector<std::uint8_t> got;
    std::uint8_t buf[1024];
    for (;;) {
      const ssize_t n = ::read(fd_, buf, sizeof buf);
      if (n > 0) {
        got.insert(got.end(), buf, buf + n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
        // The device went away (a pseudo-terminal whose other end closed, an adapter pulled).
        hangUp();
      }
      break;
    }
    if (!got.empty() && receiver_) receiver_(got);
  }

  // Waits until what was written has left, for as long as that takes at
  // 9600 baud plus a second; a device nobody reads does not hang the program.
  void drain() {
    QElapsedTimer t;
    t.start();
    const double limitMs = 1000 + static_cast<double>(outputPending()) * kByteMs9600;
    while (t.elapsed() < limitMs) {
      if (!pending_.empty()) {
        flush();
      } else {
        int queued = 0;
        if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) break;
      }
      pollfd p{fd_, POLLOUT, 0};
      poll(&p, 1, 5);
    }
    // Only what could not leave in that time is dropped. (On a
    // pseudo-terminal a flush would also drop what the other end has not
    // read yet.)
    if (!pending_.empty()) tcflush(fd_, TCOFLUSH);
  }
};

}  // namespace

std::unique_ptr<SerialLine> openTermiosDevice(const std::string& path, SerialReceiver receiver) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  termios tio{};
  if (ioctl(fd, TIOCEXCL) != 0 || tcgetattr(fd, &tio) != 0) {
    ::close(fd);
    return nullptr;
  }
  cfmakeraw(&tio);
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  // With O_NONBLOCK this makes an empty read fail with EAGAIN; with 0 it
  // would return 0, which looks like the end of the line.
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  if (tcsetattr(fd, TCSANOW, &tio) != 0) {
    ::close(fd);
    return nullptr;
  }
  tcflush(fd, TCIOFLUSH);
  return std::make_unique<TermiosLine>(fd, std::move(receiver));
}

std::unique_ptr<SerialLine> openTermiosLine(int comPort, SerialReceiver receiver) {
  const auto path = devicePathForPort(comPort);
  if (!path) return nullptr;
  return openTermiosDevice(*path, std::move(receiver));
}

}  // namespace kit::qt
