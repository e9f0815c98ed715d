#pragma once
// The radio's side of the programming link, independent of any clock or port.
//
// The host feeds every byte the tool sends with the moment it has fully arrived, and drains the
// radio's answer bytes, each stamped with the earliest moment it may start on the wire. Times are
// microseconds on the host's clock (virtual or real; only differences matter). The radio does not
// add wire time: a line that models 9600 baud spaces the bytes it drains by their wire time.

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/memory.h"
#include "sim/protocol.h"

namespace sim {

using Micros = std::int64_t;

struct RadioConfig {
  IdentForm identForm = IdentForm::Ident14;
  BandLimits bands;
  // Time from the last byte of a tool frame to the first byte of the answer.
  Micros replyDelay = 0;
  // A read reply carries at least this many data bytes: the radio answers in whole 64-byte
  // blocks, so the 16-byte request of the password exchange gets a 68-byte frame. Set it to 0 for
  // replies of exactly the requested length.
  int minReadLength = 64;
  // A frame whose next byte does not come within this time is dropped as incomplete.
  Micros frameGap = 500'000;
  // The other code answered with the 0xBB-ended identification first and the ACK behind it, this
  // long after the frame's last byte has left (0: right behind it), where most radios send the ACK
  // first. Nothing else changes.
  std::optional<Micros> ackAfterIdent{};
};

enum class Misbehaviour {
  Silence,         // the answer is not sent
  Late,            // the answer starts `delay` later
  WrongFirstByte,  // the answer's first byte is replaced by `byte`
  StrayByte,       // `byte` goes out before the answer
  ShortFrame,      // the answer's last byte is missing
  ExtraByte,       // `byte` follows the answer
  NoLeadingAck,    // a read reply loses the ACK in front of its data frame
  EarlyAck,        // the ACK for an access code or a written frame leaves at its first byte
  Refuse,          // a written frame is not stored and is answered with `byte` (never ACK)
  OtherIdent,      // STX is answered with the other identification form (keep it last)
};

// A misbehaviour applied to the radio's answers. `answering` narrows it to the answers to one
// kind of tool frame (AccessCode, Stx, Ack, ReadRequest, DataFrame, ShortRowFrame; DataFrame
// also covers short row frames, AccessCode the other code). NoLeadingAck, EarlyAck, Refuse and
// OtherIdent only count the answers they can change (read replies with a leading ACK, ACKs to
// access codes and written frames, written frames not acknowledged early, identifications). After
// `skip` such answers the fault changes the next `count` of them, or every one with kAlways; a
// spent fault is removed. Several faults may act on one answer, but none on a refusal: a radio that
// refuses a frame says so in its one byte (0x15 where `byte` is ACK), which the tool cannot mistake
// for ACK.
struct Fault {
  static constexpr int kAlways = -1;
  Misbehaviour what = Misbehaviour::Silence;
  std::optional<FrameKind> answering;
  int skip = 0;
  int count = 1;
  Micros delay = 1'500'000;
  std::uint8_t byte = 0x15;
};

enum class Direction { ToRadio, FromRadio };

struct LogEntry {
  Direction direction;
  Micros time;  // to the radio: arrival of the last byte; from it: earliest start of the first
  std::vector<std::uint8_t> bytes;
  FrameKind kind;
  std::string fault;  // the misbehaviour that shaped this answer, empty when none
};

struct OutByte {
  std::uint8_t value;
  Micros earliest;
  friend bool operator==(const OutByte&, const OutByte&) = default;
};

class Radio {
 public:
  explicit Radio(RadioConfig config = {});

  RadioConfig& config() { return config_; }
  const RadioConfig& config() const { return config_; }
  Memory& memory() { return memory_; }
  const Memory& memory() const { return memory_; }

  // The tool's bytes, in order; `at` must not go backwards.
  void receive(std::uint8_t byte, Micros at);
  void receive(std::span<const std::uint8_t> bytes, Micros at);

  // Answer bytes in sending order. Their earliest times never decrease.
  bool hasOutput() const { return !out_.empty(); }
  std::optional<Micros> nextOutputTime() const;
  std::optional<OutByte> peekOutput() const;
  // The next answer byte if its earliest time is not after `now`.
  std::optional<OutByte> takeOutput(Micros now);
  // Every queued answer byte, whatever its time.
  std::vector<OutByte> takeAllOutput();
  void discardOutput() { out_.clear(); }

  void inject(const Fault& fault) { faults_.push_back(fault); }
  void clearFaults() { faults_.clear(); }
  bool faultsPending() const { return !faults_.empty(); }

  const std::vector<LogEntry>& log() const { return log_; }
  void clearLog() { log_.clear(); }

  // Back to waiting for an access code, as after power-on; memory and faults stay.
  void reset();

 private:
  enum class Phase { Idle, Opened, Identified, Session };

  struct Part {
    FrameKind kind;
    std::vector<std::uint8_t> bytes;
    // The part waits this long after the parts before it have left the line, at 9600 baud.
    std::optional<Micros> after{};
  };

  void startFrame(std::uint8_t byte, Micros at);
  void continueFrame(std::uint8_t byte, Micros at);
  void frameDone(FrameKind kind, Micros at);
  void dropFrame(Micros at);
  void answer(FrameKind answering, std::vector<Part> parts, Micros frameEnd);
  bool earlyAckDue(FrameKind answering);
  // The byte a Refuse fault answers the written frame with, when one is due.
  std::optional<std::uint8_t> refusalDue(FrameKind answering);
  // The other code is answered with ACK before the 8-byte identification, and alone with the
  // 50-byte one.
  bool altAnswerHasAck() const;
  void logFrame(Direction dir, Micros time, std::vector<std::uint8_t> bytes, FrameKind kind,
                std::string fault = {});

  RadioConfig config_;
  Memory memory_;
  Phase phase_ = Phase::Idle;
  bool pendingAck_ = false;
  bool ackedEarly_ = false;
  std::vector<std::uint8_t> frame_;
  Micros frameStart_ = 0;
  Micros lastByte_ = 0;
  Micros lastEarliest_ = 0;
  std::deque<OutByte> out_;
  std::vector<Fault> faults_;
  std::vector<LogEntry> log_;
};

std::string misbehaviourName(Misbehaviour what);

}  // namespace sim
