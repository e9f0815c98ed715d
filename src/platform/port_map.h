#pragma once
// Which device stands behind a port number COM1, COM2, ...: USB adapters first (/dev/ttyUSB*,
// then /dev/ttyACM*), then the machine's own ports (/dev/ttyS*), each group in numeric order.
// J5_SERIAL_PORTS (device paths separated by commas, for COM1, COM2, ...) replaces that map.

#include <optional>
#include <string>
#include <vector>

namespace kit {

// Device paths for COM1 onwards. `env` is the value of J5_SERIAL_PORTS (nullopt or empty: not
// set); `devEntries` are the names found in /dev. An empty item of `env` leaves its port number
// without a device.
std::vector<std::string> buildPortMap(const std::optional<std::string>& env,
                                      const std::vector<std::string>& devEntries);

// The map of this machine, from the environment and /dev as they are now.
std::vector<std::string> currentPortMap();

// The device of port `com` (1-based), or nothing when the number has no device.
std::optional<std::string> devicePathForPort(int com);
std::optional<std::string> devicePathForPort(int com, const std::vector<std::string>& map);

}  // namespace kit
