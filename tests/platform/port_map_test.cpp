#include "platform/port_map.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using Map = std::vector<std::string>;

TEST(PortMap, UsbAdaptersFirstThenMachinePortsInNumericOrder) {
  Map dev = {"ttyS10", "null",    "ttyACM0", "ttyUSB10", "ttyS2",  "ttyUSB2",
             "ttyS0",  "ttyUSBx", "ttyS",    "tty5",     "ttyACM1"};
  EXPECT_EQ(kit::buildPortMap(std::nullopt, dev),
            (Map{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyACM1", "/dev/ttyS0",
                 "/dev/ttyS2", "/dev/ttyS10"}));
}

TEST(PortMap, EnvironmentReplacesTheDefaultMap) {
  Map dev = {"ttyUSB0", "ttyS0"};
  EXPECT_EQ(kit::buildPortMap(std::string("/dev/pts/3, /tmp/x,,/dev/pts/7"), dev),
            (Map{"/dev/pts/3", "/tmp/x", "", "/dev/pts/7"}));
  // An empty value counts as not set.
  EXPECT_EQ(kit::buildPortMap(std::string(""), dev), (Map{"/dev/ttyUSB0", "/dev/ttyS0"}));
}

TEST(PortMap, PortNumbersOutsideTheMapHaveNoDevice) {
  Map map = {"/dev/a", "", "/dev/c"};
  EXPECT_EQ(kit::devicePathForPort(1, map), "/dev/a");
  EXPECT_EQ(kit::devicePathForPort(3, map), "/dev/c");
  for (int com : {0, -1, 2, 4, 16}) EXPECT_EQ(kit::devicePathForPort(com, map), std::nullopt);
}

TEST(PortMap, ReadsTheEnvironment) {
  const char* old = std::getenv("J5_SERIAL_PORTS");
  std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  setenv("J5_SERIAL_PORTS", "/dev/pts/41,/dev/pts/42", 1);
  EXPECT_EQ(kit::devicePathForPort(2), "/dev/pts/42");
  EXPECT_EQ(kit::devicePathForPort(3), std::nullopt);
  if (saved) {
    setenv("J5_SERIAL_PORTS", saved->c_str(), 1);
  } else {
    unsetenv("J5_SERIAL_PORTS");
  }
}

}  // namespace
