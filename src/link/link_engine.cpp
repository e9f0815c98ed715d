#include "link/link_engine.h"

#include <algorithm>

#include "data/access_code.h"
#include "data/shared_data.h"
#include "platform/form.h"

namespace j5 {

namespace {

// The length of an identification frame, from its start mark to its end mark.
std::size_t Ident_Length(Ident_Form form) {
  switch (form) {
    case Ident_Form::Ident14:
      return 14;
    case Ident_Form::Ident8:
    case Ident_Form::Ident8_Or_14:
    case Ident_Form::Ident8_Leading:
    case Ident_Form::Ident8_Dec:
      return 8;
    case Ident_Form::Ident50:
      return 50;
  }
  return 14;
}

// The openings without STX are answered in nine bytes: the identification and the radio's ACK,
// in front of the frame or behind it.
bool Answer_Of_Nine(Ident_Form form) {
  return form == Ident_Form::Ident8_Leading || form == Ident_Form::Ident8_Dec;
}

// Whether the frame that starts at f[0] is whole and well formed.
bool Ident_Well_Formed(Ident_Form form, std::span<const std::uint8_t> f) {
  switch (form) {
    case Ident_Form::Ident14:
    case Ident_Form::Ident8:
    case Ident_Form::Ident8_Or_14:
    case Ident_Form::Ident8_Leading:
      return f.back() == Ident_End;
    case Ident_Form::Ident8_Dec:
      return f.back() == Ident_Dec_End;
    case Ident_Form::Ident50:
      return f.back() == Ident50_End &&
             std::all_of(f.begin() + 1, f.begin() + 13, [](std::uint8_t b) { return b <= 9; });
  }
  return false;
}

std::uint8_t High(std::uint16_t address) {
  return static_cast<std::uint8_t>(address >> 8);
}
std::uint8_t Low(std::uint16_t address) {
  return static_cast<std::uint8_t>(address & 0xFF);
}

}  // namespace

void Take_Frames(Write_Plan& plan, Link_Listener& window) {
  plan.frames.clear();
  plan.frames.reserve(plan.steps.size());
  for (const Write_Step& step : plan.steps) plan.frames.push_back(window.Link_Frame_Data(step));
}

Link_Engine::Link_Engine(kit::Form& owner, Shared_Data& data, Link_Listener& listener)
    : MSC(owner, "MSC"),
      Timer1(owner, "Timer1"),
      Timer2(owner, "Timer2"),
      Timer3(owner, "Timer3"),
      platform_(owner.platform()),
      data_(data),
      listener_(listener) {
  // Enabled with interval 0: none fires until the engine gives it an interval.
  Timer1.Tick = [this] { Timer1_Timer(); };
  Timer2.Tick = [this] { Timer2_Timer(); };
  Timer3.Tick = [this] { Timer3_Timer(); };
  MSC.OnComm = [this] { MSC_OnComm(); };
}

bool Link_Engine::Open_Port(bool clear_output) {
  Shared_Data& d = data_;
  d.Port_Error = 0;
  try {
    MSC.setCommPort(d.Comm_Port);
    MSC.setSettings("9600,N,8,1");
    MSC.setInBufferSize(1024);
    MSC.setInputLen(1);
    MSC.setRThreshold(1);
    MSC.setInputMode(1);
    MSC.setInBufferCount(0);
    if (clear_output) MSC.setOutBufferCount(0);
    MSC.setPortOpen(true);
  } catch (const kit::PortError&) {
    d.Port_Error = kTrue;
  }
  return d.Port_Error == 0;
}

bool Link_Engine::Start(const Link_Description& description, Block_Plan plan) {
  if (busy_) return false;
  desc_ = description;
  plan_ = std::move(plan);
  restarts_left_ = desc_.restarts;
  last_answer_ = -1;
  if (!Begin(false)) return false;
  Take_Due_Frames();
  return true;
}

// Taken once: a restart and every frame after a time-out send what was taken at the start.
void Link_Engine::Take_Due_Frames() {
  auto* write = std::get_if<Write_Plan>(&plan_);
  if (!write || write->Frames_Taken()) return;
  listener_.Link_Frames_Due();
  Take_Frames(*write, listener_);
}

bool Link_Engine::Begin(bool restart) {
  if (!MSC.portOpen() && !Open_Port(desc_.clear_output)) {
    // A start in the pause after a time-out that finds no port does not take the exchange over:
    // the pending step still ends it, in its report, but no restart follows.
    if (!restart && (phase_ == Phase::Waiting || phase_ == Phase::Ident_End)) {
      restarts_left_ = 0;
    } else {
      phase_ = Phase::Idle;
    }
    listener_.Link_Port_Error(restart);
    return false;
  }
  // The report of an earlier time-out still pending would stop this exchange's timers.
  Timer3.setEnabled(false);
  Discard_Input();
  phase_ = desc_.opening.stx ? Phase::Code_Ack : Phase::Ident;
  ident_lead_ = 0;
  const auto& code = desc_.opening.code == Code_Kind::Main
                         ? std::span<const std::uint8_t>(data_.Access_Code.data(), 8)
                         : std::span<const std::uint8_t>(Alt_Access_Code);
  const auto len = static_cast<std::size_t>(std::clamp(desc_.opening.code_len, 1, 8));
  Queue({code.begin(), code.begin() + static_cast<std::ptrdiff_t>(len)});
  // A restart sends the write again from its first frame; what the attempts before it wrote is
  // still in the radio.
  if (!restart) frames_sent_ = partly_written_ = false;
  busy_ = true;
  Start_Send();
  return true;
}

void Link_Engine::Stop() {
  Close_Port();
  Stop_Timers();
  busy_ = false;
  phase_ = Phase::Idle;
}

void Link_Engine::Close_Port() {
  if (MSC.portOpen()) MSC.setPortOpen(false);
}

void Link_Engine::Stop_Timers() {
  Timer1.setEnabled(false);
  Timer2.setEnabled(false);
  Timer3.setEnabled(false);
}

// Complete: the port closes before the window hears of it.
void Link_Engine::Finish() {
  Stop_Timers();
  busy_ = false;
  Close_Port();
  phase_ = Phase::Idle;
  listener_.Link_Done();
}

void Link_Engine::Queue(std::vector<std::uint8_t> frame) {
  frame_ = std::move(frame);
}

void Link_Engine::Start_Send() {
  all_sent_ = false;
  pos_ = 0;
  Timer1.setInterval(desc_.sender.first_ms);
  Timer1.setEnabled(true);
}

void Link_Engine::Send_Now(std::uint8_t byte) {
  MSC.output({byte});
}

void Link_Engine::Gather() {
  while (MSC.inBufferCount() > 0) {
    const auto got = MSC.input();
    if (got.empty()) break;
    rx_.insert(rx_.end(), got.begin(), got.end());
  }
}

std::vector<std::uint8_t> Link_Engine::Take(std::size_t n) {
  n = std::min(n, rx_.size());
  std::vector<std::uint8_t> taken(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(n));
  rx_.erase(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(n));
  return taken;
}

void Link_Engine::Discard_Input() {
  rx_.clear();
  MSC.setInBufferCount(0);
}

// A burst holds the thread for the whole frame: the pauses are part of it, and no receive event
// is handled before its last byte is out. Each pause runs to the end of its byte's slot, so a
// pause that overran does not delay the bytes after it. Paced one byte per tick, the frame leaves
// while receive events go on being handled; the frame is then complete only with its last byte.
void Link_Engine::Timer1_Timer() {
  if (!MSC.portOpen()) {
    Timer1.setEnabled(false);
    return;
  }
  const Link_Sender& s = desc_.sender;
  const Link_Times& t = desc_.times;
  if (pos_ == 0 && s.skip_leading_ack && frame_.size() > 1 && frame_[0] == ACK) pos_ = 1;
  if (phase_ == Phase::Writing) frames_sent_ = true;
  if (s.burst) {
    kit::Platform& p = platform_;
    double slotEnd = p.nowMs();
    while (pos_ < frame_.size()) {
      Send_Now(frame_[pos_]);
      slotEnd += s.byte_ms;
      if (s.byte_ms > 0) p.pauseMs(slotEnd - p.nowMs());
      Timer2.setInterval(t.byte_watch_ms);
      Timer2.setEnabled(true);
      ++pos_;
    }
  } else {
    Timer1.setInterval(s.byte_ms);
    if (pos_ < frame_.size()) {
      Send_Now(frame_[pos_++]);
      Timer2.setInterval(t.byte_watch_ms);
      Timer2.setEnabled(true);
    }
    if (pos_ < frame_.size()) return;
  }
  Timer2.setInterval(t.frame_watch_ms);
  Timer2.setEnabled(true);
  Timer1.setEnabled(false);
  all_sent_ = true;
}

// The time-out ends the exchange once: left running, Timer2 would go on closing the port every
// interval, also one that a new exchange opened in the meantime, and keep putting off the report.
void Link_Engine::Timer2_Timer() {
  Timer1.setEnabled(false);
  Timer2.setEnabled(false);
  Timer3.setEnabled(true);
  Timer3.setInterval(desc_.times.report_ms);
  // A line that hung up has no radio behind it to start again with. A write of one frame is never
  // half written: the radio holds that frame or nothing of it.
  if (MSC.hungUp()) {
    restarts_left_ = 0;
    const auto* write = std::get_if<Write_Plan>(&plan_);
    partly_written_ = frames_sent_ && write && write->steps.size() > 1;
  }
  Close_Port();
  busy_ = false;
  phase_ = Phase::Waiting;
  listener_.Link_Timed_Out();
}

void Link_Engine::Timer3_Timer() {
  if (phase_ != Phase::Waiting && phase_ != Phase::Ident_End) {
    Timer3.setEnabled(false);
    return;
  }
  Stop_Timers();
  if (phase_ == Phase::Ident_End) {
    phase_ = Phase::Idle;
    listener_.Link_Done();
    return;
  }
  if (restarts_left_ > 0) {
    --restarts_left_;
    listener_.Link_Restarting();
    Begin(true);
    return;
  }
  phase_ = Phase::Idle;
  listener_.Link_Failed();
}

void Link_Engine::MSC_OnComm() {
  if (MSC.commEvent() != kit::SerialPort::kEvReceive) return;
  Gather();
  switch (phase_) {
    case Phase::Code_Ack:
    case Phase::Ident:
    case Phase::Final_Ack:
      if (MSC.portOpen()) Opening_Step();
      return;
    case Phase::Reading:
      return Read_Step_Received();
    case Phase::Writing:
      return Write_Answer();
    default:
      rx_.clear();
      return;
  }
}

// The bytes of the opening are kept until they are used: the radio's ACK and its identification
// may arrive in one read or in pieces split anywhere (a USB adapter hands over what it gathered),
// so each is found by its mark, never by where a read happened to end. Bytes that answer nothing
// are dropped; Timer2 ends the exchange if nothing acceptable follows in time.
void Link_Engine::Opening_Step() {
  for (;;) {
    switch (phase_) {
      case Phase::Code_Ack: {
        const auto ack = std::find(rx_.begin(), rx_.end(), ACK);
        if (ack == rx_.end()) {
          rx_.clear();
          return;
        }
        rx_.erase(rx_.begin(), ack + 1);
        phase_ = Phase::Ident;
        ident_lead_ = 0;
        Queue({STX});
        Start_Send();
        break;
      }
      case Phase::Ident: {
        Ident_Frame frame{desc_.opening.ident};
        if (!Find_Ident(frame)) return;
        Identified(frame);
        break;
      }
      case Phase::Final_Ack:
        if (!Final_Ack_Step()) return;
        break;
      default:
        return;
    }
  }
}

// The first well-formed identification at a start mark is taken out of the bytes kept; what
// comes before it, and a start mark that begins no frame, is dropped. Where either short form may
// come, eight bytes are taken, or fourteen where the eighth is not the end mark. The 50-byte frame
// has no start mark (its first byte may be any): it is the first run of bytes whose end mark and
// digits stand where they must. A nine-byte answer whose frame came first is taken only with the
// byte behind the frame, the radio's ACK, however long after the frame it comes: left behind, it
// would stand in front of the first reply.
bool Link_Engine::Find_Ident(Ident_Frame& frame) {
  for (;;) {
    frame.form = desc_.opening.ident;
    if (frame.form != Ident_Form::Ident50) {
      const auto mark = std::find(rx_.begin(), rx_.end(), Ident_Start);
      ident_lead_ += static_cast<std::size_t>(mark - rx_.begin());
      rx_.erase(rx_.begin(), mark);
    }
    if (frame.form == Ident_Form::Ident8_Or_14)
      frame.form =
          rx_.size() >= 8 && rx_[7] != Ident_End ? Ident_Form::Ident14 : Ident_Form::Ident8;
    const std::size_t n = Ident_Length(frame.form);
    if (rx_.size() < n) return false;
    if (Ident_Well_Formed(frame.form, std::span(rx_).first(n))) {
      const std::size_t answer = Answer_Of_Nine(frame.form) && ident_lead_ == 0 ? n + 1 : n;
      if (rx_.size() < answer) return false;
      const auto taken = Take(answer);
      std::copy(taken.begin(), taken.begin() + static_cast<std::ptrdiff_t>(n), frame.bytes.begin());
      return true;
    }
    rx_.erase(rx_.begin());
    ++ident_lead_;
  }
}

// The radio's answer to the tool's ACK. A repeated identification (the radio answers an STX that
// crossed its first one) is passed over whole, so no byte inside it is taken for the ACK.
bool Link_Engine::Final_Ack_Step() {
  const std::size_t n = Ident_Length(desc_.opening.ident);
  while (!rx_.empty()) {
    if (rx_.front() == ACK) {
      rx_.erase(rx_.begin());
      Timer2.setEnabled(false);
      Timer3.setEnabled(false);
      Block_Phase();
      return true;
    }
    if (rx_.front() == Ident_Start) {
      if (rx_.size() < n) return false;
      if (Ident_Well_Formed(desc_.opening.ident, std::span(rx_).first(n))) {
        Take(n);
        continue;
      }
    }
    rx_.erase(rx_.begin());
  }
  return false;
}

void Link_Engine::Identified(const Ident_Frame& frame) {
  if (desc_.opening.ack_exchange) {
    phase_ = Phase::Final_Ack;
    Queue({ACK});
    Start_Send();
    listener_.Link_Identified(frame);
    return;
  }
  if (std::holds_alternative<std::monostate>(plan_)) {
    // Identification only: the frame is not acknowledged, the port closes at once.
    Close_Port();
    Timer1.setEnabled(false);
    Timer2.setEnabled(false);
    busy_ = false;
    listener_.Link_Identified(frame);
    if (desc_.times.ident_end_ms > 0) {
      phase_ = Phase::Ident_End;
      Timer3.setEnabled(true);
      Timer3.setInterval(desc_.times.ident_end_ms);
    } else {
      Timer3.setEnabled(false);
      phase_ = Phase::Idle;
      listener_.Link_Done();
    }
    return;
  }
  listener_.Link_Identified(frame);
  Timer2.setEnabled(false);
  Timer3.setEnabled(false);
  Block_Phase();
}

void Link_Engine::Block_Phase() {
  listener_.Link_Connected();
  step_ = 0;
  if (std::holds_alternative<Read_Plan>(plan_)) {
    phase_ = Phase::Reading;
    Request(0);
    Discard_Input();
  } else if (std::holds_alternative<Write_Plan>(plan_)) {
    phase_ = Phase::Writing;
    Discard_Input();
    Send_Frame(0);
  } else {
    Finish();
  }
}

void Link_Engine::Request(std::size_t step) {
  const Read_Plan& plan = std::get<Read_Plan>(plan_);
  const std::uint16_t a = plan.steps[step].address;
  std::vector<std::uint8_t> f;
  if (step == 0 && plan.ack_before_first) f.push_back(ACK);
  f.insert(f.end(), {Cmd_Read, High(a), Low(a), plan.length});
  Queue(std::move(f));
  Start_Send();
}

void Link_Engine::Read_Step_Received() {
  const Read_Plan& plan = std::get<Read_Plan>(plan_);
  const bool bare = step_ == 0 && plan.first_reply_bare;
  const std::size_t length = bare ? 68 : 69;
  if (rx_.size() < length) return;
  const auto reply = Take(length);
  Discard_Input();
  // A reply whose header is not where it must be (a stray byte came before it, the radio
  // answered another request) is not acknowledged: the read ends in the time-out.
  const std::size_t h = bare ? 0 : 1;
  const std::uint16_t a = plan.steps[step_].address;
  const std::uint8_t len = plan.reply_length ? plan.reply_length : plan.length;
  if ((!bare && reply[0] != ACK) || reply[h] != Cmd_Data || reply[h + 1] != High(a) ||
      reply[h + 2] != Low(a) || reply[h + 3] != len)
    return;
  Timer2.setEnabled(false);
  Send_Now(ACK);
  listener_.Link_Block_Stored(static_cast<int>(step_), a, std::span(reply).subspan(h + 4));

  if (step_ + 1 < plan.steps.size()) {
    Request(++step_);
    const Progress_Mark mark = plan.steps[step_].progress;
    if (mark.value >= 0) listener_.Link_Progress(mark);
    return;
  }
  if (plan.then_write) {
    if (auto write = listener_.Link_Then_Write()) {
      plan_ = std::move(*write);
      Take_Due_Frames();
      Timer3.setEnabled(false);
      phase_ = Phase::Writing;
      step_ = 0;
      Discard_Input();
      Send_Frame(0);
      Discard_Input();
      return;
    }
  }
  Finish();
}

bool Link_Engine::Send_Frame(std::size_t step) {
  const Write_Plan& plan = std::get<Write_Plan>(plan_);
  const Write_Step& s = plan.steps[step];
  const auto& data = plan.frames[step];
  if (!data) {
    const Write_Step stopped = s;
    Close_Port();
    Stop_Timers();
    busy_ = false;
    phase_ = Phase::Idle;
    listener_.Link_Stopped(stopped);
    return false;
  }
  std::vector<std::uint8_t> f;
  if (plan.ack_before_each) f.push_back(ACK);
  f.insert(f.end(), {Cmd_Data, High(s.address), Low(s.address)});
  if (s.may_shorten && (*data)[0] == 0xFF) {
    f.insert(f.end(), {0x01, 0xFF});
  } else {
    f.push_back(0x10);
    f.insert(f.end(), data->begin(), data->end());
  }
  Queue(std::move(f));
  Start_Send();
  return true;
}

// Every byte that came in is looked at in turn; nothing answers a frame until the whole frame is
// out, so a byte that arrives while the next frame is still queued is dropped, also where any
// answer to the last frame ends the exchange.
void Link_Engine::Write_Answer() {
  while (phase_ == Phase::Writing && !rx_.empty()) {
    const Write_Plan& plan = std::get<Write_Plan>(plan_);
    const std::uint8_t b = rx_.front();
    rx_.erase(rx_.begin());
    if (!all_sent_) continue;
    const bool last = step_ + 1 >= plan.steps.size();
    if (last && plan.any_answer_ends) {
      last_answer_ = b;
      return Finish();
    }
    if (b != ACK) continue;
    Timer2.setEnabled(false);
    if (last) return Finish();
    ++step_;
    const Progress_Mark mark = plan.steps[step_].progress;
    if (mark.value >= 0) listener_.Link_Progress(mark);
    if (!Send_Frame(step_)) return;
  }
}

}  // namespace j5
