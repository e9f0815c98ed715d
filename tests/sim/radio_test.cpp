#include "sim/radio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "src/data/access_code.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using sim::FrameKind;
using sim::Misbehaviour;

const Bytes kCode7(j5::kAccessCode.begin(), j5::kAccessCode.begin() + 7);
const Bytes kCode8(j5::kAccessCode.begin(), j5::kAccessCode.end());
// Default band limits 136-174, 400-520, 220-260.
const Bytes kIdent14 = {0xAA, 0x01, 0x36, 0x01, 0x74, 0x04, 0x00,
                        0x05, 0x20, 0x02, 0x20, 0x02, 0x60, 0xDD};
const Bytes kIdent8 = {0xAA, 0x36, 0x74, 0x04, 0x00, 0x05, 0x20, 0xDD};

Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Feeds bytes one millisecond apart, as a line would, and collects the answer bytes.
struct RadioFixture : ::testing::Test {
  sim::Radio radio;
  sim::Micros now = 0;

  Bytes send(const Bytes& bytes) {
    for (auto b : bytes) {
      now += 1000;
      radio.receive(b, now);
    }
    Bytes out;
    for (const auto& o : radio.takeAllOutput()) out.push_back(o.value);
    return out;
  }

  void memoryRamp(std::uint16_t address, int n) {
    for (int i = 0; i < n; ++i) {
      radio.memory().set(static_cast<std::uint16_t>(address + i), static_cast<std::uint8_t>(i));
    }
  }

  Bytes readReply(std::uint16_t address, int n) {
    Bytes f = {0x58, static_cast<std::uint8_t>(address >> 8),
               static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(n)};
    auto data = radio.memory().read(address, static_cast<std::size_t>(n));
    f.insert(f.end(), data.begin(), data.end());
    return f;
  }

  void openSession() {
    ASSERT_EQ(send(kCode7), Bytes{0x06});
    ASSERT_EQ(send({0x02}), kIdent14);
    ASSERT_EQ(send({0x06}), Bytes{0x06});
  }
};

TEST_F(RadioFixture, WholeReadHandshakeAndBlocks) {
  memoryRamp(0x0000, 128);
  openSession();
  // The first reply stands alone; the tool's ACK of a reply comes back in front of the next.
  EXPECT_EQ(send({0x53, 0x00, 0x00, 0x40}), readReply(0x0000, 64));
  EXPECT_EQ(send({0x06}), Bytes{});
  EXPECT_EQ(send({0x53, 0x00, 0x40, 0x40}), cat({{0x06}, readReply(0x0040, 64)}));
  EXPECT_EQ(readReply(0x0040, 64)[4], 64);
}

TEST_F(RadioFixture, WholeWriteStoresFullAndShortRows) {
  openSession();
  Bytes row(16);
  std::iota(row.begin(), row.end(), 0x30);
  EXPECT_EQ(send(cat({{0x58, 0x00, 0x10, 0x10}, row})), Bytes{0x06});
  EXPECT_EQ(send({0x58, 0x01, 0x20, 0x01, 0xFF}), Bytes{0x06});
  EXPECT_EQ(radio.memory().read(0x0010, 16), row);
  // A short row frame carries only the first byte of its row.
  radio.memory().set(0x0121, 0x55);
  EXPECT_EQ(send({0x58, 0x01, 0x20, 0x01, 0x00}), Bytes{0x06});
  EXPECT_EQ(radio.memory().at(0x0120), 0x00);
  EXPECT_EQ(radio.memory().at(0x0121), 0x55);

  const auto& log = radio.log();
  ASSERT_GE(log.size(), 6u);
  EXPECT_EQ(log[log.size() - 6].kind, FrameKind::DataFrame);
  EXPECT_EQ(log[log.size() - 4].kind, FrameKind::ShortRowFrame);
  EXPECT_EQ(log[log.size() - 4].bytes, (Bytes{0x58, 0x01, 0x20, 0x01, 0xFF}));
  EXPECT_EQ(log[log.size() - 2].kind, FrameKind::DataFrame);  // length 1 but not 0xFF
}

TEST_F(RadioFixture, DirectOpeningGetsAckAndIdentWithoutStx) {
  radio.config().identForm = sim::IdentForm::Ident8;
  memoryRamp(0x1000, 64);
  EXPECT_EQ(send(kCode8), cat({{0x06}, kIdent8}));
  // Its first request carries the tool's ACK in front: 69 bytes come back.
  EXPECT_EQ(send({0x06, 0x53, 0x10, 0x00, 0x40}), cat({{0x06}, readReply(0x1000, 64)}));
  // Its write frames do too, and get one ACK each.
  EXPECT_EQ(send({0x06, 0x58, 0x00, 0x00, 0x01, 0xFF}), Bytes{0x06});
  EXPECT_EQ(send({0x06, 0x58, 0x10, 0x00, 0x01, 0xFF}), Bytes{0x06});
}

TEST_F(RadioFixture, PasswordExchange) {
  radio.config().identForm = sim::IdentForm::Ident8;
  const Bytes stored = {'A', 'B', 'C', ' ', ' ', ' ', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  radio.memory().write(0x1FF0, stored);
  EXPECT_EQ(send(kCode8), cat({{0x06}, kIdent8}));
  EXPECT_EQ(send({0x02}), kIdent8);
  EXPECT_EQ(send({0x06}), Bytes{0x06});
  // The radio answers in whole blocks: the 16-byte request gets 64 data bytes, so the tool finds
  // its 68 bytes and one more.
  Bytes reply = send({0x06, 0x53, 0x1F, 0xF0, 0x10});
  ASSERT_EQ(reply.size(), 69u);
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 5), (Bytes{0x06, 0x58, 0x1F, 0xF0, 0x40}));
  EXPECT_EQ(Bytes(reply.begin() + 5, reply.begin() + 21), stored);
  EXPECT_EQ(send({0x06}), Bytes{});  // the tool's ACK of the reply is not answered by itself
  Bytes block = {'X', 'Y', ' ', ' ', ' ', ' ', 1, 2, 3, 4, 5, 6, 0, 0, 0, 0};
  EXPECT_EQ(send(cat({{0x06, 0x58, 0x1F, 0xF0, 0x10}, block})), Bytes{0x06});
  EXPECT_EQ(radio.memory().read(0x1FF0, 16), block);
}

TEST_F(RadioFixture, ReplyOfExactlyTheRequestedLengthWhenAsked) {
  radio.config().minReadLength = 0;
  openSession();
  EXPECT_EQ(send({0x53, 0x1F, 0xF0, 0x10}), readReply(0x1FF0, 16));
  EXPECT_EQ(send({0x53, 0xFF, 0xF0, 0x20}).size(), 36u);  // wraps past the end of memory
}

TEST_F(RadioFixture, IgnoresEverythingUntilTheAccessCode) {
  EXPECT_EQ(send({0x02, 0x06, 0x53, 0x00, 0x00, 0x40}), Bytes{});
  // A code broken off half-way is noise; the byte that broke it may start the real code.
  EXPECT_EQ(send({0x50, 0x52, 0x4F}), Bytes{});
  EXPECT_EQ(send(kCode7), Bytes{0x06});
  EXPECT_EQ(radio.log()[0].kind, FrameKind::Unknown);
}

TEST_F(RadioFixture, IncompleteFrameIsDroppedAfterAPause) {
  openSession();
  EXPECT_EQ(send({0x53, 0x00}), Bytes{});
  now += 2'000'000;  // the tool timed out and starts again
  EXPECT_EQ(send(kCode7), Bytes{0x06});
  EXPECT_EQ(radio.log()[radio.log().size() - 3].kind, FrameKind::Unknown);
}

TEST_F(RadioFixture, AnswersAreStampedWithTheirEarliestStart) {
  radio.config().replyDelay = 300;
  for (auto b : kCode7) radio.receive(b, 5000);
  EXPECT_EQ(radio.nextOutputTime(), 5300);
  EXPECT_EQ(radio.takeOutput(5299), std::nullopt);
  EXPECT_EQ(radio.takeOutput(5300), (sim::OutByte{0x06, 5300}));
  radio.receive(0x02, 6000);
  auto out = radio.takeAllOutput();
  ASSERT_EQ(out.size(), 14u);
  for (const auto& o : out) EXPECT_EQ(o.earliest, 6300);

  const auto& log = radio.log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].direction, sim::Direction::ToRadio);
  EXPECT_EQ(log[0].kind, FrameKind::AccessCode);
  EXPECT_EQ(log[0].time, 5000);
  EXPECT_EQ(log[3].direction, sim::Direction::FromRadio);
  EXPECT_EQ(log[3].kind, FrameKind::Ident14);
  EXPECT_EQ(log[3].time, 6300);
}

// The other code is answered at once with the identification form of its own: ACK and the
// 0xBB-ended frame, or the 50-byte frame alone; the frames behind it carry an ACK as a cue, and
// every answer to the other form comes with OtherIdent.
TEST_F(RadioFixture, OtherCodeIsAnsweredWithItsIdentificationForms) {
  const Bytes alt(j5::Alt_Access_Code.begin(), j5::Alt_Access_Code.end());
  const Bytes dec = {0xAA, 1, 3, 6, 1, 7, 4, 0xBB};
  radio.config().identForm = sim::IdentForm::Ident8Dec;
  EXPECT_EQ(send(alt), cat({{0x06}, dec}));
  memoryRamp(0x3000, 64);
  EXPECT_EQ(send({0x06, 0x53, 0x30, 0x00, 0x40}), cat({{0x06}, readReply(0x3000, 64)}));
  EXPECT_EQ(send({0x06}), Bytes{});
  EXPECT_EQ(send(cat({{0x06, 0x58, 0x30, 0x00, 0x10}, Bytes(16, 7)})), Bytes{0x06});
  EXPECT_EQ(radio.memory().at(0x3000), 7);

  radio.reset();
  radio.config().identForm = sim::IdentForm::Ident50;
  const Bytes fifty = send(alt);
  ASSERT_EQ(fifty.size(), 50u);
  EXPECT_EQ(Bytes(fifty.begin(), fifty.begin() + 13),
            (Bytes{0xAA, 1, 3, 6, 1, 7, 4, 4, 0, 0, 5, 2, 0}));
  EXPECT_EQ(fifty[49], 0x55);
  radio.reset();
  radio.inject({Misbehaviour::OtherIdent, FrameKind::AltAccessCode});
  EXPECT_EQ(send(alt), dec);  // the 0xBB-ended frame, without the ACK the 50-byte form lacks
}

// The faults act on the other code's answers too: an early ACK leaves at the code's first byte,
// the identification at its end; a wrong first byte spoils the ACK.
TEST_F(RadioFixture, FaultsActOnTheOtherCodesAnswers) {
  const Bytes alt(j5::Alt_Access_Code.begin(), j5::Alt_Access_Code.end());
  radio.config().identForm = sim::IdentForm::Ident8Dec;
  radio.inject({Misbehaviour::EarlyAck, FrameKind::AccessCode});
  EXPECT_EQ(send({alt[0]}), Bytes{0x06});
  EXPECT_EQ(send(Bytes(alt.begin() + 1, alt.end())), (Bytes{0xAA, 1, 3, 6, 1, 7, 4, 0xBB}));
  radio.reset();
  radio.inject({Misbehaviour::WrongFirstByte, FrameKind::AccessCode});
  EXPECT_EQ(send(alt), (Bytes{0x15, 0xAA, 1, 3, 6, 1, 7, 4, 0xBB}));
}

// A radio that puts its ACK behind the 0xBB-ended identification: right behind the frame's last
// byte on the line, or a few milliseconds after it, and no later answer starts before it; a fault
// that changes the identification still finds it.
TEST_F(RadioFixture, TheOtherCodesAckMayFollowItsIdentification) {
  const Bytes alt(j5::Alt_Access_Code.begin(), j5::Alt_Access_Code.end());
  const Bytes dec = {0xAA, 1, 3, 6, 1, 7, 4, 0xBB};
  const sim::Micros frameWire = std::llround(8 * sim::kByteMicros);
  for (sim::Micros gap : {0, 3000}) {
    SCOPED_TRACE(gap);
    sim::RadioConfig config;
    config.identForm = sim::IdentForm::Ident8Dec;
    config.ackAfterIdent = gap;
    sim::Radio late(config);
    for (auto b : alt) late.receive(b, 5000);
    const auto out = late.takeAllOutput();
    ASSERT_EQ(out.size(), 9u);
    for (std::size_t k = 0; k < 8; ++k) EXPECT_EQ(out[k], (sim::OutByte{dec[k], 5000})) << k;
    EXPECT_EQ(out[8], (sim::OutByte{0x06, 5000 + frameWire + gap}));
    for (auto b : Bytes{0x06, 0x53, 0x30, 0x00, 0x40}) late.receive(b, 5001);
    EXPECT_EQ(late.nextOutputTime(), 5000 + frameWire + gap);
  }
  radio.config().identForm = sim::IdentForm::Ident8Dec;
  radio.config().ackAfterIdent = 0;
  radio.inject({Misbehaviour::OtherIdent, FrameKind::AltAccessCode});
  const Bytes fifty = send(alt);
  ASSERT_EQ(fifty.size(), 51u);
  EXPECT_EQ(fifty[49], 0x55);
  EXPECT_EQ(fifty[50], 0x06);
}

// After a direct opening the radio has acknowledged nothing yet: a request without the tool's
// ACK in front still gets its reply behind the radio's ACK.
TEST_F(RadioFixture, DirectOpeningRequestWithoutAckGetsReplyBehindAck) {
  radio.config().identForm = sim::IdentForm::Ident8;
  memoryRamp(0x0E00, 64);
  EXPECT_EQ(send(kCode8), cat({{0x06}, kIdent8}));
  EXPECT_EQ(send({0x53, 0x0E, 0x00, 0x40}), cat({{0x06}, readReply(0x0E00, 64)}));
}

TEST(Ident, FramesCarryTheBandLimits) {
  EXPECT_EQ(sim::bandLimitPair(400), (std::array<std::uint8_t, 2>{0x04, 0x00}));
  EXPECT_EQ(sim::bandLimitPair(136), (std::array<std::uint8_t, 2>{0x01, 0x36}));
  EXPECT_EQ(sim::bandLimitPair(99), (std::array<std::uint8_t, 2>{0x00, 0x99}));
  sim::BandLimits b{112, 199, 90, 1005, 300, 305};
  EXPECT_EQ(sim::ident8Frame(b), (Bytes{0xAA, 0x12, 0x99, 0x00, 0x90, 0x0A, 0x05, 0xDD}));
  EXPECT_EQ(sim::ident14Frame(b), (Bytes{0xAA, 0x01, 0x12, 0x01, 0x99, 0x00, 0x90, 0x0A, 0x05, 0x03,
                                         0x00, 0x03, 0x05, 0xDD}));
  EXPECT_THROW(sim::checkBandLimits(sim::IdentForm::Ident8, {250, 260, 400, 520, 0, 0}),
               std::invalid_argument);
  EXPECT_NO_THROW(sim::checkBandLimits(sim::IdentForm::Ident14, {250, 260, 400, 520, 0, 0}));
  EXPECT_THROW(sim::Radio({.identForm = sim::IdentForm::Ident8, .bands = {99, 174}}),
               std::invalid_argument);
}

// Each misbehaviour against the answer it changes, in an opened session.
struct FaultCase {
  const char* name;
  sim::Fault fault;
  Bytes stimulus;
  Bytes expected;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.name;
}

class FaultTable : public RadioFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultTable, ChangesTheNextMatchingAnswerOnly) {
  const auto& c = GetParam();
  openSession();
  memoryRamp(0x0040, 64);
  radio.inject(c.fault);
  EXPECT_EQ(send(c.stimulus), c.expected);
  EXPECT_FALSE(radio.faultsPending());
  if (c.fault.what != Misbehaviour::Silence) {
    const auto& log = radio.log();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const sim::LogEntry& e) {
      return e.fault == sim::misbehaviourName(c.fault.what);
    }));
  }
  // One-shot: the same exchange is answered normally afterwards.
  radio.clearLog();
  EXPECT_EQ(send(kCode7), Bytes{0x06});
  EXPECT_EQ(send({0x02}), kIdent14);
  EXPECT_EQ(send({0x06}), Bytes{0x06});
  send(c.stimulus);
  for (const auto& e : radio.log()) EXPECT_EQ(e.fault, "");
}

const Bytes kRead = {0x53, 0x00, 0x40, 0x40};
const Bytes kAckRead = {0x06, 0x53, 0x00, 0x40, 0x40};

Bytes reply40() {
  Bytes f = {0x58, 0x00, 0x40, 0x40};
  for (int i = 0; i < 64; ++i) f.push_back(static_cast<std::uint8_t>(i));
  return f;
}
Bytes without_last(Bytes b) {
  b.pop_back();
  return b;
}

sim::Fault fault(Misbehaviour what, std::optional<FrameKind> on = std::nullopt) {
  sim::Fault f;
  f.what = what;
  f.answering = on;
  return f;
}

INSTANTIATE_TEST_SUITE_P(
    Misbehaviours, FaultTable,
    ::testing::Values(
        FaultCase{"silence", fault(Misbehaviour::Silence), kRead, {}},
        FaultCase{
            "wrong_first_byte_of_code_ack", fault(Misbehaviour::WrongFirstByte), kCode7, {0x15}},
        FaultCase{"wrong_first_byte_of_ident",
                  fault(Misbehaviour::WrongFirstByte),
                  {0x02},
                  cat({{0x15}, Bytes(kIdent14.begin() + 1, kIdent14.end())})},
        FaultCase{"stray_byte_before_ident",
                  fault(Misbehaviour::StrayByte),
                  {0x02},
                  cat({{0x15}, kIdent14})},
        FaultCase{"short_ident", fault(Misbehaviour::ShortFrame), {0x02}, without_last(kIdent14)},
        FaultCase{"short_read_reply", fault(Misbehaviour::ShortFrame, FrameKind::ReadRequest),
                  kAckRead, cat({{0x06}, without_last(reply40())})},
        FaultCase{"extra_byte_after_reply", fault(Misbehaviour::ExtraByte), kRead,
                  cat({reply40(), {0x15}})},
        FaultCase{"missing_leading_ack", fault(Misbehaviour::NoLeadingAck), kAckRead, reply40()},
        FaultCase{"other_ident_form", fault(Misbehaviour::OtherIdent), {0x02}, kIdent8},
        FaultCase{
            "early_ack", fault(Misbehaviour::EarlyAck), {0x58, 0x00, 0x00, 0x01, 0xFF}, {0x06}},
        FaultCase{"refuse", fault(Misbehaviour::Refuse), {0x58, 0x00, 0x00, 0x01, 0xFF}, {0x15}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RadioFixture, FaultsTargetAnswersBySkipCountAndFrameKind) {
  openSession();
  sim::Fault f = fault(Misbehaviour::Silence, FrameKind::ReadRequest);
  f.skip = 1;
  f.count = 2;
  radio.inject(f);
  EXPECT_EQ(send({0x06}), Bytes{});  // ACKs are not read replies
  EXPECT_EQ(send(kRead).size(), 69u);
  EXPECT_EQ(send(kRead), Bytes{});
  EXPECT_EQ(send(kRead), Bytes{});
  EXPECT_EQ(send(kRead).size(), 68u);
  EXPECT_FALSE(radio.faultsPending());

  // A persistent fault stays until it is cleared; the leading ACK goes silent with its reply.
  f = fault(Misbehaviour::Silence);
  f.count = sim::Fault::kAlways;
  radio.inject(f);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(send(kAckRead), Bytes{});
  EXPECT_EQ(send(kCode7), Bytes{});
  radio.clearFaults();
  EXPECT_EQ(send(kCode7), Bytes{0x06});
}

TEST_F(RadioFixture, LateAnswerIsHeldBackAndKeepsLaterAnswersBehindIt) {
  openSession();
  sim::Fault f = fault(Misbehaviour::Late);
  f.delay = 1'500'000;
  radio.inject(f);
  radio.receive(std::span(kRead.data(), kRead.size()), 10'000'000);
  EXPECT_EQ(radio.nextOutputTime(), 11'500'000);
  EXPECT_EQ(radio.takeOutput(11'499'999), std::nullopt);
  radio.receive(std::span(kRead.data(), kRead.size()), 10'100'000);
  auto out = radio.takeAllOutput();
  ASSERT_EQ(out.size(), 136u);
  EXPECT_EQ(out.back().earliest, 11'500'000);
  EXPECT_EQ(radio.log().back().fault, "");
  EXPECT_EQ(radio.log()[radio.log().size() - 3].fault, "late");
}

// A refused frame leaves the memory as it was, and its answer is the refusal alone: never ACK,
// whatever byte the fault names or other faults would add.
TEST_F(RadioFixture, ARefusedFrameIsNotStoredAndNothingMakesItsAnswerAnAck) {
  openSession();
  sim::Fault refuse = fault(Misbehaviour::Refuse, FrameKind::DataFrame);
  refuse.byte = 0x06;
  radio.inject(refuse);
  sim::Fault stray = fault(Misbehaviour::StrayByte, FrameKind::DataFrame);
  stray.byte = 0x06;
  radio.inject(stray);
  Bytes frame = {0x58, 0x00, 0x10, 0x10};
  frame.resize(20, 0x30);
  EXPECT_EQ(send(frame), Bytes{0x15});
  EXPECT_EQ(radio.memory().at(0x10), 0xFF);
  EXPECT_EQ(send(frame), (Bytes{0x06, 0x06}));
  EXPECT_EQ(radio.memory().at(0x10), 0x30);
}

TEST_F(RadioFixture, EarlyAckLeavesAtTheFirstByteOfTheFrame) {
  openSession();
  radio.inject(fault(Misbehaviour::EarlyAck, FrameKind::DataFrame));
  radio.receive(0x58, 50'000);
  EXPECT_EQ(radio.takeOutput(50'000), (sim::OutByte{0x06, 50'000}));
  Bytes rest = {0x00, 0x00, 0x01, 0x12};
  radio.receive(std::span(rest.data(), rest.size()), 54'000);
  EXPECT_FALSE(radio.hasOutput());
  EXPECT_EQ(radio.memory().at(0), 0x12);
}

}  // namespace
