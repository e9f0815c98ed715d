#include "sim/radio.h"

#include <algorithm>
#include <cmath>

#include "src/data/access_code.h"

namespace sim {

namespace {

// The whole read and write send the first seven bytes of the access code; the channel editor's
// direct opening sends all eight, and the eighth is STX, which the radio then answers as such.
constexpr std::size_t kCodeLength = 7;
constexpr auto& kCode = j5::kAccessCode;
// The other code goes out whole and is answered with the identification forms of its own.
constexpr auto& kAltCode = j5::Alt_Access_Code;
static_assert(kAltCode[0] != kCode[0], "the radio tells the codes apart by their first byte");

bool matches(const Fault& fault, FrameKind answering) {
  if (!fault.answering) return true;
  return *fault.answering == answering ||
         (*fault.answering == FrameKind::DataFrame && answering == FrameKind::ShortRowFrame) ||
         (*fault.answering == FrameKind::AccessCode && answering == FrameKind::AltAccessCode);
}

bool isIdent(FrameKind kind) {
  return kind == FrameKind::Ident14 || kind == FrameKind::Ident8 || kind == FrameKind::Ident50 ||
         kind == FrameKind::Ident8Dec;
}

// The form an OtherIdent fault answers with instead: the other one of the same opening.
IdentForm otherForm(FrameKind kind) {
  switch (kind) {
    case FrameKind::Ident14:
      return IdentForm::Ident8;
    case FrameKind::Ident8:
      return IdentForm::Ident14;
    case FrameKind::Ident50:
      return IdentForm::Ident8Dec;
    default:
      return IdentForm::Ident50;
  }
}

// Counts one applicable answer against the fault; true when the fault acts on it.
bool consume(Fault& fault) {
  if (fault.skip > 0) {
    --fault.skip;
    return false;
  }
  if (fault.count > 0) --fault.count;
  return true;
}

bool spent(const Fault& fault) {
  return fault.count == 0;
}

}  // namespace

std::string misbehaviourName(Misbehaviour what) {
  switch (what) {
    case Misbehaviour::Silence:
      return "silence";
    case Misbehaviour::Late:
      return "late";
    case Misbehaviour::WrongFirstByte:
      return "wrong-first-byte";
    case Misbehaviour::StrayByte:
      return "stray-byte";
    case Misbehaviour::ShortFrame:
      return "short-frame";
    case Misbehaviour::ExtraByte:
      return "extra-byte";
    case Misbehaviour::NoLeadingAck:
      return "no-leading-ack";
    case Misbehaviour::EarlyAck:
      return "early-ack";
    case Misbehaviour::Refuse:
      return "refuse";
    case Misbehaviour::OtherIdent:
      return "other-ident";
  }
  return "?";
}

Radio::Radio(RadioConfig config) : config_(config) {
  checkBandLimits(config_.identForm, config_.bands);
}

void Radio::reset() {
  phase_ = Phase::Idle;
  pendingAck_ = false;
  ackedEarly_ = false;
  frame_.clear();
  out_.clear();
}

void Radio::receive(std::span<const std::uint8_t> bytes, Micros at) {
  for (std::uint8_t b : bytes) receive(b, at);
}

void Radio::receive(std::uint8_t byte, Micros at) {
  if (!frame_.empty() && at - lastByte_ > config_.frameGap) dropFrame(lastByte_);
  lastByte_ = at;
  if (frame_.empty()) {
    startFrame(byte, at);
  } else {
    continueFrame(byte, at);
  }
}

void Radio::startFrame(std::uint8_t byte, Micros at) {
  frame_.assign(1, byte);
  frameStart_ = at;
  ackedEarly_ = false;
  if (byte == kCode[0]) {
    if (earlyAckDue(FrameKind::AccessCode)) ackedEarly_ = true;
    return;
  }
  if (byte == kAltCode[0]) {
    if (altAnswerHasAck() && earlyAckDue(FrameKind::AltAccessCode)) ackedEarly_ = true;
    return;
  }
  // Until it has seen the access code the radio is not listening to the programming protocol.
  if (phase_ == Phase::Idle) return frameDone(FrameKind::Unknown, at);
  switch (byte) {
    case kStx:
      return frameDone(FrameKind::Stx, at);
    case kAck:
      return frameDone(FrameKind::Ack, at);
    case kCmdRead:
      return;
    case kCmdData:
      if (earlyAckDue(FrameKind::DataFrame)) ackedEarly_ = true;
      return;
    default:
      return frameDone(FrameKind::Unknown, at);
  }
}

void Radio::continueFrame(std::uint8_t byte, Micros at) {
  frame_.push_back(byte);
  const std::size_t size = frame_.size();
  switch (frame_[0]) {
    case kCode[0]:
      if (byte != kCode[size - 1]) {
        // Not the code after all: what came before is noise, and this byte may start a frame.
        frame_.pop_back();
        dropFrame(at);
        return startFrame(byte, at);
      }
      if (size == kCodeLength) frameDone(FrameKind::AccessCode, at);
      return;
    case kAltCode[0]:
      if (byte != kAltCode[size - 1]) {
        frame_.pop_back();
        dropFrame(at);
        return startFrame(byte, at);
      }
      if (size == kAltCode.size()) frameDone(FrameKind::AltAccessCode, at);
      return;
    case kCmdRead:
      if (size == 4) frameDone(FrameKind::ReadRequest, at);
      return;
    case kCmdData:
      if (size >= 4 && size == 4u + frame_[3]) {
        bool shortRow = frame_[3] == 1 && frame_[4] == 0xFF;
        frameDone(shortRow ? FrameKind::ShortRowFrame : FrameKind::DataFrame, at);
      }
      return;
  }
}

void Radio::dropFrame(Micros at) {
  if (frame_.empty()) return;
  logFrame(Direction::ToRadio, at, std::move(frame_), FrameKind::Unknown);
  frame_.clear();
}

void Radio::frameDone(FrameKind kind, Micros at) {
  std::vector<std::uint8_t> bytes = std::move(frame_);
  frame_.clear();
  logFrame(Direction::ToRadio, at, bytes, kind);
  const Part ack{FrameKind::Ack, {kAck}};
  switch (kind) {
    case FrameKind::AccessCode:
      phase_ = Phase::Opened;
      pendingAck_ = false;
      if (!ackedEarly_) answer(kind, {ack}, at);
      break;
    case FrameKind::AltAccessCode: {
      // Identified at once; the tool goes straight on with its frames, each behind an ACK that
      // is a cue, not something to answer.
      std::vector<Part> parts{
          {identKind(config_.identForm), identFrame(config_.identForm, config_.bands)}};
      if (altAnswerHasAck() && !ackedEarly_) {
        if (config_.ackAfterIdent)
          parts.push_back({FrameKind::Ack, {kAck}, *config_.ackAfterIdent});
        else
          parts.insert(parts.begin(), ack);
      }
      answer(kind, std::move(parts), at);
      phase_ = Phase::Session;
      pendingAck_ = false;
      break;
    }
    case FrameKind::Stx:
      answer(kind, {{identKind(config_.identForm), identFrame(config_.identForm, config_.bands)}},
             at);
      phase_ = Phase::Identified;
      break;
    case FrameKind::Ack:
      // The acknowledgement of the identification is answered at once; later ones acknowledge
      // a reply, and the radio answers them in front of its next reply or with its next ACK.
      if (phase_ == Phase::Identified) {
        answer(kind, {ack}, at);
        phase_ = Phase::Session;
      } else {
        pendingAck_ = true;
      }
      break;
    case FrameKind::ReadRequest: {
      const auto address = static_cast<std::uint16_t>(bytes[1] << 8 | bytes[2]);
      const int length = std::max<int>(bytes[3], std::clamp(config_.minReadLength, 0, 255));
      std::vector<std::uint8_t> reply{kCmdData, bytes[1], bytes[2],
                                      static_cast<std::uint8_t>(length)};
      auto data = memory_.read(address, static_cast<std::size_t>(length));
      reply.insert(reply.end(), data.begin(), data.end());
      // A reply follows the radio's ACK once it has acknowledged something: the tool's ACK of
      // the previous reply, or, right after a direct opening (no ACK exchange), the opening.
      std::vector<Part> parts;
      if (pendingAck_ || phase_ == Phase::Identified) parts.push_back(ack);
      parts.push_back({FrameKind::DataFrame, std::move(reply)});
      pendingAck_ = false;
      phase_ = Phase::Session;
      answer(kind, std::move(parts), at);
      break;
    }
    case FrameKind::DataFrame:
    case FrameKind::ShortRowFrame: {
      pendingAck_ = false;
      phase_ = Phase::Session;
      // A frame already acknowledged at its first byte is taken.
      if (const auto refusal = ackedEarly_ ? std::nullopt : refusalDue(kind)) {
        const std::string refused = misbehaviourName(Misbehaviour::Refuse);
        log_.back().fault = refused;
        const Micros earliest = std::max(at + config_.replyDelay, lastEarliest_);
        lastEarliest_ = earliest;
        out_.push_back({*refusal, earliest});
        logFrame(Direction::FromRadio, earliest, {*refusal}, FrameKind::Unknown, refused);
        break;
      }
      const auto address = static_cast<std::uint16_t>(bytes[1] << 8 | bytes[2]);
      memory_.write(address, std::span(bytes).subspan(4));
      if (!ackedEarly_) answer(kind, {ack}, at);
      break;
    }
    default:
      break;
  }
  ackedEarly_ = false;
}

bool Radio::altAnswerHasAck() const {
  return config_.identForm == IdentForm::Ident8Dec;
}

bool Radio::earlyAckDue(FrameKind answering) {
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->what != Misbehaviour::EarlyAck || !matches(*it, answering)) continue;
    if (!consume(*it)) continue;
    if (spent(*it)) faults_.erase(it);
    Micros earliest = std::max(frameStart_ + config_.replyDelay, lastEarliest_);
    lastEarliest_ = earliest;
    out_.push_back({kAck, earliest});
    logFrame(Direction::FromRadio, earliest, {kAck}, FrameKind::Ack,
             misbehaviourName(Misbehaviour::EarlyAck));
    return true;
  }
  return false;
}

std::optional<std::uint8_t> Radio::refusalDue(FrameKind answering) {
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->what != Misbehaviour::Refuse || !matches(*it, answering)) continue;
    if (!consume(*it)) continue;
    const std::uint8_t byte = it->byte == kAck ? 0x15 : it->byte;
    if (spent(*it)) faults_.erase(it);
    return byte;
  }
  return std::nullopt;
}

void Radio::answer(FrameKind answering, std::vector<Part> parts, Micros frameEnd) {
  Micros earliest = frameEnd + config_.replyDelay;
  std::string applied;
  for (auto& fault : faults_) {
    if (!matches(fault, answering) || parts.empty()) continue;
    bool leadingAck = parts.size() > 1 && parts.front().kind == FrameKind::Ack;
    bool applicable = true;
    switch (fault.what) {
      case Misbehaviour::EarlyAck:
      case Misbehaviour::Refuse:
        applicable = false;
        break;
      case Misbehaviour::NoLeadingAck:
        applicable = leadingAck;
        break;
      case Misbehaviour::OtherIdent:
        applicable = std::any_of(parts.begin(), parts.end(),
                                 [](const Part& part) { return isIdent(part.kind); });
        break;
      default:
        break;
    }
    if (!applicable || !consume(fault)) continue;
    switch (fault.what) {
      case Misbehaviour::Silence:
        parts.clear();
        break;
      case Misbehaviour::Late:
        earliest += fault.delay;
        break;
      case Misbehaviour::WrongFirstByte:
        parts.front().bytes.front() = fault.byte;
        break;
      case Misbehaviour::StrayByte:
        parts.insert(parts.begin(), Part{FrameKind::Stray, {fault.byte}});
        break;
      case Misbehaviour::ShortFrame:
        parts.back().bytes.pop_back();
        if (parts.back().bytes.empty()) parts.pop_back();
        break;
      case Misbehaviour::ExtraByte:
        parts.back().bytes.push_back(fault.byte);
        break;
      case Misbehaviour::NoLeadingAck:
        parts.erase(parts.begin());
        break;
      case Misbehaviour::OtherIdent: {
        Part& ident = *std::find_if(parts.begin(), parts.end(),
                                    [](const Part& part) { return isIdent(part.kind); });
        const auto form = otherForm(ident.kind);
        ident.kind = identKind(form);
        ident.bytes = identFrame(form, config_.bands);
        break;
      }
      case Misbehaviour::EarlyAck:
      case Misbehaviour::Refuse:
        break;
    }
    if (!applied.empty()) applied += ',';
    applied += misbehaviourName(fault.what);
  }
  std::erase_if(faults_, spent);

  earliest = std::max(earliest, lastEarliest_);
  // When the parts said so far have left the line, were each byte to start as early as it may.
  double lineFree = static_cast<double>(earliest);
  for (auto& part : parts) {
    if (part.after) earliest = std::llround(lineFree) + *part.after;
    lineFree = std::max(lineFree, static_cast<double>(earliest)) +
               static_cast<double>(part.bytes.size()) * kByteMicros;
    for (std::uint8_t b : part.bytes) out_.push_back({b, earliest});
    logFrame(Direction::FromRadio, earliest, std::move(part.bytes), part.kind, applied);
  }
  lastEarliest_ = earliest;
}

void Radio::logFrame(Direction dir, Micros time, std::vector<std::uint8_t> bytes, FrameKind kind,
                     std::string fault) {
  log_.push_back({dir, time, std::move(bytes), kind, std::move(fault)});
}

std::optional<Micros> Radio::nextOutputTime() const {
  if (out_.empty()) return std::nullopt;
  return out_.front().earliest;
}

std::optional<OutByte> Radio::peekOutput() const {
  if (out_.empty()) return std::nullopt;
  return out_.front();
}

std::optional<OutByte> Radio::takeOutput(Micros now) {
  if (out_.empty() || out_.front().earliest > now) return std::nullopt;
  OutByte b = out_.front();
  out_.pop_front();
  return b;
}

std::vector<OutByte> Radio::takeAllOutput() {
  std::vector<OutByte> all(out_.begin(), out_.end());
  out_.clear();
  return all;
}

}  // namespace sim
