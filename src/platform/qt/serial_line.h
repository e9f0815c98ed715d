// A real serial device for the kit's serial control.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace kit::qt {

// Opens the device of COM port n (see port_map.h) raw at 9600 baud 8N1
// without flow control; nullptr when the number has no device or the device
// cannot be opened. Arrivals are handed to receiver from the Qt event loop.
std::unique_ptr<SerialLine> openTermiosLine(int comPort, SerialReceiver receiver);

// The same for a device path.
std::unique_ptr<SerialLine> openTermiosDevice(const std::string& path, SerialReceiver receiver);

}  // namespace kit::qt
