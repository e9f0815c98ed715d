#include "sim_device.h"

#include <algorithm>
#include <cmath>

namespace j5test {

void Sim_Device::receive(std::uint8_t byte, double atMs, kit::SerialDeviceLink& link) {
  radio.receive(byte, static_cast<sim::Micros>(std::llround(atMs * 1000.0)));
  for (const sim::OutByte& out : radio.takeAllOutput())
    link.send({rewrite ? rewrite(out.value) : out.value},
              std::max(atMs, static_cast<double>(out.earliest) / 1000.0));
}

}  // namespace j5test
