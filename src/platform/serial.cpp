#include "platform/serial.h"

#include <algorithm>

#include "platform/form.h"

namespace kit {

SerialPort::~SerialPort() {
  closeLine();
}

void SerialPort::setCommPort(int n) {
  if (portOpen()) throw PortError("Port already open");
  if (n < 1 || n > 16) throw PortError("Invalid port number");
  commPort_ = n;
}

void SerialPort::setSettings(const std::string& s) {
  settings_ = s;
}
void SerialPort::setInBufferSize(int n) {
  inBufferSize_ = std::max(1, n);
}
void SerialPort::setInputLen(int n) {
  inputLen_ = std::max(0, n);
}
void SerialPort::setRThreshold(int n) {
  rThreshold_ = std::max(0, n);
}
void SerialPort::setInputMode(int m) {
  inputMode_ = m;
}

void SerialPort::setInBufferCount(int n) {
  if (n != 0) return;
  // The windows empty the buffer to start an exchange clean: bytes still in
  // the driver would otherwise arrive a moment later as part of the answer.
  if (line_) line_->discardInput();
  in_.clear();
}

int SerialPort::outBufferCount() const {
  return line_ ? static_cast<int>(line_->outputPending()) : 0;
}

void SerialPort::setOutBufferCount(int n) {
  if (n == 0 && line_) line_->discardOutput();
}

void SerialPort::setPortOpen(bool open) {
  if (open == portOpen()) {
    if (open) throw PortError("Port already open");
    return;
  }
  if (!open) {
    closeLine();
    return;
  }
  if (!form().live()) throw PortError("Port not available");
  auto self = std::make_shared<SerialPort*>(this);
  std::weak_ptr<SerialPort*> weak = self;
  auto line = platform().openSerial(commPort_, [weak](const std::vector<std::uint8_t>& bytes) {
    if (auto s = weak.lock()) (*s)->arrived(bytes);
  });
  if (!line) throw PortError("Port not available");
  in_.clear();
  commEvent_ = 0;
  self_ = std::move(self);
  line_ = std::move(line);
}

void SerialPort::closeLine() {
  if (!line_) return;
  self_.reset();  // arrivals and queued receive events of this opening end here
  line_->close();
  line_.reset();
  platform().releaseSerial(commPort_);
  in_.clear();
}

void SerialPort::formUnloaded() {
  closeLine();
}

void SerialPort::output(const std::vector<std::uint8_t>& bytes) {
  if (!line_) throw PortError("Operation valid only when the port is open");
  line_->write(bytes);
}

std::vector<std::uint8_t> SerialPort::input() {
  if (!line_) throw PortError("Operation valid only when the port is open");
  std::size_t n = in_.size();
  if (inputLen_ > 0) n = std::min(n, static_cast<std::size_t>(inputLen_));
  std::vector<std::uint8_t> out(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(n));
  in_.erase(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(n));
  return out;
}

void SerialPort::arrived(const std::vector<std::uint8_t>& bytes) {
  // The driver's buffer takes what fits; the rest of an overrun is lost.
  for (std::uint8_t b : bytes) {
    if (static_cast<int>(in_.size()) >= inBufferSize_) break;
    in_.push_back(b);
  }
  if (rThreshold_ <= 0) return;
  // The receive event runs from the loop, never inside the handler that
  // happens to be running when bytes come in.
  std::weak_ptr<SerialPort*> weak = self_;
  platform().post(
      [weak] {
        auto s = weak.lock();
        if (!s) return;
        SerialPort& port = **s;
        if (port.rThreshold_ <= 0 || static_cast<int>(port.in_.size()) < port.rThreshold_) return;
        port.commEvent_ = kEvReceive;
        port.raise(port.OnComm);
      },
      &form());
}

}  // namespace kit
