#include <gtest/gtest.h>

#include <filesystem>

#include "sim/memory.h"
#include "src/data/access_code.h"
#include "support/temp_dir.h"
#include "tests/sim/sim_process.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kQuietMs = 5000;

using j5::test::readFile;

TEST(RadioSimProgram, HandshakeBlockReadAndWriteOverItsTerminal) {
  // A folder of this process's own: test runs of other builds may be running this test too.
  const j5::test::TempDir temp;
  const std::filesystem::path dir = temp.path();
  sim::Memory image;
  for (int a = 0; a < 64; ++a) image.set(static_cast<std::uint16_t>(0x0040 + a), 0x80 + a);
  sim::saveParamFile((dir / "in.dat").string(), image);

  simtest::SimProcess radio(
      J5_SIM_BIN,
      {"--load", (dir / "in.dat").string(), "--dump", (dir / "out.dat").string(), "--log",
       "--bands", "144,148,430,440,220,225"},
      (dir / "log.txt").string());
  int fd = simtest::openRawTerminal(radio.ptyPath());
  ASSERT_GE(fd, 0) << radio.ptyPath();

  ASSERT_TRUE(simtest::writeAll(fd, Bytes(j5::kAccessCode.begin(), j5::kAccessCode.begin() + 7)));
  EXPECT_EQ(simtest::readBytes(fd, 1, kQuietMs), Bytes{0x06});
  ASSERT_TRUE(simtest::writeAll(fd, {0x02}));
  EXPECT_EQ(
      simtest::readBytes(fd, 14, kQuietMs),
      (Bytes{0xAA, 0x01, 0x44, 0x01, 0x48, 0x04, 0x30, 0x04, 0x40, 0x02, 0x20, 0x02, 0x25, 0xDD}));
  ASSERT_TRUE(simtest::writeAll(fd, {0x06}));
  EXPECT_EQ(simtest::readBytes(fd, 1, kQuietMs), Bytes{0x06});

  ASSERT_TRUE(simtest::writeAll(fd, {0x53, 0x00, 0x40, 0x40}));
  Bytes expected = {0x58, 0x00, 0x40, 0x40};
  auto data = image.read(0x0040, 64);
  expected.insert(expected.end(), data.begin(), data.end());
  EXPECT_EQ(simtest::readBytes(fd, 68, kQuietMs), expected);

  Bytes row = {0x58, 0x00, 0x10, 0x10};
  for (int i = 0; i < 16; ++i) row.push_back(static_cast<std::uint8_t>(i));
  ASSERT_TRUE(simtest::writeAll(fd, row));
  EXPECT_EQ(simtest::readBytes(fd, 1, kQuietMs), Bytes{0x06});
  close(fd);

  EXPECT_EQ(radio.stop(), 0);
  sim::Memory dumped;
  sim::loadParamFile((dir / "out.dat").string(), dumped);
  EXPECT_EQ(dumped.read(0x0010, 16), Bytes(row.begin() + 4, row.end()));
  EXPECT_EQ(dumped.read(0x0040, 64), data);

  std::string log = readFile(dir / "log.txt");
  for (const char* line :
       {"tool->radio access-code     50 52 4F 47 4A 35 4B", "radio->tool ident14         AA 01 44",
        "tool->radio read-request    53 00 40 40", "radio->tool data-frame      58 00 40 40 80 81",
        "tool->radio data-frame      58 00 10 10 00 01"}) {
    EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
  }
}

// Told so, the program answers the other code with its identification first and the ACK behind.
TEST(RadioSimProgram, PutsTheAckBehindTheIdentificationWhenTold) {
  simtest::SimProcess radio(J5_SIM_BIN, {"--ident", "dec", "--ack-after-ident", "3"}, "/dev/null");
  int fd = simtest::openRawTerminal(radio.ptyPath());
  ASSERT_GE(fd, 0) << radio.ptyPath();
  ASSERT_TRUE(simtest::writeAll(fd, Bytes(j5::Alt_Access_Code.begin(), j5::Alt_Access_Code.end())));
  EXPECT_EQ(simtest::readBytes(fd, 9, kQuietMs), (Bytes{0xAA, 1, 3, 6, 1, 7, 4, 0xBB, 0x06}));
  close(fd);
  EXPECT_EQ(radio.stop(), 0);
}

TEST(RadioSimProgram, RefusesBadOptions) {
  EXPECT_THROW(simtest::SimProcess(J5_SIM_BIN, {"--ident", "9"}, "/dev/null"), std::runtime_error);
}

}  // namespace
