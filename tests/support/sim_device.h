#pragma once
// The radio simulator at the far end of a headless serial port: the tool's bytes go to the
// simulated radio as they arrive on the virtual line, and its answers go back over the line,
// each starting no earlier than the radio allows.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/headless.h"
#include "sim/radio.h"

namespace j5test {

class Sim_Device : public kit::SerialDevice {
 public:
  explicit Sim_Device(sim::RadioConfig config = {}) : radio(config) {}

  // Connects this device to COM port `comPort` of the platform.
  void attach(kit::HeadlessPlatform& platform, int comPort) {
    platform.attachDevice(comPort, *this);
  }

  void receive(std::uint8_t byte, double atMs, kit::SerialDeviceLink& link) override;
  void opened(double) override { ++opens; }
  void closed(double) override { ++closes; }

  sim::Radio radio;
  // When set, every byte the radio sends passes through it on its way to the line: a test's way
  // of making the radio say what the simulator would not.
  std::function<std::uint8_t(std::uint8_t)> rewrite;
  // Regroups what the radio says from now on: the bytes up to each count (counted from this call)
  // reach the program in one arrival, once the radio has said the last of them; bytes past the
  // last count go out as the radio says them. A radio behind a USB adapter, or one that answers
  // all at once.
  void arriveInChunks(std::vector<std::size_t> ends) {
    chunkEnds_ = std::move(ends);
    said_ = 0;
    held_.clear();
  }
  // Every answer of the radio reaches the program in one arrival once the radio has said all of
  // it: a radio (or adapter) that hands over its whole answer at once.
  bool answersTogether = false;
  int opens = 0;
  int closes = 0;

 private:
  std::vector<std::size_t> chunkEnds_;
  std::size_t said_ = 0;
  std::vector<std::uint8_t> held_;
  double heldFrom_ = 0;  // when the held chunk may start on the line
};

// The frames of one kind that the radio heard, in order.
std::vector<sim::LogEntry> To_Radio(const sim::Radio& radio, sim::FrameKind kind);

}  // namespace j5test
