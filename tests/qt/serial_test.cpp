// The real serial stack: the Qt line on the pseudo-terminal of a running
// j5-radio-sim, through the kit's serial control.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "sim/memory.h"
#include "src/data/access_code.h"
#include "tests/qt/qt_fixture.h"
#include "tests/sim/sim_process.h"

namespace qt_test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class PortWindow : public kit::Form {
 public:
  explicit PortWindow(kit::Platform& p) : Form(p, "PortWindow") {
    for (kit::SerialPort* port : {&MSC, &MSC2}) port->setRThreshold(1);
    MSC.OnComm = [this] {
      ++events;
      for (std::uint8_t b : MSC.input()) got.push_back(b);
    };
  }
  kit::SerialPort MSC{*this, "MSC"};
  kit::SerialPort MSC2{*this, "MSC2"};
  Bytes got;
  int events = 0;
};

// COM1 (and COM2, when given) lead to the given devices while it lives.
struct PortMap {
  explicit PortMap(const std::string& devices) { setenv("J5_SERIAL_PORTS", devices.c_str(), 1); }
  ~PortMap() { unsetenv("J5_SERIAL_PORTS"); }
};

// The other end of a new pseudo-terminal, for the test to hold; -1 when none could be had.
int openTerminal() {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) return master;
  if (master >= 0) close(master);
  return -1;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class QtSerial : public ::testing::Test {
 protected:
  AppFirst app_;
  kit::qt::QtPlatform platform;
  kit::FormSlot<PortWindow> slot{[this] { return std::make_unique<PortWindow>(platform); }};
  void TearDown() override { slot.unload(); }

  // Sends bytes and waits for count bytes in answer.
  Bytes exchange(PortWindow& w, const Bytes& out, std::size_t count) {
    w.got.clear();
    w.MSC.output(out);
    waitUntil([&] { return w.got.size() >= count; }, 10000);
    return w.got;
  }
};

TEST_F(QtSerial, OpeningHandshakeAndOneBlockReadWithTheSimulator) {
  const auto dir =
      std::filesystem::path(::testing::TempDir()) / ("j5_qt_serial_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  sim::Memory image;
  for (int a = 0; a < 64; ++a) image.set(static_cast<std::uint16_t>(0x0040 + a), 0x80 + a);
  sim::saveParamFile((dir / "in.dat").string(), image);
  simtest::SimProcess radio(
      J5_SIM_BIN,
      {"--load", (dir / "in.dat").string(), "--log", "--bands", "144,148,430,440,220,225"},
      (dir / "log.txt").string());
  PortMap map(radio.ptyPath());

  PortWindow& w = slot.load();
  w.MSC.setCommPort(1);
  w.MSC.setPortOpen(true);
  EXPECT_EQ(exchange(w, Bytes(j5::kAccessCode.begin(), j5::kAccessCode.begin() + 7), 1),
            Bytes{0x06});
  EXPECT_EQ(exchange(w, {0x02}, 14), (Bytes{0xAA, 0x01, 0x44, 0x01, 0x48, 0x04, 0x30, 0x04, 0x40,
                                            0x02, 0x20, 0x02, 0x25, 0xDD}));
  // Without the ACK exchange (as after a direct opening) the reply follows the radio's ACK.
  Bytes block = {0x06, 0x58, 0x00, 0x40, 0x40};
  const Bytes data = image.read(0x0040, 64);
  block.insert(block.end(), data.begin(), data.end());
  EXPECT_EQ(exchange(w, {0x53, 0x00, 0x40, 0x40}, 69), block);
  // Each arrival raised one event from the loop.
  EXPECT_GE(w.events, 3);
  w.MSC.setPortOpen(false);
  EXPECT_EQ(radio.stop(), 0);

  const std::string log = readFile(dir / "log.txt");
  for (const char* line :
       {"tool->radio access-code     50 52 4F 47 4A 35 4B", "radio->tool ident14         AA 01 44",
        "tool->radio read-request    53 00 40 40",
        "radio->tool data-frame      58 00 40 40 80 81"}) {
    EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
  }
  std::filesystem::remove_all(dir);
}

TEST_F(QtSerial, APortWithoutDeviceOrHeldFailsToOpen) {
  simtest::SimProcess radio(J5_SIM_BIN, {}, "/dev/null");
  PortMap map("/dev/j5-no-such-port," + radio.ptyPath() + "," + radio.ptyPath());
  PortWindow& w = slot.load();
  w.MSC.setCommPort(1);
  EXPECT_THROW(w.MSC.setPortOpen(true), kit::PortError);
  EXPECT_FALSE(w.MSC.portOpen());
  // COM3 leads to the device COM2 holds: the device is opened exclusively.
  w.MSC.setCommPort(2);
  w.MSC.setPortOpen(true);
  w.MSC2.setCommPort(3);
  if (geteuid() != 0) {  // the super-user may open an exclusive terminal
    EXPECT_THROW(w.MSC2.setPortOpen(true), kit::PortError);
  }
  w.MSC2.setCommPort(2);
  EXPECT_THROW(w.MSC2.setPortOpen(true), kit::PortError);
}

// InBufferCount = 0 starts an exchange clean: also what waits in the driver, not yet handed to
// the program, is dropped.
TEST_F(QtSerial, EmptyingTheInputBufferAlsoDropsWhatWaitsInTheDriver) {
  const int master = openTerminal();
  ASSERT_GE(master, 0);
  PortMap map(ptsname(master));
  PortWindow& w = slot.load();
  w.MSC.setPortOpen(true);
  ASSERT_TRUE(simtest::writeAll(master, {0x58, 0x1F, 0x00}));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // no event loop meanwhile
  w.MSC.setInBufferCount(0);
  ASSERT_TRUE(simtest::writeAll(master, {0x06}));
  EXPECT_TRUE(waitUntil([&] { return !w.got.empty(); }, 2000));
  pump(100);
  EXPECT_EQ(w.got, Bytes{0x06});
  w.MSC.setPortOpen(false);
  close(master);
}

// The other end goes away with output still waiting (a radio or adapter gone mid-frame): the
// port tells that its line hung up and drops what can never leave, so closing it has nothing to
// wait for.
TEST_F(QtSerial, AHungUpLineDropsWhatCanNeverLeave) {
  const int master = openTerminal();
  ASSERT_GE(master, 0);
  PortMap map(ptsname(master));
  PortWindow& w = slot.load();
  w.MSC.setPortOpen(true);
  w.MSC.output(Bytes(64 * 1024, 0x55));  // more than the terminal holds while nobody reads it
  EXPECT_GT(w.MSC.outBufferCount(), 0);
  EXPECT_FALSE(w.MSC.hungUp());
  close(master);
  EXPECT_TRUE(waitUntil([&] { return w.MSC.hungUp(); }, 5000));
  EXPECT_EQ(w.MSC.outBufferCount(), 0);
  w.MSC.output({1, 2, 3});
  EXPECT_EQ(w.MSC.outBufferCount(), 0);
  w.MSC.setPortOpen(false);
  EXPECT_FALSE(w.MSC.portOpen());
}

TEST_F(QtSerial, ClosingLetsPendingOutputLeave) {
  const auto dir =
      std::filesystem::path(::testing::TempDir()) / ("j5_qt_drain_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  simtest::SimProcess radio(J5_SIM_BIN, {"--log"}, (dir / "log.txt").string());
  PortMap map(radio.ptyPath());
  PortWindow& w = slot.load();
  w.MSC.setPortOpen(true);
  w.MSC.output(Bytes(j5::kAccessCode.begin(), j5::kAccessCode.begin() + 7));
  w.MSC.setPortOpen(false);  // at once: the bytes must still reach the radio
  EXPECT_TRUE(waitUntil([&] {
    return readFile(dir / "log.txt").find("tool->radio access-code") != std::string::npos;
  }));
  radio.stop();
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qt_test
