// The serial port control each window owns (its member MSC). Bytes that
// arrive are buffered at once; OnComm is raised from the event loop (rule 8).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"

namespace kit {

class SerialPort : public Control {
 public:
  // CommEvent values.
  static constexpr int kEvSend = 1;
  static constexpr int kEvReceive = 2;

  using Control::Control;
  ~SerialPort() override;
  ControlKind kind() const override { return ControlKind::SerialPort; }

  int commPort() const { return commPort_; }
  // Throws PortError while the port is open or for a number outside 1..16.
  void setCommPort(int n);
  const std::string& settings() const { return settings_; }
  void setSettings(const std::string& s);
  int inBufferSize() const { return inBufferSize_; }
  void setInBufferSize(int n);
  int inputLen() const { return inputLen_; }
  void setInputLen(int n);
  int rThreshold() const { return rThreshold_; }
  void setRThreshold(int n);
  // 0 text, 1 binary; Input returns the bytes either way.
  int inputMode() const { return inputMode_; }
  void setInputMode(int m);

  int inBufferCount() const { return static_cast<int>(in_.size()); }
  // 0 discards what is buffered.
  void setInBufferCount(int n);
  int outBufferCount() const;
  // 0 discards output that has not left yet.
  void setOutBufferCount(int n);

  bool portOpen() const { return line_ != nullptr; }
  // The open port's line hung up (the radio or its cable went away).
  bool hungUp() const { return line_ && line_->hungUp(); }
  // Opening throws PortError when the port does not exist or another
  // control of the program holds it; nothing is sent then. Closing lets
  // pending output drain.
  void setPortOpen(bool open);

  // Throws PortError when the port is closed.
  void output(const std::vector<std::uint8_t>& bytes);
  // Up to InputLen bytes (all when 0); nothing when the buffer is empty.
  std::vector<std::uint8_t> input();

  int commEvent() const { return commEvent_; }
  std::function<void()> OnComm;

  // The form unloaded: close without events.
  void formUnloaded();

 private:
  int commPort_ = 1;
  std::string settings_ = "9600,N,8,1";
  int inBufferSize_ = 1024;
  int inputLen_ = 0;
  int rThreshold_ = 0;
  int inputMode_ = 0;
  int commEvent_ = 0;
  std::deque<std::uint8_t> in_;
  std::unique_ptr<SerialLine> line_;
  // Shared with the receiver so a late arrival after closing finds nothing.
  std::shared_ptr<SerialPort*> self_;
  void arrived(const std::vector<std::uint8_t>& bytes);
  void closeLine();
};

}  // namespace kit
