// The headless platform of the tests: a virtual clock the test advances,
// message boxes recorded and answered at once, a screen of a given size and
// serial ports wired to in-process devices over a virtual 9600-baud line.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kit {

struct Wire;

// The device end of a virtual line: what a device uses to answer.
class SerialDeviceLink {
 public:
  virtual ~SerialDeviceLink() = default;
  // Sends bytes to the program. The first starts on the wire at notBeforeMs
  // or when the line is free, whichever is later; each byte arrives one
  // byte time after it started.
  virtual void send(const std::vector<std::uint8_t>& bytes, double notBeforeMs) = 0;
  // As send, but the program gets the bytes in one arrival when the last of them has come in,
  // as a USB adapter hands over what it gathered.
  virtual void sendTogether(const std::vector<std::uint8_t>& bytes, double notBeforeMs) = 0;
};

// Something at the other end of a headless port (the radio simulator's
// adapter, a test echo).
class SerialDevice {
 public:
  virtual ~SerialDevice() = default;
  // One byte from the program has fully arrived at atMs.
  virtual void receive(std::uint8_t byte, double atMs, SerialDeviceLink& link) = 0;
  // The program opened or closed the port.
  virtual void opened(double /*atMs*/) {}
  virtual void closed(double /*atMs*/) {}
};

struct MessageBoxRecord {
  std::string text;
  std::string title;
  MsgIcon icon = MsgIcon::None;
  double atMs = 0;
};

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  double nowMs() const override { return now_; }
  // Moves the clock on by ms, running every event that falls due on the way
  // at its own time.
  void advance(double ms);
  // Runs what is due now (posted events), without moving the clock.
  void runUntilIdle();
  // Advances in steps of stepMs until pred() holds or maxMs have passed;
  // returns pred().
  bool advanceUntil(const std::function<bool()>& pred, double maxMs, double stepMs = 1);
  void pauseMs(double ms) override;

  // Message boxes shown so far, in order.
  const std::vector<MessageBoxRecord>& messageBoxes() const { return boxes_; }
  void clearMessageBoxes() { boxes_.clear(); }
  // Called while a box is open (before it is answered): a test may advance
  // the clock here, so timers and serial events run under the open box.
  std::function<void(const MessageBoxRecord&)> onMessageBox;

  ScreenSize screen() const override { return screen_; }
  void setScreen(double widthTwips, double heightTwips) { screen_ = {widthTwips, heightTwips}; }

  // Serial ports: COM n exists with a device, or exists with nothing
  // connected. Other numbers do not exist. The device must outlive its use.
  void attachDevice(int comPort, SerialDevice& device);
  void addPort(int comPort);
  void removePort(int comPort);
  // The device on COM n goes away while the port is open (the line hangs up): the open port hears
  // nothing more, and what it writes reaches no one.
  void hangUp(int comPort);
  // Every byte the program wrote to COM n, with the time it left.
  struct SentByte {
    std::uint8_t byte;
    double atMs;
  };
  const std::vector<SentByte>& sent(int comPort) const;

  // File system overrides for tests ("" / empty: the real ones).
  void setCurrentDirectory(const std::string& dir) { currentDir_ = dir; }
  void setDrives(std::vector<std::string> drives) { drives_ = std::move(drives); }
  std::string currentDirectory() const override;
  std::vector<std::string> drives() const override;

 protected:
  void wake(double) override {}
  void showMessageBox(const MessageBoxInfo& box) override;
  std::unique_ptr<SerialLine> createSerialLine(int comPort, SerialReceiver receiver) override;

 private:
  class VirtualLine;
  double now_ = 0;
  ScreenSize screen_;
  std::vector<MessageBoxRecord> boxes_;
  std::map<int, SerialDevice*> ports_;
  std::map<int, std::vector<SentByte>> sent_;
  // When the program's side of each port's wire is free, across openings.
  std::map<int, double> txFree_;
  std::map<int, std::weak_ptr<Wire>> openWires_;
  std::string currentDir_;
  std::vector<std::string> drives_;
};

}  // namespace kit
