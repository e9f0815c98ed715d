// The frames of a whole read and a whole write on the simulator's log, both ways and with their
// times, against the log the link produced before its move onto the engine: the move must not
// change a byte on the line or the moment it leaves.
//
// J5_WRITE_LINE_LOGS=1 rewrites the fixtures instead of comparing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "data/defaults.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link_fixture.h"

namespace j5test {
namespace {

std::string Log_Text(const sim::Radio& radio) {
  std::ostringstream out;
  const sim::Micros t0 = radio.log().empty() ? 0 : radio.log().front().time;
  for (const auto& e : radio.log()) {
    out << (e.direction == sim::Direction::ToRadio ? "> " : "< ") << (e.time - t0) << ' '
        << sim::frameKindName(e.kind);
    for (std::uint8_t b : e.bytes) {
      char hex[4];
      std::snprintf(hex, sizeof hex, " %02X", b);
      out << hex;
    }
    out << '\n';
  }
  return out.str();
}

void Compare_With_Fixture(const std::string& name, const std::string& got) {
  const std::string path = std::string(J5_LINK_FIXTURES) + "/" + name;
  if (std::getenv("J5_WRITE_LINE_LOGS")) {
    std::ofstream(path, std::ios::binary) << got;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path;
  std::ostringstream want;
  want << in.rdbuf();
  EXPECT_EQ(got, want.str()) << name;
}

struct Line_Log : Link_Fixture {};

TEST_F(Line_Log, WholeReadAsBefore) {
  Fill_Radio_Pattern();
  auto& w = program.Form_Comm_Read.load();
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 20000));
  d.advance(100);
  Compare_With_Fixture("whole_read.log", Log_Text(radio));
}

TEST_F(Line_Log, WholeWriteAsBefore) {
  // The image after start-up (seven channels, no names: full and short frames) with a few
  // rows changed, so every kind of row frame goes out.
  for (int c = 0; c < 16; ++c) {
    data.Mem_Image(300, c) = static_cast<std::int16_t>(0x30 + c);
    data.Mem_Image(50, c) = static_cast<std::int16_t>(c * 9);
  }
  auto& w = program.Form_Comm_Write.load();
  d.click(w.Command_Write);
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 30000));
  d.advance(100);
  Compare_With_Fixture("whole_write.log", Log_Text(radio));
}

}  // namespace
}  // namespace j5test
