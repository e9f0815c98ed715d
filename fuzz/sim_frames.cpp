// The simulator's frame parser: any bytes at any times, with any of its faults set. It loses and
// invents no byte (every byte it was fed lands in one logged frame, in order), it writes its
// memory only as the logged data frames it did not refuse say, it says nothing before it has heard
// the access code, and the times of its answer bytes never go backwards.
//
// Input: a set-up byte (identification form, answer delay; bit 7 the 0xBB-ended form with the ACK
// behind it), up to three faults of five bytes, then pairs of (pause before the byte in
// milliseconds, byte).

#include <algorithm>
#include <span>
#include <vector>

#include "fuzz_support.h"
#include "sim/radio.h"

using j5fuzz::Check;

namespace {

sim::Fault Fault_From(j5fuzz::Fuzz_Input& in) {
  static constexpr sim::FrameKind kAnswering[] = {
      sim::FrameKind::AccessCode,  sim::FrameKind::Stx,       sim::FrameKind::Ack,
      sim::FrameKind::ReadRequest, sim::FrameKind::DataFrame, sim::FrameKind::ShortRowFrame};
  sim::Fault f;
  f.what = static_cast<sim::Misbehaviour>(in.Byte() %
                                          (static_cast<int>(sim::Misbehaviour::OtherIdent) + 1));
  const std::uint8_t answering = in.Byte();
  if (answering < 6 * 32) f.answering = kAnswering[answering % 6];
  const std::uint8_t counts = in.Byte();
  f.skip = counts & 7;
  f.count = counts >> 7 ? sim::Fault::kAlways : 1 + (counts >> 3 & 7);
  f.delay = in.Byte() * 10'000;
  f.byte = in.Byte();
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  j5fuzz::Fuzz_Input in(data, size);
  const std::uint8_t setup = in.Byte();
  sim::RadioConfig config;
  config.identForm = setup & 1 ? sim::IdentForm::Ident8 : sim::IdentForm::Ident14;
  config.replyDelay = (setup >> 1 & 7) * 1000;
  config.minReadLength = setup & 16 ? 0 : 64;
  if (setup & 128) {
    config.identForm = sim::IdentForm::Ident8Dec;
    config.ackAfterIdent = (setup & 1) * 3000;
  }
  sim::Radio radio(config);
  for (int a = 0; a < 0x10000; a += 97) radio.memory().set(static_cast<std::uint16_t>(a), a & 0xFF);
  const sim::Memory initial = radio.memory();
  for (int n = setup >> 5 & 3; n > 0; --n) radio.inject(Fault_From(in));

  std::vector<std::uint8_t> fed;
  std::vector<sim::OutByte> answered;
  sim::Micros now = 0;
  while (!in.empty()) {
    now += in.Byte() * 1000;
    const std::uint8_t byte = in.Byte();
    radio.receive(byte, now);
    fed.push_back(byte);
    for (const sim::OutByte& out : radio.takeAllOutput()) answered.push_back(out);
  }

  sim::Micros last = 0;
  for (const sim::OutByte& out : answered) {
    Check(out.earliest >= last, "an answer byte is due before the one in front of it");
    last = out.earliest;
  }

  std::vector<std::uint8_t> logged;
  sim::Memory expected = initial;
  bool heardCode = false;
  for (const sim::LogEntry& e : radio.log()) {
    if (e.direction == sim::Direction::FromRadio) {
      // Told to acknowledge early, the radio answers the first byte of what may be the code.
      if (e.fault == sim::misbehaviourName(sim::Misbehaviour::EarlyAck)) continue;
      Check(heardCode, "the radio answered before it heard the access code");
      continue;
    }
    heardCode |= e.kind == sim::FrameKind::AccessCode || e.kind == sim::FrameKind::AltAccessCode;
    logged.insert(logged.end(), e.bytes.begin(), e.bytes.end());
    if (e.kind == sim::FrameKind::DataFrame || e.kind == sim::FrameKind::ShortRowFrame) {
      Check(e.bytes.size() >= 4 && e.bytes.size() == 4u + e.bytes[3],
            "a data frame of the wrong length");
      // A frame the radio refused changes nothing.
      if (e.fault == sim::misbehaviourName(sim::Misbehaviour::Refuse)) continue;
      expected.write(static_cast<std::uint16_t>(e.bytes[1] << 8 | e.bytes[2]),
                     std::span(e.bytes).subspan(4));
    }
  }
  // Only the frame still being received may be missing from the log.
  Check(logged.size() <= fed.size() && std::equal(logged.begin(), logged.end(), fed.begin()),
        "the logged frames are not the bytes the radio was fed");
  Check(fed.size() - logged.size() < 4 + 256, "more bytes unaccounted for than one frame holds");
  Check(radio.memory() == expected, "the memory changed other than by the logged data frames");
  return 0;
}
