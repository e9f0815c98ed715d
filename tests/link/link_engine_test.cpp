// The link engine on its own, with each transfer's description against the simulated radio: every
// opening reaches its blocks, reads and writes what its plan says, and without an answer restarts
// as often as its description allows before the failure report, on the virtual clock.
#include "link/link_engine.h"

#include <gtest/gtest.h>

#include <functional>

#include "link/ident_frames.h"
#include "link/transfers.h"
#include "link_fixture.h"

namespace j5test {
namespace {

using sim::Fault;
using sim::FrameKind;
using sim::Misbehaviour;

class Host : public kit::Form, public j5::Link_Listener {
 public:
  explicit Host(j5::Program& p) : kit::Form(p.platform, "Host"), prog(p) {}
  j5::Program& prog;
  j5::Link_Engine Link{*this, prog.data, *this};

  std::vector<std::string> events;
  std::vector<double> failedAt;
  std::map<int, std::vector<std::uint8_t>> blocks;
  std::vector<j5::Progress_Mark> marks;
  std::optional<j5::Ident_Frame> ident;
  std::optional<j5::Write_Plan> thenWrite;

  void Link_Port_Error(bool restart) override {
    events.push_back(restart ? "port-restart" : "port");
  }
  void Link_Identified(const j5::Ident_Frame& f) override {
    ident = f;
    events.push_back("identified");
  }
  void Link_Connected() override {
    events.push_back("connected");
    if (holdAfterConnected > 0) {
      // Another handler holds the thread meanwhile: what comes in reaches the port as one chunk.
      const double ms = holdAfterConnected;
      holdAfterConnected = 0;
      prog.platform.postAt(prog.platform.nowMs() + 100, [this, ms] { prog.platform.pauseMs(ms); });
    }
  }
  double holdAfterConnected = 0;
  void Link_Block_Stored(int step, std::uint16_t, std::span<const std::uint8_t> data) override {
    blocks[step].assign(data.begin(), data.end());
  }
  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const j5::Write_Step& s) override {
    std::array<std::uint8_t, 16> row{};
    for (int c = 0; c < 16; ++c) row[c] = static_cast<std::uint8_t>(s.source * 3 + c);
    return row;
  }
  void Link_Progress(const j5::Progress_Mark& m) override { marks.push_back(m); }
  std::optional<j5::Write_Plan> Link_Then_Write() override { return thenWrite; }
  void Link_Done() override { events.push_back("done"); }
  void Link_Timed_Out() override {
    events.push_back("timed-out");
    if (!blocksAtTimeOut) blocksAtTimeOut = blocks.size();
  }
  std::optional<std::size_t> blocksAtTimeOut;
  void Link_Restarting() override { events.push_back("restart"); }
  void Link_Failed() override {
    events.push_back("failed");
    failedAt.push_back(prog.platform.nowMs());
  }
};

struct Opening {
  const char* name;
  const j5::Transfer_Description& (*link)();
  sim::IdentForm form;
  j5::Read_Plan (*read)();
  j5::Write_Plan (*write)();
  friend void PrintTo(const Opening& o, std::ostream* os) { *os << o.name; }
};

j5::Read_Plan Channel_Read_5() {
  return j5::Channel_Read_Plan(5);
}
j5::Write_Plan Channel_Write_3() {
  return j5::Channel_Write_Plan(3);
}
j5::Write_Plan Password_Write() {
  return j5::Password_Write_Plan(false);
}

const Opening kOpenings[] = {
    {"WholeRead", j5::Whole_Read_Link, sim::IdentForm::Ident14, j5::Whole_Read_Plan,
     j5::Whole_Write_Plan},
    {"Adjust", j5::Adjust_Link, sim::IdentForm::Ident14, j5::Adjust_Read_Plan,
     j5::Adjust_Write_Plan},
    {"Password", j5::Password_Link, sim::IdentForm::Ident8, j5::Password_Read_Plan, Password_Write},
    {"Channel", j5::Channel_Link, sim::IdentForm::Ident8, Channel_Read_5, Channel_Write_3},
    {"Option", j5::Option_Link, sim::IdentForm::Ident8, j5::Option_Read_Plan,
     j5::Option_Write_Plan},
    {"Dtmf", j5::Dtmf_Link, sim::IdentForm::Ident8, j5::Dtmf_Read_Plan, j5::Dtmf_Write_Plan},
    {"Signalling", j5::Signalling_Link, sim::IdentForm::Ident50, j5::Tone2_Read_Plan,
     j5::Tone5_Write_Plan},
    {"Fm", j5::Fm_Link, sim::IdentForm::Ident8Dec, j5::Fm_Read_Plan, j5::Fm_Write_Plan},
    {"OptionCopy", j5::Option_Copy_Link, sim::IdentForm::Ident8Dec, j5::Option_Copy_Read_Plan,
     j5::Option_Copy_Write_Plan},
};

struct Engine : Link_Fixture, ::testing::WithParamInterface<Opening> {
  kit::FormSlot<Host> slot{[this] { return std::make_unique<Host>(program); }};
  Host& host = slot.load();

  Engine() {
    radio.config().identForm = GetParam().form;
    for (int a = 0; a < 0x10000; ++a)
      radio.memory().set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 7 + a / 256));
  }
  bool Run(j5::Block_Plan plan) {
    if (!host.Link.Start(GetParam().link(), std::move(plan))) return false;
    return d.advanceUntil(
        [&] {
          return !host.events.empty() &&
                 (host.events.back() == "done" || host.events.back() == "failed");
        },
        120000);
  }
};

TEST_P(Engine, ReadsEveryBlockOfItsPlan) {
  const j5::Read_Plan plan = GetParam().read();
  if (plan.then_write) host.thenWrite = GetParam().write();
  std::vector<std::vector<std::uint8_t>> want;
  for (const auto& step : plan.steps) want.push_back(radio.memory().read(step.address, 64));
  ASSERT_TRUE(Run(plan));
  EXPECT_EQ(host.events.back(), "done");
  EXPECT_FALSE(host.Link.Link_Busy());
  EXPECT_FALSE(host.Link.MSC.portOpen());
  ASSERT_TRUE(host.ident);
  ASSERT_EQ(host.blocks.size(), plan.steps.size());
  for (std::size_t k = 0; k < plan.steps.size(); ++k)
    EXPECT_EQ(host.blocks[static_cast<int>(k)], want[k]) << "step " << k;
  // Each request went out once, in the plan's order.
  const auto requests = toRadio(FrameKind::ReadRequest);
  ASSERT_EQ(requests.size(), plan.steps.size());
  for (std::size_t k = 0; k < requests.size(); ++k)
    EXPECT_EQ(requests[k].bytes[1] << 8 | requests[k].bytes[2], plan.steps[k].address);
  EXPECT_EQ(host.marks.size(), plan.steps.size() - 1);
}

// Runs the opening's write to its end: every frame of the plan went out once, in order, to its
// address with its row.
void Expect_Whole_Write(Engine& t) {
  const j5::Write_Plan plan = t.GetParam().write();
  ASSERT_TRUE(t.Run(plan));
  EXPECT_EQ(t.host.events.back(), "done");
  EXPECT_FALSE(t.host.Link.MSC.portOpen());
  std::vector<sim::LogEntry> frames;
  for (const auto& e : t.radio.log())
    if (e.direction == sim::Direction::ToRadio &&
        (e.kind == FrameKind::DataFrame || e.kind == FrameKind::ShortRowFrame))
      frames.push_back(e);
  ASSERT_EQ(frames.size(), plan.steps.size());
  for (std::size_t n = 0; n < frames.size(); ++n) {
    const j5::Write_Step& step = plan.steps[n];
    EXPECT_EQ(frames[n].bytes[1] << 8 | frames[n].bytes[2], step.address) << n;
    EXPECT_EQ(frames[n].bytes[4], step.source * 3 & 0xFF) << n;
    EXPECT_EQ(frames[n].kind == FrameKind::ShortRowFrame,
              step.may_shorten && frames[n].bytes[4] == 0xFF);
  }
}

TEST_P(Engine, WritesEveryFrameOfItsPlan) {
  Expect_Whole_Write(*this);
}

// The radio answers every frame with two ACKs: the second reaches the tool while the next frame
// still waits to leave, and answers nothing; taken, it would pass over that frame unsent.
TEST_P(Engine, AnAckBeforeTheFrameHasGoneOutAnswersNothing) {
  radio.inject({.what = Misbehaviour::ExtraByte,
                .answering = FrameKind::DataFrame,
                .count = Fault::kAlways,
                .byte = j5::ACK});
  Expect_Whole_Write(*this);
}

// No answer at all: the code goes out once and once more per restart, each attempt ends
// frame_watch after its last byte, the next starts report_ms later, and the report comes
// report_ms after the last time-out.
TEST_P(Engine, SilenceRestartsThenFails) {
  const j5::Link_Description& link = GetParam().link();
  radio.inject({.what = Misbehaviour::Silence, .answering = {}, .count = Fault::kAlways});
  ASSERT_TRUE(Run(GetParam().read()));
  const auto codes = toRadio(link.opening.code == j5::Code_Kind::Main ? FrameKind::AccessCode
                                                                      : FrameKind::AltAccessCode);
  ASSERT_EQ(codes.size(), static_cast<std::size_t>(link.restarts + 1));
  EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "restart"), link.restarts);
  EXPECT_EQ(host.failedAt.size(), 1u);
  EXPECT_FALSE(host.ident);
  // Nothing but the codes went out; attempt i + 1 starts report_ms + first_ms after attempt i's
  // time-out.
  const auto sent = sentBytes();
  const auto len = static_cast<std::size_t>(link.opening.code_len);
  ASSERT_EQ(sent.size(), codes.size() * len);
  const auto& at = platform.sent(1);
  // A burst without pauses hands the whole code to the line at once, which then spaces its bytes
  // by their wire time.
  const double slack = 2.0 + (link.sender.byte_ms == 0 ? len * kit::kByteMs9600 : 0);
  for (std::size_t i = 1; i < codes.size(); ++i) {
    const double lastOfPrevious = at[sentBefore + i * len - 1].atMs;
    const double firstOfNext = at[sentBefore + i * len].atMs;
    EXPECT_NEAR(firstOfNext - lastOfPrevious,
                link.times.frame_watch_ms + link.times.report_ms + link.sender.first_ms, slack);
  }
  EXPECT_NEAR(host.failedAt[0] - at.back().atMs, link.times.frame_watch_ms + link.times.report_ms,
              slack);
  d.advance(10000);
  EXPECT_EQ(host.failedAt.size(), 1u);
}

// A start between a time-out and its restart or report takes over: the pending step neither stops
// the new exchange nor restarts it, and no report follows.
TEST_P(Engine, AStartDuringTheWaitAfterATimeOutTakesOver) {
  radio.inject({.what = Misbehaviour::Silence, .answering = {}, .count = Fault::kAlways});
  const j5::Read_Plan plan = GetParam().read();
  if (plan.then_write) host.thenWrite = GetParam().write();
  ASSERT_TRUE(host.Link.Start(GetParam().link(), plan));
  ASSERT_TRUE(d.advanceUntil([&] { return !host.events.empty(); }, 5000));
  EXPECT_EQ(host.events.back(), "timed-out");
  EXPECT_FALSE(host.Link.Link_Busy());
  radio.clearFaults();
  d.advance(100);
  host.events.clear();
  ASSERT_TRUE(host.Link.Start(GetParam().link(), plan));
  d.advance(60000);
  EXPECT_EQ(host.events, (std::vector<std::string>{"identified", "connected", "done"}));
}

// A start in that pause whose port will not open gets the port error, and the exchange that
// timed out still ends in its one report, the failure, at its time: it is not restarted, and no
// later press finds it open.
TEST_P(Engine, AStartWithoutAPortDuringTheWaitLeavesTheExchangeItsReport) {
  const j5::Link_Description& link = GetParam().link();
  radio.inject({.what = Misbehaviour::Silence, .answering = {}, .count = Fault::kAlways});
  ASSERT_TRUE(host.Link.Start(link, GetParam().read()));
  ASSERT_TRUE(d.advanceUntil([&] { return !host.events.empty(); }, 5000));
  const double timedOut = platform.nowMs();
  d.advance(link.times.report_ms / 2);
  data.Comm_Port = 9;
  EXPECT_FALSE(host.Link.Start(link, GetParam().read()));
  d.advance(60000);
  EXPECT_EQ(host.events, (std::vector<std::string>{"timed-out", "port", "failed"}));
  ASSERT_EQ(host.failedAt.size(), 1u);
  EXPECT_NEAR(host.failedAt[0] - timedOut, link.times.report_ms, 1.5);
  EXPECT_EQ(sentBytes().size(), static_cast<std::size_t>(link.opening.code_len));
  EXPECT_FALSE(host.Link.Timer3.enabled());
}

// A transfer stopped while its frame is still on the line, and a new one started at once: the new
// opening's code follows the rest of that frame on the wire, whole, and the radio answers it.
TEST_P(Engine, ANewOpeningFollowsTheFrameAStoppedTransferLeftOnTheLine) {
  ASSERT_TRUE(host.Link.Start(GetParam().link(), GetParam().write()));
  ASSERT_TRUE(d.advanceUntil(
      [&] { return !host.events.empty() && host.events.back() == "connected"; }, 10000));
  const std::size_t before = platform.sent(1).size();
  // The first frame has been handed to the line whole (a burst without pauses is still on the
  // wire, but for its first byte).
  ASSERT_TRUE(platform.advanceUntil(
      [&] { return platform.sent(1).size() > before && !host.Link.Timer1.enabled(); }, 1000, 0.1));
  host.Link.Stop();
  host.events.clear();
  j5::Read_Plan plan = GetParam().read();
  if (plan.then_write) host.thenWrite = GetParam().write();
  ASSERT_TRUE(Run(plan));
  EXPECT_EQ(host.events, (std::vector<std::string>{"identified", "connected", "done"}));
  const auto codes =
      toRadio(GetParam().link().opening.code == j5::Code_Kind::Main ? FrameKind::AccessCode
                                                                    : FrameKind::AltAccessCode);
  EXPECT_EQ(codes.size(), 2u);
}

// Bytes in front of the identification answer nothing and are passed over: the frame is found by
// its start mark, and the first attempt goes on to its blocks.
TEST_P(Engine, IdentificationBehindAStrayByteIsFoundByItsMark) {
  const j5::Link_Description& link = GetParam().link();
  radio.inject({.what = Misbehaviour::StrayByte,
                .answering = link.opening.stx ? FrameKind::Stx : FrameKind::AccessCode});
  j5::Read_Plan plan = GetParam().read();
  if (plan.then_write) host.thenWrite = GetParam().write();
  ASSERT_TRUE(Run(plan));
  EXPECT_EQ(host.events, (std::vector<std::string>{"identified", "connected", "done"}));
}

// What the radio says from the code to the end of its identification, in bytes, and how many of
// them must arrive on their own: the ACK that the tool waits for before it sends STX.
std::pair<std::size_t, std::size_t> Opening_Answer(const Opening& o) {
  const j5::Link_Description& link = o.link();
  std::size_t ident = 8;
  if (o.form == sim::IdentForm::Ident14) ident = 14;
  if (o.form == sim::IdentForm::Ident50) ident = 50;
  const bool main = link.opening.code == j5::Code_Kind::Main;
  const bool ack = main || o.form == sim::IdentForm::Ident8Dec;
  const std::size_t alone = main && link.opening.code_len < 8 ? 1 : 0;
  return {alone, ident + (ack ? 1 : 0)};
}

// Where a radio may put the ACK of a nine-byte answer (the identification and its ACK, in the
// openings without STX): in front of the frame, as the simulator says it, or behind it. The
// answer to the access code, whose eighth byte is STX, can have it right behind the frame (the
// code's own ACK held back); the answer to the other code also a few milliseconds behind it.
struct Ack_Place {
  std::string name;
  std::function<void(sim::Radio&)> apply;
};
std::vector<Ack_Place> Ack_Places(const Opening& o) {
  std::vector<Ack_Place> out{{"", [](sim::Radio&) {}}};
  const j5::Ident_Form ident = o.link().opening.ident;
  if (ident == j5::Ident_Form::Ident8_Leading) {
    out.push_back({"ACK right behind the frame, ", [](sim::Radio& radio) {
                     radio.inject({Misbehaviour::Silence, FrameKind::AccessCode});
                     radio.inject({.what = Misbehaviour::ExtraByte,
                                   .answering = FrameKind::Stx,
                                   .byte = j5::ACK});
                   }});
  }
  if (ident == j5::Ident_Form::Ident8_Dec) {
    for (sim::Micros gap : {0, 3000})
      out.push_back({"ACK " + std::to_string(gap / 1000) + " ms behind the frame, ",
                     [gap](sim::Radio& radio) { radio.config().ackAfterIdent = gap; }});
  }
  return out;
}

// The radio's answer to the opening reaches the tool in two pieces split at every byte, and all
// at once, and the ACK of a nine-byte answer may follow the identification: the tool finds the
// same identification and sends the same frames after it as when the bytes come one by one with
// the ACK in front.
TEST_P(Engine, TheOpeningHoldsWhereverTheRadiosAnswerIsSplit) {
  j5::Read_Plan plan = GetParam().read();
  plan.steps.resize(std::min<std::size_t>(plan.steps.size(), 2));
  if (plan.then_write) host.thenWrite = GetParam().write();
  struct Outcome {
    std::vector<std::string> events;
    std::array<std::uint8_t, 50> ident{};
    std::vector<std::vector<std::uint8_t>> frames;
    std::map<int, std::vector<std::uint8_t>> blocks;
  };
  const sim::Memory memory = radio.memory();
  auto run = [&](std::vector<std::size_t> chunks, const Ack_Place& place) {
    d.advance(100);  // the last exchange's final ACK has reached the radio
    radio.memory() = memory;
    radio.clearFaults();
    radio.config().ackAfterIdent.reset();
    place.apply(radio);
    host.events.clear();
    host.blocks.clear();
    host.ident.reset();
    radio.clearLog();
    device.arriveInChunks(std::move(chunks));
    EXPECT_TRUE(Run(plan));
    Outcome out{host.events,
                host.ident ? host.ident->bytes : std::array<std::uint8_t, 50>{},
                {},
                host.blocks};
    for (const auto& e : radio.log())
      if (e.direction == sim::Direction::ToRadio && e.kind != FrameKind::AccessCode &&
          e.kind != FrameKind::AltAccessCode && e.kind != FrameKind::Stx)
        out.frames.push_back(e.bytes);
    return out;
  };
  const std::vector<Ack_Place> places = Ack_Places(GetParam());
  const Outcome plain = run({}, places[0]);
  ASSERT_EQ(plain.events, (std::vector<std::string>{"identified", "connected", "done"}));
  const auto [alone, length] = Opening_Answer(GetParam());
  std::vector<std::vector<std::size_t>> chunkings{{alone, length}};
  for (std::size_t k = alone + 1; k < length; ++k) chunkings.push_back({alone, k, length});
  for (const Ack_Place& place : places) {
    std::vector<std::vector<std::size_t>> all = chunkings;
    if (!place.name.empty()) all.insert(all.begin(), std::vector<std::size_t>{});
    for (auto chunks : all) {
      std::erase(chunks, 0);
      std::string name;
      for (std::size_t end : chunks) name += std::to_string(end) + " ";
      SCOPED_TRACE(place.name + (chunks.empty() ? "byte by byte" : "pieces end at " + name));
      const Outcome split = run(chunks, place);
      EXPECT_EQ(split.events, plain.events);
      EXPECT_EQ(split.ident, plain.ident);
      EXPECT_EQ(split.frames, plain.frames);
      EXPECT_EQ(split.blocks, plain.blocks);
    }
  }
}

// The first reply arrives in one chunk, once after a stray Cmd_Data byte: it is stored only where
// its header stands where it must, otherwise the attempt ends in the time-out with nothing stored.
TEST_P(Engine, FirstReplyInOneChunkIsStoredOnlyWithItsHeaderInPlace) {
  const j5::Link_Description& link = GetParam().link();
  for (bool stray : {false, true}) {
    SCOPED_TRACE(stray ? "stray X" : "clean");
    host.events.clear();
    host.blocks.clear();
    host.blocksAtTimeOut.reset();
    radio.clearFaults();
    radio.inject(
        {.what = Misbehaviour::Late, .answering = FrameKind::ReadRequest, .delay = 300'000});
    if (stray)
      radio.inject({.what = Misbehaviour::StrayByte,
                    .answering = FrameKind::ReadRequest,
                    .byte = j5::Cmd_Data});
    host.holdAfterConnected = 600;
    j5::Read_Plan plan = GetParam().read();
    plan.then_write = false;
    const auto want = radio.memory().read(plan.steps[0].address, 64);
    ASSERT_TRUE(Run(plan));
    if (!stray) {
      EXPECT_EQ(host.events.back(), "done");
      EXPECT_EQ(host.blocks[0], want);
      continue;
    }
    ASSERT_TRUE(host.blocksAtTimeOut);
    EXPECT_EQ(*host.blocksAtTimeOut, 0u);
    EXPECT_EQ(host.events.back(), link.restarts > 0 ? "done" : "failed");
    if (link.restarts > 0) {
      EXPECT_EQ(host.blocks[0], want);
    }
  }
}

// The plans that read into the image put each block where its address lies: image row r holds
// radio address r * 16.
TEST(Read_Plans, ImageReadsGoWhereTheirAddressLies) {
  for (const j5::Read_Plan& plan : {j5::Whole_Read_Plan(), j5::Channel_Read_Plan(128),
                                    j5::Option_Read_Plan(), j5::Dtmf_Read_Plan()})
    for (const j5::Read_Step& step : plan.steps) EXPECT_EQ(step.dest * 16, step.address);
}

// The identification-only openings (start-up, port window): the identification ends the exchange
// unacknowledged; without an answer, one time-out and the report a second later.
TEST_F(Link_Fixture, IdentificationOnlyOpenings) {
  kit::FormSlot<Host> slot{[this] { return std::make_unique<Host>(program); }};
  Host& host = slot.load();
  using Link = const j5::Transfer_Description& (*)();
  for (auto [link, form] :
       {std::pair<Link, sim::IdentForm>{j5::Startup_Ident_Link, sim::IdentForm::Ident14},
        std::pair<Link, sim::IdentForm>{j5::Port_Window_Link, sim::IdentForm::Ident8}}) {
    radio.config().identForm = form;
    host.events.clear();
    host.failedAt.clear();
    radio.clearLog();
    ASSERT_TRUE(host.Link.Start(link()));
    d.advance(500);
    EXPECT_EQ(host.events, (std::vector<std::string>{"identified", "done"}));
    EXPECT_FALSE(host.Link.MSC.portOpen());
    EXPECT_TRUE(toRadio(FrameKind::Ack).empty());

    host.events.clear();
    radio.inject({Misbehaviour::Silence, FrameKind::AccessCode});
    ASSERT_TRUE(host.Link.Start(link()));
    const double start = platform.nowMs();
    d.advance(5000);
    EXPECT_EQ(host.events, (std::vector<std::string>{"timed-out", "failed"}));
    ASSERT_EQ(host.failedAt.size(), 1u);
    EXPECT_NEAR(host.failedAt[0] - start, 15 + 7 * j5::Byte_Pause_Ms + 2000, 2.0);
  }
}

// The whole eight-byte code ends in STX, which the radio answers with its identification while
// the first seven bytes are still being acknowledged: the opening holds whatever the pause after
// each byte, none at all, one byte time, or a long one.
TEST_F(Link_Fixture, EightByteCodeOpeningHoldsWithAnyBytePause) {
  radio.config().identForm = sim::IdentForm::Ident8;
  kit::FormSlot<Host> slot{[this] { return std::make_unique<Host>(program); }};
  Host& host = slot.load();
  for (double pause : {j5::Byte_Pause_Ms, 0.0, 10.0}) {
    SCOPED_TRACE(pause);
    j5::Link_Description link = j5::Password_Link();
    link.sender.byte_ms = pause;
    host.events.clear();
    host.thenWrite = j5::Password_Write_Plan(true);
    ASSERT_TRUE(host.Link.Start(link, j5::Password_Read_Plan()));
    d.advance(3000);
    EXPECT_EQ(host.events, (std::vector<std::string>{"identified", "connected", "done"}));
    EXPECT_EQ(host.Link.Last_Answer(), j5::ACK);
  }
}

INSTANTIATE_TEST_SUITE_P(Link, Engine, ::testing::ValuesIn(kOpenings),
                         [](const auto& info) { return std::string(info.param.name); });

// The openings answered in nine bytes.
struct Nine_Byte_Opening : Engine {};

std::vector<Opening> Nine_Byte_Openings() {
  std::vector<Opening> out;
  for (const Opening& o : kOpenings)
    if (o.link().opening.ident == j5::Ident_Form::Ident8_Leading ||
        o.link().opening.ident == j5::Ident_Form::Ident8_Dec)
      out.push_back(o);
  return out;
}

// An identification alone, without the radio's ACK in front of it, is not taken until a ninth
// byte follows: where none comes, the attempt ends in the time-out, and the restart, answered in
// nine bytes, reads.
TEST_P(Nine_Byte_Opening, AnIdentificationAloneWaitsForItsNinthByte) {
  if (GetParam().link().opening.code == j5::Code_Kind::Main)
    radio.inject({Misbehaviour::Silence, FrameKind::AccessCode});
  else
    radio.inject({Misbehaviour::NoLeadingAck, FrameKind::AltAccessCode});
  j5::Read_Plan plan = GetParam().read();
  plan.steps.resize(2);
  ASSERT_TRUE(Run(plan));
  EXPECT_EQ(host.events,
            (std::vector<std::string>{"timed-out", "restart", "identified", "connected", "done"}));
}

INSTANTIATE_TEST_SUITE_P(Link, Nine_Byte_Opening, ::testing::ValuesIn(Nine_Byte_Openings()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace j5test
