// The optional features window's own transfer against the simulated radio.
// Its buttons are not visible, so the tests run their handlers directly.
#include <gtest/gtest.h>

#include "data/tables.h"
#include "editors/options/frm_option.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/radio_program.h"

namespace j5::opt_test {
namespace {

struct Transfer : j5test::Radio_Program {
  frm_option* w = nullptr;

  Transfer() : Radio_Program(sim::IdentForm::Ident8, false) {
    w = &program.frm_option.load();
    d.runUntilIdle();
    for (int a = 0x0E00; a < 0x0F70; ++a)
      radio.memory().set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 7 % 10));
    radio.clearLog();
    d.clearMessageBoxes();
  }

  // The label texts and bar values the transfer shows, each once, in order.
  std::vector<std::string> labels;
  std::vector<int> bars;
  bool runUntilIdle(double maxMs) {
    return d.advanceUntil(
        [&] {
          if (labels.empty() || labels.back() != w->Label_tr_count.caption())
            labels.push_back(w->Label_tr_count.caption());
          const int v = static_cast<int>(w->ProgressBar1.value());
          if (bars.empty() || bars.back() != v) bars.push_back(v);
          return !w->Transfer.Busy() && !d.messageBoxes().empty();
        },
        maxMs);
  }
};

TEST_F(Transfer, AReadFillsRowsTwoHundredTwentyFourTo243AndShowsThem) {
  const MemImage before = data.Mem_Image;
  w->Command_read.Click();
  EXPECT_TRUE(w->ProgressBar1.visible());
  EXPECT_EQ(w->Label_tr_count.caption(), "Connecting with transceiver. ");
  ASSERT_TRUE(runUntilIdle(10000));

  std::vector<int> addresses;
  for (const auto& e : toRadio(sim::FrameKind::ReadRequest))
    addresses.push_back(e.bytes[1] << 8 | e.bytes[2]);
  EXPECT_EQ(addresses, (std::vector<int>{0x0E00, 0x0E40, 0x0E80, 0x0EC0, 0x0F00}));
  EXPECT_EQ(labels, (std::vector<std::string>{"Connecting with transceiver. ",
                                              "Reading 3 Data Block", "Reading 4 Data Block",
                                              "Reading 5 Data Block", "Reading 6 Data Block",
                                              "Read optional parameters in gear. "}));
  EXPECT_EQ(bars, (std::vector<int>{0, 50, 66, 83, 100}));
  EXPECT_EQ(d.lastMessageBox().text, "Complete reading the data from transceiver.");
  EXPECT_EQ(d.lastMessageBox().title, "Operate Prompt");
  EXPECT_EQ(program.Panel(2), "Connect well with radio.");

  // Rows 226..229 and 240..243 went through the display, which may have
  // normalised them; the other rows read are the radio's bytes as they are.
  for (int r = 224; r <= 243; ++r) {
    if ((r >= 226 && r <= 229) || r >= 240) continue;
    for (int c = 0; c < 16; ++c) EXPECT_EQ(data.Mem_Image(r, c), (r * 16 + c) * 7 % 10);
  }
  EXPECT_EQ(data.Mem_Image(226 + 11 / 16, 11), (0x0E20 + 11) * 7 % 10);  // the time-out, in range
  EXPECT_EQ(w->Combo_tot.listIndex(), (0x0E20 + 11) * 7 % 10);
  for (int r : {223, 244, 246}) EXPECT_EQ(data.Mem_Image(r, 0), before(r, 0));
}

TEST_F(Transfer, EachByteLeavesOnItsOwnTick) {
  w->Command_read.Click();
  const double start = platform.nowMs();
  ASSERT_TRUE(runUntilIdle(10000));
  const auto& sent = platform.sent(1);
  std::vector<double> times;
  for (const auto& b : sent)
    if (b.atMs >= start) times.push_back(b.atMs - start);
  ASSERT_GE(times.size(), 9u);
  EXPECT_NEAR(times[0], 15, 0.5);
  for (std::size_t i = 1; i < 8; ++i) EXPECT_NEAR(times[i] - times[i - 1], 20, 0.5) << i;
}

TEST_F(Transfer, AWriteSendsRows224To246EachToItsOwnAddress) {
  for (int r = 224; r <= 246; ++r)
    for (int c = 0; c < 16; ++c) data.Mem_Image(r, c) = static_cast<std::int16_t>((r + c) % 256);
  w->Command_Write.Click();
  ASSERT_TRUE(runUntilIdle(20000));

  const auto frames = toRadio(sim::FrameKind::DataFrame);
  ASSERT_EQ(frames.size(), 23u);
  for (std::size_t n = 0; n < frames.size(); ++n) {
    const int row = 224 + static_cast<int>(n);
    EXPECT_EQ(frames[n].bytes[1] << 8 | frames[n].bytes[2], row * 16) << row;
    if (row == 231) continue;  // the work-channel row goes out checked (below)
    for (int c = 0; c < 16; ++c) EXPECT_EQ(frames[n].bytes[4 + c], (row + c) % 256) << row;
    EXPECT_EQ(radio.memory().at(static_cast<std::uint16_t>(row * 16)), row % 256);
  }
  EXPECT_EQ(labels.front(), "Connecting with transceiver. ");
  EXPECT_EQ(labels[1], "Writing  0  Data Block");
  EXPECT_EQ(labels[labels.size() - 2], "Writing  21  Data Block");
  EXPECT_EQ(labels.back(), "Complete writing optional parameters ");
  EXPECT_EQ(bars.back(), 100);
  EXPECT_EQ(d.lastMessageBox().text, "Complete writing optional parameters to the transceiver.");
}

TEST_F(Transfer, SilenceRestartsOnceThenReportsTheFailure) {
  sim::Fault silence;
  silence.count = sim::Fault::kAlways;
  radio.inject(silence);
  const MemImage before = data.Mem_Image;
  w->Command_read.Click();
  ASSERT_TRUE(runUntilIdle(20000));
  EXPECT_EQ(toRadio(sim::FrameKind::AccessCode).size(), 2u);
  EXPECT_EQ(d.lastMessageBox().text, "Fail connect with transceiver.");
  EXPECT_EQ(d.lastMessageBox().title, "Operate prompt");
  EXPECT_EQ(program.Panel(2), "Communication fault.");
  EXPECT_TRUE(data.Mem_Image == before);
}

// A Read pressed in the pause before the restart starts an exchange that the
// pending restart leaves alone.
TEST_F(Transfer, AReadDuringThePauseBeforeTheRestartRunsToItsEnd) {
  sim::Fault silence;  // the first access code goes unanswered
  silence.count = sim::Fault::kAlways;
  radio.inject(silence);
  w->Command_read.Click();
  ASSERT_TRUE(d.advanceUntil([&] { return !w->Transfer.Busy(); }, 5000));  // timed out
  radio.clearFaults();
  d.advance(500);
  w->Command_read.Click();
  ASSERT_TRUE(w->Transfer.Busy());
  ASSERT_TRUE(runUntilIdle(10000));
  EXPECT_EQ(d.lastMessageBox().text, "Complete reading the data from transceiver.");
  d.advance(5000);
  EXPECT_EQ(toRadio(sim::FrameKind::AccessCode).size(), 2u);
  EXPECT_EQ(d.messageBoxes().size(), 1u);
}

TEST_F(Transfer, AReplyWithAStrayByteIsNotTakenAndTheImageStays) {
  sim::Fault stray;
  stray.what = sim::Misbehaviour::StrayByte;
  stray.answering = sim::FrameKind::ReadRequest;
  stray.skip = 2;
  stray.count = sim::Fault::kAlways;
  stray.byte = 0x58;
  radio.inject(stray);
  const MemImage before = data.Mem_Image;
  w->Command_read.Click();
  ASSERT_TRUE(runUntilIdle(30000));
  EXPECT_EQ(d.lastMessageBox().text, "Fail connect with transceiver.");
  EXPECT_TRUE(data.Mem_Image == before);
}

TEST_F(Transfer, AStartWhileBusyIsRefused) {
  w->Command_read.Click();
  d.advance(100);
  w->Command_Write.Click();
  EXPECT_EQ(d.lastMessageBox().text, "Read-write operating with transceiver .");
  ASSERT_TRUE(runUntilIdle(10000));
  EXPECT_TRUE(toRadio(sim::FrameKind::DataFrame).empty());
}

// Right after start-up the work-channel row is erased. The write sends it as the whole write
// does, after the work-channel check: work channels that name a programmed channel, not 255.
TEST_F(Transfer, AWriteSendsTheWorkChannelRowChecked) {
  for (int r = 0; r < 128; ++r)
    for (int c = 0; c < 16; ++c) data.Mem_Image(r, c) = 0xFF;
  for (int c = 0; c < 16; ++c) data.Mem_Image(5, c) = 0x12;  // channel 6 alone is programmed
  for (int c = 0; c < 16; ++c) ASSERT_EQ(data.Mem_Image(231, c), 0xFF);
  w->Command_Write.Click();
  ASSERT_TRUE(runUntilIdle(20000));
  EXPECT_EQ(d.lastMessageBox().text, "Complete writing optional parameters to the transceiver.");
  EXPECT_EQ(radio.memory().at(0x0E71), 0);
  EXPECT_EQ(radio.memory().at(0x0E76), 5);
  EXPECT_EQ(radio.memory().at(0x0E77), 5);
}

// A value that is no byte (from a hand-made file) in any row of the write, the last record's
// too, is refused before anything reaches the radio, with the message every window gives.
TEST_F(Transfer, AValueThatIsNoByteIsRefusedBeforeAnythingGoesOut) {
  for (const int row : {224, 240, 246}) {
    SCOPED_TRACE(row);
    const std::int16_t kept = data.Mem_Image(row, 3);
    data.Mem_Image(row, 3) = 300;
    d.clearMessageBoxes();
    w->Command_Write.Click();
    d.advance(3000);
    ASSERT_EQ(d.messageBoxes().size(), 1u);
    EXPECT_EQ(d.lastMessageBox().text,
              "Line " + std::to_string(row + 1) +
                  " of the parameter file holds a value outside 0 to 255; nothing was written "
                  "to the transceiver.");
    EXPECT_TRUE(radio.log().empty());
    EXPECT_FALSE(w->Transfer.Busy());
    data.Mem_Image(row, 3) = kept;
  }
}

TEST_F(Transfer, APortThatWillNotOpenShowsItsMessageOnly) {
  data.Comm_Port = 9;  // no such port
  w->Command_read.Click();
  EXPECT_EQ(d.lastMessageBox().text, "Communication Port Open Error ！");
  EXPECT_EQ(d.lastMessageBox().title, "Operate Prompt");
  EXPECT_FALSE(w->Transfer.Busy());
  EXPECT_FALSE(w->ProgressBar1.visible());
}

}  // namespace
}  // namespace j5::opt_test
