#include "sim/serve_wait.h"

#include <algorithm>

namespace sim {

timespec waitUntilDue(double dueMicros, Micros nowMicros) {
  constexpr double kLongestMicros = 1'000'000;
  const double left = std::clamp(dueMicros - static_cast<double>(nowMicros), 0.0, kLongestMicros);
  const long micros = std::min(static_cast<long>(left) + 1, static_cast<long>(kLongestMicros));
  return timespec{micros / 1'000'000, micros % 1'000'000 * 1000};
}

}  // namespace sim
