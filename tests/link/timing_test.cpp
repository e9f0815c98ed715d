// When the read and write windows put their bytes on the line, on the virtual clock: each frame
// 15 ms after what caused it, its bytes back to back, the no-reply time-out a second after the
// last byte and the failure report a second later; and how the windows take an early ACK and a
// radio that falls silent half-way.
#include <gtest/gtest.h>

#include <cmath>

#include "data/defaults.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link_fixture.h"

namespace j5test {
namespace {

using sim::FrameKind;
using sim::Misbehaviour;

constexpr double kByte = kit::kByteMs9600;
constexpr double kSenderMs = 15;  // from queueing a frame to its first byte

struct Timing : Link_Fixture {
  // The bytes sent since the fixture was set up, with their departure times.
  std::vector<kit::HeadlessPlatform::SentByte> sent() const {
    const auto& all = platform.sent(1);
    return {all.begin() + static_cast<std::ptrdiff_t>(sentBefore), all.end()};
  }
  // The tool's frames as the radio saw them, each with the departure of its first byte. Bytes
  // sent alone (the ACKs of read replies) are frames of their own.
  struct Frame {
    FrameKind kind;
    double firstMs, lastMs;
  };
  std::vector<Frame> frames() const {
    std::vector<Frame> out;
    const auto bytes = sent();
    std::size_t at = 0;
    for (const auto& e : radio.log()) {
      if (e.direction != sim::Direction::ToRadio) continue;
      out.push_back({e.kind, bytes.at(at).atMs, bytes.at(at + e.bytes.size() - 1).atMs});
      for (std::size_t k = 1; k < e.bytes.size(); ++k)
        EXPECT_NEAR(bytes.at(at + k).atMs - bytes.at(at + k - 1).atMs, kByte, 1e-6)
            << sim::frameKindName(e.kind) << " byte " << k;
      at += e.bytes.size();
    }
    return out;
  }
};

TEST_F(Timing, AWholeReadPacesEveryFrameFromWhatCausedIt) {
  Fill_Radio_Pattern();
  auto& w = program.Form_Comm_Read.load();
  const double clicked = platform.nowMs();
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 20000));
  d.advance(10);
  const auto f = frames();
  ASSERT_EQ(f.size(), 3u + 96u * 2u) << sent().size();
  // The access code is queued by the click; STX when the radio's ACK to it has arrived (the
  // radio answers at once: one byte time there, one back).
  EXPECT_NEAR(f[0].firstMs - clicked, kSenderMs, 0.01);
  EXPECT_EQ(f[1].kind, FrameKind::Stx);
  EXPECT_NEAR(f[1].firstMs - (f[0].lastMs + 2 * kByte), kSenderMs, 0.01);
  // Each block request after the first is queued with the ACK of the reply before it.
  for (std::size_t i = 5; i < f.size(); i += 2) {
    ASSERT_EQ(f[i - 1].kind, FrameKind::Ack) << i;
    ASSERT_EQ(f[i].kind, FrameKind::ReadRequest) << i;
    EXPECT_NEAR(f[i].firstMs - f[i - 1].firstMs, kSenderMs, 0.01) << i;
  }
}

// A radio that stops answering half-way and one whose ACKs leave at the first byte of what they
// acknowledge, against both windows.
struct Case {
  const char* name;
  bool write;
  sim::Fault fault;
  bool completes;
};

class Answers : public Timing, public ::testing::WithParamInterface<Case> {};

TEST_P(Answers, EarlyAcksAreTakenAndSilenceTimesOutOnTime) {
  const Case& c = GetParam();
  Fill_Radio_Pattern();
  j5::Init_Factory_Image(data);
  radio.inject(c.fault);
  kit::Form* window = nullptr;
  std::function<bool()> busy;
  if (c.write) {
    auto& w = program.Form_Comm_Write.load();
    window = &w;
    busy = [&w] { return w.Link.Link_Busy(); };
    d.click(w.Command_Write);
  } else {
    auto& w = program.Form_Comm_Read.load();
    window = &w;
    busy = [&w] { return w.Link.Link_Busy(); };
    d.click(w.Command_read);
  }
  ASSERT_TRUE(d.advanceUntil([&] { return !busy(); }, 30000));
  const double ended = platform.nowMs();
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 5000));
  const std::string done = c.write ? "向对讲机写入参数完毕 ！" : "从对讲机中读取数据完毕 ！";
  EXPECT_EQ(box_texts(), std::vector<std::string>{c.completes ? done : "与对讲机联络失败 ！"});
  const double last = sent().back().atMs;
  if (!c.completes) {
    // The time-out ends the exchange a second after the last byte's slot, the report follows
    // a second later, and nothing more is sent.
    EXPECT_NEAR(ended - (last + kByte), 1000, 1);
    EXPECT_NEAR(d.lastMessageBox().atMs - (last + kByte), 2000, 1e-6);
    d.advance(3000);
    EXPECT_EQ(sent().back().atMs, last);
  }
  const auto f = frames();
  const auto count = [&](FrameKind k) {
    return std::count_if(f.begin(), f.end(), [k](const Frame& x) { return x.kind == k; });
  };
  if (c.completes && c.write) {
    EXPECT_EQ(count(FrameKind::DataFrame) + count(FrameKind::ShortRowFrame), 321);
    EXPECT_EQ(radio.memory().at(3 * 16 + 5), data.Mem_Image(3, 5));
  }
  if (c.completes && !c.write) {
    EXPECT_EQ(count(FrameKind::ReadRequest), 96);
    EXPECT_EQ(data.Mem_Image(300, 4), radio.memory().at(300 * 16 + 4));
  }
  (void)window;
}

INSTANTIATE_TEST_SUITE_P(
    Link, Answers,
    ::testing::Values(
        Case{"ReadEarlyAckToTheCode", false, {Misbehaviour::EarlyAck, FrameKind::AccessCode}, true},
        Case{"ReadSilentHalfWay",
             false,
             {.what = Misbehaviour::Silence, .answering = FrameKind::ReadRequest, .skip = 48},
             false},
        Case{"WriteEarlyAcks",
             true,
             {.what = Misbehaviour::EarlyAck, .answering = {}, .count = sim::Fault::kAlways},
             true},
        Case{"WriteSilentHalfWay",
             true,
             {.what = Misbehaviour::Silence, .answering = FrameKind::DataFrame, .skip = 160},
             false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace j5test
