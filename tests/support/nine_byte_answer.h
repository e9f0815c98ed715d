#pragma once
// The ways a radio may answer the other access code with its 0xBB-ended identification, for the
// windows that open with it (the FM window, the option window copies): nine bytes, the frame with
// the radio's ACK in front of it, right behind it or a few milliseconds behind it, said byte by
// byte, all at once or in two pieces split after any byte.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/radio_program.h"

namespace j5test {

struct Nine_Byte_Answer {
  std::string name;
  std::optional<sim::Micros> ack_after;  // nothing: the ACK in front of the frame
  std::vector<std::size_t> chunks;       // as Sim_Device::arriveInChunks takes them
};

inline std::vector<Nine_Byte_Answer> Nine_Byte_Answers() {
  std::vector<Nine_Byte_Answer> out;
  const std::pair<const char*, std::optional<sim::Micros>> places[] = {
      {"ACK in front", std::nullopt}, {"ACK right behind", 0}, {"ACK 3 ms behind", 3000}};
  for (const auto& [place, after] : places) {
    out.push_back({std::string(place) + ", byte by byte", after, {}});
    out.push_back({std::string(place) + ", all at once", after, {9}});
    for (std::size_t k = 1; k < 9; ++k)
      out.push_back(
          {std::string(place) + ", split after byte " + std::to_string(k), after, {k, 9}});
  }
  return out;
}

// Reads with every answer: `read` presses the window's Read and is true once the read has ended.
// Each read completes at its first attempt, with Block_Buf rows 2 on holding the radio's 64 bytes
// at `addresses` behind their five header bytes.
inline void Read_With_Every_Nine_Byte_Answer(Program_On_Line& line,
                                             const std::function<bool()>& read,
                                             const std::vector<std::uint16_t>& addresses) {
  for (int a = 0; a < 0x10000; ++a)
    line.radio.memory().set(static_cast<std::uint16_t>(a),
                            static_cast<std::uint8_t>(a * 7 + a / 256));
  for (const Nine_Byte_Answer& answer : Nine_Byte_Answers()) {
    SCOPED_TRACE(answer.name);
    line.radio.config().ackAfterIdent = answer.ack_after;
    line.radio.clearLog();
    line.d.clearMessageBoxes();
    for (std::size_t r = 0; r < 2 + addresses.size(); ++r)
      for (std::size_t c = 0; c < 71; ++c) line.data.Block_Buf(r, c) = 0;
    line.device.arriveInChunks(answer.chunks);
    if (!read()) {
      ADD_FAILURE() << "the read did not complete";
      continue;
    }
    // (The copies' display may warn first of a value the radio's bytes hold.)
    const std::vector<std::string> boxes = line.box_texts();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "Complete reading the data from transceiver.");
    EXPECT_EQ(line.toRadio(sim::FrameKind::AltAccessCode).size(), 1u);
    for (std::size_t k = 0; k < addresses.size(); ++k) {
      const auto want = line.radio.memory().read(addresses[k], 64);
      for (std::size_t i = 0; i < 64; ++i)
        ASSERT_EQ(line.data.Block_Buf(k + 2, i + 5), want[i]) << "block " << k << " byte " << i;
    }
  }
}

}  // namespace j5test
