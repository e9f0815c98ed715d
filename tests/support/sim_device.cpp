#include "sim_device.h"

#include <algorithm>
#include <cmath>

namespace j5test {

void Sim_Device::receive(std::uint8_t byte, double atMs, kit::SerialDeviceLink& link) {
  radio.receive(byte, static_cast<sim::Micros>(std::llround(atMs * 1000.0)));
  if (answersTogether) {
    std::vector<std::uint8_t> answer;
    double from = atMs;
    for (const sim::OutByte& out : radio.takeAllOutput()) {
      // No byte starts on the line before the radio said it.
      from = std::max(from, static_cast<double>(out.earliest) / 1000.0 -
                                kit::kByteMs9600 * static_cast<double>(answer.size()));
      answer.push_back(rewrite ? rewrite(out.value) : out.value);
    }
    if (!answer.empty()) link.sendTogether(answer, from);
    return;
  }
  for (const sim::OutByte& out : radio.takeAllOutput()) {
    const std::uint8_t b = rewrite ? rewrite(out.value) : out.value;
    const double earliest = std::max(atMs, static_cast<double>(out.earliest) / 1000.0);
    const auto chunk = std::find_if(chunkEnds_.begin(), chunkEnds_.end(),
                                    [this](std::size_t end) { return end > said_; });
    if (chunk == chunkEnds_.end()) {
      link.send({b}, earliest);
      continue;
    }
    // No byte of the chunk starts on the line before the radio said it.
    const double from = earliest - kit::kByteMs9600 * static_cast<double>(held_.size());
    heldFrom_ = held_.empty() ? from : std::max(heldFrom_, from);
    held_.push_back(b);
    if (++said_ == *chunk) {
      link.sendTogether(held_, heldFrom_);
      held_.clear();
    }
  }
}

std::vector<sim::LogEntry> To_Radio(const sim::Radio& radio, sim::FrameKind kind) {
  std::vector<sim::LogEntry> out;
  for (const auto& e : radio.log())
    if (e.direction == sim::Direction::ToRadio && e.kind == kind) out.push_back(e);
  return out;
}

}  // namespace j5test
