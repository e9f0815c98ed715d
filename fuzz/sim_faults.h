#pragma once
// A misbehaviour of the simulated radio chosen by the fuzzer, as the window targets script it.

#include <cstdint>

#include "fuzz_support.h"
#include "sim/radio.h"

namespace j5fuzz {

// `arg` picks the misbehaviour (any but another identification form; a refusal of written frames
// among them), whether it answers only one kind of frame (the access code `code`, a read request
// or a data frame) and how late a late answer comes; the script gives how many answers pass first,
// how many it spoils and the byte it uses.
inline void Inject_Fault(sim::Radio& radio, std::uint8_t arg, Fuzz_Input& script,
                         sim::FrameKind code) {
  sim::Fault f;
  f.what = static_cast<sim::Misbehaviour>(arg % (static_cast<int>(sim::Misbehaviour::Refuse) + 1));
  const sim::FrameKind kinds[] = {code, sim::FrameKind::ReadRequest, sim::FrameKind::DataFrame};
  if (arg & 0x80) f.answering = kinds[arg / 8 % 3];
  f.skip = script.Byte() % 8;
  f.count = script.Byte() % 3 + 1;
  f.delay = 500'000 + (arg / 32) * 400'000;
  f.byte = script.Byte();
  radio.inject(f);
}

}  // namespace j5fuzz
